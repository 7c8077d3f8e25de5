// The rules that the EICAS and its mini repeat share: the power rule, the
// string styles of their screens, and the flight-control group (spoilers,
// flaps, elevator trim, gear, water rudder). The group is a template on the
// token-table indices, since the two modules keep the same tokens at
// different places in their tables.
//
// Header-only: each module compiles its own copy and links nothing of the
// other.
#pragma once

#include "frame/elements.hpp"
#include "frame/idioms.hpp"

namespace eicas {

// ---- Power -------------------------------------------------------------------
// Powered means the display power token equals exactly 1.0; any other value,
// 0.9999999 and 2 included, leaves the screen dark. The first draw turns the
// flag off until the next update derives it again.

template <int PowerIndex>
void derive_power() {
    frame::derive_power_exact_one(PowerIndex);
}
inline void first_draw() { frame::power_flag = 0; }

inline constexpr frame::Condition powered = frame::power_is_one;

// An icon state by the power flag: `WhenPowered` at power, `Otherwise` without.
template <int WhenPowered, int Otherwise>
int by_power() {
    return frame::power_flag == 1 ? WhenPowered : Otherwise;
}

// ---- Screen text -------------------------------------------------------------
// Values are white digital figures 36 px high; captions and labels blue,
// 32 px high. Every string box runs from its position to the screen's
// right edge (2 px beyond the last column of pixels).

inline constexpr frame::TextStyle value_style{"Quartz", 400, frame::rgb(255, 255, 255)};
inline constexpr frame::TextStyle thin_value_style{"Quartz", 100, frame::rgb(255, 255, 255)};
inline constexpr frame::TextStyle caption_style{"Glass Gauge", 400, frame::rgb(28, 135, 255)};

struct Screen {
    int32_t right_edge;

