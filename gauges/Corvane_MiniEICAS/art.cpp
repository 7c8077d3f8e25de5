// The mini EICAS's bitmaps: the black screen, its scales (the EICAS's
// spoiler bracket and flap scale, 495 px further left), and the bars,
// pointers and captions of the EICAS's flight-control column.
#include "gauges/common/eicas_art.hpp"

void draw_bitmaps(art::Bitmaps& bitmaps) {
    bitmaps.add(0x1200, eicas_art::screen(159, 338));
    bitmaps.add(0x1300, art::Canvas(6, 6));
    art::Canvas scales(159, 338);
    eicas_art::draw_control_scales(scales.cr(), -495);
    bitmaps.add(0x1301, std::move(scales));
    eicas_art::add_control_bitmaps(bitmaps, 0x100, 0x1700, 0x1400);
}
