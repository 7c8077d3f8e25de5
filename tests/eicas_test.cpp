// The EICAS and the mini EICAS driven through the real host: the power rule,
// readouts (rounding, clamping, unit conversions), endurance and range, the
// flap detent, the signed trim pairs, gear and water-rudder captions, bars,
// pointers and needles, and that the mini EICAS repeats the EICAS exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "host/fonts.hpp"
#include "host/panel_host.hpp"
#include "host/render.hpp"

namespace {

const std::string gauges_dir = CORVANE_GAUGES_DIR;
constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Token ids.
enum : int32_t {
    Power = 769,
    N1Left = 626,
    N1Right = 645,
    ThrottleLeft = 128,
    IttLeft = 631,
    N2Left = 627,
    EgtLeft = 567,
    OilTempLeft = 561,
    OilPressRight = 572,
    GenVoltsLeft = 761,
    GenAmpsRight = 764,
    HydraulicLeft = 732,
    BatteryVolts = 752,
    BatteryLoad = 751,
    FuelOnBoard = 791,
    FuelFlowLeft = 638,
    FuelFlowRight = 657,
    GroundSpeed = 832,
    TankLeft = 304,
    TankCentre = 305,
    FlapHandle = 328,
    FlapAngle = 907,
    SpoilerLeft = 326,
    SpoilerHandle = 325,
    SpoilerRight = 327,
    ElevatorTrim = 783,
    RudderTrim = 787,
    AileronTrim = 785,
    GearNose = 332,
    GearLeft = 333,
    GearRight = 334,
    WaterRudder = 903,
};

// EICAS element numbers.
enum : size_t {
    DialFace = 1,
    N1LeftText = 2,
    N1RightText = 3,
    N1LeftNeedle = 4,
    ThrottleLeftMarker = 6,
    IttLeftText = 8,
    IttLeftNeedle = 10,
    N2LeftText = 12,
    EgtLeftText = 14,
    OilTempLeftText = 16,
    OilPressRightText = 19,
    GenVoltsLeftText = 20,
    GenAmpsRightText = 23,
    HydraulicLeftText = 24,
    FuelFlowLeftText = 26,
    FuelFlowLeftBar = 28,
    EnduranceText = 30,
    RangeKmText = 31,
    RangeNmText = 32,
    TankLeftText = 33,
    TankCentreText = 34,
    TankLeftBar = 36,
    SpoilerText = 39,
    SpoilerPointerLeft = 40,
    SpoilerBarLeft = 41,
    SpoilerPointerRight = 42,
    SpoilerBarRight = 43,
    FlapText = 44,
    FlapPointer = 45,
    FlapBar = 46,
    ElevatorPlus = 47,
    ElevatorMinus = 48,
    RudderPlus = 49,
    RudderMinus = 50,
    AileronPlus = 51,
    AileronMinus = 52,
    GearLeftIcon = 53,
    GearNoseIcon = 54,
    GearRightIcon = 55,
    WaterRudderIcon = 56,
    BatteryVoltsText = 57,
    BatteryLoadText = 58,
    FirstCaption = 59,
    EicasElements = 82,
};

// Mini EICAS element numbers.
enum : size_t { MiniScales = 1, MiniFirstCaption = 16, MiniElements = 20 };

// The mini EICAS's elements 2 to 15 repeat EICAS elements 39 to 48 and 53 to
// 56, in that order.
const std::vector<std::pair<size_t, size_t>> repeated_elements{{39, 2},  {40, 3},  {41, 4},  {42, 5},  {43, 6},
                                                               {44, 7},  {45, 8},  {46, 9},  {47, 10}, {48, 11},
                                                               {53, 12}, {54, 13}, {55, 14}, {56, 15}};

using Tokens = std::vector<std::pair<int32_t, double>>;

bool is_hidden(const host::LoadedModule& module, size_t element) {
    return (module.module->elements()[element]->image_flags & IMAGE_FLAG_HIDDEN) != 0;
}

// A host with both modules loaded; every test starts powered.
class EicasTest : public ::testing::Test {
protected:
    host::PanelHost host{gauges_dir};
    std::vector<host::LoadedModule*> loaded = host.load({"Corvane_EICAS", "Corvane_MiniEICAS"});
    host::LoadedModule& eicas = *loaded[0];
    host::LoadedModule& mini = *loaded[1];

