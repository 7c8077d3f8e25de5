#include "host/json_output.hpp"

#include <cmath>
#include <cstdio>

#include "host/geometry.hpp"
#include "host/text.hpp"

namespace host {

using json = Json;

json number(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return value;
}

std::string hex_id(int64_t id) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
    return text;
}

namespace {
std::string colour_text(uint32_t bgr) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return text;
}

json describe_element(const ELEMENT_HEADER& element, size_t index) {
    json out = {
        {"i", index},
        {"kind", kind_name(element.element_type)},
        {"resource", element.element_type == ELEMENT_TYPE_STRING ? json(nullptr) : json(hex_id(element.resource_id))},
        {"pos", {element.position.x, element.position.y}},
        {"pivot", {element.pivot.x, element.pivot.y}}};
    switch (element.element_type) {
    case ELEMENT_TYPE_NEEDLE: {
        const auto& needle = reinterpret_cast<const ELEMENT_NEEDLE&>(element);
        json table = json::array();
        for (int32_t i = 0; i < needle.nonlinearity_count; ++i)
            table.push_back(
                {needle.nonlinearity[i].point.x, needle.nonlinearity[i].point.y, number(needle.nonlinearity[i].value)});
        out["table"] = table;
        break;
    }
    case ELEMENT_TYPE_STRING: {
        const auto& string = reinterpret_cast<const ELEMENT_STRING&>(element);
        out["box"] = {string.box.width, string.box.height};
        out["color"] = colour_text(string.text_color);
        out["font"] = std::string(string.font_face, strnlen(string.font_face, sizeof string.font_face));
        out["weight"] = string.font_weight;
        break;
    }
    case ELEMENT_TYPE_ICON: {
        const auto& icon = reinterpret_cast<const ELEMENT_ICON&>(element);
        out["states"] = icon.picture_count;
        out["token"] = icon.source.id;
        break;
    }
    case ELEMENT_TYPE_SLIDER: {
        const auto& slider = reinterpret_cast<const ELEMENT_SLIDER&>(element);
        out["scale"] = {number(slider.scale_x), number(slider.scale_y)};
        out["tokens"] = {slider.source_x.id, slider.source_y.id};
        break;
    }
    case ELEMENT_TYPE_MOVING_IMAGE: {
        const auto& moving = reinterpret_cast<const ELEMENT_MOVING_IMAGE&>(element);
        out["range_y"] = {number(moving.y_first), number(moving.y_second)};
        break;
    }
    case ELEMENT_TYPE_SPRITE: {
        const auto& sprite = reinterpret_cast<const ELEMENT_SPRITE&>(element);
        out["scale"] = {number(sprite.scale_x), number(sprite.scale_y), number(sprite.scale_rotation)};
        break;
    }
    default:
        break;
    }
    return out;
}

json describe_mouse_entry(const MOUSERECT& entry) {
    switch (entry.rect_type) {
    case MOUSE_RECT_PARENT:
        return {{"kind", "parent"}};
    case MOUSE_RECT_TOOLTIP:
        return {{"kind", "tooltip"}, {"text", entry.tooltip ? windows1252_to_utf8(entry.tooltip) : ""}};
    case MOUSE_RECT_CHILD:
        return {{"kind", "hotspot"},
                {"box", {entry.box.x, entry.box.y, entry.box.width, entry.box.height}},
                {"cursor", entry.cursor},
                {"flags", hex_id(entry.mouse_flags)}};
    case MOUSE_RECT_END_PARENT:
        return {{"kind", "end_parent"}};
    default:
        return {{"kind", "end"}};
    }
}
}  // namespace

json describe(const Module& module, const std::vector<int32_t>& refreshed_tokens) {
    const GAUGEHDR& header = module.header();
    json elements = json::array(), mouse = json::array();
    for (size_t i = 0; i < module.elements().size(); ++i)
        elements.push_back(describe_element(*module.elements()[i], i));
    for (const MOUSERECT* entry : module.mouse()) mouse.push_back(describe_mouse_entry(*entry));
    const char* tooltip = module.tooltip();
    return json{{"module", module.name()},
                {"gauge", header.gauge_name},
                {"version", header.gauge_header_version},
                {"size_mm", header.size_x_mm},
                {"size", {module.width(), module.height()}},
                {"tooltip", tooltip ? json(windows1252_to_utf8(tooltip)) : json(nullptr)},
                {"tokens", refreshed_tokens},
                {"elements", elements},
                {"mouse", mouse}};
}

json dump(PanelHost& host, LoadedModule& loaded) {
    json elements = json::array();
    const auto& chain = loaded.module->elements();
    for (size_t i = 0; i < chain.size(); ++i) {
        const ELEMENT_HEADER& element = *chain[i];
        const ElementState& state = loaded.states[i];
        json out = {{"i", i},
                    {"kind", kind_name(element.element_type)},
                    {"hidden", (element.image_flags & IMAGE_FLAG_HIDDEN) != 0},
                    {"lit", (element.image_flags & IMAGE_FLAG_LIT) != 0}};
        switch (element.element_type) {
        case ELEMENT_TYPE_NEEDLE:
            out["value"] = number(state.value);
            out["angle"] = number(state.angle);
            break;
        case ELEMENT_TYPE_STRING:
            out["text"] = windows1252_to_utf8(loaded.text(i));
            break;
        case ELEMENT_TYPE_ICON:
            out["state"] = state.state;
            out["bitmap"] = state.bitmap ? json(hex_id(*state.bitmap)) : json(nullptr);
            break;
        case ELEMENT_TYPE_SLIDER:
            out["x"] = number(state.x);
            out["y"] = number(state.y);
            out["offset"] = {number(state.offset_x), number(state.offset_y)};
            break;
        case ELEMENT_TYPE_MOVING_IMAGE:
            out["x"] = number(state.x);
            out["y"] = number(state.y);
            out["offset"] = number(state.offset_y);
            break;
        case ELEMENT_TYPE_SPRITE:
            out["x"] = number(state.x);
            out["y"] = number(state.y);
            out["rotation"] = number(state.rotation);
            break;
        default:
            break;
        }
        elements.push_back(out);
    }
    json events = json::array();
    for (const KeyEvent& event : host.take_events(loaded))
        events.push_back({{"id", hex_id(event.id)}, {"value", event.value}});
    json vars = json::object();
    for (const auto& [name, value] : host.named_variables()) vars[name] = value;
    return json{{"module", loaded.name()},
                {"elements", elements},
                {"events", events},
                {"vars", vars},
                {"sound", {{"loaded", host.sound_loaded(loaded)}, {"terminate_calls", loaded.terminate_calls}}}};
}

}  // namespace host
