/* Hand-built gauge modules for the loader's checks, written in C11 straight
 * from frame/gauge_host.h (without the frame's C++ building blocks).
 *
 * Built once per module with one definition:
 *   FAULT_NONE             c_gauge: a small valid gauge (background 0x100 and a
 *                          static image 0x400; one push (0,0,50,50) that sends
 *                          0x100ab with -5)
 *   FAULT_NO_EXPORTS       a shared library without Linkage and ImportTable
 *   FAULT_WRONG_ID         module id 0x14
 *   FAULT_WRONG_VERSION    module version 0x700
 *   FAULT_NO_GAUGE         a null gauge list
 *   FAULT_CHAIN_LOOP       the second element lists the root as its child
 *   FAULT_ROOT_NOT_STATIC  the root is an icon
 *   FAULT_UNKNOWN_KIND     the second element has kind 7
 *   FAULT_MISSING_BITMAP   the second element uses bitmap 0x999
 *   FAULT_NO_RESOURCES     valid records, but built without a resource section
 * Every module but the last two carries the Fixture's bitmaps (resources.S). */
#include <stddef.h>

#include "frame/gauge_host.h"

#define EXPORT __attribute__((visibility("default")))

#if defined(FAULT_NO_EXPORTS)

EXPORT int not_a_gauge(void) { return 0; }

#else

#if defined(FAULT_WRONG_ID)
#define LINKAGE_ID 0x14
#else
#define LINKAGE_ID MODULE_ID
#endif

#if defined(FAULT_WRONG_VERSION)
#define LINKAGE_VERSION 0x700
#else
#define LINKAGE_VERSION MODULE_VERSION
#endif

#if defined(FAULT_UNKNOWN_KIND)
#define SECOND_KIND 7
#else
#define SECOND_KIND ELEMENT_TYPE_STATIC_IMAGE
#endif

#if defined(FAULT_MISSING_BITMAP)
#define SECOND_BITMAP 0x999
#else
#define SECOND_BITMAP 0x400
#endif

EXPORT IMPORT_TABLE ImportTable = {{IMPORT_TABLE_PANELS_ID, NULL}, {0, NULL}};

static void module_init(void) {}
static void module_deinit(void) {}

static void service(GAUGEHDR* header, int32_t service_id, uint32_t extra_data) {
    (void)header;
    (void)service_id;
    (void)extra_data;
}

static int32_t press(int32_t x, int32_t y, uint32_t mouse_flags) {
    const PANELS* panels = (const PANELS*)ImportTable.panels.pointer;
    (void)x;
    (void)y;
    (void)mouse_flags;
    if (panels && panels->trigger_key_event) panels->trigger_key_event(KEY_EVENT_BASE + 0xab, -5);
    return 0;
}

static const FAILURE_RECORD no_failures[1] = {{0, 0}};

static GAUGEHDR gauge;
static ELEMENT_STATIC_IMAGE second;
static ELEMENT_HEADER* const root_children[2] = {&second.header, NULL};

#if defined(FAULT_ROOT_NOT_STATIC)
static double icon_state(ELEMENT_ICON* element) {
    (void)element;
    return 0;
}
static ELEMENT_ICON root_icon = {
    {ELEMENT_TYPE_ICON, 0x300, {0, 0}, {0, 0}, IMAGE_FLAGS_DECLARED, 0, no_failures, &gauge, root_children},
    icon_state,
    {0, NULL, 0, 0.0, 0.0},
    2,
    ICON_SWITCH_MODE};
#define ROOT (&root_icon.header)
#else
static ELEMENT_STATIC_IMAGE background = {
    {ELEMENT_TYPE_STATIC_IMAGE, 0x100, {0, 0}, {0, 0}, IMAGE_FLAGS_DECLARED, 0, no_failures, &gauge, root_children}};
#define ROOT (&background.header)
#endif

#if defined(FAULT_CHAIN_LOOP)
static ELEMENT_HEADER* const second_children[2] = {ROOT, NULL};
#define SECOND_CHILDREN second_children
#else
#define SECOND_CHILDREN NULL
#endif

static ELEMENT_STATIC_IMAGE second = {
    {SECOND_KIND, SECOND_BITMAP, {150, 150}, {0, 0}, IMAGE_FLAGS_DECLARED, 0, no_failures, &gauge, SECOND_CHILDREN}};

static ELEMENT_HEADER* const elements[2] = {ROOT, NULL};

static MOUSERECT mouse[] = {
    {MOUSE_RECT_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, NULL, NULL, NULL},
    {MOUSE_RECT_CHILD, {0, 0, 50, 50}, CURSOR_HAND, 0, MOUSE_LEFTSINGLE, 0, press, NULL, NULL},
    {MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, NULL, NULL, NULL},
    {MOUSE_RECT_EOL, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, NULL, NULL, NULL},
};

static GAUGEHDR gauge = {GAUGE_HEADER_VERSION, "c_gauge", elements, GAUGE_SIZE_MM, mouse, service, 0, NULL};

#if defined(FAULT_NO_GAUGE)
#define GAUGE_ENTRY NULL
#else
#define GAUGE_ENTRY (&gauge)
#endif

EXPORT MODULE_LINKAGE Linkage = {LINKAGE_ID, module_init, module_deinit, 0, 0, LINKAGE_VERSION, {GAUGE_ENTRY, NULL}};

#endif