    // Sets the tokens (power on unless they say otherwise) and runs a frame.
    void show(const Tokens& tokens) {
        host.set_token(Power, 1);
        for (const auto& [id, value] : tokens) host.set_token(id, value);
        host.frame();
    }
    std::string text(size_t element) const { return eicas.text(element); }
    const host::ElementState& state(size_t element) const { return eicas.states[element]; }
    bool hidden(size_t element) const { return is_hidden(eicas, element); }
};

// ---- Power -------------------------------------------------------------------------

struct PowerCase {
    double token;
    bool powered;
};

class PowerTest : public EicasTest, public ::testing::WithParamInterface<PowerCase> {};

// Powered, every element shows but the minus strings of the trims (all at 0)
// and the dial face shows its scales; otherwise only the background and the
// blank dial face. The mini EICAS's scales icon has its states the other way.
TEST_P(PowerTest, TheScreenShowsOnlyWhileTheTokenIsExactlyOne) {
    const auto [token, powered] = GetParam();
    show({{Power, token}});
    for (size_t i = 1; i < EicasElements; ++i) {
        const bool minus_trim = i == ElevatorMinus || i == RudderMinus || i == AileronMinus;
        const bool shown = i == DialFace || (powered && !minus_trim);
        EXPECT_EQ(hidden(i), !shown) << "EICAS element " << i;
    }
    EXPECT_EQ(state(DialFace).bitmap, powered ? 0x4900 : 0x4901);

    const size_t mini_minus_trim = 11;
    for (size_t i = 1; i < MiniElements; ++i) {
        const bool shown = i == MiniScales || (powered && i != mini_minus_trim);
        EXPECT_EQ(is_hidden(mini, i), !shown) << "mini EICAS element " << i;
    }
    EXPECT_EQ(mini.states[MiniScales].bitmap, powered ? 0x1301 : 0x1300);
}

INSTANTIATE_TEST_SUITE_P(Eicas, PowerTest,
                         ::testing::Values(PowerCase{1.0, true}, PowerCase{0, false}, PowerCase{0.5, false},
                                           PowerCase{0.9999999, false}, PowerCase{1.0000001, false},
                                           PowerCase{1.7, false}, PowerCase{2, false}, PowerCase{-1, false},
                                           PowerCase{nan_value, false}, PowerCase{inf, false}));

// The first draw turns the flag off: drawn before the next update, the
// screen is dark even though the token says powered.
TEST_F(EicasTest, TheFirstDrawDarkensTheScreenUntilTheNextUpdate) {
    host.set_token(Power, 1);
    for (host::LoadedModule* module : loaded) {
        host.service(*module, PANEL_SERVICE_PRE_UPDATE);
        host.service(*module, PANEL_SERVICE_PRE_DRAW);
        host.update(*module);
    }
    EXPECT_TRUE(hidden(N1LeftText));
    EXPECT_EQ(state(DialFace).bitmap, 0x4901);
    EXPECT_TRUE(is_hidden(mini, 2));

    host.frame();
    EXPECT_FALSE(hidden(N1LeftText));
    EXPECT_EQ(state(DialFace).bitmap, 0x4900);
    EXPECT_FALSE(is_hidden(mini, 2));
}

TEST_F(EicasTest, TokensAreRefreshedInTableOrder) {
    EXPECT_EQ(host.tokens_looked_up(eicas, PANEL_SERVICE_PRE_UPDATE),
              (std::vector<int32_t>{631, 650, 561, 571, 567, 577, 562, 572, 791, 638, 657, 328, 769, 626,
                                    645, 128, 163, 627, 646, 304, 305, 303, 752, 751, 907, 326, 325, 327,
                                    783, 787, 785, 332, 333, 334, 734, 764, 763, 761, 732, 762, 832, 903}));
    EXPECT_EQ(host.tokens_looked_up(mini, PANEL_SERVICE_PRE_UPDATE),
              (std::vector<int32_t>{328, 769, 907, 326, 325, 327, 783, 332, 333, 334, 903}));
}

// ---- Readouts ----------------------------------------------------------------------

struct ReadoutCase {
    size_t element;
    int32_t token;
    double value;
    const char* text;
};

class ReadoutTest : public EicasTest, public ::testing::WithParamInterface<ReadoutCase> {};

TEST_P(ReadoutTest, RoundsClampsAndConverts) {
    const ReadoutCase& c = GetParam();
    show({{c.token, c.value}});
    EXPECT_EQ(text(c.element), c.text);
    EXPECT_FALSE(hidden(c.element));
}

INSTANTIATE_TEST_SUITE_P(
    Percent, ReadoutTest,
    ::testing::Values(ReadoutCase{N1LeftText, N1Left, 105.6, "106"}, ReadoutCase{N1LeftText, N1Left, 112, "110"},
                      ReadoutCase{N1LeftText, N1Left, -3, "000"}, ReadoutCase{N1RightText, N1Right, 96.4, "096"},
                      ReadoutCase{N2LeftText, N2Left, 115, "110"}, ReadoutCase{N2LeftText, N2Left, -2, "000"},
                      ReadoutCase{N2LeftText, N2Left, 96.4, "096"}));

// Rankine to degrees C as (value - 459.7 - 32) * 0.5556, in that order:
// 973.16145561773021 lands on 268 that way, but on 267 as (value - 491.7) *
// 0.5556 or with the 32 taken first.
INSTANTIATE_TEST_SUITE_P(Temperature, ReadoutTest,
                         ::testing::Values(ReadoutCase{IttLeftText, IttLeft, 491.7, "000"},
                                           ReadoutCase{IttLeftText, IttLeft, 2500, "1100"},
                                           ReadoutCase{IttLeftText, IttLeft, 973.16145561773021, "268"},
                                           ReadoutCase{EgtLeftText, EgtLeft, 973.16145561773021, "268"},
                                           ReadoutCase{EgtLeftText, EgtLeft, 2500, "999"},
                                           ReadoutCase{EgtLeftText, EgtLeft, 300, "000"},
                                           ReadoutCase{OilTempLeftText, OilTempLeft, 700, "99"},
                                           ReadoutCase{OilTempLeftText, OilTempLeft, 600, "60"}));

// Pounds per square foot to psi as * 0.00694 (not / 144: 432000 would be
// 3000).
INSTANTIATE_TEST_SUITE_P(Pressure, ReadoutTest,
                         ::testing::Values(ReadoutCase{OilPressRightText, OilPressRight, 14400, "99"},
                                           ReadoutCase{OilPressRightText, OilPressRight, 5760, "40"},
                                           ReadoutCase{HydraulicLeftText, HydraulicLeft, 432000, "2998"},
                                           ReadoutCase{HydraulicLeftText, HydraulicLeft, 0, "0000"}));

INSTANTIATE_TEST_SUITE_P(Electrics, ReadoutTest,
                         ::testing::Values(ReadoutCase{GenVoltsLeftText, GenVoltsLeft, 28, "28.0"},
                                           ReadoutCase{GenVoltsLeftText, GenVoltsLeft, 5, "05.0"},
                                           ReadoutCase{GenVoltsLeftText, GenVoltsLeft, -1.5, "-1.5"},
                                           ReadoutCase{GenAmpsRightText, GenAmpsRight, 123.4, "123.4"},
                                           ReadoutCase{BatteryVoltsText, BatteryVolts, 24, " 24.0"},
                                           ReadoutCase{BatteryLoadText, BatteryLoad, -3.2, " -3.2"}));

INSTANTIATE_TEST_SUITE_P(Fuel, ReadoutTest,
                         ::testing::Values(ReadoutCase{FuelFlowLeftText, FuelFlowLeft, 350.4, "00350"},
                                           ReadoutCase{FuelFlowLeftText, FuelFlowLeft, 123456, "99999"},
                                           ReadoutCase{FuelFlowLeftText, FuelFlowLeft, -5, "00000"},
                                           ReadoutCase{TankLeftText, TankLeft, 1600, "1500"},
                                           ReadoutCase{TankCentreText, TankCentre, 250.6, "0251"}));

// Scale units of the right spoiler (/ 273) and degrees of the flap handle
// (/ 409.6), neither clamped.
INSTANTIATE_TEST_SUITE_P(Controls, ReadoutTest,
                         ::testing::Values(ReadoutCase{SpoilerText, SpoilerRight, 16384, "60"},
                                           ReadoutCase{SpoilerText, SpoilerRight, 0, "00"},
                                           ReadoutCase{SpoilerText, SpoilerRight, 40000, "147"},
                                           ReadoutCase{FlapText, FlapHandle, 4095, "10"},
                                           ReadoutCase{FlapText, FlapHandle, -2048, "-5"}));

// ---- Endurance and range ---------------------------------------------------------------

struct RangeCase {
    double fuel, flow_left, flow_right, ground_speed;
    const char *hours, *km, *nm;
};

class RangeTest : public EicasTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeTest, EnduranceAndRangeFromFuelFlowAndGroundSpeed) {
    const RangeCase& c = GetParam();
    show({{FuelOnBoard, c.fuel},
          {FuelFlowLeft, c.flow_left},
          {FuelFlowRight, c.flow_right},
          {GroundSpeed, c.ground_speed}});
    EXPECT_EQ(text(EnduranceText), c.hours);
    EXPECT_EQ(text(RangeKmText), c.km);
    EXPECT_EQ(text(RangeNmText), c.nm);
    for (size_t element : {EnduranceText, RangeKmText, RangeNmText}) EXPECT_FALSE(hidden(element));
}

