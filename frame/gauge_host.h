/* Corvane panel host interface.
 *
 * The records a gauge module exports and the panel host reads in place, the
 * host's function table that modules call back into, and the constants both
 * sides agree on. Compiles as C11 and as C++20.
 *
 * Sections:
 *   1. Constants: module linkage, services, element kinds, image flags,
 *      mouse entry kinds, cursors and click flags
 *   2. Token-variable record (MODULE_VAR)
 *   3. PANELS, the host's function table
 *   4. Element records, one per kind, and the nonlinearity table
 *   5. Mouse rectangle list (MOUSERECT)
 *   6. Gauge header (GAUGEHDR), module linkage and import table
 *   7. Layout checks
 */
#ifndef CORVANE_GAUGE_HOST_H
#define CORVANE_GAUGE_HOST_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#define CORVANE_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define CORVANE_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* ---- 1. Constants ------------------------------------------------------ */

enum {
    MODULE_ID = 0x13,           /* Linkage.module_id */
    MODULE_VERSION = 0x800,     /* Linkage.module_version */
    GAUGE_HEADER_VERSION = 800, /* GAUGEHDR.gauge_header_version */
    GAUGE_SIZE_MM = 100,        /* GAUGEHDR.size_x_mm */
    IMPORT_TABLE_PANELS_ID = 0x0F,
    NAMED_VARIABLE_TYPE_INT32 = 0x13, /* register_var_by_name type code */
    KEY_EVENT_BASE = 0x10000          /* key event n is KEY_EVENT_BASE + n */
};

/* Service ids passed to the gauge callback. Every other id is ignored. */
enum {
    PANEL_SERVICE_PRE_INSTALL = 2,
    PANEL_SERVICE_PRE_INITIALIZE = 4,
    PANEL_SERVICE_PRE_UPDATE = 6,
    PANEL_SERVICE_PRE_DRAW = 10,
    PANEL_SERVICE_PRE_KILL = 12
};

/* ELEMENT_HEADER.element_type */
typedef enum ELEMENT_TYPE {
    ELEMENT_TYPE_STATIC_IMAGE = 0,
    ELEMENT_TYPE_NEEDLE = 1,
    ELEMENT_TYPE_STRING = 2,
    ELEMENT_TYPE_SLIDER = 3,
    ELEMENT_TYPE_ICON = 4,
    ELEMENT_TYPE_MOVING_IMAGE = 5,
    ELEMENT_TYPE_SPRITE = 6
} ELEMENT_TYPE;

/* ELEMENT_HEADER.image_flags. Every element is declared with
 * IMAGE_FLAGS_DECLARED; callbacks change only the lit and hidden bits. */
#define IMAGE_FLAGS_DECLARED 0x83u
#define IMAGE_FLAG_LIT 0x4u
#define IMAGE_FLAG_HIDDEN 0x40000000u

/* ELEMENT_STRING constants */
#define STRING_CHARSET 1
#define STRING_TEXT_FORMAT 0x4240u
#define STRING_FONT_FACE_SIZE 32
#define STRING_MIN_BUFFER 256 /* the host's text buffer is never smaller */

/* ELEMENT_ICON.switch_mode */
#define ICON_SWITCH_MODE 3

/* MOUSERECT.rect_type */
typedef enum MOUSE_RECT_TYPE {
    MOUSE_RECT_EOL = 0,        /* end of list */
    MOUSE_RECT_PARENT = 1,     /* opens the gauge's list */
    MOUSE_RECT_CHILD = 2,      /* a hot spot */
    MOUSE_RECT_END_PARENT = 3, /* closes the parent */
    MOUSE_RECT_TOOLTIP = 4     /* the gauge's tooltip text */
} MOUSE_RECT_TYPE;

/* MOUSERECT.cursor */
enum { CURSOR_NONE = -1, CURSOR_NORMAL = 0, CURSOR_UPARROW = 1, CURSOR_DOWNARROW = 2, CURSOR_HAND = 5 };

/* MOUSERECT.mouse_flags: which mouse events reach a hot spot's callback. */
#define MOUSE_LEFTSINGLE 0x20000000u  /* a left-button press */
#define MOUSE_DOWN_REPEAT 0x00200000u /* repeated while the left button is held */
#define MOUSE_LEFTDRAG 0x00800000u    /* the left button drags over the hot spot */

/* ---- 2. Token-variable record ------------------------------------------ */

