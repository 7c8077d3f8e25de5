// The module frame's lifecycle, driven through the panel host and the Fixture:
// which services act, the token refresh, the first draw, the power rule, the
// GaugeSound binding and module state across reloads; frame::to_int32.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "frame/module.hpp"
#include "host/json_output.hpp"
#include "support.hpp"

namespace {
using namespace corvane_test;

constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// The Fixture and GaugeSound copied into a folder of their own, so that the
// sound library's references are the test's alone.
class ModuleFolder : public TempDir {
public:
    explicit ModuleFolder(std::initializer_list<const char*> modules, bool with_sound = true) {
        if (with_sound) copy(sound_library_path(), "GaugeSound.so");
        for (const char* name : modules) copy(fixture_path(), std::string(name) + ".gau");
    }
};

class CopiedFixtureTest : public ::testing::Test {
protected:
    ModuleFolder folder{{"Fixture"}};
    host::PanelHost host{folder.path().string()};
    host::LoadedModule& fixture = *host.load({"Fixture"}).front();
};

// ---- Services ----------------------------------------------------------------

TEST_F(FixtureTest, OnlyPreUpdateLooksUpTheTokenTableInTableOrder) {
    const std::vector<int32_t> table{769, 10, 11, 12, 14, 18, 19, 20, 17};
    const std::vector<int32_t> none;
    struct Step {
        int32_t service;
        const std::vector<int32_t>& expected;
    };
    for (const Step& step : {Step{PANEL_SERVICE_PRE_UPDATE, table}, Step{PANEL_SERVICE_PRE_DRAW, none},
                             Step{PANEL_SERVICE_PRE_UPDATE, table}, Step{PANEL_SERVICE_PRE_INITIALIZE, none},
                             Step{PANEL_SERVICE_PRE_KILL, none}, Step{PANEL_SERVICE_PRE_INSTALL, none},
                             Step{PANEL_SERVICE_PRE_UPDATE, table}})
        EXPECT_EQ(host.tokens_looked_up(fixture, step.service), step.expected) << "service " << step.service;
}

// An ignored id must not refresh tokens, derive power, run the first draw,
// kill (terminate, withdraw the variable) or touch the sound reference.
class IgnoredServiceTest : public CopiedFixtureTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(IgnoredServiceTest, HasNoEffectAtAll) {
    host.set_token(769, 1);
    host.set_token(12, 42);
    host.service(fixture, PANEL_SERVICE_PRE_UPDATE);
    host.update(fixture);
    const host::Json before = host::dump(host, fixture);

    host.set_token(769, 0);
    host.set_token(12, -5);
    EXPECT_THAT(host.tokens_looked_up(fixture, GetParam()), ::testing::IsEmpty());
    host.update(fixture);
    EXPECT_EQ(host::dump(host, fixture), before);