// Without fuel flow the endurance is endless and reads as its bound; with no
// fuel as well (0 / 0), or endless at a standstill (infinity x 0), the
// quotient is undefined and shows dashes.
INSTANTIATE_TEST_SUITE_P(Eicas, RangeTest,
                         ::testing::Values(RangeCase{3000, 1000, 1000, 100, "01.50", "00540", "00292"},
                                           RangeCase{3000, 1000, 1000, 0, "01.50", "00000", "00000"},
                                           RangeCase{3000, 0, 0, 100, "99.99", "99999", "99999"},
                                           RangeCase{3000, 0, 0, 0, "99.99", "-----", "-----"},
                                           RangeCase{0, 0, 0, 100, "--.--", "-----", "-----"},
                                           RangeCase{0, 0, 0, 0, "--.--", "-----", "-----"},
                                           RangeCase{0, 1000, 1000, 100, "00.00", "00000", "00000"},
                                           RangeCase{3000, -1000, 0, 100, "00.00", "00000", "00000"},
                                           RangeCase{1e6, 1, 1, 100, "99.99", "99999", "99999"}));

// ---- Flaps -------------------------------------------------------------------------

struct FlapCase {
    double handle;
    double detent;
};

class FlapDetentTest : public EicasTest, public ::testing::WithParamInterface<FlapCase> {};

