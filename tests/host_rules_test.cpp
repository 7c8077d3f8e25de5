// The host's rules for what elements and hot spots produce: needle angles,
// moving-image offsets, icon states, slider offsets, click dispatch, the token
// catalogue, text buffers, key events and named variables. Each rule is
// driven through the Fixture's real records and, where the host exposes it,
// called directly as well.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "host/geometry.hpp"
#include "support.hpp"

namespace {
using namespace corvane_test;

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Smallest turn between two directions, in degrees.
double angle_between(double a, double b) {
    double difference = std::fmod(std::fabs(a - b), 360.0);
    return std::min(difference, 360.0 - difference);
}

// ---- Needle angles -------------------------------------------------------------

// A needle record around a table, with the angles the loader would fill in.
class NeedleTable {
public:
    NeedleTable(PIXPOINT position, std::vector<NONLINEARITY> entries) : entries_(std::move(entries)) {
        ELEMENT_NEEDLE needle{};
        needle.header.position = position;
        needle.nonlinearity = entries_.data();
        needle.nonlinearity_count = static_cast<int32_t>(entries_.size());
        host::fill_needle_angles(needle);
    }
    double angle(double value) const {
        return host::needle_angle(entries_.data(), static_cast<int32_t>(entries_.size()), value);
    }

private:
    std::vector<NONLINEARITY> entries_;
};

// The Fixture's two needle tables (elements 1 and 2), both about (100,100).
const NeedleTable& table_of(size_t element) {
    static const NeedleTable full_turn({100, 100}, {{{100, 20}, 0, 0}, {{99, 20}, 359, 0}});
    static const NeedleTable three({100, 100}, {{{60, 100}, 0, 0}, {{100, 60}, 50, 0}, {{140, 100}, 100, 0}});
    return element == FullTurnNeedle ? full_turn : three;
}

struct AngleCase {
    size_t element;
    double value;
    double expected;  // degrees clockwise from straight up
};
const AngleCase angle_cases[] = {
    // Full turn: the points lie one pixel apart, so the table turns 359.3
    // degrees over 359 units; beyond it the continuation wraps.
    {FullTurnNeedle, 0, 0},
    {FullTurnNeedle, 90, 90},
    {FullTurnNeedle, 180, 180},
    {FullTurnNeedle, 359, 359},
    {FullTurnNeedle, -340, 20},
    {FullTurnNeedle, -1, 359},
    {FullTurnNeedle, 540, 180},
    {FullTurnNeedle, 720, 0},
    {FullTurnNeedle, nan_value, 0},  // the first entry
    {FullTurnNeedle, inf, 359},      // the nearest end
    {FullTurnNeedle, -inf, 0},
    // Three entries: left at 0, up at 50, right at 100.
    {ThreeNeedle, 0, 270},
    {ThreeNeedle, 25, 315},
    {ThreeNeedle, 50, 0},
    {ThreeNeedle, 75, 45},
    {ThreeNeedle, 100, 90},
    {ThreeNeedle, -50, 180},  // the first segment continued
    {ThreeNeedle, -100, 90},
    {ThreeNeedle, 150, 180},  // the last segment continued
    {ThreeNeedle, 200, 270},
    {ThreeNeedle, 450, 0},
    {ThreeNeedle, nan_value, 270},
    {ThreeNeedle, inf, 90},
    {ThreeNeedle, -inf, 270},
};

double tolerance(size_t element) { return element == FullTurnNeedle ? 1.0 : 1e-9; }

TEST(NeedleAngle, FollowsTheTableAndContinuesItBeyondItsEnds) {
    for (const AngleCase& c : angle_cases) {
        double angle = table_of(c.element).angle(c.value);
        EXPECT_LE(angle_between(angle, c.expected), tolerance(c.element))
            << "element " << c.element << ", value " << c.value << ": angle " << angle;
        EXPECT_TRUE(angle >= 0 && angle < 360) << "value " << c.value << ": angle " << angle;
    }
}

TEST(NeedleAngle, StaysAFiniteDirectionForExtremeValues) {
    for (size_t element : {FullTurnNeedle, ThreeNeedle})
        for (double value : {1e300, -1e300, DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, 1e15}) {
            double angle = table_of(element).angle(value);
            EXPECT_TRUE(angle >= 0 && angle < 360) << "element " << element << ", value " << value << ": " << angle;
        }
}

TEST_F(FixtureTest, NeedlesStandWhereTheirTablesPutTheCallbackValue) {
    for (const AngleCase& c : angle_cases) {
        host.set_token(c.element == FullTurnNeedle ? 10 : 11, c.value);
        host.frame();
        const host::ElementState& needle = state(fixture, c.element);
        EXPECT_TRUE(needle.value == c.value || (std::isnan(c.value) && std::isnan(needle.value)))
            << "value " << needle.value;
        EXPECT_LE(angle_between(needle.angle, c.expected), tolerance(c.element))
            << "element " << c.element << ", value " << c.value << ": angle " << needle.angle;
    }
}

// ---- Moving images -------------------------------------------------------------

// The Fixture's image is 100 high in a window 40 high: 60 pixels of travel.
// NaN has no place: its offset is NaN and the image is not drawn.
struct OffsetCase {
    double y, first, second;
    double expected;
};
bool same_offset(double actual, double expected) {
    return actual == expected || (std::isnan(actual) && std::isnan(expected));
}
const OffsetCase reversed_range_cases[] = {
    {100, 100, 0, 0},  {0, 100, 0, 60},        {50, 100, 0, 30}, {75, 100, 0, 15},   {150, 100, 0, 0},
    {-50, 100, 0, 60}, {nan_value, 100, 0, nan_value}, {inf, 100, 0, 0}, {-inf, 100, 0, 60},
};
const OffsetCase other_range_cases[] = {
    {0, 0, 100, 0},    {100, 0, 100, 60}, {25, 0, 100, 15}, {-10, 0, 100, 0},     {1000, 0, 100, 60},
    {inf, 0, 100, 60}, {5, 5, 5, 0},      {0, 5, 5, 0},     {nan_value, 5, 5, nan_value},
};

TEST(MovingOffset, GrowsFromTheFirstToTheSecondRangeValueAndClampsAtItsEnds) {
    for (const auto* cases : {&reversed_range_cases, &other_range_cases})
        for (const OffsetCase& c : *cases)
            EXPECT_TRUE(same_offset(host::moving_offset(c.y, c.first, c.second, 100, 40), c.expected))
                << "y " << c.y << " in " << c.first << ".." << c.second;
}

TEST_F(FixtureTest, MovingImageOffsetFollowsItsYValue) {
    for (const OffsetCase& c : reversed_range_cases) {
        host.set_token(17, c.y);
        host.frame();
        EXPECT_TRUE(same_offset(state(fixture, Moving).offset_y, c.expected)) << "token 17 = " << c.y;
        EXPECT_EQ(state(fixture, Moving).offset_x, 0);
    }
}

// ---- Icons and sliders ---------------------------------------------------------

TEST_F(FixtureTest, IconShowsItsStateBitmapOnlyForStatesThatHaveOne) {
    struct Case {
        double token;
        std::optional<int32_t> bitmap;
    };
    // Truncated toward zero; state 2 has no bitmap; states beyond 0..2 and
    // NaN draw nothing.
    const Case cases[] = {
        {0, 0x300}, {1, 0x301}, {1.9, 0x301}, {-0.5, 0x300},   {2, {}},   {3, {}},
        {-1, {}},   {1e12, {}}, {-1e12, {}},  {nan_value, {}}, {inf, {}}, {-inf, {}},
    };
    for (const Case& c : cases) {
        host.set_token(13, c.token);
        host.update(fixture);  // the icon's own token is refreshed before its callback
        EXPECT_EQ(state(fixture, SourceIcon).bitmap, c.bitmap) << "token 13 = " << c.token;
    }
}

TEST_F(FixtureTest, SliderOffsetIsValueTimesScale) {
    struct Case {
        double x, y;
        double offset_x, offset_y;
    };
    for (const Case& c : {Case{4, 5, 8, -15}, Case{-2.5, 0, -5, 0}, Case{0, -1, 0, 3}, Case{1e6, 1e6, 2e6, -3e6}}) {
        host.set_token(15, c.x);
        host.set_token(16, c.y);
        host.update(fixture);
        const host::ElementState& slider = state(fixture, Slider);
        EXPECT_EQ(slider.x, c.x);
        EXPECT_EQ(slider.y, c.y);
        EXPECT_EQ(slider.offset_x, c.offset_x) << "tokens " << c.x << ", " << c.y;
        EXPECT_EQ(slider.offset_y, c.offset_y) << "tokens " << c.x << ", " << c.y;
    }
}

// ---- Mouse dispatch --------------------------------------------------------------

using Events = std::vector<std::pair<uint32_t, int32_t>>;

Events events_of(host::PanelHost& host, host::LoadedModule& module) {
    Events events;
    for (const host::KeyEvent& event : host.take_events(module)) events.emplace_back(event.id, event.value);
    return events;
}

enum class Mouse { Press, Drag };

struct ClickCase {
    const char* what;
    Mouse action;
    int32_t x, y;
    int repeats;
    Events expected;
};

// Hot spots in list order: push (10,10,30,20), knob (50,10,30,20), lever
// (120,10,20,80, drags only), and a push (10,10,140,100) under all three.
const ClickCase click_cases[] = {
    {"press on the push: point relative to its box", Mouse::Press, 17, 23, 0, {{0x10101, 7013}}},
    {"press on the push's first pixel", Mouse::Press, 10, 10, 0, {{0x10101, 0}}},
    {"press on the push's last pixel", Mouse::Press, 39, 29, 0, {{0x10101, 29019}}},
    {"press just right of the push", Mouse::Press, 40, 15, 0, {{0x10104, 0}}},
    {"press just below the push", Mouse::Press, 15, 30, 0, {{0x10104, 0}}},
    {"press and hold on the push: no repeats", Mouse::Press, 15, 15, 2, {{0x10101, 5005}}},
    {"press on the knob", Mouse::Press, 55, 15, 0, {{0x10102, 0x20000000}}},
    {"press and hold on the knob",
     Mouse::Press,
     79,
     29,
     3,
     {{0x10102, 0x20000000}, {0x10102, 0x00200000}, {0x10102, 0x00200000}, {0x10102, 0x00200000}}},
    {"drag on the lever", Mouse::Drag, 125, 40, 0, {{0x10103, 30}}},
    {"drag on the lever's last pixel", Mouse::Drag, 139, 89, 0, {{0x10103, 79}}},
    {"drag on the push", Mouse::Drag, 15, 15, 0, {}},
    {"drag on the knob", Mouse::Drag, 55, 15, 0, {}},
    {"drag on the push underneath", Mouse::Drag, 15, 50, 0, {}},
    {"press on the lever, which takes drags only", Mouse::Press, 125, 40, 2, {}},
    {"press where only the push underneath lies", Mouse::Press, 15, 50, 0, {{0x10104, 0}}},
    {"press on its last pixel", Mouse::Press, 149, 109, 0, {{0x10104, 0}}},
    {"press below every box", Mouse::Press, 15, 110, 0, {}},
    {"press right of every box", Mouse::Press, 150, 50, 0, {}},
    {"press left of every box", Mouse::Press, 9, 50, 0, {}},
    {"press above every box", Mouse::Press, 50, 9, 0, {}},
    {"press outside the gauge", Mouse::Press, -1, -1, 0, {}},
    {"press far outside",
     Mouse::Press,
     std::numeric_limits<int32_t>::max(),
     std::numeric_limits<int32_t>::min(),
     0,
     {}},
};

TEST_F(FixtureTest, ClicksReachTheFirstHotSpotUnderThePointIfItsFlagsSelectThem) {
    for (const ClickCase& c : click_cases) {
        if (c.action == Mouse::Press)
            host.click(fixture, c.x, c.y, c.repeats);
        else
            host.drag(fixture, c.x, c.y);
        EXPECT_EQ(events_of(host, fixture), c.expected) << c.what << " at (" << c.x << "," << c.y << ")";
    }
}

// ---- Tokens ----------------------------------------------------------------------

TEST_F(FixtureTest, TokenZeroAndUnsetTokensReadZero) {
    host.set_token(0, 5);
    host.set_token(4242, -3.5);
    EXPECT_EQ(host.token(0), 0);
    EXPECT_EQ(host.token(4242), -3.5);
    EXPECT_EQ(host.token(4243), 0);

    // Own x sources without a token have id 0; table token 12 was never set.
    host.set_token(769, 1);
    host.frame();
    EXPECT_EQ(state(fixture, Moving).x, 0);
    EXPECT_EQ(state(fixture, Sprite).x, 0);
    EXPECT_EQ(text(PoweredReadout), "   0.0");
}

// ---- Text buffers ------------------------------------------------------------------

TEST_F(FixtureTest, TextIsCutToTheBufferThatTheHostSupplies) {
    host.update(fixture);
    const auto& record = *reinterpret_cast<const ELEMENT_STRING*>(fixture.module->elements()[LongLabel]);
    EXPECT_GE(record.string_size, static_cast<uint32_t>(STRING_MIN_BUFFER));

    const std::string label = text(LongLabel);
    EXPECT_EQ(label.size(), record.string_size - 1);
    EXPECT_EQ(label.substr(0, 4), "WORD");
    EXPECT_EQ(label.find_first_not_of(' ', 4), std::string::npos) << "the number past the spaces was written";
    EXPECT_EQ(text(OatLabel), "OAT          0");
}

TEST_F(FixtureTest, StringsWriteEveryDigitOfTheNarrowedValue) {
    struct Case {
        size_t element;
        int32_t token;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {HugeReadout, 20, FLT_MAX, "340282346638528859811704183484516925440"},
        {HugeReadout, 20, -FLT_MAX, "-340282346638528859811704183484516925440"},
        {HugeReadout, 20, 123456789, "123456792"},  // narrowed to single precision
        {HugeReadout, 20, 1e39, "inf"},             // beyond single precision
        {HugeReadout, 20, -1e39, "-inf"},
        {HugeReadout, 20, inf, "inf"},
        {HugeReadout, 20, -inf, "-inf"},
        {HugeReadout, 20, nan_value, "nan"},
        {PoweredReadout, 12, 1000, " 100.0"},  // clamped to -100..100
        {PoweredReadout, 12, -1000, "-100.0"},
        {PoweredReadout, 12, 12.34, "  12.3"},
    };
    host.set_token(769, 1);
    for (const Case& c : cases) {
        host.set_token(c.token, c.value);
        host.frame();
        EXPECT_EQ(text(c.element), c.text) << "token " << c.token << " = " << c.value;
    }
}

// ---- Key events ----------------------------------------------------------------------

TEST(KeyEvents, AreLoggedAgainstTheModuleThatSentThemAndTakenOnce) {
    TempDir folder;
    host::PanelHost host(folder.path().string());
    auto loaded = host.load({folder.copy(fixture_path(), "FixtureA.gau"), folder.copy(fixture_path(), "FixtureB.gau")});
    host::LoadedModule& a = *loaded[0];
    host::LoadedModule& b = *loaded[1];

    host.click(a, 15, 15, 0);
    host.click(b, 55, 15, 1);
    host.click(a, 15, 50, 0);
    EXPECT_EQ(events_of(host, a), (Events{{0x10101, 5005}, {0x10104, 0}}));
    EXPECT_EQ(events_of(host, b), (Events{{0x10102, 0x20000000}, {0x10102, 0x00200000}}));
    EXPECT_THAT(events_of(host, a), ::testing::IsEmpty());
    EXPECT_THAT(events_of(host, b), ::testing::IsEmpty());
}

// ---- Named variables ---------------------------------------------------------------------

TEST_F(FixtureTest, NamedVariableLivesFromPreInstallToPreKill) {
    using Variables = std::map<std::string, int32_t>;
    EXPECT_EQ(host.named_variables(), (Variables{{"fixture_var", 0}}));
    host.update(fixture);
    EXPECT_EQ(text(BoundVariable), "0") << "not bound at pre-initialise";

    host.click(fixture, 15, 15, 0);  // the push counts it up through the binding
    EXPECT_EQ(host.named_variables(), (Variables{{"fixture_var", 1}}));
    EXPECT_TRUE(host.write_named_variable("fixture_var", 41));
    host.click(fixture, 15, 15, 0);
    host.update(fixture);
    EXPECT_EQ(text(BoundVariable), "42");

    EXPECT_FALSE(host.write_named_variable("unpublished", 1));
    EXPECT_EQ(host.named_variables(), (Variables{{"fixture_var", 42}}));

    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    EXPECT_THAT(host.named_variables(), ::testing::IsEmpty());
    EXPECT_FALSE(host.write_named_variable("fixture_var", 1));
    host.update(fixture);
    EXPECT_EQ(text(BoundVariable), "42") << "a reader bound earlier keeps its pointer";

    // Pre-initialise binds but does not publish; pre-install publishes.
    host.service(fixture, PANEL_SERVICE_PRE_INITIALIZE);
    host.update(fixture);
    EXPECT_EQ(text(BoundVariable), "-1");
    host.service(fixture, PANEL_SERVICE_PRE_INSTALL);
    host.service(fixture, PANEL_SERVICE_PRE_INITIALIZE);
    host.update(fixture);
    EXPECT_EQ(host.named_variables(), (Variables{{"fixture_var", 42}}));
    EXPECT_EQ(text(BoundVariable), "42");
}

}  // namespace
