#include "art/art.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "host/resource_format.hpp"

namespace art {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_paint(cr_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(other.surface_), cr_(other.cr_) {
    other.surface_ = nullptr;
    other.cr_ = nullptr;
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

void Canvas::crisp() { cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE); }

namespace {
cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void put_u32(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}
}  // namespace

void Bitmaps::add(int32_t id, Canvas canvas) {
    cairo_surface_flush(canvas.surface());
    std::vector<unsigned char> png;
    cairo_surface_write_to_png_stream(canvas.surface(), append_bytes, &png);
    pngs_[id] = std::move(png);
    sizes_[id] = {canvas.width(), canvas.height()};
}

std::vector<unsigned char> Bitmaps::section() const {
    using namespace resource_format;
    std::vector<unsigned char> out(magic, magic + 4);
    put_u32(out, version);
    put_u32(out, static_cast<uint32_t>(pngs_.size()));
    uint32_t offset = static_cast<uint32_t>(4 * (header_words + entry_words * pngs_.size()));
    for (const auto& [id, png] : pngs_) {
        put_u32(out, static_cast<uint32_t>(id));
        put_u32(out, static_cast<uint32_t>(sizes_.at(id).first));
        put_u32(out, static_cast<uint32_t>(sizes_.at(id).second));
        put_u32(out, offset);
        put_u32(out, static_cast<uint32_t>(png.size()));
        offset += static_cast<uint32_t>(png.size());
    }
    for (const auto& [id, png] : pngs_) out.insert(out.end(), png.begin(), png.end());
    return out;
}

void set_colour(cairo_t* cr, Colour colour) {
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void rounded_rectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
    constexpr double quarter = 1.5707963267948966;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, -quarter, 0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, quarter);
    cairo_arc(cr, x + radius, y + height - radius, radius, quarter, 2 * quarter);
    cairo_arc(cr, x + radius, y + radius, radius, 2 * quarter, 3 * quarter);
    cairo_close_path(cr);
}

void fill_rounded(cairo_t* cr, double x, double y, double width, double height, double radius, Colour colour) {
    rounded_rectangle(cr, x, y, width, height, radius);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void fill_rounded_gradient(cairo_t* cr, double x, double y, double width, double height, double radius, Colour top,
                           Colour bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y, 0, y + height);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.red / 255.0, top.green / 255.0, top.blue / 255.0);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.red / 255.0, bottom.green / 255.0, bottom.blue / 255.0);
    rounded_rectangle(cr, x, y, width, height, radius);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void centred_text(cairo_t* cr, const std::string& text, double x, double y, double size, Colour colour, bool bold) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - extents.width / 2 - extents.x_bearing, y - extents.height / 2 - extents.y_bearing);
    set_colour(cr, colour);
    cairo_show_text(cr, text.c_str());
}

void fill_rectangle(cairo_t* cr, double x, double y, double width, double height, Colour colour) {
    cairo_rectangle(cr, x, y, width, height);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void frame_rectangle(cairo_t* cr, double x, double y, double width, double height, double line_width, Colour colour) {
    const double half = line_width / 2;
    cairo_rectangle(cr, x + half, y + half, width - line_width, height - line_width);
    cairo_set_line_width(cr, line_width);
    set_colour(cr, colour);
    cairo_stroke(cr);
}

void fill_polygon(cairo_t* cr, const std::vector<Point>& corners, Colour colour) {
    if (corners.empty()) return;
    cairo_new_path(cr);
    for (const Point& corner : corners) cairo_line_to(cr, corner.x, corner.y);
    cairo_close_path(cr);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void line(cairo_t* cr, Point from, Point to, double width, Colour colour) {
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_set_line_width(cr, width);
    set_colour(cr, colour);
    cairo_stroke(cr);
}

void text(cairo_t* cr, const std::string& words, double x, double y, double size, Colour colour, Align align,
          const char* family, bool bold) {
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t digit, extents;
    cairo_text_extents(cr, "0", &digit);
    cairo_text_extents(cr, words.c_str(), &extents);
    double left = x;
    if (align == Align::Centre) left = x - extents.x_advance / 2;
    if (align == Align::Right) left = x - extents.x_advance;
    cairo_move_to(cr, left, y - digit.height / 2 - digit.y_bearing);
    set_colour(cr, colour);
    cairo_show_text(cr, words.c_str());
}

namespace {
constexpr double full_turn = 2 * 3.14159265358979323846;

double direction(Point from, Point to) { return std::atan2(to.y - from.y, to.x - from.x); }
}  // namespace

Sweep::Sweep(Point centre, Point low, double low_value, Point high, double high_value)
    : centre_(centre), start_(direction(centre, low)), low_value_(low_value), high_value_(high_value) {
    turn_ = std::fmod(direction(centre, high) - start_, full_turn);
    if (turn_ < 0) turn_ += full_turn;
}

double Sweep::angle(double value) const { return start_ + (value - low_value_) / (high_value_ - low_value_) * turn_; }

Point Sweep::at(double value, double radius) const {
    const double a = angle(value);
    return {centre_.x + radius * std::cos(a), centre_.y + radius * std::sin(a)};
}

void fill_band(cairo_t* cr, const Sweep& sweep, double from, double to, double inner, double outer, Colour colour) {
    const Point c = sweep.centre();
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, outer, sweep.angle(from), sweep.angle(to));
    cairo_arc_negative(cr, c.x, c.y, inner, sweep.angle(to), sweep.angle(from));
    cairo_close_path(cr);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void stroke_arc(cairo_t* cr, const Sweep& sweep, double from, double to, double radius, double width, Colour colour) {
    const Point c = sweep.centre();
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, radius, sweep.angle(from), sweep.angle(to));
    cairo_set_line_width(cr, width);
    set_colour(cr, colour);
    cairo_stroke(cr);
}

void radial_tick(cairo_t* cr, const Sweep& sweep, double value, double inner, double outer, double width,
                 Colour colour) {
    line(cr, sweep.at(value, inner), sweep.at(value, outer), width, colour);
}

}  // namespace art

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    art::Bitmaps bitmaps;
    draw_bitmaps(bitmaps);
    std::vector<unsigned char> section = bitmaps.section();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(section.data()), static_cast<std::streamsize>(section.size()));
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