    constexpr frame::Node<ELEMENT_STRING> value(PIXPOINT at, STRING_CALLBACK callback,
                                                frame::TextStyle style = value_style) const {
        return frame::text(at, {right_edge - at.x, 36}, style, callback);
    }
    constexpr frame::Node<ELEMENT_STRING> caption(PIXPOINT at, STRING_CALLBACK callback) const {
        return frame::text(at, {right_edge - at.x, 32}, caption_style, callback);
    }
};

// A readout shown at power, narrowed, clamped to `B` and written with `Format`.
template <frame::FixedString Format, frame::Source From, frame::Bounds B = frame::Bounds{}>
inline constexpr STRING_CALLBACK reading = &frame::readout<Format, From, powered, B>;

// A caption or label: the word, `Spaces` spaces and the constant 0 as "%.0f";
// the spaces push the 0 beyond the box, so only the word shows.
template <frame::FixedString Word, size_t Spaces>
inline constexpr STRING_CALLBACK caption = &frame::label<Word, Spaces, "%.0f", powered>;

// ---- Bars and pointers ---------------------------------------------------------
// Bars are moving images, pointers sliders; neither moves sideways: their x
// callbacks return the record's own x source, which has no token and reads
// 0. A bar's y is its token held within the bar's travel.

inline constexpr MOVING_IMAGE_CALLBACK bar_x = &frame::moving_source_x<powered>;
inline constexpr SLIDER_CALLBACK pointer_x = &frame::slider_source_x<powered>;

template <int Index, frame::Bounds Travel>
inline constexpr MOVING_IMAGE_CALLBACK bar = &frame::moving_value<frame::tok<Index>, powered, Travel>;

// ---- Trims ---------------------------------------------------------------------
// A trim in degrees is shown by a pair of strings at nearly the same place:
// the plus string "+%04.1f" (+02.5) while the trim is not below 0, the minus
// string "%05.1f" (-02.5) while it is below 0; so exactly one shows at power
// and a trim of 0 reads +00.0. Both write their text on every call. The value
// is narrowed, then held within +-Bound.

inline constexpr double degrees_per_radian = 57.29578;

// The trim in degrees. A trim that narrows to zero reads as +0: a negative
// zero (from -0.0, or a trim too small for single precision) is not below 0,
// so the plus string shows it, and would print "+-0.0".
inline double trim_degrees(double radians) {
    const double degrees = radians * degrees_per_radian;
    return static_cast<float>(degrees) == 0 ? 0.0 : degrees;
}
template <int Trim>
double trim_degrees_of() {
    return trim_degrees(frame::token(Trim));
}

inline bool powered_not_negative(double value) { return frame::power_flag == 1 && !(value < 0); }
inline bool powered_negative(double value) { return frame::power_flag == 1 && value < 0; }

template <int Trim, double Bound>
inline constexpr STRING_CALLBACK trim_plus =
    &frame::readout<"+%04.1f", trim_degrees_of<Trim>, powered_not_negative, frame::Bounds{.hi = Bound, .lo = -Bound}>;
template <int Trim, double Bound>
inline constexpr STRING_CALLBACK trim_minus =
    &frame::readout<"%05.1f", trim_degrees_of<Trim>, powered_negative, frame::Bounds{.hi = Bound, .lo = -Bound}>;

// ---- Flaps -------------------------------------------------------------------

// The detent the flap handle (0 to 16384) stands at, in degrees: the handle
// in degrees (/ 409.6), truncated to a whole number, then 0, 10, 20, 30 or
// 40 by tens. The truncation is defined for every input (NaN reads 0, values
// beyond the 32-bit range saturate), so a handle that is not a number stands
// at 0 instead of converting undefinedly.
inline double flap_detent(double handle) {
    const int32_t degrees = frame::to_int32(handle / 409.6);
    if (degrees >= 40) return 40;
    if (degrees >= 30) return 30;
    if (degrees >= 20) return 20;
    if (degrees >= 10) return 10;
    return 0;
}
template <int Handle>
double flap_detent_of() {
    return flap_detent(frame::token(Handle));
}

// ---- Gear and water rudder -----------------------------------------------------

// Icon states of a gear leg's caption.
enum GearCaption { GearDown = 0, GearInTransit = 1, GearUp = 2 };

// A leg at 0 (up) to 16384 (down): up through 9, down from above 16374, in
// transit between, decided by three tests in turn, each later one overriding.
// A position that is not a number passes none of them; it shows in transit,
// never the green DOWN that would claim a leg locked down.
inline int gear_caption(double position) {
    int state = GearInTransit;
    if (position < 10) state = GearUp;
    if (position > 9 && position < 16375) state = GearInTransit;
    if (position > 16374) state = GearDown;
    return state;
}
template <int Leg>
int gear_caption_of() {
    return gear_caption(frame::token(Leg));
}

// Icon states of the water rudder's caption: 0 UP, 1 DOWN.
enum WaterRudderCaption { RudderUp = 0, RudderDown = 1 };

// The water rudder reads 0 (up) or 1 (down). Any other value shows the
// nearer of the two: DOWN from half-way (0.5) on, values beyond 1 included;
// UP below half-way, values below 0 included, and for a value that is not a
// number, so the icon always shows one of its two captions.
inline int water_rudder_caption(double position) { return position >= 0.5 ? RudderDown : RudderUp; }
template <int Rudder>
int water_rudder_caption_of() {
    return water_rudder_caption(frame::token(Rudder));
}

// ---- The flight-control group ----------------------------------------------------

// Where a module keeps the group's tokens in its table.
struct ControlTokens {
    int flap_handle;     // 328, 0 to 16384
    int flap_angle;      // 907, degrees 0 to 40
    int spoiler_left;    // 326, 0 to 16384
    int spoiler_handle;  // 325, 0 to 16384
    int spoiler_right;   // 327, 0 to 16384
    int elevator_trim;   // 783, radians
    int gear_nose;       // 332, 0 up to 16384 down
    int gear_left;       // 333
    int gear_right;      // 334
    int water_rudder;    // 903, 0 up, 1 down
};

// The indices from a module's token enum, which names the group's tokens
// FlapHandle, FlapAngle, SpoilerLeft, SpoilerHandle, SpoilerRight,
// ElevatorTrim, GearNose, GearLeft, GearRight and WaterRudder.
template <class Token>
constexpr ControlTokens control_tokens() {
    return {.flap_handle = Token::FlapHandle,
            .flap_angle = Token::FlapAngle,
            .spoiler_left = Token::SpoilerLeft,
            .spoiler_handle = Token::SpoilerHandle,
            .spoiler_right = Token::SpoilerRight,
            .elevator_trim = Token::ElevatorTrim,
            .gear_nose = Token::GearNose,
            .gear_left = Token::GearLeft,
            .gear_right = Token::GearRight,
            .water_rudder = Token::WaterRudder};
}

// Fixed geometry of the group. The spoiler-handle pointers rise 73 px over
// the handle's travel, so their apex runs from the bars' bottom row up to
// their top row; the flap pointer steps 1.825 px per degree of detent (73 px
// from 0 to 40). Spoiler bars fill upwards over 0 to 16384; the flap bar
// fills downwards over 0 to 40 degrees.
inline constexpr frame::SliderMotion spoiler_pointer{.scale_y = -73.0 / 16384};
inline constexpr frame::SliderMotion flap_pointer{.scale_y = 1.825};
inline constexpr double spoiler_top_end = 0, spoiler_bottom_end = 16384;
inline constexpr double flap_top_end = 40, flap_bottom_end = 0;
inline constexpr frame::Bounds spoiler_travel{.hi = 16384, .lo = 0};
inline constexpr frame::Bounds flap_travel{.hi = 40, .lo = 0};

template <ControlTokens T>
struct Controls {
    // Readouts: the right spoiler in scale units (/ 273, 0 to 60) and the
    // flap handle in degrees (/ 409.6), neither clamped.
    static constexpr STRING_CALLBACK spoiler_readout = reading<"%02.0f", frame::divided<T.spoiler_right, 273.0>>;
    static constexpr STRING_CALLBACK flap_readout = reading<"%02.0f", frame::divided<T.flap_handle, 409.6>>;

