// The display bezel: dark grey frame, near-black (5,5,5) screen from (33,33)
// to (700,700), a nameplate strip with the maker's logo, transparent corners.
#include "art/art.hpp"

#include <utility>

namespace {
constexpr art::Colour frame_light{74, 76, 80};
constexpr art::Colour frame_dark{40, 41, 44};
constexpr art::Colour screen{5, 5, 5};
constexpr art::Colour plate{28, 29, 31};

void draw_bezel(cairo_t* cr) {
    art::fill_rounded_gradient(cr, 0, 0, 736, 770, 36, frame_light, frame_dark);
    // An inner lip that frames the glass.
    art::fill_rounded(cr, 24, 24, 685, 685, 22, {22, 23, 25});
    art::fill_rounded(cr, 33, 33, 667, 667, 16, screen);
    // Two screws in the nameplate row.
    for (auto [x, y] : {std::pair{70.0, 740.0}, {666.0, 740.0}}) {
        cairo_arc(cr, x, y, 5, 0, 6.283185307179586);
        art::set_colour(cr, {110, 112, 116});
        cairo_fill(cr);
        cairo_move_to(cr, x - 3.5, y);
        cairo_line_to(cr, x + 3.5, y);
        art::set_colour(cr, {45, 46, 48});
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void draw_nameplate(cairo_t* cr) {
    art::fill_rounded(cr, 150, 722, 436, 36, 8, plate);
    // The logo: a stylised raven's wing in a ring, then the name.
    cairo_arc(cr, 300, 740, 12, 0, 6.283185307179586);
    art::set_colour(cr, {190, 160, 90});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, 290, 746);
    cairo_curve_to(cr, 296, 730, 306, 730, 312, 734);
    cairo_curve_to(cr, 304, 736, 300, 740, 290, 746);
    cairo_fill(cr);
    art::centred_text(cr, "CORVANE", 380, 740, 18, {200, 200, 204}, true);
}
}  // namespace

void draw_bitmaps(art::Bitmaps& bitmaps) {
    art::Canvas bezel(736, 770);
    draw_bezel(bezel.cr());
    draw_nameplate(bezel.cr());
    bitmaps.add(0x1400, std::move(bezel));
}
