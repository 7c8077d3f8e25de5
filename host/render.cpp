// Sections: surfaces and the bitmap cache (colour key and window rules),
// painting helpers, one draw function per element kind, the gauge, PNG.
#include "host/render.hpp"

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "host/panel_layout.hpp"
#include "host/text.hpp"

namespace host {

namespace {
constexpr double pi = 3.14159265358979323846;
constexpr uint32_t window_colour = 0x010101;  // where a window shows its picture
constexpr double night_dimming = 0.65;        // share of brightness taken away
}  // namespace

Lighting parse_lighting(const std::string& text) {
    if (text == "day") return Lighting::Day;
    if (text == "night") return Lighting::Night;
    throw std::invalid_argument("lighting must be day or night, not '" + text + "'");
}

Surface make_surface(int width, int height) {
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
}

// ---- Surfaces and the bitmap cache ---------------------------------------------
// Every bitmap becomes an ARGB surface in which pure black is transparent.
// A window bitmap also gives a mask (opaque where it is (1,1,1)) and a frame
// (the bitmap with both black and (1,1,1) transparent), drawn over the
// picture it shows.

namespace {
Surface keyed_surface(const Bitmap& bitmap, bool window_frame) {
    Surface surface = make_surface(bitmap.width, bitmap.height);
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            uint32_t rgb = bitmap.at(x, y);
            bool clear = rgb == 0 || (window_frame && rgb == window_colour);
            uint32_t argb = clear ? 0 : (0xFF000000u | rgb);
            std::memcpy(data + static_cast<ptrdiff_t>(y) * stride + x * 4, &argb, 4);
        }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

Surface window_mask(const Bitmap& bitmap) {
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_A8, bitmap.width, bitmap.height), cairo_surface_destroy);
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            data[static_cast<ptrdiff_t>(y) * stride + x] = bitmap.at(x, y) == window_colour ? 0xFF : 0;
    cairo_surface_mark_dirty(surface.get());
    return surface;
}
}  // namespace

struct Renderer::Bitmaps {
    const Resources* resources;
    std::map<int32_t, Surface> images, masks, frames;

    cairo_surface_t* image(int32_t id) {
        return cached(images, id, [](const Bitmap& b) { return keyed_surface(b, false); });
    }
    cairo_surface_t* mask(int32_t id) { return cached(masks, id, window_mask); }
    cairo_surface_t* frame(int32_t id) {
        return cached(frames, id, [](const Bitmap& b) { return keyed_surface(b, true); });
    }

    template <class Make>
    cairo_surface_t* cached(std::map<int32_t, Surface>& cache, int32_t id, Make make) {
        if (auto it = cache.find(id); it != cache.end()) return it->second.get();
        const Bitmap* bitmap = resources->find(id);
        if (!bitmap) return nullptr;
        return cache.emplace(id, make(*bitmap)).first->second.get();
    }
};

Renderer::Bitmaps& Renderer::bitmaps(const Module& module) {
    auto& entry = cache_[&module];
    if (!entry) entry = std::make_shared<Bitmaps>(Bitmaps{&module.resources(), {}, {}, {}});
    return *entry;
}

// ---- Painting helpers ------------------------------------------------------------

namespace {
// Pixel-exact where the bitmap lands on whole pixels unscaled and unturned;
// bilinear everywhere else.
void paint_surface(cairo_t* cr, cairo_surface_t* surface, double x, double y) {
    if (!surface) return;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    double device_x = m.x0 + x * m.xx, device_y = m.y0 + y * m.yy;
    bool exact = m.xx == 1 && m.yy == 1 && m.xy == 0 && m.yx == 0 && device_x == std::floor(device_x) &&
                 device_y == std::floor(device_y);
    cairo_set_source_surface(cr, surface, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr), exact ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    cairo_paint(cr);
}

// What the group drawn since push_group shows through the window at the
// origin, then the window's frame over it.
void finish_window(cairo_t* cr, cairo_surface_t* mask, cairo_surface_t* frame) {
    cairo_pop_group_to_source(cr);
    cairo_mask_surface(cr, mask, 0, 0);
    paint_surface(cr, frame, 0, 0);
}

double finite_or_zero(double value) { return std::isfinite(value) ? value : 0.0; }
}  // namespace

// ---- One draw function per element kind ------------------------------------------
// Each draws its element in gauge coordinates.