    // Pointers: the spoiler handle within its travel, the flap detent.
    static constexpr SLIDER_CALLBACK spoiler_pointer_y =
        &frame::slider_value<frame::tok<T.spoiler_handle>, powered, spoiler_travel>;
    static constexpr SLIDER_CALLBACK flap_pointer_y = &frame::slider_value<flap_detent_of<T.flap_handle>, powered>;

    static constexpr MOVING_IMAGE_CALLBACK left_spoiler_bar = bar<T.spoiler_left, spoiler_travel>;
    static constexpr MOVING_IMAGE_CALLBACK right_spoiler_bar = bar<T.spoiler_right, spoiler_travel>;
    static constexpr MOVING_IMAGE_CALLBACK flap_bar = bar<T.flap_angle, flap_travel>;

    static constexpr STRING_CALLBACK elevator_trim_plus = trim_plus<T.elevator_trim, 99.99>;
    static constexpr STRING_CALLBACK elevator_trim_minus = trim_minus<T.elevator_trim, 99.99>;

    static constexpr ICON_CALLBACK nose_gear = &frame::icon_state<gear_caption_of<T.gear_nose>, powered>;
    static constexpr ICON_CALLBACK left_gear = &frame::icon_state<gear_caption_of<T.gear_left>, powered>;
    static constexpr ICON_CALLBACK right_gear = &frame::icon_state<gear_caption_of<T.gear_right>, powered>;
    static constexpr ICON_CALLBACK water_rudder = &frame::icon_state<water_rudder_caption_of<T.water_rudder>, powered>;
};

}  // namespace eicas
