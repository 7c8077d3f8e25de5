// Corvane_MiniEICAS: a small 159 x 338 companion screen that repeats the
// EICAS's flight-control column with the same rules: spoiler handle and
// spoiler positions, flap handle and flap angle, elevator trim, the three
// gear legs and the water rudder. Everything but the black background shows
// only while the display has power, token 769 equal to exactly 1.0. No click
// areas; the tooltip is "EICAS".
#include "gauges/common/eicas_rules.hpp"

namespace {
using namespace frame;
using namespace eicas;

// ---- Tokens --------------------------------------------------------------------
// Refreshed in this order at every update.

enum Token {
    FlapHandle,     // 328, 0 to 16384
    Power,          // 769, 1 = powered
    FlapAngle,      // 907, degrees
    SpoilerLeft,    // 326, 0 to 16384
    SpoilerHandle,  // 325
    SpoilerRight,   // 327
    ElevatorTrim,   // 783, radians
    GearNose,       // 332, 0 up to 16384 down
    GearLeft,       // 333
    GearRight,      // 334
    WaterRudder,    // 903, 0 up, 1 down
    TokenCount
};
constexpr TokenTable token_list{328, 769, 907, 326, 325, 327, 783, 332, 333, 334, 903};
static_assert(TokenCount == 11 && token_list.size() == TokenCount);
constinit TokenTable tokens = token_list;

// ---- Rules of this screen ----------------------------------------------------------

constexpr Screen screen{161};

using Flight = Controls<control_tokens<Token>()>;

// ---- Elements, in draw order -----------------------------------------------------

constinit Chain chain{
    // 0, 1: background; the scales, shown (state 1) at power, blank otherwise.
    image(0x1200),
    icon(0x1300, {0, 0}, 2, icon_state<by_power<1, 0>>),

    // 2 to 9: spoilers and flaps.
    screen.value({33, 25}, Flight::spoiler_readout),
    slider(0x3400, {2, 123}, spoiler_pointer, pointer_x, Flight::spoiler_pointer_y),
    moving(0x100, {17, 56}, spoiler_top_end, spoiler_bottom_end, bar_x, Flight::left_spoiler_bar),
    slider(0x3500, {76, 123}, spoiler_pointer, pointer_x, Flight::spoiler_pointer_y),
    moving(0x1700, {68, 56}, spoiler_top_end, spoiler_bottom_end, bar_x, Flight::right_spoiler_bar),
    screen.value({112, 25}, Flight::flap_readout),
    slider(0x3200, {99, 50}, flap_pointer, pointer_x, Flight::flap_pointer_y),
    moving(0x1400, {113, 56}, flap_top_end, flap_bottom_end, bar_x, Flight::flap_bar),

    // 10, 11: elevator trim.
    screen.value({95, 171}, Flight::elevator_trim_plus, thin_value_style),
    screen.value({97, 171}, Flight::elevator_trim_minus),

    // 12 to 15: gear and water rudder.
    icon(0x6500, {2, 271}, 3, Flight::left_gear),
    icon(0x6400, {43, 237}, 3, Flight::nose_gear),
    icon(0x6600, {85, 271}, 3, Flight::right_gear),
    icon(0x4000, {43, 306}, 2, Flight::water_rudder),

    // 16 to 19: captions and the trim's label.
    screen.caption({2, 0}, caption<"SPOILER  FLAPS", 91>),
    screen.caption({56, 147}, caption<"TRIM", 137>),
    screen.caption({2, 173}, caption<"ELEV.\xB0", 161>),
    screen.caption({54, 204}, caption<"GEAR", 108>),
};
static_assert(decltype(chain)::size == 20);

constinit auto mouse = mouse_list("EICAS");
}  // namespace

CORVANE_GAUGE("Corvane_MiniEICAS", tokens, chain, mouse, .pre_update = derive_power<Power>, .first_draw = first_draw);
