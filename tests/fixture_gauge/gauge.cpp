// Fixture: a small test gauge that declares every element kind, hot spots of
// every click kind and a named variable, all through the frame's idioms.
//
//  0 static 0x100 background 200 x 200
//  1 needle 0x200 full-turn table 0..359 (points one pixel apart), token 10
//  2 needle 0x200 three-entry table: left 0, up 50, right 100, token 11
//  3 string "%6.1f" of token 12, clamped to -100..100, shown while powered
//  4 label "OAT" + 8 spaces + "%3.0f"
//  5 icon 0x300, 3 states (0x302 missing), own source token 13
//  6 icon 0x310, 2 states: 1 while token 14 > 0; hidden unless powered
//  7 slider 0x400, scale (2, -3), own tokens 15 and 16
//  8 moving 0x500 (20 x 100) in window 0x501 (20 x 40), y range 100 to 0, token 17
//  9 sprite 0x600 (64 x 64) in window 0x601 (40 x 40), pivot (20,20), y token 18,
//    rotation token 19
// 10 string "%.0f" of token 20, unclamped (huge values test the buffer)
// 11 label "WORD" + 300 spaces + "%.0f" (longer than the host's buffer)
// 12 string: the first-draw counter, "C %.0f"
// 13 string: the bound named variable "fixture_var", or -1 while unbound
//    (amber, weight 100)
//
// Hot spots in list order: push (10,10,30,20) sends 0x10101 with
// x * 1000 + y and counts "fixture_var" up; knob (50,10,30,20) sends 0x10102
// with the mouse flags on presses and repeats; lever (120,10,20,80) sends
// 0x10103 with y on drags; a push (10,10,140,100) under all of them sends
// 0x10104 and counts the first-draw counter up.
#include "frame/elements.hpp"
#include "frame/idioms.hpp"

namespace {
using namespace frame;

enum Token { Power, Full, Three, Readout, IconChoice, SpriteY, Rotation, Huge, MovingY };
constinit TokenTable tokens{769, 10, 11, 12, 14, 18, 19, 20, 17};

int32_t counter = 0;
int32_t fixture_var = 0;
MODULE_VAR fixture_binding{};

double moving_y() { return token(MovingY); }
double bound_value() { return fixture_binding.var_ptr ? *static_cast<int32_t*>(fixture_binding.var_ptr) : -1.0; }
int icon_choice() { return token(IconChoice) > 0 ? 1 : 0; }

constexpr TextStyle green{"Quartz", 400, rgb(0, 255, 0)};
constexpr TextStyle white{"Glass Gauge", 500, rgb(255, 255, 255)};
constexpr TextStyle amber{"Glass Gauge", 100, rgb(255, 176, 0)};

constinit Chain chain{
    image(0x100),
    needle(0x200, {100, 100}, {5, 5}, needle_value<tok<Full>>, {{100, 20, 0}, {99, 20, 359}}),
    needle(0x200, {100, 100}, {5, 5}, needle_value<tok<Three>>, {{60, 100, 0}, {100, 60, 50}, {140, 100, 100}}),
    text({10, 150}, {60, 20}, green, readout<"%6.1f", tok<Readout>, power_is_one, Bounds{.hi = 100, .lo = -100}>),
    text({80, 150}, {40, 20}, white, label<"OAT", 8, "%3.0f">),
    icon(0x300, {10, 40}, 3, icon_source<>, 13),
    icon(0x310, {40, 40}, 2, icon_state<icon_choice, power_is_one>),
    slider(0x400, {150, 150}, {.scale_x = 2, .scale_y = -3, .token_x = 15, .token_y = 16}, slider_source_x<>,
           slider_source_y<>),
    moving(0x500, {10, 100}, 100, 0, moving_source_x<>, moving_value<moving_y>),
    sprite(0x600, {150, 40}, {20, 20}, {.scale_y = 1.5, .scale_rotation = -1}, sprite_source_x<>,
           sprite_value<tok<SpriteY>>, sprite_value<tok<Rotation>>),
    text({10, 175}, {60, 20}, green, readout<"%.0f", tok<Huge>>),
    text({80, 175}, {40, 20}, white, label<"WORD", 300, "%.0f">),
    text({130, 175}, {30, 20}, white, state_readout<"C %.0f", &counter>),
    text({160, 175}, {40, 20}, amber, readout<"%.0f", bound_value>),
};
static_assert(decltype(chain)::size == 14);

int32_t push(int32_t x, int32_t y, uint32_t) {
    trigger_key_event(0x10101, x * 1000 + y);
    if (fixture_binding.var_ptr) ++*static_cast<int32_t*>(fixture_binding.var_ptr);
    return 0;
}
int32_t overlapped(int32_t, int32_t, uint32_t) {
    trigger_key_event(0x10104, 0);
    ++counter;
    return 0;
}
int32_t knob(int32_t, int32_t, uint32_t flags) {
    trigger_key_event(0x10102, static_cast<int32_t>(flags));
    return 0;
}
int32_t lever(int32_t, int32_t y, uint32_t) {
    trigger_key_event(0x10103, y);
    return 0;
}

constinit auto mouse =
    mouse_list("Fixture", {
                              {{10, 10, 30, 20}, CURSOR_HAND, MOUSE_LEFTSINGLE, push},
                              {{50, 10, 30, 20}, CURSOR_UPARROW, MOUSE_LEFTSINGLE | MOUSE_DOWN_REPEAT, knob},
                              {{120, 10, 20, 80}, CURSOR_NORMAL, MOUSE_LEFTDRAG, lever},
                              {{10, 10, 140, 100}, CURSOR_HAND, MOUSE_LEFTSINGLE, overlapped},
                          });

void pre_install() { register_var_by_name(&fixture_var, "fixture_var"); }
void pre_initialise() { initialize_var_by_name(&fixture_binding, "fixture_var"); }
void pre_update() { derive_power_exact_one(Power); }
void first_draw() {
    power_flag = 0;
    counter = 7;
}
void pre_kill() { unregister_var_by_name("fixture_var"); }
}  // namespace

CORVANE_GAUGE("Fixture", tokens, chain, mouse, .pre_install = pre_install, .pre_initialise = pre_initialise,
              .pre_update = pre_update, .first_draw = first_draw, .pre_kill = pre_kill);
