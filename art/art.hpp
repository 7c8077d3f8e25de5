// The drawing toolkit shared by the gauges' art programs. Each program defines
// draw_bitmaps(), which adds its module's bitmaps by id; the toolkit's main()
// writes them as the module's resource section.
//
// Bitmaps are RGB; pure black is transparent when the host draws them. Window
// (mask) bitmaps are drawn without anti-aliasing so that their (1,1,1) and
// (0,0,0) areas are exact.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace art {

struct Colour {
    int red, green, blue;
};

// An RGB bitmap to draw on with Cairo, black (transparent) to begin with.
class Canvas {
public:
    Canvas(int width, int height);
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&&) = delete;
    Canvas(const Canvas&) = delete;
    ~Canvas();

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }
    cairo_surface_t* surface() const { return surface_; }

    // Mask drawing: no anti-aliasing for shapes from here on.
    void crisp();

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

class Bitmaps {
public:
    void add(int32_t id, Canvas canvas);
    // The resource section bytes; deterministic for the same drawings.
    std::vector<unsigned char> section() const;

private:
    std::map<int32_t, std::vector<unsigned char>> pngs_;
    std::map<int32_t, std::pair<int, int>> sizes_;
};

// ---- Drawing helpers --------------------------------------------------------

void set_colour(cairo_t* cr, Colour colour);
void rounded_rectangle(cairo_t* cr, double x, double y, double width, double height, double radius);
void fill_rounded(cairo_t* cr, double x, double y, double width, double height, double radius, Colour colour);
// A vertical gradient fill of a rounded rectangle, top colour to bottom colour.
void fill_rounded_gradient(cairo_t* cr, double x, double y, double width, double height, double radius, Colour top,
                           Colour bottom);
// Text in a sans face, centred on (x, y).
void centred_text(cairo_t* cr, const std::string& text, double x, double y, double size, Colour colour,
                  bool bold = false);

// ---- Shapes -------------------------------------------------------------------

struct Point {
    double x, y;
};

void fill_rectangle(cairo_t* cr, double x, double y, double width, double height, Colour colour);
// The outline of a rectangle whose outer edge is the given box.
void frame_rectangle(cairo_t* cr, double x, double y, double width, double height, double line_width, Colour colour);
void fill_polygon(cairo_t* cr, const std::vector<Point>& corners, Colour colour);
void line(cairo_t* cr, Point from, Point to, double width, Colour colour);

// ---- Text ---------------------------------------------------------------------

enum class Align { Left, Centre, Right };

// Text in `family` at `size` pixels, aligned on x, with the height of its
// digits centred on y.
void text(cairo_t* cr, const std::string& words, double x, double y, double size, Colour colour, Align align,
          const char* family = "Roboto Condensed", bool bold = false);

// ---- Dials ----------------------------------------------------------------------

// The sweep of a needle about its centre as the host reads a two-point
// needle table: the direction of the first point at the first value, turning
// clockwise on the screen to the direction of the second point at the second
// value, linearly in the value (no turn when the directions agree).
// Draw scales from the same points the needle table names, so they agree.
class Sweep {
public:
    Sweep(Point centre, Point low, double low_value, Point high, double high_value);

    Point centre() const { return centre_; }
    // Cairo's angle for `value`: radians from +x, clockwise on the screen.
    double angle(double value) const;
    // The point at `radius` from the centre in the direction of `value`.
    Point at(double value, double radius) const;

private:
    Point centre_;
    double start_, turn_, low_value_, high_value_;
};

// A ring segment between two radii over the values `from` to `to`.
void fill_band(cairo_t* cr, const Sweep& sweep, double from, double to, double inner, double outer, Colour colour);
// An arc line at `radius` over the values `from` to `to`.
void stroke_arc(cairo_t* cr, const Sweep& sweep, double from, double to, double radius, double width, Colour colour);
// A radial tick at `value` between two radii.
void radial_tick(cairo_t* cr, const Sweep& sweep, double value, double inner, double outer, double width,
                 Colour colour);

}  // namespace art

// Defined by each gauge's art program.
void draw_bitmaps(art::Bitmaps& bitmaps);