// The pointer stands at the detent, 1.825 px per degree below its rest.
TEST_P(FlapDetentTest, PointerStandsAtTheDetentOfTheWholeDegrees) {
    const auto [handle, detent] = GetParam();
    show({{FlapHandle, handle}});
    EXPECT_EQ(state(FlapPointer).y, detent);
    EXPECT_DOUBLE_EQ(state(FlapPointer).offset_y, detent * 1.825);
    EXPECT_FALSE(hidden(FlapPointer));
}

// A handle that is not a number, or beyond the 32-bit range in whole
// degrees, still has a detent.
INSTANTIATE_TEST_SUITE_P(Eicas, FlapDetentTest,
                         ::testing::Values(FlapCase{0, 0}, FlapCase{4095, 0}, FlapCase{4096, 10}, FlapCase{6000, 10},
                                           FlapCase{8191.9, 10}, FlapCase{8192, 20}, FlapCase{12287, 20},
                                           FlapCase{12288, 30}, FlapCase{16383, 30}, FlapCase{16384, 40},
                                           FlapCase{20000, 40}, FlapCase{-2048, 0}, FlapCase{nan_value, 0},
                                           FlapCase{inf, 40}, FlapCase{-inf, 0}, FlapCase{1e12, 40},
                                           FlapCase{-1e12, 0}));