namespace {
struct DrawContext {
    cairo_t* cr;
    const ElementState& state;
    const std::string& text;
};

// Static image: the bitmap at the position.
void draw_static(const ELEMENT_HEADER& element, Renderer::Bitmaps& bitmaps, const DrawContext& context) {
    paint_surface(context.cr, bitmaps.image(element.resource_id), element.position.x, element.position.y);
}

// Needle: move to the turning point (the centre of the position's pixel),
// turn so the bitmap's +x points at the angle (clockwise from up, so +x at
// 90 degrees is unturned), and put the bitmap's pivot pixel there.
void draw_needle(const ELEMENT_NEEDLE& needle, Renderer::Bitmaps& bitmaps, const DrawContext& context) {
    cairo_t* cr = context.cr;
    cairo_save(cr);
    cairo_translate(cr, needle.header.position.x + 0.5, needle.header.position.y + 0.5);
    cairo_rotate(cr, (context.state.angle - 90.0) * pi / 180.0);
    cairo_translate(cr, -needle.header.pivot.x - 0.5, -needle.header.pivot.y - 0.5);
    paint_surface(cr, bitmaps.image(needle.header.resource_id), 0, 0);
    cairo_restore(cr);
}

// Icon: the bitmap of its state, if the state has one.
void draw_icon(const ELEMENT_ICON& icon, Renderer::Bitmaps& bitmaps, const DrawContext& context) {
    if (context.state.bitmap)
        paint_surface(context.cr, bitmaps.image(*context.state.bitmap), icon.header.position.x, icon.header.position.y);
}

// Slider: the bitmap at position + offset; an offset that is not a finite
// number draws nothing.
void draw_slider(const ELEMENT_SLIDER& slider, Renderer::Bitmaps& bitmaps, const DrawContext& context) {
    if (!std::isfinite(context.state.offset_x) || !std::isfinite(context.state.offset_y)) return;
    paint_surface(context.cr, bitmaps.image(slider.header.resource_id),
                  slider.header.position.x + context.state.offset_x, slider.header.position.y + context.state.offset_y);
}

// Moving image: at the window's position, the image raised by its offset,
// seen through the window, then the window's frame. Without an offset (NaN)
// the window shows nothing.
void draw_moving(const ELEMENT_MOVING_IMAGE& moving, Renderer::Bitmaps& bitmaps, const DrawContext& context) {
    cairo_t* cr = context.cr;
    int32_t id = moving.header.resource_id;
    cairo_save(cr);
    cairo_translate(cr, moving.header.position.x, moving.header.position.y);
    cairo_push_group(cr);
    if (std::isfinite(context.state.offset_y)) paint_surface(cr, bitmaps.image(id), 0, -context.state.offset_y);
    finish_window(cr, bitmaps.mask(id + 1), bitmaps.frame(id + 1));
    cairo_restore(cr);
}

// Sprite: at the window's pivot, turned counterclockwise by rotation ×
// rotation scale degrees, shifted by value × scale, the texture's centre;
// seen through the window, then the window's frame. Products that are not
// finite count as 0.
void draw_sprite(const ELEMENT_SPRITE& sprite, Renderer::Bitmaps& bitmaps, const DrawContext& context) {
    cairo_t* cr = context.cr;
    int32_t id = sprite.header.resource_id;
    cairo_surface_t* texture = bitmaps.image(id);
    double degrees = finite_or_zero(context.state.rotation * sprite.scale_rotation);
    double shift_x = sprite.scale_x == 0 ? 0 : finite_or_zero(context.state.x * sprite.scale_x);
    double shift_y = sprite.scale_y == 0 ? 0 : finite_or_zero(context.state.y * sprite.scale_y);
    cairo_save(cr);
    cairo_translate(cr, sprite.header.position.x, sprite.header.position.y);
    cairo_push_group(cr);
    cairo_save(cr);
    cairo_translate(cr, sprite.header.pivot.x, sprite.header.pivot.y);
    cairo_rotate(cr, -degrees * pi / 180.0);
    cairo_translate(cr, shift_x, shift_y);
    cairo_translate(cr, -cairo_image_surface_get_width(texture) / 2.0, -cairo_image_surface_get_height(texture) / 2.0);
    paint_surface(cr, texture, 0, 0);
    cairo_restore(cr);
    finish_window(cr, bitmaps.mask(id + 1), bitmaps.frame(id + 1));
    cairo_restore(cr);
}
}  // namespace

double Renderer::font_pixel_size(const ELEMENT_STRING& string) const {
    std::string face(string.font_face, strnlen(string.font_face, sizeof string.font_face));
    return string.box.height * fonts_.choice(face).size_per_box_height;
}

namespace {
void set_font(cairo_t* cr, const FontMap& fonts, const ELEMENT_STRING& string, double size) {
    std::string face(string.font_face, strnlen(string.font_face, sizeof string.font_face));
    cairo_set_font_face(cr, fonts.face(face, string.font_weight));
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, size * fonts.choice(face).width_scale, size);
    cairo_set_font_matrix(cr, &matrix);
}
}  // namespace

double Renderer::text_width(const ELEMENT_STRING& string, const std::string& text) const {
    Surface scratch = make_surface(1, 1);
    cairo_t* cr = cairo_create(scratch.get());
    set_font(cr, fonts_, string, font_pixel_size(string));
    cairo_text_extents_t extents;
    cairo_text_extents(cr, windows1252_to_utf8(text).c_str(), &extents);
    cairo_destroy(cr);
    return extents.x_advance;
}