/* A token variable as a module reads it. The module sets only `id`; the
 * host's lookup_var fills `var_value` (and keeps the value before it in
 * `var_old`); initialize_var_by_name points `var_ptr` at named storage. */
typedef struct MODULE_VAR {
    int32_t id;       /* token id; 0 always reads 0 */
    void* var_ptr;    /* named-variable storage, or NULL */
    int32_t var_type; /* type code of the storage */
    double var_value; /* the value of the last refresh */
    double var_old;   /* the value before it */
} MODULE_VAR;

/* ---- 3. PANELS ---------------------------------------------------------- */

/* The host's function table. The host writes its address into the first
 * entry of the module's ImportTable before it calls the module; a module
 * reads that pointer afresh before every call. Only five slots are used by
 * modules; the others are the host's and are never called by a module.
 * No result of any operation is used. */
typedef void (*PANELS_RESERVED)(void);

typedef struct PANELS {
    PANELS_RESERVED reserved0[36];

    /* Slot 36: the simulator performs key event `event_id` (0x10000 + n)
     * with `value`. */
    void (*trigger_key_event)(uint32_t event_id, int32_t value);

    /* Slot 37: publishes `name`, bound to the module's 32-bit `storage` of
     * type `type_code` (0x13). The storage must outlive the publication. */
    void (*register_var_by_name)(void* storage, int32_t type_code, const char* name);

    PANELS_RESERVED reserved38;

    /* Slot 39: points `record->var_ptr` at the storage published under
     * `name`, or sets it to NULL while the name is not published. */
    void (*initialize_var_by_name)(MODULE_VAR* record, const char* name);

    /* Slot 40: refreshes `record->var_value` from token `record->id`. */
    void (*lookup_var)(MODULE_VAR* record);

    /* Slot 41: withdraws `name`; readers bound earlier keep their pointer. */
    void (*unregister_var_by_name)(const char* name);
} PANELS;

/* ---- 4. Element records ------------------------------------------------ */

typedef struct PIXPOINT {
    int32_t x;
    int32_t y;
} PIXPOINT;

typedef struct PIXSIZE {
    int32_t width;
    int32_t height;
} PIXSIZE;

/* One entry of a needle's nonlinearity table. Entries are in ascending order
 * of value; `angle` is declared 0 and filled in by the host. */
typedef struct NONLINEARITY {
    PIXPOINT point; /* gauge pixels */
    double value;
    double angle;
} NONLINEARITY;

/* An element's failure list: entries up to one whose key is 0. */
typedef struct FAILURE_RECORD {
    int32_t failure_key;
    int32_t action;
} FAILURE_RECORD;

struct GAUGEHDR;

/* Fields every element starts with. */
typedef struct ELEMENT_HEADER {
    int32_t element_type;               /* ELEMENT_TYPE */
    int32_t resource_id;                /* first bitmap; -1 for a string */
    PIXPOINT position;                  /* top-left corner; a needle's turning point */
    PIXPOINT pivot;                     /* needle: bitmap point on `position`; sprite:
                                           texture-centre point of the window; else 0,0 */
    uint32_t image_flags;               /* IMAGE_FLAGS_DECLARED, then lit/hidden */
    uint32_t special_instrument_flags;  /* 0 */
    const FAILURE_RECORD* failure_list; /* empty list */
    struct GAUGEHDR* gauge_header;      /* the gauge it belongs to */
    /* Child list: the next element then NULL, or NULL for the last one. */
    struct ELEMENT_HEADER* const* next_element;
} ELEMENT_HEADER;

/* Element callbacks. Each receives the element's own record, may read and
 * change its image flags (lit and hidden only) and read its own source
 * values, and returns a value; a string callback writes its text buffer and
 * returns 0. The host calls them on its one thread, never concurrently. */
struct ELEMENT_NEEDLE;
struct ELEMENT_STRING;
struct ELEMENT_SLIDER;
struct ELEMENT_ICON;
struct ELEMENT_MOVING_IMAGE;
struct ELEMENT_SPRITE;
typedef double (*NEEDLE_CALLBACK)(struct ELEMENT_NEEDLE* element);
typedef double (*STRING_CALLBACK)(struct ELEMENT_STRING* element);
typedef double (*SLIDER_CALLBACK)(struct ELEMENT_SLIDER* element);
typedef double (*ICON_CALLBACK)(struct ELEMENT_ICON* element);
typedef double (*MOVING_IMAGE_CALLBACK)(struct ELEMENT_MOVING_IMAGE* element);
typedef double (*SPRITE_CALLBACK)(struct ELEMENT_SPRITE* element);

