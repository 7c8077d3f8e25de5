// Corvane_EICAS: the engine and systems display, a 660 x 484 screen in three
// columns. Left, the engines: N1 and ITT dials with digital readouts and
// throttle markers, then seven rows of paired readouts (N2, EGT, oil
// temperature and pressure, generator volts and amps, hydraulic pressure).
// Middle, fuel: flow readouts and bars, endurance and range, tank quantities
// and bars. Right, flight controls: spoilers, flaps, trims, gear, water
// rudder, and the battery at the bottom.
//
// Values are white, captions and labels blue. Everything but the black
// background shows only while the display has power, token 769 equal to
// exactly 1.0. No click areas; the tooltip is "EICAS".
#include "gauges/Corvane_EICAS/dials.hpp"
#include "gauges/common/eicas_rules.hpp"

namespace {
using namespace frame;
using namespace eicas;

// ---- Tokens --------------------------------------------------------------------
// Refreshed in this order at every update.

enum Token {
    IttLeft,         // 631, Rankine
    IttRight,        // 650
    OilTempLeft,     // 561, Rankine
    OilTempRight,    // 571
    EgtLeft,         // 567, Rankine
    EgtRight,        // 577
    OilPressLeft,    // 562, pounds per square foot
    OilPressRight,   // 572
    FuelOnBoard,     // 791, pounds
    FuelFlowLeft,    // 638, pounds per hour
    FuelFlowRight,   // 657
    FlapHandle,      // 328, 0 to 16384
    Power,           // 769, 1 = powered
    N1Left,          // 626, percent
    N1Right,         // 645
    ThrottleLeft,    // 128, 0 to 16384
    ThrottleRight,   // 163
    N2Left,          // 627, percent
    N2Right,         // 646
    TankLeft,        // 304, gallons
    TankCentre,      // 305
    TankRight,       // 303
    BatteryVolts,    // 752
    BatteryLoad,     // 751, amperes
    FlapAngle,       // 907, degrees
    SpoilerLeft,     // 326, 0 to 16384
    SpoilerHandle,   // 325
    SpoilerRight,    // 327
    ElevatorTrim,    // 783, radians
    RudderTrim,      // 787
    AileronTrim,     // 785
    GearNose,        // 332, 0 up to 16384 down
    GearLeft,        // 333
    GearRight,       // 334
    HydraulicRight,  // 734, pounds per square foot
    GenAmpsRight,    // 764
    GenVoltsRight,   // 763
    GenVoltsLeft,    // 761
    HydraulicLeft,   // 732, pounds per square foot
    GenAmpsLeft,     // 762
    GroundSpeed,     // 832, metres per second
    WaterRudder,     // 903, 0 up, 1 down
    TokenCount
};
constexpr TokenTable token_list{631, 650, 561, 571, 567, 577, 562, 572, 791, 638, 657, 328, 769, 626,
                                645, 128, 163, 627, 646, 304, 305, 303, 752, 751, 907, 326, 325, 327,
                                783, 787, 785, 332, 333, 334, 734, 764, 763, 761, 732, 762, 832, 903};
static_assert(TokenCount == 42 && token_list.size() == TokenCount);
constinit TokenTable tokens = token_list;

// ---- Rules of this screen ----------------------------------------------------------

constexpr Screen screen{662};

using Flight = Controls<control_tokens<Token>()>;

constexpr double psi_per_psf = 0.00694;

constexpr Bounds percent{.hi = 110, .lo = 0};
constexpr Bounds itt_range{.hi = 1100, .lo = 0};
constexpr Bounds egt_range{.hi = 999, .lo = 0};
constexpr Bounds two_digits{.hi = 99, .lo = 0};
constexpr Bounds five_digits{.hi = 99999, .lo = 0};
constexpr Bounds endurance_range{.hi = 99.99, .lo = 0};
constexpr Bounds tank_range{.hi = 1500, .lo = 0};
constexpr Bounds flow_bar{.hi = 5000, .lo = 0};
constexpr Bounds tank_bar{.hi = 600, .lo = 0};
constexpr Bounds not_negative{.lo = 0};

// Hours the fuel on board lasts at the present total flow, and how far the
// aircraft gets in that time at the present ground speed (m/s to km/h).
double endurance() { return token(FuelOnBoard) / (token(FuelFlowRight) + token(FuelFlowLeft)); }
double range_km() { return endurance() * (3.6 * token(GroundSpeed)); }
double range_nm() { return range_km() * 0.5399568; }

// No flow and no fuel (0 / 0), or endless endurance at a standstill
// (infinity x 0), leave the quotient undefined: the readouts then show
// dashes in their digits' places rather than "nan". An endless endurance
// alone reads as the bound, 99.99 hours and 99999 km or nm.
template <FixedString Format, Source From, Bounds B, FixedString Dashes>
constexpr STRING_CALLBACK fuel_reading = &marked_readout<Format, From, powered, B, Dashes>;

// Needles turn about their dial's centre, pivot (5,5) of the bitmap.
constexpr NeedleNode<2> dial_needle(int32_t resource_id, const eicas_dials::Dial& dial, NEEDLE_CALLBACK callback) {
    constexpr int pivot = eicas_dials::needle_pivot;
    return needle(resource_id, {dial.x, dial.y}, {pivot, pivot}, callback,
                  {{dial.low.x, dial.low.y, dial.low.value}, {dial.high.x, dial.high.y, dial.high.value}});
}

template <Source From, Bounds B = Bounds{}>
constexpr NEEDLE_CALLBACK dial_value = &needle_value<From, powered, B>;

// ---- Elements, in draw order -----------------------------------------------------

constinit Chain chain{
    // 0, 1: background; dial face with the scales, blank (state 1) without power.
    image(0x3800),
    icon(0x4900, {0, 0}, 2, icon_state<by_power<0, 1>>),

    // 2 to 11: N1 and ITT dials.
    screen.value({90, 25}, reading<"%03.0f", tok<N1Left>, percent>),
    screen.value({218, 25}, reading<"%03.0f", tok<N1Right>, percent>),
    dial_needle(0x6100, eicas_dials::n1_left, dial_value<tok<N1Left>>),
    dial_needle(0x1400, eicas_dials::n1_right, dial_value<tok<N1Right>>),
    dial_needle(0x1600, eicas_dials::throttle_left, dial_value<tok<ThrottleLeft>, not_negative>),
    dial_needle(0x1700, eicas_dials::throttle_right, dial_value<tok<ThrottleRight>, not_negative>),
    screen.value({90, 168}, reading<"%03.0f", celsius_from_rankine<IttLeft>, itt_range>),
    screen.value({216, 168}, reading<"%03.0f", celsius_from_rankine<IttRight>, itt_range>),
    dial_needle(0x1800, eicas_dials::itt_left, dial_value<celsius_from_rankine<IttLeft>>),
    dial_needle(0x1900, eicas_dials::itt_right, dial_value<celsius_from_rankine<IttRight>>),

    // 12 to 25: engine 1 left of each row's label, engine 2 right of it.
    screen.value({38, 299}, reading<"%03.0f", tok<N2Left>, percent>),
    screen.value({220, 299}, reading<"%03.0f", tok<N2Right>, percent>),
    screen.value({38, 324}, reading<"%03.0f", celsius_from_rankine<EgtLeft>, egt_range>),
    screen.value({220, 324}, reading<"%03.0f", celsius_from_rankine<EgtRight>, egt_range>),
    screen.value({50, 349}, reading<"%02.0f", celsius_from_rankine<OilTempLeft>, two_digits>),
    screen.value({220, 349}, reading<"%02.0f", celsius_from_rankine<OilTempRight>, two_digits>),
    screen.value({50, 374}, reading<"%02.0f", scaled<OilPressLeft, psi_per_psf>, two_digits>),
    screen.value({220, 374}, reading<"%02.0f", scaled<OilPressRight, psi_per_psf>, two_digits>),
    screen.value({27, 399}, reading<"%04.1f", tok<GenVoltsLeft>>),
    screen.value({220, 399}, reading<"%04.1f", tok<GenVoltsRight>>),
    screen.value({27, 424}, reading<"%04.1f", tok<GenAmpsLeft>>),
    screen.value({220, 424}, reading<"%04.1f", tok<GenAmpsRight>>),
    screen.value({29, 449}, reading<"%04.0f", scaled<HydraulicLeft, psi_per_psf>>),
    screen.value({220, 449}, reading<"%04.0f", scaled<HydraulicRight, psi_per_psf>>),

    // 26 to 38: fuel flow, endurance and range, tank quantities.
    screen.value({316, 25}, reading<"%05.0f", tok<FuelFlowLeft>, five_digits>),
    screen.value({390, 25}, reading<"%05.0f", tok<FuelFlowRight>, five_digits>),
    moving(0x2800, {349, 56}, 0, 5000, bar_x, bar<FuelFlowLeft, flow_bar>),
    moving(0x3000, {403, 56}, 0, 5000, bar_x, bar<FuelFlowRight, flow_bar>),
    screen.value({369, 174}, fuel_reading<"%05.2f", endurance, endurance_range, "--.--">),
    screen.value({369, 199}, fuel_reading<"%05.0f", range_km, five_digits, "-----">),
    screen.value({369, 224}, fuel_reading<"%05.0f", range_nm, five_digits, "-----">),
    screen.value({315, 324}, reading<"%04.0f", tok<TankLeft>, tank_range>),
    screen.value({356, 299}, reading<"%04.0f", tok<TankCentre>, tank_range>),
    screen.value({400, 324}, reading<"%04.0f", tok<TankRight>, tank_range>),
    moving(0x3600, {365, 356}, 0, 600, bar_x, bar<TankLeft, tank_bar>),
    moving(0x2000, {375, 356}, 0, 600, bar_x, bar<TankCentre, tank_bar>),
    moving(0x2200, {385, 356}, 0, 600, bar_x, bar<TankRight, tank_bar>),

    // 39 to 56: spoilers, flaps, trims, gear and water rudder.
    screen.value({529, 25}, Flight::spoiler_readout),
    slider(0x3400, {497, 123}, spoiler_pointer, pointer_x, Flight::spoiler_pointer_y),
    moving(0x1200, {512, 56}, spoiler_top_end, spoiler_bottom_end, bar_x, Flight::left_spoiler_bar),
    slider(0x3500, {571, 123}, spoiler_pointer, pointer_x, Flight::spoiler_pointer_y),
    moving(0x2600, {563, 56}, spoiler_top_end, spoiler_bottom_end, bar_x, Flight::right_spoiler_bar),
    screen.value({607, 25}, Flight::flap_readout),
    slider(0x3200, {594, 50}, flap_pointer, pointer_x, Flight::flap_pointer_y),
    moving(0x2400, {608, 56}, flap_top_end, flap_bottom_end, bar_x, Flight::flap_bar),
    screen.value({590, 174}, Flight::elevator_trim_plus, thin_value_style),
    screen.value({592, 174}, Flight::elevator_trim_minus),
    screen.value({590, 199}, trim_plus<RudderTrim, 99.99>),
    screen.value({592, 199}, trim_minus<RudderTrim, 99.99>),
    screen.value({590, 224}, trim_plus<AileronTrim, 99.9>),
    screen.value({592, 224}, trim_minus<AileronTrim, 99.9>),
    icon(0x6500, {497, 341}, 3, Flight::left_gear),
    icon(0x6400, {538, 307}, 3, Flight::nose_gear),
    icon(0x6600, {580, 341}, 3, Flight::right_gear),
    icon(0x4000, {538, 376}, 2, Flight::water_rudder),

    // 57, 58: battery.
    screen.value({590, 424}, reading<"%5.1f", tok<BatteryVolts>>),
    screen.value({590, 449}, reading<"%5.1f", tok<BatteryLoad>>),

    // 59 to 81: captions over the groups and labels of the rows.
    screen.caption({134, 0}, caption<"N1", 130>),
    screen.caption({130, 143}, caption<"ITT", 117>),
    screen.caption({134, 299}, caption<"N2", 123>),
    screen.caption({130, 324}, caption<"EGT", 124>),
    screen.caption({118, 349}, caption<"OIL \xB0"
                                       "C",
                                       120>),
    screen.caption({116, 374}, caption<"OIL PR", 112>),
    screen.caption({102, 399}, caption<"GEN VOLT", 105>),
    screen.caption({100, 424}, caption<"GEN AMPS", 123>),
    screen.caption({103, 449}, caption<"HYDR. PR", 139>),
    screen.caption({335, 0}, caption<"FUEL PPH", 69>),
    screen.caption({349, 149}, caption<"RANGE", 61>),
    screen.caption({329, 174}, caption<"HR", 70>),
    screen.caption({329, 199}, caption<"KM", 74>),
    screen.caption({329, 224}, caption<"NM", 81>),
    screen.caption({324, 274}, caption<"QUANT. GAL", 75>),
    screen.caption({497, 0}, caption<"SPOILER  FLAPS", 15>),
    screen.caption({551, 149}, caption<"TRIM", 31>),
    screen.caption({497, 174}, caption<"ELEV.\xB0", 38>),
    screen.caption({497, 199}, caption<"RUDD.\xB0", 35>),
    screen.caption({497, 224}, caption<"AILER.\xB0", 38>),
    screen.caption({549, 274}, caption<"GEAR", 40>),
    screen.caption({497, 424}, caption<"BATT V.", 34>),
    screen.caption({497, 449}, caption<"LOAD A.", 26>),
};
static_assert(decltype(chain)::size == 82);

constinit auto mouse = mouse_list("EICAS");
}  // namespace

CORVANE_GAUGE("Corvane_EICAS", tokens, chain, mouse, .pre_update = derive_power<Power>, .first_draw = first_draw);