namespace {
// String: left-aligned in its box, digits centred vertically, cut at the
// box's edges, in the record's colour (0x00BBGGRR).
void draw_string(const ELEMENT_STRING& string, const FontMap& fonts, double size, const DrawContext& context) {
    cairo_t* cr = context.cr;
    const PIXPOINT& at = string.header.position;
    cairo_save(cr);
    cairo_rectangle(cr, at.x, at.y, string.box.width, string.box.height);
    cairo_clip(cr);
    set_font(cr, fonts, string, size);
    cairo_text_extents_t digit;
    cairo_text_extents(cr, "0", &digit);
    double baseline = at.y + (string.box.height - digit.y_bearing) / 2.0;
    uint32_t colour = string.text_color;
    cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, ((colour >> 16) & 0xFF) / 255.0);
    cairo_move_to(cr, at.x, baseline);
    cairo_show_text(cr, windows1252_to_utf8(context.text).c_str());
    cairo_restore(cr);
}
}  // namespace

// ---- The gauge ------------------------------------------------------------------
// Clip to the gauge, then each element in chain order, skipping hidden ones.
// At night an element whose lit flag is clear, and every static image, is
// drawn into a group and darkened there, so only self-lit glass stays bright.

void Renderer::draw_gauge(cairo_t* cr, const LoadedModule& loaded, Lighting lighting) {
    const Module& module = *loaded.module;
    Bitmaps& cache = bitmaps(module);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, module.width(), module.height());
    cairo_clip(cr);
    for (size_t i = 0; i < module.elements().size(); ++i) {
        const ELEMENT_HEADER& element = *module.elements()[i];
        if (element.image_flags & IMAGE_FLAG_HIDDEN) continue;
        const std::string text = element.element_type == ELEMENT_TYPE_STRING ? loaded.text(i) : std::string();
        DrawContext context{cr, loaded.states[i], text};
        bool dim = lighting == Lighting::Night &&
                   (element.element_type == ELEMENT_TYPE_STATIC_IMAGE || !(element.image_flags & IMAGE_FLAG_LIT));
        if (dim) cairo_push_group(cr);
        switch (element.element_type) {
        case ELEMENT_TYPE_STATIC_IMAGE:
            draw_static(element, cache, context);
            break;
        case ELEMENT_TYPE_NEEDLE:
            draw_needle(reinterpret_cast<const ELEMENT_NEEDLE&>(element), cache, context);
            break;
        case ELEMENT_TYPE_STRING: {
            const auto& string = reinterpret_cast<const ELEMENT_STRING&>(element);
            draw_string(string, fonts_, font_pixel_size(string), context);
            break;
        }
        case ELEMENT_TYPE_SLIDER:
            draw_slider(reinterpret_cast<const ELEMENT_SLIDER&>(element), cache, context);
            break;
        case ELEMENT_TYPE_ICON:
            draw_icon(reinterpret_cast<const ELEMENT_ICON&>(element), cache, context);
            break;
        case ELEMENT_TYPE_MOVING_IMAGE:
            draw_moving(reinterpret_cast<const ELEMENT_MOVING_IMAGE&>(element), cache, context);
            break;
        case ELEMENT_TYPE_SPRITE:
            draw_sprite(reinterpret_cast<const ELEMENT_SPRITE&>(element), cache, context);
            break;
        default:
            break;
        }
        if (dim) {
            cairo_set_operator(cr, CAIRO_OPERATOR_ATOP);
            cairo_set_source_rgba(cr, 0, 0, 0, night_dimming);
            cairo_paint(cr);
            cairo_pop_group_to_source(cr);
            cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
            cairo_paint(cr);
        }
    }
    cairo_restore(cr);
}

Surface Renderer::render_gauge(const LoadedModule& loaded, const RenderOptions& options) {
    const Module& module = *loaded.module;
    Surface surface = make_surface(static_cast<int>(std::ceil(module.width() * options.scale)),
                                   static_cast<int>(std::ceil(module.height() * options.scale)));
    cairo_t* cr = cairo_create(surface.get());
    cairo_scale(cr, options.scale, options.scale);
    draw_gauge(cr, loaded, options.lighting);
    cairo_destroy(cr);
    return surface;
}

Surface render_panel(PanelHost& host, const PanelLayout& layout, Renderer& renderer, const RenderOptions& options) {
    Surface surface = make_surface(static_cast<int>(std::ceil(layout.width * options.scale)),
                                   static_cast<int>(std::ceil(layout.height * options.scale)));
    cairo_t* cr = cairo_create(surface.get());
    cairo_scale(cr, options.scale, options.scale);
    if (layout.background) {
        const auto& rgb = *layout.background;
        cairo_set_source_rgb(cr, rgb[0] / 255.0, rgb[1] / 255.0, rgb[2] / 255.0);
        cairo_paint(cr);
    }
    for (const GaugePlacement& placement : layout.gauges) {
        const LoadedModule& loaded = host.get(placement.module);
        cairo_save(cr);
        cairo_translate(cr, placement.x, placement.y);
        if (placement.width)
            cairo_scale(cr, *placement.width / loaded.module->width(), *placement.height / loaded.module->height());
        renderer.draw_gauge(cr, loaded, options.lighting);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return surface;
}

// ---- PNG ------------------------------------------------------------------------

void write_png(cairo_surface_t* surface, const std::string& path) {
    cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
}

}  // namespace host
