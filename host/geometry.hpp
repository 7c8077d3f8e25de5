// The host's rules that turn element results into geometry: needle angles
// from nonlinearity tables, moving-image offsets, slider offsets, icon states.
//
// Angles are degrees clockwise from straight up (screen y grows downward),
// 0 <= angle < 360.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/gauge_host.h"

namespace host {

// Direction from `from` to `to`, clockwise from straight up.
double direction_degrees(PIXPOINT from, PIXPOINT to);

// Writes each entry's angle: the direction of its point from the needle's
// position.
void fill_needle_angles(ELEMENT_NEEDLE& needle);

// The needle's angle for `value`. Between two entries the angle follows the
// value linearly, turning clockwise from the lower entry's point to the
// higher one's (identical directions turn by 0). Outside the table it is the
// linear continuation of the nearest segment, modulo a full turn, so -340 on
// a 0 to 359 full-turn table stands at about +20. A value that is not finite
// stands at the nearest table end (NaN at the first entry).
double needle_angle(const NONLINEARITY* table, int32_t count, double value);

// The image's vertical offset in its window: 0 at y_first, image height -
// window height at y_second, linear between and clamped to those ends. An
// empty range gives 0. NaN has no place on the range and gives NaN: the
// renderer then shows the window without its image (a bar with no data
// shows empty, not full).
double moving_offset(double y, double y_first, double y_second, int image_height, int window_height);

// The state the host reads from an icon callback's result: truncated toward
// zero, NaN as -1 (draws nothing), saturated beyond the 32-bit range.
int32_t icon_state(double result);

}  // namespace host
