// The EICAS's round dials, shared by the gauge's needle tables and the art
// that draws their scales, so ticks and bands stand where the needles point.
//
// Each needle turns about the dial's centre; its table puts value `low` on
// the direction of one point and value `high` on another, turning clockwise
// from the first to the second. The value-0 points lie about 24 degrees below
// the rightward horizontal, the top values (N1 120 %, ITT 1000 degrees C)
// straight above the centre: 246 degrees of sweep, down, left and up.
#pragma once

namespace eicas_dials {

struct TablePoint {
    int x, y;
    double value;
};

struct Dial {
    int x, y;  // the turning point, gauge pixels
    TablePoint low, high;
};

inline constexpr Dial n1_left{74, 77, {128, 101, 0}, {74, 22, 120}};
inline constexpr Dial n1_right{203, 77, {257, 101, 0}, {203, 21, 120}};
// Throttle markers share the N1 dial's zero and reach full throttle at the
// upper left, where N1 would read about 100 %.
inline constexpr Dial throttle_left{74, 77, {128, 101, 0}, {40, 36, 16384}};
inline constexpr Dial throttle_right{203, 77, {257, 101, 0}, {168, 36, 16384}};
inline constexpr Dial itt_left{73, 216, {129, 242, 0}, {73, 164, 1000}};
inline constexpr Dial itt_right{202, 216, {257, 242, 0}, {202, 165, 1000}};

// Needle bitmaps point along +x from their pivot.
inline constexpr int needle_pivot = 5;

}  // namespace eicas_dials
