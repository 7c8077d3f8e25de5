// Fixture bitmaps: plain shapes with exact colours, so tests can find them.
#include "art/art.hpp"

namespace {
void fill(art::Canvas& canvas, double x, double y, double w, double h, art::Colour colour) {
    cairo_rectangle(canvas.cr(), x, y, w, h);
    art::set_colour(canvas.cr(), colour);
    cairo_fill(canvas.cr());
}
art::Canvas solid(int w, int h, art::Colour colour) {
    art::Canvas canvas(w, h);
    canvas.crisp();
    fill(canvas, 0, 0, w, h, colour);
    return canvas;
}
}  // namespace

void draw_bitmaps(art::Bitmaps& bitmaps) {
    // Background: grey with a 10 px pure-black (transparent) border.
    art::Canvas background(200, 200);
    background.crisp();
    fill(background, 10, 10, 180, 180, {60, 60, 60});
    bitmaps.add(0x100, std::move(background));

    // Needle: 46 x 10, pointing along +x from its pivot (5,5); the white tip
    // ends 40 px from the pivot, on the three-entry table's points.
    art::Canvas needle(46, 10);
    needle.crisp();
    fill(needle, 0, 3, 40, 5, {255, 128, 0});
    fill(needle, 40, 3, 6, 5, {255, 255, 255});
    bitmaps.add(0x200, std::move(needle));

    // Icon states 0 (red), 1 (green); state 2 has no bitmap. Second icon:
    // blank (all black) state 0, cyan state 1.
    bitmaps.add(0x300, solid(20, 20, {255, 0, 0}));
    bitmaps.add(0x301, solid(20, 20, {0, 255, 0}));
    bitmaps.add(0x310, solid(20, 20, {0, 0, 0}));
    bitmaps.add(0x311, solid(20, 20, {0, 255, 255}));

    bitmaps.add(0x400, solid(10, 10, {255, 255, 0}));

    // Moving image 20 x 100: top row red, bottom row blue, magenta between.
    art::Canvas tape = solid(20, 100, {255, 0, 255});
    fill(tape, 0, 0, 20, 1, {255, 0, 0});
    fill(tape, 0, 99, 20, 1, {0, 0, 255});
    bitmaps.add(0x500, std::move(tape));
    // Its window: (1,1,1) shows the tape, a white 2 px left column shows
    // itself, a black 4 x 4 hole at (8,18) shows nothing.
    art::Canvas window = solid(20, 40, {1, 1, 1});
    fill(window, 0, 0, 2, 40, {255, 255, 255});
    fill(window, 8, 18, 4, 4, {0, 0, 0});
    bitmaps.add(0x501, std::move(window));

    // Sprite texture 64 x 64: blue upper half, brown lower half, a white
    // dot right of the centre; window 40 x 40 all (1,1,1).
    art::Canvas texture = solid(64, 64, {0, 0, 200});
    fill(texture, 0, 32, 64, 32, {120, 70, 20});
    fill(texture, 44, 30, 4, 4, {255, 255, 255});
    bitmaps.add(0x600, std::move(texture));
    bitmaps.add(0x601, solid(40, 40, {1, 1, 1}));
}