    // The one reference taken at pre-initialise is still the only one.
    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(fixture.terminate_calls, 1);
    EXPECT_FALSE(host.sound_loaded(fixture));
}

INSTANTIATE_TEST_SUITE_P(Frame, IgnoredServiceTest,
                         ::testing::Values(0, 1, 3, 5, 7, 8, 9, 11, 13, 99, -1, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()),
                         [](const ::testing::TestParamInfo<int32_t>& param) {
                             return param.param < 0 ? "minus" + std::to_string(-static_cast<int64_t>(param.param))
                                                    : std::to_string(param.param);
                         });

// ---- First draw --------------------------------------------------------------

TEST_F(FixtureTest, FirstDrawIsAppliedOncePerLoadedModule) {
    host.update(fixture);
    EXPECT_EQ(text(Counter), "C 0");

    host.service(fixture, PANEL_SERVICE_PRE_DRAW);
    host.update(fixture);
    EXPECT_EQ(text(Counter), "C 7");

    host.click(fixture, 15, 50, 0);  // the push under the others counts up
    host.service(fixture, PANEL_SERVICE_PRE_DRAW);
    host.update(fixture);
    EXPECT_EQ(text(Counter), "C 8") << "a second pre-draw applied the first-draw values again";

    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    host.service(fixture, PANEL_SERVICE_PRE_INITIALIZE);
    host.service(fixture, PANEL_SERVICE_PRE_UPDATE);
    host.service(fixture, PANEL_SERVICE_PRE_DRAW);
    host.update(fixture);
    EXPECT_EQ(text(Counter), "C 8") << "kill and pre-initialise repeated the first draw";
}

TEST_F(FixtureTest, FirstDrawOverridesTheDerivedPowerUntilTheNextPreUpdate) {
    host.set_token(769, 1);
    struct Step {
        int32_t service;
        bool powered_after;
    };
    const Step steps[] = {
        {PANEL_SERVICE_PRE_UPDATE, true}, {PANEL_SERVICE_PRE_DRAW, false},   // first draw: power flag to 0
        {PANEL_SERVICE_PRE_DRAW, false},  {PANEL_SERVICE_PRE_UPDATE, true},  // derived again
        {PANEL_SERVICE_PRE_DRAW, true},                                      // not a first draw any more
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        host.service(fixture, steps[i].service);
        host.update(fixture);
        EXPECT_EQ(hidden(fixture, PoweredReadout), !steps[i].powered_after) << "after step " << i;
    }
}

TEST_F(FixtureTest, PreDrawBeforeAnyPreUpdateLeavesTheGaugeUnpowered) {
    host.set_token(769, 1);
    host.set_token(12, 5);
    host.service(fixture, PANEL_SERVICE_PRE_DRAW);
    host.update(fixture);
    EXPECT_EQ(text(Counter), "C 7");
    EXPECT_TRUE(hidden(fixture, PoweredReadout));
    EXPECT_TRUE(hidden(fixture, PoweredIcon));
    // Hidden, the readout still writes its (not yet refreshed) value.
    EXPECT_EQ(text(PoweredReadout), "   0.0");
}

// ---- Power rule --------------------------------------------------------------

TEST_F(FixtureTest, PowerIsTokenSevenSixtyNineEqualToExactlyOne) {
    struct Case {
        double value;
        bool powered;
    };
    const Case cases[] = {
        {1.0, true},
        {0.9999999, false},
        {1.0000001, false},
        {std::nextafter(1.0, 2.0), false},
        {std::nextafter(1.0, 0.0), false},
        {2, false},
        {0, false},
        {-1, false},
        {nan_value, false},
        {inf, false},
        {-inf, false},
    };
    host.set_token(12, 5);
    for (const Case& c : cases) {
        // Powered first, so every case also shows the flag derived again.
        host.set_token(769, 1);
        host.frame();
        ASSERT_FALSE(hidden(fixture, PoweredReadout));
        host.set_token(769, c.value);
        host.frame();
        EXPECT_EQ(hidden(fixture, PoweredReadout), !c.powered) << "token 769 = " << c.value;
        EXPECT_EQ(hidden(fixture, PoweredIcon), !c.powered) << "token 769 = " << c.value;
        EXPECT_EQ(text(PoweredReadout), "   5.0") << "a hidden string still writes its text";
    }
}

// ---- GaugeSound binding ------------------------------------------------------

TEST(FrameSound, GaugeWorksWithoutTheSoundLibraryAndCallsNothing) {
    ModuleFolder folder({"Fixture"}, /*with_sound=*/false);
    host::PanelHost host(folder.path().string());
    host::LoadedModule& fixture = *host.load({folder.file("Fixture.gau")}).front();
    host.set_token(769, 1);
    host.set_token(12, 5);
    host.frame();
    host.frame();
    EXPECT_FALSE(hidden(fixture, PoweredReadout));
    EXPECT_EQ(fixture.text(PoweredReadout), "   5.0");
    EXPECT_FALSE(host.sound_loaded(fixture));

    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(fixture.terminate_calls, 0);
    EXPECT_FALSE(host.sound_loaded(fixture));
    EXPECT_THAT(host.named_variables(), ::testing::IsEmpty()) << "the gauge's own pre-kill work still runs";
}

TEST(FrameSound, EveryPreUpdateLooksForTheSoundLibraryAgain) {
    ModuleFolder folder({"Fixture"}, /*with_sound=*/false);
    host::PanelHost host(folder.path().string());
    host::LoadedModule& fixture = *host.load({"Fixture"}).front();
    host.frame();
    ASSERT_FALSE(host.sound_loaded(fixture));

    folder.copy(sound_library_path(), "GaugeSound.so");
    host.frame();
    EXPECT_TRUE(host.sound_loaded(fixture));
    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(fixture.terminate_calls, 1);
    EXPECT_FALSE(host.sound_loaded(fixture)) << "pre-kill did not release the reference the pre-update took";
}

TEST(FrameSound, TwoGaugesKilledOneAfterTheOtherEachTerminateAndReleaseTheirOwnReference) {
    ModuleFolder folder({"FixtureA", "FixtureB"});
    host::PanelHost host(folder.path().string());
    auto loaded = host.load({folder.file("FixtureA.gau"), folder.file("FixtureB.gau")});
    host::LoadedModule& a = *loaded[0];
    host::LoadedModule& b = *loaded[1];
    ASSERT_EQ(a.name(), "FixtureA");
    ASSERT_EQ(b.name(), "FixtureB");
    host.frame();  // pre-updates find the loaded library without a reference of their own
    ASSERT_TRUE(host.sound_loaded(a));

    host.service(a, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(a.terminate_calls, 1);
    EXPECT_EQ(b.terminate_calls, 0);
    EXPECT_TRUE(host.sound_loaded(b)) << "the first kill released more than its own reference";

    host.service(b, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(a.terminate_calls, 1);
    EXPECT_EQ(b.terminate_calls, 1);
    EXPECT_FALSE(host.sound_loaded(b)) << "a reference was left behind";
}

// A killed gauge that is updated finds the library another gauge holds; its
// next pre-initialise must still take a reference of its own, or its next
// pre-kill releases the other gauge's.
TEST(FrameSound, AGaugeUpdatedBetweenKillAndPreInitialiseReleasesOnlyItsOwnReference) {
    ModuleFolder folder({"FixtureA", "FixtureB"});
    host::PanelHost host(folder.path().string());
    auto loaded = host.load({"FixtureA", "FixtureB"});
    host::LoadedModule& a = *loaded[0];
    host::LoadedModule& b = *loaded[1];

    host.service(a, PANEL_SERVICE_PRE_KILL);
    host.service(a, PANEL_SERVICE_PRE_UPDATE);
    host.service(a, PANEL_SERVICE_PRE_INITIALIZE);
    host.service(a, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(a.terminate_calls, 2);
    EXPECT_EQ(b.terminate_calls, 0);
    EXPECT_TRUE(host.sound_loaded(b)) << "FixtureA released the reference that FixtureB holds";

    host.service(b, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(b.terminate_calls, 1);
    EXPECT_FALSE(host.sound_loaded(b)) << "a reference was left behind";
}

TEST_F(CopiedFixtureTest, KillInitialiseAgainAndKillBalanceTheReference) {
    ASSERT_TRUE(host.sound_loaded(fixture));
    host.frame();
    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(fixture.terminate_calls, 1);
    EXPECT_FALSE(host.sound_loaded(fixture));

    host.service(fixture, PANEL_SERVICE_PRE_INITIALIZE);
    EXPECT_TRUE(host.sound_loaded(fixture));
    host.frame();
    host.service(fixture, PANEL_SERVICE_PRE_KILL);
    EXPECT_EQ(fixture.terminate_calls, 2);
    EXPECT_FALSE(host.sound_loaded(fixture));
}

// ---- Reload ------------------------------------------------------------------

TEST(FrameReload, ModuleStateIsFreshAfterTheHostIsDestroyed) {
    {
        host::PanelHost first(fixture_dir);
        host::LoadedModule& fixture = *first.load({"Fixture"}).front();
        first.set_token(769, 1);
        first.frame();
        first.frame();
        first.click(fixture, 15, 50, 0);  // counter 8
        first.click(fixture, 15, 15, 0);  // fixture_var 1
        first.update(fixture);
        ASSERT_EQ(fixture.text(Counter), "C 8");
        ASSERT_EQ(fixture.text(BoundVariable), "1");
        ASSERT_FALSE(hidden(fixture, PoweredReadout));
    }
    if (void* handle = dlopen(fixture_path().c_str(), RTLD_NOW | RTLD_NOLOAD)) {
        dlclose(handle);
        FAIL() << "the Fixture stayed loaded after its host was destroyed";
    }

    host::PanelHost second(fixture_dir);
    host::LoadedModule& fixture = *second.load({"Fixture"}).front();
    second.set_token(769, 1);
    EXPECT_EQ(second.named_variables(), (std::map<std::string, int32_t>{{"fixture_var", 0}}));
    second.update(fixture);
    EXPECT_EQ(fixture.text(Counter), "C 0");
    EXPECT_EQ(fixture.text(BoundVariable), "0");
    EXPECT_TRUE(hidden(fixture, PoweredReadout)) << "the power flag survived the reload";
    second.service(fixture, PANEL_SERVICE_PRE_DRAW);
    second.update(fixture);
    EXPECT_EQ(fixture.text(Counter), "C 7") << "the once-flag survived the reload";
}

// ---- frame::to_int32 -----------------------------------------------------------

struct ToInt32Case {
    double value;
    int32_t expected;
};
constexpr int32_t int32_max = std::numeric_limits<int32_t>::max();
constexpr int32_t int32_min = std::numeric_limits<int32_t>::min();
constexpr ToInt32Case to_int32_cases[] = {
    {nan_value, 0},
    {-nan_value, 0},
    {inf, int32_max},
    {-inf, int32_min},
    {1e300, int32_max},
    {-1e300, int32_min},
    {std::numeric_limits<double>::max(), int32_max},
    {2147483648.0, int32_max},
    {-2147483648.0, int32_min},
    {2147483649.5, int32_max},
    {-2147483649.5, int32_min},
    {2147483647.0, int32_max},
    {2147483646.9, 2147483646},
    {-2147483647.9, -2147483647},
    {1.9, 1},
    {-1.9, -1},
    {0.9999999, 0},
    {-0.5, 0},
    {1.0, 1},
    {0.0, 0},
    {std::numeric_limits<double>::denorm_min(), 0},
};

// Evaluated at compile time: undefined behaviour there would not compile.
constexpr auto constant_results = [] {
    std::array<int32_t, std::size(to_int32_cases)> results{};
    for (size_t i = 0; i < results.size(); ++i) results[i] = frame::to_int32(to_int32_cases[i].value);
    return results;
}();

TEST(FrameToInt32, TruncatesTowardZeroSaturatesAndMapsNanToZero) {
    for (size_t i = 0; i < std::size(to_int32_cases); ++i) {
        const ToInt32Case& c = to_int32_cases[i];
        volatile double at_run_time = c.value;
        EXPECT_EQ(frame::to_int32(at_run_time), c.expected) << "value " << c.value;
        EXPECT_EQ(constant_results[i], c.expected) << "value " << c.value << " at compile time";
    }
}

}  // namespace