TEST_F(EicasTest, FlapHandleSixThousandReadsFifteenAtDetentTen) {
    show({{FlapHandle, 6000}});
    EXPECT_EQ(text(FlapText), "15");
    EXPECT_EQ(state(FlapPointer).y, 10);
}

// ---- Trims -------------------------------------------------------------------------

struct TrimCase {
    int32_t token;
    size_t plus;  // the minus string follows it
    double radians;
    bool negative;
    const char* shown;
};

class TrimTest : public EicasTest, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(TrimTest, ExactlyOneStringOfThePairShowsTheSignedTrim) {
    const TrimCase& c = GetParam();
    show({{c.token, c.radians}});
    const size_t minus = c.plus + 1;
    EXPECT_EQ(hidden(c.plus), c.negative);
    EXPECT_EQ(hidden(minus), !c.negative);
    EXPECT_EQ(text(c.negative ? minus : c.plus), c.shown);
}

// A negative zero, or a trim too small for single precision, reads +00.0
// (not "+-0.0").
INSTANTIATE_TEST_SUITE_P(Eicas, TrimTest,
                         ::testing::Values(TrimCase{ElevatorTrim, ElevatorPlus, 0.0436, false, "+02.5"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, -0.0436, true, "-02.5"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, 0, false, "+00.0"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, -0.0, false, "+00.0"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, -1e-50, false, "+00.0"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, -0.0001, true, "-00.0"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, 0.2147, false, "+12.3"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, 2, false, "+100.0"},
                                           TrimCase{ElevatorTrim, ElevatorPlus, -2, true, "-100.0"},
                                           TrimCase{RudderTrim, RudderPlus, 2, false, "+100.0"},
                                           TrimCase{RudderTrim, RudderPlus, -0.0436, true, "-02.5"},
                                           TrimCase{AileronTrim, AileronPlus, 2, false, "+99.9"},
                                           TrimCase{AileronTrim, AileronPlus, -2, true, "-99.9"}));

// ---- Gear and water rudder -------------------------------------------------------------

struct CaptionCase {
    double position;
    int32_t state;
};

class GearTest : public EicasTest, public ::testing::WithParamInterface<CaptionCase> {};

// States: 0 DOWN, 1 in transit, 2 UP. A position that is not a number is in
// transit, never DOWN.
TEST_P(GearTest, EachLegShowsUpInTransitOrDown) {
    const auto [position, expected] = GetParam();
    show({{GearNose, position}, {GearLeft, position}, {GearRight, position}});
    const std::pair<size_t, int32_t> legs[] = {{GearNoseIcon, 0x6400}, {GearLeftIcon, 0x6500}, {GearRightIcon, 0x6600}};
    for (const auto& [element, first_bitmap] : legs) {
        EXPECT_EQ(state(element).state, expected) << "element " << element;
        EXPECT_EQ(state(element).bitmap, first_bitmap + expected) << "element " << element;
        EXPECT_FALSE(hidden(element));
    }
}

INSTANTIATE_TEST_SUITE_P(Eicas, GearTest,
                         ::testing::Values(CaptionCase{0, 2}, CaptionCase{9, 2}, CaptionCase{-5, 2},
                                           CaptionCase{-inf, 2}, CaptionCase{9.5, 1}, CaptionCase{10, 1},
                                           CaptionCase{8000, 1}, CaptionCase{16374, 1}, CaptionCase{16374.5, 0},
                                           CaptionCase{16384, 0}, CaptionCase{inf, 0}, CaptionCase{nan_value, 1}));

class WaterRudderTest : public EicasTest, public ::testing::WithParamInterface<CaptionCase> {};

