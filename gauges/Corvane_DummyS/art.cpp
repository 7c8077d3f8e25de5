// The blank instrument bezel: dark grey, rounded, around a near-black (2,2,2)
// screen from (14,14) to (326,327); transparent outer corners.
#include "art/art.hpp"

void draw_bitmaps(art::Bitmaps& bitmaps) {
    art::Canvas bezel(342, 345);
    cairo_t* cr = bezel.cr();
    art::fill_rounded_gradient(cr, 0, 0, 342, 345, 28, {70, 72, 76}, {38, 39, 42});
    art::fill_rounded(cr, 9, 9, 324, 323, 16, {22, 23, 25});
    art::fill_rounded(cr, 14, 14, 312, 313, 12, {2, 2, 2});
    bitmaps.add(0x100, std::move(bezel));
}
