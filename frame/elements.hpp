// Element and mouse building blocks: one builder per element kind, the chain
// that links the records in draw order, and the mouse rectangle list.
//
// A gauge writes its elements as rows:
//
//   constinit frame::Chain chain{
//       frame::image(0x1200),
//       frame::text({171, 22}, {172, 42}, red, readout<"L %02.0f", tok<LocalHours>, power_is_one>),
//   };
//
// Every record is static, mutable data that the host reads and changes in
// place; the chain's constructor runs at compile time and links each record
// to the next, to the gauge header and to the empty failure list.
//
// Sections: styles and table entries, node types and builders, chain, mouse.
#pragma once

#include <array>
#include <cstddef>
#include <tuple>
#include <utility>

#include "frame/gauge_host.h"
#include "frame/module.hpp"

namespace frame {

// ---- Styles and table entries ----------------------------------------------

// 0x00BBGGRR from RGB.
constexpr uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return (blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF);
}

struct TextStyle {
    const char* face;  // "Quartz" or "Glass Gauge"
    int32_t weight;    // 100, 400 or 500
    uint32_t color;    // 0x00BBGGRR
};

// One nonlinearity entry as a gauge declares it: a point and its value.
struct NeedlePoint {
    int32_t x;
    int32_t y;
    double value;
};

inline constexpr FAILURE_RECORD no_failures[1] = {{0, 0}};

constexpr ELEMENT_HEADER element_header(ELEMENT_TYPE kind, int32_t resource_id, PIXPOINT position,
                                        PIXPOINT pivot = {0, 0}) {
    return ELEMENT_HEADER{kind, resource_id, position, pivot, IMAGE_FLAGS_DECLARED, 0, no_failures, nullptr, nullptr};
}

constexpr MODULE_VAR source_token(int32_t id) { return MODULE_VAR{id, nullptr, 0, 0.0, 0.0}; }

// ---- Node types and builders -----------------------------------------------
// A node owns its record, its child list and, for needles, its table. Its
// `link` fills the pointers that point into the node itself.

template <class Record>
struct Node {
    Record record{};
    ELEMENT_HEADER* children[2]{};
    constexpr void link() {}
};

template <size_t N>
struct NeedleNode {
    ELEMENT_NEEDLE record{};
    ELEMENT_HEADER* children[2]{};
    std::array<NONLINEARITY, N> table{};
    constexpr void link() {
        record.nonlinearity = table.data();
        record.nonlinearity_count = static_cast<int32_t>(N);
    }
};

// Kind 0: a fixed bitmap. The chain's first row is the gauge's background.
constexpr Node<ELEMENT_STATIC_IMAGE> image(int32_t resource_id, PIXPOINT position = {0, 0}) {
    return {ELEMENT_STATIC_IMAGE{element_header(ELEMENT_TYPE_STATIC_IMAGE, resource_id, position)}};
}

// Kind 1: a bitmap turning about `position`, its `pivot` on that point.
template <size_t N>
constexpr NeedleNode<N> needle(int32_t resource_id, PIXPOINT position, PIXPOINT pivot, NEEDLE_CALLBACK callback,
                               const NeedlePoint (&points)[N]) {
    static_assert(N >= 2, "a needle table has at least two entries");
    NeedleNode<N> node{};
    node.record.header = element_header(ELEMENT_TYPE_NEEDLE, resource_id, position, pivot);
    node.record.callback = callback;
    for (size_t i = 0; i < N; ++i) node.table[i] = NONLINEARITY{{points[i].x, points[i].y}, points[i].value, 0.0};
    return node;
}

// Kind 2: text in a box.
constexpr Node<ELEMENT_STRING> text(PIXPOINT position, PIXSIZE box, TextStyle style, STRING_CALLBACK callback) {
    ELEMENT_STRING record{};
    record.header = element_header(ELEMENT_TYPE_STRING, -1, position);
    record.callback = callback;
    record.box = box;
    record.text_color = style.color;
    for (size_t i = 0; style.face[i] != '\0' && i + 1 < STRING_FONT_FACE_SIZE; ++i) record.font_face[i] = style.face[i];
    record.font_weight = style.weight;
    record.charset = STRING_CHARSET;
    record.text_format = STRING_TEXT_FORMAT;
    return {record};
}

// Kind 3: a bitmap offset by value times scale; optional own source tokens.
struct SliderMotion {
    double scale_x = 0;
    double scale_y = 0;
    int32_t token_x = 0;
    int32_t token_y = 0;
};
constexpr Node<ELEMENT_SLIDER> slider(int32_t resource_id, PIXPOINT position, SliderMotion motion,
                                      SLIDER_CALLBACK callback_x, SLIDER_CALLBACK callback_y) {
    ELEMENT_SLIDER record{};
    record.header = element_header(ELEMENT_TYPE_SLIDER, resource_id, position);
    record.callback_x = callback_x;
    record.callback_y = callback_y;
    record.source_x = source_token(motion.token_x);
    record.source_y = source_token(motion.token_y);
    record.scale_x = motion.scale_x;
    record.scale_y = motion.scale_y;
    return {record};
}