// 0 UP, 1 DOWN; other values show the nearer end, and a value that is not a
// number shows UP.
TEST_P(WaterRudderTest, ShowsUpOrDown) {
    const auto [position, expected] = GetParam();
    show({{WaterRudder, position}});
    EXPECT_EQ(state(WaterRudderIcon).state, expected);
    EXPECT_EQ(state(WaterRudderIcon).bitmap, 0x4000 + expected);
}

INSTANTIATE_TEST_SUITE_P(Eicas, WaterRudderTest,
                         ::testing::Values(CaptionCase{0, 0}, CaptionCase{1, 1}, CaptionCase{0.3, 0},
                                           CaptionCase{0.5, 1}, CaptionCase{2, 1}, CaptionCase{-1, 0},
                                           CaptionCase{nan_value, 0}));

// ---- Bars, pointers and needles ------------------------------------------------------------

struct OffsetCase {
    size_t element;
    int32_t token;
    double value;
    double offset;  // moving image: offset in its window; slider: y offset
};

class OffsetTest : public EicasTest, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(OffsetTest, BarsAndPointersMoveWithTheirTokens) {
    const OffsetCase& c = GetParam();
    show({{c.token, c.value}});
    EXPECT_DOUBLE_EQ(state(c.element).offset_y, c.offset);
    EXPECT_EQ(state(c.element).offset_x, 0);
    EXPECT_FALSE(hidden(c.element));
}

// Bars of 74 rows (fuel flow, spoilers, flaps) and of 110 (tanks): a rising
// bar is empty at offset 0 and full at its image's bottom; the flap bar fills
// downwards, full at offset 0. Spoiler pointers rise 73 px over 16384.
INSTANTIATE_TEST_SUITE_P(
    Eicas, OffsetTest,
    ::testing::Values(OffsetCase{FuelFlowLeftBar, FuelFlowLeft, 2500, 37},
                      OffsetCase{FuelFlowLeftBar, FuelFlowLeft, 7000, 74},
                      OffsetCase{FuelFlowLeftBar, FuelFlowLeft, -1, 0}, OffsetCase{TankLeftBar, TankLeft, 300, 55},
                      OffsetCase{TankLeftBar, TankLeft, 900, 110}, OffsetCase{SpoilerBarRight, SpoilerRight, 16384, 74},
                      OffsetCase{SpoilerBarLeft, SpoilerLeft, -100, 0},
                      OffsetCase{SpoilerBarLeft, SpoilerLeft, 20000, 74}, OffsetCase{FlapBar, FlapAngle, 20, 37},
                      OffsetCase{FlapBar, FlapAngle, 45, 0}, OffsetCase{FlapBar, FlapAngle, -1, 74},
                      OffsetCase{SpoilerPointerLeft, SpoilerHandle, 8192, -36.5},
                      OffsetCase{SpoilerPointerRight, SpoilerHandle, 8192, -36.5},
                      OffsetCase{SpoilerPointerLeft, SpoilerHandle, 20000, -73},
                      OffsetCase{SpoilerPointerRight, SpoilerHandle, -5, 0}));

// Angles are degrees clockwise from straight up.
double direction(double dx, double dy) {
    double degrees = std::atan2(dx, -dy) * 180 / 3.14159265358979323846;
    return degrees < 0 ? degrees + 360 : degrees;
}

TEST_F(EicasTest, ThrottleMarkerRunsFromTheDialsZeroToTheUpperLeft) {
    show({{ThrottleLeft, -500}});
    EXPECT_EQ(state(ThrottleLeftMarker).value, 0);
    EXPECT_NEAR(state(ThrottleLeftMarker).angle, direction(128 - 74, 101 - 77), 1e-9);
    show({{ThrottleLeft, 16384}});
    EXPECT_NEAR(state(ThrottleLeftMarker).angle, direction(40 - 74, 36 - 77), 1e-9);
}