/* Kind 0: the bitmap, drawn at `position`. No callback. */
typedef struct ELEMENT_STATIC_IMAGE {
    ELEMENT_HEADER header;
} ELEMENT_STATIC_IMAGE;

/* Kind 1: the bitmap turns about `position` so that its `pivot` lies on it
 * and its +x direction points where the table puts the callback's value. */
typedef struct ELEMENT_NEEDLE {
    ELEMENT_HEADER header;
    NEEDLE_CALLBACK callback;
    NONLINEARITY* nonlinearity;
    int32_t nonlinearity_count;
} ELEMENT_NEEDLE;

/* Kind 2: text written by the callback into `string`, drawn left-aligned in
 * the box at `position` and cut at its edges. The host sets `string` and
 * `string_size` (at least STRING_MIN_BUFFER) before every call; the callback
 * writes at most `string_size` bytes including the closing NUL. */
typedef struct ELEMENT_STRING {
    ELEMENT_HEADER header;
    STRING_CALLBACK callback;
    char* string;
    uint32_t string_size;
    PIXSIZE box;
    uint32_t text_color;                   /* 0x00BBGGRR */
    uint32_t background_color;             /* 0 */
    uint32_t highlight_color;              /* 0 */
    char font_face[STRING_FONT_FACE_SIZE]; /* "Quartz" or "Glass Gauge" */
    int32_t font_weight;                   /* 100, 400 or 500 */
    int32_t charset;                       /* STRING_CHARSET */
    uint32_t text_format;                  /* STRING_TEXT_FORMAT */
} ELEMENT_STRING;

/* Kind 3: the bitmap at position + (x value * scale_x, y value * scale_y).
 * The host refreshes `source_x` and `source_y` before the callbacks. */
typedef struct ELEMENT_SLIDER {
    ELEMENT_HEADER header;
    SLIDER_CALLBACK callback_x;
    SLIDER_CALLBACK callback_y;
    MODULE_VAR source_x;
    MODULE_VAR source_y;
    double scale_x;
    double scale_y;
} ELEMENT_SLIDER;

/* Kind 4: bitmap resource_id + the callback's state, 0 to picture_count - 1.
 * The host refreshes `source` before the callback. */
typedef struct ELEMENT_ICON {
    ELEMENT_HEADER header;
    ICON_CALLBACK callback;
    MODULE_VAR source;
    int32_t picture_count;
    int32_t switch_mode; /* ICON_SWITCH_MODE */
} ELEMENT_ICON;

/* Kind 5: the image (resource_id) slides vertically behind its window
 * (resource_id + 1): offset 0 at y_first, image height - window height at
 * y_second. The x range is always 0 to 0. */
typedef struct ELEMENT_MOVING_IMAGE {
    ELEMENT_HEADER header;
    MOVING_IMAGE_CALLBACK callback_x;
    MOVING_IMAGE_CALLBACK callback_y;
    MODULE_VAR source_x;
    double x_first;
    double x_second;
    double y_first;
    double y_second;
} ELEMENT_MOVING_IMAGE;

/* Kind 6: the texture (resource_id) seen through its window (resource_id +
 * 1); its centre sits on the window's `pivot`, shifted by value * scale and
 * turned by rotation value * scale_rotation degrees, counterclockwise on
 * the screen for a positive product. */
typedef struct ELEMENT_SPRITE {
    ELEMENT_HEADER header;
    SPRITE_CALLBACK callback_x;
    SPRITE_CALLBACK callback_y;
    SPRITE_CALLBACK callback_rotation;
    MODULE_VAR source_x;
    double scale_x; /* always 0 */
    double scale_y;
    double scale_rotation;
    float texture_scale_x; /* 1.0 */
    float texture_scale_y; /* 1.0 */
} ELEMENT_SPRITE;

/* ---- 5. Mouse rectangle list ------------------------------------------- */

/* Hot-spot callback: the click point relative to the hot spot's box and the
 * mouse event (one MOUSE_* flag that the hot spot selects). Returns 0. */
typedef int32_t (*MOUSE_CALLBACK)(int32_t x, int32_t y, uint32_t mouse_flags);

typedef struct PIXBOX {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
} PIXBOX;