// Kind 4: bitmaps resource_id .. resource_id + states - 1; optional own token.
constexpr Node<ELEMENT_ICON> icon(int32_t resource_id, PIXPOINT position, int32_t states, ICON_CALLBACK callback,
                                  int32_t token = 0) {
    ELEMENT_ICON record{};
    record.header = element_header(ELEMENT_TYPE_ICON, resource_id, position);
    record.callback = callback;
    record.source = source_token(token);
    record.picture_count = states;
    record.switch_mode = ICON_SWITCH_MODE;
    return {record};
}

// Kind 5: the image resource_id behind its window resource_id + 1, sliding
// from offset 0 at `y_first` to its bottom at `y_second`.
constexpr Node<ELEMENT_MOVING_IMAGE> moving(int32_t resource_id, PIXPOINT position, double y_first, double y_second,
                                            MOVING_IMAGE_CALLBACK callback_x, MOVING_IMAGE_CALLBACK callback_y) {
    ELEMENT_MOVING_IMAGE record{};
    record.header = element_header(ELEMENT_TYPE_MOVING_IMAGE, resource_id, position);
    record.callback_x = callback_x;
    record.callback_y = callback_y;
    record.y_first = y_first;
    record.y_second = y_second;
    return {record};
}

// Kind 6: the texture resource_id seen through its window resource_id + 1,
// centred on `pivot`, shifted by value * scale and turned.
struct SpriteMotion {
    double scale_y = 0;
    double scale_rotation = 0;
};
constexpr Node<ELEMENT_SPRITE> sprite(int32_t resource_id, PIXPOINT position, PIXPOINT pivot, SpriteMotion motion,
                                      SPRITE_CALLBACK callback_x, SPRITE_CALLBACK callback_y,
                                      SPRITE_CALLBACK callback_rotation) {
    ELEMENT_SPRITE record{};
    record.header = element_header(ELEMENT_TYPE_SPRITE, resource_id, position, pivot);
    record.callback_x = callback_x;
    record.callback_y = callback_y;
    record.callback_rotation = callback_rotation;
    record.scale_x = 0;
    record.scale_y = motion.scale_y;
    record.scale_rotation = motion.scale_rotation;
    record.texture_scale_x = 1.0f;
    record.texture_scale_y = 1.0f;
    return {record};
}

// ---- Chain -----------------------------------------------------------------

// The element chain in draw order. `roots` is the gauge header's element
// list; each node's child list names the next node, the last one none.
template <class... Nodes>
class Chain {
public:
    static constexpr size_t size = sizeof...(Nodes);
    static_assert(size >= 1, "a gauge has at least its background");

    std::tuple<Nodes...> nodes;
    ELEMENT_HEADER* roots[2]{};

    constexpr Chain(Nodes... rows) : nodes{rows...} {
        static_assert(std::is_same_v<std::tuple_element_t<0, std::tuple<Nodes...>>, Node<ELEMENT_STATIC_IMAGE>>,
                      "the root element is the background image");
        link(std::make_index_sequence<size>{});
        roots[0] = header_of<0>();
    }

    template <size_t I>
    constexpr ELEMENT_HEADER* header_of() {
        return &std::get<I>(nodes).record.header;
    }

private:
    template <size_t... I>
    constexpr void link(std::index_sequence<I...>) {
        (link_one<I>(), ...);
    }
    template <size_t I>
    constexpr void link_one() {
        auto& node = std::get<I>(nodes);
        node.link();
        node.record.header.gauge_header = &gauge_header;
        if constexpr (I + 1 < size) {
            node.children[0] = header_of<I + 1>();
            node.record.header.next_element = node.children;
        }
    }
};

// ---- Mouse rectangle list --------------------------------------------------

constexpr MOUSERECT mouse_entry(MOUSE_RECT_TYPE kind) {
    return MOUSERECT{kind, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, nullptr, nullptr, nullptr};
}

// A hot spot: box, cursor, click flags, callback.
struct HotSpot {
    PIXBOX box;
    int32_t cursor;
    uint32_t flags;
    MOUSE_CALLBACK callback;
};

// parent, tooltip (when `tooltip` is not null), hot spots, end of parent,
// end of list.
template <size_t HotSpots>
struct MouseList {
    static constexpr size_t capacity = HotSpots + 5;
    MOUSERECT entries[capacity]{};

    constexpr MouseList(const char* tooltip, const std::array<HotSpot, HotSpots>& spots) {
        size_t n = 0;
        entries[n++] = mouse_entry(MOUSE_RECT_PARENT);
        if (tooltip) {
            entries[n] = mouse_entry(MOUSE_RECT_TOOLTIP);
            entries[n++].tooltip = tooltip;
        }
        for (const HotSpot& spot : spots)
            entries[n++] =
                MOUSERECT{MOUSE_RECT_CHILD, spot.box, spot.cursor, 0, spot.flags, 0, spot.callback, nullptr, nullptr};
        entries[n++] = mouse_entry(MOUSE_RECT_END_PARENT);
        entries[n++] = mouse_entry(MOUSE_RECT_EOL);
    }
};

// A gauge without hot spots.
constexpr MouseList<0> mouse_list(const char* tooltip = nullptr) { return MouseList<0>(tooltip, {}); }

template <size_t N>
constexpr MouseList<N> mouse_list(const char* tooltip, const HotSpot (&spots)[N]) {
    std::array<HotSpot, N> list{};
    for (size_t i = 0; i < N; ++i) list[i] = spots[i];
    return MouseList<N>(tooltip, list);
}

}  // namespace frame
