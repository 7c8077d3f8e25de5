// Art that the EICAS and the mini EICAS share: the colours of the screens,
// bracket scales, the flight-control column's scales (spoiler bracket and
// flap scale), the bars seen through their windows, the triangular pointers
// and the gear and water-rudder captions. The mini EICAS draws the same
// column 495 px further left.
//
// Header-only: each module's art program compiles its own copy.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "art/art.hpp"

namespace eicas_art {

inline constexpr art::Colour scale_grey{175, 175, 175};
inline constexpr art::Colour white{255, 255, 255};
inline constexpr art::Colour green{0, 212, 0};
inline constexpr art::Colour yellow{255, 236, 0};
inline constexpr art::Colour red{232, 32, 32};
inline constexpr art::Colour caption_blue{28, 135, 255};
// Opaque, yet not the transparent pure black: the empty part of a bar.
inline constexpr art::Colour near_black{0, 0, 1};
// Where a window shows the picture behind it.
inline constexpr art::Colour window{1, 1, 1};
inline constexpr art::Colour dark_ground{38, 38, 30};

inline constexpr double scale_text = 14;  // pixel size of scale figures

// The screen itself: black to the eye but opaque (pure black would let the
// panel behind show through), the same near-black as the display bezel's.
inline constexpr art::Colour screen_black{5, 5, 5};

inline art::Canvas screen(int width, int height) {
    art::Canvas canvas(width, height);
    art::fill_rectangle(canvas.cr(), 0, 0, width, height, screen_black);
    return canvas;
}

// ---- Bar windows ---------------------------------------------------------------
// Each bar is seen through a window rows 56 to 129 of the screen (74 rows):
// a value v of a full scale F fills it up to the row edge 130 - 74 v / F.

inline constexpr double bar_window_top = 56, bar_window_bottom = 130;

inline double fill_edge(double value, double full) {
    return bar_window_bottom - (bar_window_bottom - bar_window_top) * value / full;
}

// ---- Bracket scales --------------------------------------------------------------

struct Mark {
    double row;         // the row edge the mark stands on
    std::string label;  // empty: a tick without a figure
};

// A bracket between two bars, x `left` to `right` and y `top` to `bottom`
// (inclusive pixels): two uprights with serifs at their ends, inward ticks
// at the marks and the figures centred between the ticks.
inline void draw_bracket(cairo_t* cr, double left, double right, double top, double bottom,
                         const std::vector<Mark>& marks) {
    const double outer_left = left, outer_right = right + 1, serif = 5, tick = 6;
    art::fill_rectangle(cr, outer_left, top, 2, bottom + 1 - top, scale_grey);
    art::fill_rectangle(cr, outer_right - 2, top, 2, bottom + 1 - top, scale_grey);
    for (double y : {top, bottom - 1}) {
        art::fill_rectangle(cr, outer_left, y, serif, 2, scale_grey);
        art::fill_rectangle(cr, outer_right - serif, y, serif, 2, scale_grey);
    }
    const double middle = (outer_left + outer_right) / 2;
    for (const Mark& mark : marks) {
        art::fill_rectangle(cr, outer_left, mark.row - 1, tick, 2, scale_grey);
        art::fill_rectangle(cr, outer_right - tick, mark.row - 1, tick, 2, scale_grey);
        if (!mark.label.empty())
            art::text(cr, mark.label, middle, mark.row, scale_text, scale_grey, art::Align::Centre);
    }
}

// ---- The flight-control column ----------------------------------------------------
// Spoiler bracket (x 521 to 559) between the spoiler bars, marked 60 (full)
// and 0, with a tick at half travel; flap scale at x 618, ticks 2 px thick
// on rows 56, 74, 92, 110 and 128 beside the flap pointer's detents, marked
// 0 at the top to 40 at the bottom. `dx` moves the column sideways.

inline void draw_control_scales(cairo_t* cr, double dx) {
    draw_bracket(cr, 521 + dx, 559 + dx, 52, 133,
                 {{fill_edge(60, 60), "60"}, {fill_edge(30, 60), ""}, {fill_edge(0, 60), "0"}});
    const int flap_rows[] = {56, 74, 92, 110, 128};
    for (int detent = 0; detent < 5; ++detent) {
        const double row = flap_rows[detent];
        art::fill_rectangle(cr, 618 + dx, row, 8, 2, scale_grey);
        art::text(cr, std::to_string(detent * 10), 629 + dx, row + 1, scale_text, scale_grey, art::Align::Left);
    }
}

// ---- Bitmaps -------------------------------------------------------------------------

// A bar image, 8 px wide and twice its window's height: white in one half,
// opaque near-black in the other; and its window, (1,1,1) all over. A bar that
// fills upwards is white below; one that fills downwards (`white_above`) is
// white above. Both drawn crisp, so the colours are exact.
inline void add_bar(art::Bitmaps& bitmaps, int32_t id, int window_height, bool white_above = false) {
    art::Canvas image(8, 2 * window_height);
    image.crisp();
    art::fill_rectangle(image.cr(), 0, 0, 8, window_height, white_above ? white : near_black);
    art::fill_rectangle(image.cr(), 0, window_height, 8, window_height, white_above ? near_black : white);
    bitmaps.add(id, std::move(image));

    art::Canvas mask(8, window_height);
    mask.crisp();
    art::fill_rectangle(mask.cr(), 0, 0, 8, window_height, window);
    bitmaps.add(id + 1, std::move(mask));
}

// A white triangular pointer, 14 x 13, its apex on row 6 at the right edge
// (x 13) or, mirrored, at the left edge (x 0).
inline void add_pointer(art::Bitmaps& bitmaps, int32_t id, bool apex_right) {
    art::Canvas pointer(14, 13);
    if (apex_right)
        art::fill_polygon(pointer.cr(), {{0, 0}, {14, 6.5}, {0, 13}}, white);
    else
        art::fill_polygon(pointer.cr(), {{14, 0}, {0, 6.5}, {14, 13}}, white);
    bitmaps.add(id, std::move(pointer));
}

// A 67 x 27 caption: a word in a frame, on an optional ground.
inline art::Canvas caption_box(const char* word, art::Colour text_colour, art::Colour frame_colour,
                               const art::Colour* ground = nullptr) {
    art::Canvas box(67, 27);
    cairo_t* cr = box.cr();
    if (ground) art::fill_rectangle(cr, 1, 1, 65, 25, *ground);
    art::frame_rectangle(cr, 1, 1, 65, 25, 2, frame_colour);
    art::text(cr, word, 33.5, 13.5, 17, text_colour, art::Align::Centre, "Roboto Condensed", true);
    return box;
}

// A gear leg's captions by state: DOWN in green, TRNST in yellow on a dark
// ground, UP in white.
inline void add_gear_captions(art::Bitmaps& bitmaps, int32_t id) {
    bitmaps.add(id, caption_box("DOWN", green, green));
    bitmaps.add(id + 1, caption_box("TRNST", yellow, yellow, &dark_ground));
    bitmaps.add(id + 2, caption_box("UP", white, white));
}

// The water rudder's captions: UP in white, DOWN in blue in a green frame.
inline void add_water_rudder_captions(art::Bitmaps& bitmaps, int32_t id) {
    bitmaps.add(id, caption_box("UP", white, white));
    bitmaps.add(id + 1, caption_box("DOWN", caption_blue, green));
}

// Everything of the column that is not on the scales: pointers (spoiler
// handle 0x3400 and 0x3500, flap detent 0x3200), gear legs (nose 0x6400,
// left 0x6500, right 0x6600), the water rudder (0x4000) and the three bars.
inline void add_control_bitmaps(art::Bitmaps& bitmaps, int32_t left_spoiler_bar, int32_t right_spoiler_bar,
                                int32_t flap_bar) {
    add_pointer(bitmaps, 0x3200, true);
    add_pointer(bitmaps, 0x3400, true);
    add_pointer(bitmaps, 0x3500, false);
    add_gear_captions(bitmaps, 0x6400);
    add_gear_captions(bitmaps, 0x6500);
    add_gear_captions(bitmaps, 0x6600);
    add_water_rudder_captions(bitmaps, 0x4000);
    add_bar(bitmaps, left_spoiler_bar, 74);
    add_bar(bitmaps, right_spoiler_bar, 74);
    add_bar(bitmaps, flap_bar, 74, true);
}

}  // namespace eicas_art