/* A list runs: parent, optional tooltip, hot spots, end of parent, end of
 * list. A tooltip entry carries its text where a hot spot has its callback. */
typedef struct MOUSERECT {
    int32_t rect_type; /* MOUSE_RECT_TYPE */
    PIXBOX box;
    int32_t cursor;
    int32_t help_id;      /* 0 */
    uint32_t mouse_flags; /* hot spots: MOUSE_* flags */
    uint32_t event_id;    /* 0 */
    MOUSE_CALLBACK callback;
    const char* tooltip; /* tooltip entries only */
    void* argument;      /* NULL */
} MOUSERECT;

/* ---- 6. Gauge header, linkage and import table ------------------------- */

/* Service callback: the gauge header, a service id and extra data. Acts on
 * PANEL_SERVICE_* ids and returns at once for every other id. */
typedef void (*GAUGE_CALLBACK)(struct GAUGEHDR* header, int32_t service_id, uint32_t extra_data);

typedef struct GAUGEHDR {
    uint32_t gauge_header_version;        /* GAUGE_HEADER_VERSION */
    const char* gauge_name;               /* the module's name */
    ELEMENT_HEADER* const* elements_list; /* the root element, then NULL */
    uint32_t size_x_mm;                   /* GAUGE_SIZE_MM */
    MOUSERECT* mouse_rect;                /* the mouse rectangle list */
    GAUGE_CALLBACK gauge_callback;        /* the service callback */
    uint32_t flags;                       /* 0 */
    void* user_data;                      /* 0 */
} GAUGEHDR;

typedef struct MODULE_LINKAGE {
    int32_t module_id;           /* MODULE_ID */
    void (*module_init)(void);   /* does nothing */
    void (*module_deinit)(void); /* does nothing */
    uint32_t flags;              /* 0 */
    uint32_t priority;           /* 0 */
    uint32_t module_version;     /* MODULE_VERSION */
    GAUGEHDR* gauge_list[2];     /* the one gauge header, then NULL */
} MODULE_LINKAGE;

typedef struct IMPORT_ENTRY {
    int32_t id;
    void* pointer;
} IMPORT_ENTRY;

/* ImportTable: (IMPORT_TABLE_PANELS_ID, the host writes &PANELS here), then
 * (0, NULL). */
typedef struct IMPORT_TABLE {
    IMPORT_ENTRY panels;
    IMPORT_ENTRY end;
} IMPORT_TABLE;

/* The two symbols every module exports. */
#define CORVANE_LINKAGE_SYMBOL "Linkage"
#define CORVANE_IMPORT_TABLE_SYMBOL "ImportTable"

/* ---- 7. Layout checks -------------------------------------------------- */

/* The five operations sit at pointer slots 36, 37, 39, 40 and 41, which are
 * byte offsets 144, 148, 156, 160 and 164 on a 32-bit target. */
#define CORVANE_PANELS_SLOT(field) (offsetof(PANELS, field) / sizeof(void*))
CORVANE_STATIC_ASSERT(sizeof(PANELS_RESERVED) == sizeof(void*), "one slot per pointer");
CORVANE_STATIC_ASSERT(CORVANE_PANELS_SLOT(trigger_key_event) == 36, "trigger_key_event slot");
CORVANE_STATIC_ASSERT(CORVANE_PANELS_SLOT(register_var_by_name) == 37, "register_var_by_name slot");
CORVANE_STATIC_ASSERT(CORVANE_PANELS_SLOT(initialize_var_by_name) == 39, "initialize_var_by_name slot");
CORVANE_STATIC_ASSERT(CORVANE_PANELS_SLOT(lookup_var) == 40, "lookup_var slot");
CORVANE_STATIC_ASSERT(CORVANE_PANELS_SLOT(unregister_var_by_name) == 41, "unregister_var_by_name slot");
CORVANE_STATIC_ASSERT(sizeof(void*) != 4 ||
                          (offsetof(PANELS, trigger_key_event) == 144 &&
                           offsetof(PANELS, register_var_by_name) == 148 &&
                           offsetof(PANELS, initialize_var_by_name) == 156 && offsetof(PANELS, lookup_var) == 160 &&
                           offsetof(PANELS, unregister_var_by_name) == 164),
                      "32-bit byte offsets");

#ifdef __cplusplus
}
#endif

#endif /* CORVANE_GAUGE_HOST_H */