// The readouts clamp; the needles take the value as it is.
TEST_F(EicasTest, NeedlesAreNotClamped) {
    show({{N1Left, 112}, {IttLeft, 2500}});
    EXPECT_EQ(text(N1LeftText), "110");
    EXPECT_EQ(state(N1LeftNeedle).value, 112);
    EXPECT_EQ(text(IttLeftText), "1100");
    EXPECT_DOUBLE_EQ(state(IttLeftNeedle).value, (2500 - 459.7 - 32) * 0.5556);
    EXPECT_FALSE(hidden(N1LeftNeedle));
}

// ---- Captions and labels -----------------------------------------------------------------

// A caption's word and its spaces reach past the right edge of its box as the
// renderer lays them out, so the number after them never shows.
TEST_F(EicasTest, CaptionsShowTheirWordButNeverTheNumber) {
    show({});
    const host::FontMap fonts;
    const host::Renderer renderer(fonts);
    const std::pair<host::LoadedModule*, size_t> screens[] = {{&eicas, FirstCaption}, {&mini, MiniFirstCaption}};
    for (const auto& [module, first] : screens) {
        for (size_t i = first; i < module->module->elements().size(); ++i) {
            const auto& record = *reinterpret_cast<const ELEMENT_STRING*>(module->module->elements()[i]);
            const std::string shown = module->text(i);
            ASSERT_EQ(shown.back(), '0') << module->name() << " element " << i;
            const std::string words = shown.substr(0, shown.size() - 1);
            EXPECT_NE(words.find_last_not_of(' '), std::string::npos);
            EXPECT_GE(renderer.text_width(record, words), record.box.width) << module->name() << " element " << i;
        }
    }
}

// The degree sign is the single Windows-1252 byte 0xB0.
TEST_F(EicasTest, DegreeSignIsOneWindows1252Byte) {
    show({});
    for (size_t element : {63, 76, 77, 78}) {
        const std::string shown = text(element);
        EXPECT_NE(shown.find('\xB0'), std::string::npos) << "element " << element;
        EXPECT_EQ(shown.find('\xC2'), std::string::npos) << "element " << element;
    }
    EXPECT_EQ(mini.text(18).substr(0, 6), "ELEV.\xB0");
}

// ---- The mini EICAS ------------------------------------------------------------------------

class RepeatTest : public EicasTest, public ::testing::WithParamInterface<Tokens> {};

TEST_P(RepeatTest, MiniEicasShowsWhatTheEicasShows) {
    show(GetParam());
    for (const auto& [big, small] : repeated_elements) {
        const host::ElementState &a = eicas.states[big], &b = mini.states[small];
        EXPECT_EQ(mini.text(small), eicas.text(big)) << "EICAS " << big << ", mini " << small;
        EXPECT_EQ(is_hidden(mini, small), is_hidden(eicas, big)) << "EICAS " << big << ", mini " << small;
        EXPECT_EQ(b.state, a.state) << "EICAS " << big << ", mini " << small;
        EXPECT_DOUBLE_EQ(b.offset_y, a.offset_y) << "EICAS " << big << ", mini " << small;
        EXPECT_EQ(b.y, a.y) << "EICAS " << big << ", mini " << small;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Eicas, RepeatTest,
    ::testing::Values(Tokens{},
                      Tokens{{FlapHandle, 6000},
                             {FlapAngle, 20},
                             {SpoilerHandle, 8192},
                             {SpoilerLeft, 3000},
                             {SpoilerRight, 16384},
                             {ElevatorTrim, -0.0436},
                             {GearNose, 9.5},
                             {GearLeft, 16384},
                             {GearRight, 0},
                             {WaterRudder, 1}},
                      Tokens{{FlapHandle, 16384},
                             {FlapAngle, 45},
                             {SpoilerHandle, -100},
                             {SpoilerLeft, -100},
                             {SpoilerRight, 20000},
                             {ElevatorTrim, 2},
                             {GearNose, nan_value},
                             {GearLeft, 16374.5},
                             {GearRight, 16374},
                             {WaterRudder, 0.7}},
                      Tokens{{Power, 1.5}, {FlapHandle, 8192}, {ElevatorTrim, 0.0436}, {GearNose, 8000}}));

}  // namespace
