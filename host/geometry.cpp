#include "host/geometry.hpp"

#include <cmath>
#include <limits>

namespace host {

namespace {
constexpr double pi = 3.14159265358979323846;

double wrap_degrees(double angle) {
    double wrapped = std::fmod(angle, 360.0);
    if (wrapped < 0) wrapped += 360.0;
    return wrapped >= 360.0 ? 0.0 : wrapped;
}

// Clockwise turn from entry i to entry i + 1, 0 <= turn < 360.
double segment_turn(const NONLINEARITY* table, int32_t i) { return wrap_degrees(table[i + 1].angle - table[i].angle); }

double along_segment(const NONLINEARITY* table, int32_t i, double value) {
    double span = table[i + 1].value - table[i].value;
    return table[i].angle + (value - table[i].value) / span * segment_turn(table, i);
}
}  // namespace

double direction_degrees(PIXPOINT from, PIXPOINT to) {
    double dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0 && dy == 0) return 0;
    return wrap_degrees(std::atan2(dx, -dy) * 180.0 / pi);
}

void fill_needle_angles(ELEMENT_NEEDLE& needle) {
    for (int32_t i = 0; i < needle.nonlinearity_count; ++i)
        needle.nonlinearity[i].angle = direction_degrees(needle.header.position, needle.nonlinearity[i].point);
}

double needle_angle(const NONLINEARITY* table, int32_t count, double value) {
    const int32_t last = count - 1;
    const double first_end = wrap_degrees(table[0].angle), last_end = wrap_degrees(table[last].angle);
    if (std::isnan(value)) return first_end;
    int32_t segment = last - 1;
    for (int32_t i = 0; i < last; ++i)
        if (value <= table[i + 1].value) {
            segment = i;
            break;
        }
    double angle = along_segment(table, segment, value);
    // Far beyond the table the continuation overflows; stand at the end.
    if (!std::isfinite(angle)) return value < table[0].value ? first_end : last_end;
    return wrap_degrees(angle);
}

double moving_offset(double y, double y_first, double y_second, int image_height, int window_height) {
    double travel = image_height - window_height;
    if (std::isnan(y)) return y;
    if (y_first == y_second) return 0;
    double fraction = (y - y_first) / (y_second - y_first);
    if (fraction < 0) fraction = 0;
    if (fraction > 1) fraction = 1;
    return fraction * travel;
}

int32_t icon_state(double result) {
    if (std::isnan(result)) return -1;
    if (result >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (result <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(result);
}

}  // namespace host
