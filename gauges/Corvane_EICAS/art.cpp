// The EICAS's bitmaps: the black screen, the dial face with its four dials
// and the fuel and flight-control scales, the needles and throttle markers,
// the bars behind their windows, the pointers and the gear and water-rudder
// captions.
#include <utility>

#include "gauges/Corvane_EICAS/dials.hpp"
#include "gauges/common/eicas_art.hpp"

namespace {
using namespace eicas_art;

// ---- Dials ------------------------------------------------------------------------
// Each dial: a grey arc at radius 55 over the needle's sweep, a coloured band
// just inside it, white ticks across both, and a hub. Angles come from the
// dial's needle table itself (the needle turns about the centre of its
// position's pixel).

constexpr double arc_radius = 55;

art::Sweep sweep_of(const eicas_dials::Dial& dial) {
    auto centre = [](int x, int y) { return art::Point{x + 0.5, y + 0.5}; };
    return art::Sweep(centre(dial.x, dial.y), centre(dial.low.x, dial.low.y), dial.low.value,
                      centre(dial.high.x, dial.high.y), dial.high.value);
}

struct Band {
    double from, to;
    art::Colour colour;
};

void draw_dial(cairo_t* cr, const eicas_dials::Dial& dial, const std::vector<Band>& bands, double minor_step,
               int minors_per_major) {
    const art::Sweep sweep = sweep_of(dial);
    const double low = dial.low.value, high = dial.high.value;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (const Band& band : bands)
        art::fill_band(cr, sweep, band.from, band.to, arc_radius - 7, arc_radius - 1, band.colour);
    art::stroke_arc(cr, sweep, low, high, arc_radius, 2, scale_grey);
    const int ticks = static_cast<int>((high - low) / minor_step + 0.5);
    for (int i = 0; i <= ticks; ++i) {
        const bool major = i % minors_per_major == 0;
        art::radial_tick(cr, sweep, low + i * minor_step, arc_radius - (major ? 12 : 7), arc_radius + 1,
                         major ? 2.5 : 1.5, white);
    }
    const art::Point hub = sweep.centre();
    cairo_arc(cr, hub.x, hub.y, 4, 0, 6.283185307179586);
    art::set_colour(cr, scale_grey);
    cairo_fill(cr);
}

// N1: green 20 to 100 %, yellow 101 to 105 %, red 105 to 120 %; ticks every
// 10 %, long every 20 %. ITT: green 380 to 790, yellow 800 to 890, red 900 to
// 1000 degrees C; ticks every 100, long every 200.
const std::vector<Band> n1_bands{{20, 100, green}, {101, 105, yellow}, {105, 120, red}};
const std::vector<Band> itt_bands{{380, 790, green}, {800, 890, yellow}, {900, 1000, red}};

// ---- Fuel scales ---------------------------------------------------------------------

// Fuel flow: a bracket between the two flow bars, in hundreds of pounds per
// hour at the rows where the bars (0 to 5000 pph) reach: 50, 35 and 0.
void draw_fuel_flow_scale(cairo_t* cr) {
    draw_bracket(cr, 359, 400, 52, 133,
                 {{fill_edge(5000, 5000), "50"}, {fill_edge(3500, 5000), "35"}, {fill_edge(0, 5000), "0"}});
}

// Tank quantities: two reference bars (x 355 to 362 and 395 to 402) either
// side of the three tank bars, green over rows 356 to 451 and red over the
// lowest 14 rows (452 to 465), with percent figures outside them at the rows
// the tank bars (0 to 600 gal over rows 356 to 465) reach.
void draw_quantity_scales(cairo_t* cr) {
    for (double x : {355.0, 395.0}) {
        art::fill_rectangle(cr, x, 356, 8, 96, green);
        art::fill_rectangle(cr, x, 452, 8, 14, red);
    }
    constexpr double top = 356, bottom = 466;
    const std::pair<double, const char*> marks[] = {{top, "100"}, {(top + bottom) / 2, "50"}, {bottom, "0"}};
    for (const auto& [row, label] : marks) {
        art::text(cr, label, 351, row, scale_text, scale_grey, art::Align::Right);
        art::text(cr, label, 406, row, scale_text, scale_grey, art::Align::Left);
    }
}

art::Canvas dial_face() {
    art::Canvas face(660, 484);
    cairo_t* cr = face.cr();
    draw_dial(cr, eicas_dials::n1_left, n1_bands, 10, 2);
    draw_dial(cr, eicas_dials::n1_right, n1_bands, 10, 2);
    draw_dial(cr, eicas_dials::itt_left, itt_bands, 100, 2);
    draw_dial(cr, eicas_dials::itt_right, itt_bands, 100, 2);
    draw_fuel_flow_scale(cr);
    draw_quantity_scales(cr);
    draw_control_scales(cr, 0);
    return face;
}

// ---- Needles and markers ---------------------------------------------------------------

// A needle pointing along +x from its pivot (5,5): a shaft on rows 3 to 7 from
// x 14 to a point at x 60, light grey at the root to white at the tip.
art::Canvas needle() {
    art::Canvas canvas(62, 11);
    cairo_t* cr = canvas.cr();
    cairo_pattern_t* shade = cairo_pattern_create_linear(14, 0, 60, 0);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.78, 0.78, 0.78);
    cairo_pattern_add_color_stop_rgb(shade, 1, 1, 1, 1);
    cairo_move_to(cr, 14, 3);
    cairo_line_to(cr, 54, 3);
    cairo_line_to(cr, 61, 5.5);
    cairo_line_to(cr, 54, 8);
    cairo_line_to(cr, 14, 8);
    cairo_close_path(cr);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    return canvas;
}

// A throttle marker: a white triangle just beyond the needle's tip, its apex
// at x 62 pointing back to the pivot, its base at x 72 over rows 1 to 9.
art::Canvas throttle_marker() {
    art::Canvas canvas(74, 11);
    art::fill_polygon(canvas.cr(), {{62, 5.5}, {73, 1}, {73, 10}}, white);
    return canvas;
}
}  // namespace

void draw_bitmaps(art::Bitmaps& bitmaps) {
    bitmaps.add(0x3800, screen(660, 484));
    bitmaps.add(0x4900, dial_face());
    bitmaps.add(0x4901, art::Canvas(6, 6));
    for (int32_t id : {0x6100, 0x1400, 0x1800, 0x1900}) bitmaps.add(id, needle());
    for (int32_t id : {0x1600, 0x1700}) bitmaps.add(id, throttle_marker());

    add_bar(bitmaps, 0x2800, 74);  // fuel flow
    add_bar(bitmaps, 0x3000, 74);
    add_bar(bitmaps, 0x3600, 110);  // tanks
    add_bar(bitmaps, 0x2000, 110);
    add_bar(bitmaps, 0x2200, 110);
    add_control_bitmaps(bitmaps, 0x1200, 0x2600, 0x2400);
}
