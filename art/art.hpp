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

}  // namespace art

// Defined by each gauge's art program.
void draw_bitmaps(art::Bitmaps& bitmaps);
