// The callback idioms of the glass cockpit as parameterised callbacks, so a
// gauge's element rows name their rule instead of spelling it out:
//
//   readout<"%3.0f", tok<N1Left>, power_is_one, Bounds{.hi = 110, .lo = 0}>
//   label<"OAT", 56, "%3.0f", power_is_one>
//   needle_value<scaled<Pitch, 57.29578>, power_is_nonzero>, icon_state<choose>, ...
//
// Every element callback sets the lit flag and shows or hides its element by
// its visibility rule on every call (the "unlit" variants leave both alone).
//
// Sections: fixed strings, rules, element flags, readouts and labels, value
// callbacks for needles, sliders, moving images and sprites, icons.
#pragma once

#include <cstddef>
#include <cstdio>

#include "frame/module.hpp"

namespace frame {

// ---- Fixed strings as template arguments ------------------------------------

template <size_t N>
struct FixedString {
    char text[N]{};
    constexpr FixedString(const char (&literal)[N]) {
        for (size_t i = 0; i < N; ++i) text[i] = literal[i];
    }
    constexpr FixedString() = default;
    static constexpr size_t length = N - 1;
};

// word + `spaces` spaces + conversion, as one format.
template <FixedString Word, size_t Spaces, FixedString Conversion>
constexpr auto label_format() {
    FixedString<Word.length + Spaces + Conversion.length + 1> format{};
    size_t n = 0;
    for (size_t i = 0; i < Word.length; ++i) format.text[n++] = Word.text[i];
    for (size_t i = 0; i < Spaces; ++i) format.text[n++] = ' ';
    for (size_t i = 0; i < Conversion.length; ++i) format.text[n++] = Conversion.text[i];
    format.text[n] = '\0';
    return format;
}

// ---- Rules -------------------------------------------------------------------
// A rule is three template arguments: where the value comes from (a Source),
// when the element shows (a Condition) and its Bounds.

// Visibility conditions take the element's value (narrowed for strings).
using Condition = bool (*)(double value);
inline bool always(double) { return true; }
inline bool power_is_one(double) { return power_flag == 1; }
inline bool power_is_nonzero(double) { return power_flag != 0; }

// Sources: a token-table entry, the entry times a factor, a constant 0, or
// any function of the gauge's own for an irregular rule.
using Source = double (*)();
template <int Index>
double tok() {
    return token(Index);
}
template <int Index, double Factor>
double scaled() {
    return token(Index) * Factor;
}
inline double zero() { return 0.0; }

// The entry divided by a constant (a quotient, not a product with its
// reciprocal, which can differ in the last bit).
template <int Index, double Divisor>
double divided() {
    return token(Index) / Divisor;
}

// Degrees Rankine to degrees Celsius, subtracting before scaling:
// (value - 459.7 - 32) * 0.5556.
inline double rankine_to_celsius(double rankine) { return (rankine - 459.7 - 32) * 0.5556; }
template <int Index>
double celsius_from_rankine() {
    return rankine_to_celsius(token(Index));
}

// Clamping: a value above `hi` becomes `hi`, then a value below `lo`
// becomes `lo`.
struct Bounds {
    double hi = __builtin_huge_val();
    double lo = -__builtin_huge_val();
};

inline double clamp_value(double value, Bounds bounds) {
    if (value > bounds.hi) value = bounds.hi;
    if (value < bounds.lo) value = bounds.lo;
    return value;
}

// ---- Element flags -----------------------------------------------------------

inline void set_lit(ELEMENT_HEADER& header) { header.image_flags |= IMAGE_FLAG_LIT; }
inline void show_if(ELEMENT_HEADER& header, bool shown) {
    if (shown)
        header.image_flags &= ~IMAGE_FLAG_HIDDEN;
    else
        header.image_flags |= IMAGE_FLAG_HIDDEN;
}
inline void light_and_show(ELEMENT_HEADER& header, bool shown) {
    set_lit(header);
    show_if(header, shown);
}

// printf into the host's buffer, never past its end.
template <class... Args>
void write_text(ELEMENT_STRING* element, const char* format, Args... args) {
    if (!element->string || element->string_size == 0) return;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(element->string, element->string_size, format, args...);
#pragma GCC diagnostic pop
}

// ---- Readouts and labels -------------------------------------------------------

// The source's value narrowed to single precision, then clamped.
template <Source From, Bounds B>
float narrowed_value() {
    float value = static_cast<float>(From());
    return static_cast<float>(clamp_value(value, B));
}

// A number: the value narrowed to single precision, clamped, tested and
// written with `Format`.
template <FixedString Format, Source From, Condition Shown = always, Bounds B = Bounds{}>
double readout(ELEMENT_STRING* element) {
    float value = narrowed_value<From, B>();
    light_and_show(element->header, Shown(value));
    write_text(element, Format.text, static_cast<double>(value));
    return 0;
}

// As readout, but a value that is not a number (an undefined quotient, which
// no clamp catches) writes `Marker` instead of printf's "nan".
template <FixedString Format, Source From, Condition Shown, Bounds B, FixedString Marker>
double marked_readout(ELEMENT_STRING* element) {
    float value = narrowed_value<From, B>();
    light_and_show(element->header, Shown(value));
    if (value != value)
        write_text(element, "%s", Marker.text);
    else
        write_text(element, Format.text, static_cast<double>(value));
    return 0;
}

// A fixed word: the word, `Spaces` spaces and `Conversion` applied to the
// source's value (usually the constant 0); the spaces push the number past
// the box's right edge.
template <FixedString Word, size_t Spaces, FixedString Conversion, Condition Shown = always, Source From = zero>
double label(ELEMENT_STRING* element) {
    static constexpr auto format = label_format<Word, Spaces, Conversion>();
    float value = static_cast<float>(From());
    light_and_show(element->header, Shown(value));
    write_text(element, format.text, static_cast<double>(value));
    return 0;
}

// A module's 32-bit integer state, formatted as it is (no narrowing).
template <FixedString Format, const int32_t* State, Condition Shown = always>
double state_readout(ELEMENT_STRING* element) {
    double value = *State;
    light_and_show(element->header, Shown(value));
    write_text(element, Format.text, value);
    return 0;
}

// ---- Value callbacks ---------------------------------------------------------

// A needle, a slider axis, a moving image's y or a sprite value: the source's
// clamped value; the element shows by the condition.
template <Source From, Condition Shown, Bounds B, class Record>
double element_value(Record* element) {
    double value = clamp_value(From(), B);
    light_and_show(element->header, Shown(value));
    return value;
}

template <Source From, Condition Shown = always, Bounds B = Bounds{}>
double needle_value(ELEMENT_NEEDLE* element) {
    return element_value<From, Shown, B>(element);
}
template <Source From, Condition Shown = always, Bounds B = Bounds{}>
double slider_value(ELEMENT_SLIDER* element) {
    return element_value<From, Shown, B>(element);
}
template <Source From, Condition Shown = always, Bounds B = Bounds{}>
double moving_value(ELEMENT_MOVING_IMAGE* element) {
    return element_value<From, Shown, B>(element);
}
template <Source From, Condition Shown = always, Bounds B = Bounds{}>
double sprite_value(ELEMENT_SPRITE* element) {
    return element_value<From, Shown, B>(element);
}

// The x callbacks of elements that have no x token: the own source value
// (which reads 0), under the same condition as the element's other axes.
template <Condition Shown = always, class Record>
double source_x(Record* element) {
    double value = element->source_x.var_value;
    light_and_show(element->header, Shown(value));
    return value;
}
template <Condition Shown = always>
double slider_source_x(ELEMENT_SLIDER* element) {
    return source_x<Shown>(element);
}
template <Condition Shown = always>
double slider_source_y(ELEMENT_SLIDER* element) {
    double value = element->source_y.var_value;
    light_and_show(element->header, Shown(value));
    return value;
}
template <Condition Shown = always>
double moving_source_x(ELEMENT_MOVING_IMAGE* element) {
    return source_x<Shown>(element);
}
template <Condition Shown = always>
double sprite_source_x(ELEMENT_SPRITE* element) {
    return source_x<Shown>(element);
}

// ---- Icons -------------------------------------------------------------------

// State chosen by a function; lit, and hidden unless `Shown` holds. Icons
// that blank themselves through a black state pass `always`.
template <int (*Choose)(), Condition Shown = always>
double icon_state(ELEMENT_ICON* element) {
    double state = Choose();
    light_and_show(element->header, Shown(state));
    return state;
}

// State = the icon's own source token.
template <Condition Shown = always>
double icon_source(ELEMENT_ICON* element) {
    double state = element->source.var_value;
    light_and_show(element->header, Shown(state));
    return state;
}

}  // namespace frame
