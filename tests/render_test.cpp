// The renderer against its rules, on the Fixture's plain-coloured bitmaps with
// exact pixel checks: colour key, needles, moving images and their windows,
// sprites, sliders, clipping, hidden elements, night lighting; label
// visibility in every built module; the display bezel.
#include "host/render.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <regex>
#include <vector>

#include "host/panel_layout.hpp"
#include "support.hpp"

namespace corvane_test {
namespace {

struct Pixel {
    int red, green, blue, alpha;
    bool operator==(const Pixel&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << "(" << p.red << "," << p.green << "," << p.blue << " a" << p.alpha << ")";
}

constexpr Pixel transparent{0, 0, 0, 0};
constexpr Pixel grey{60, 60, 60, 255};  // the Fixture's background
constexpr Pixel white{255, 255, 255, 255};
constexpr Pixel red{255, 0, 0, 255};
constexpr Pixel blue{0, 0, 255, 255};
constexpr Pixel magenta{255, 0, 255, 255};
constexpr Pixel yellow{255, 255, 0, 255};
constexpr Pixel cyan{0, 255, 255, 255};
constexpr Pixel sky{0, 0, 200, 255};
constexpr Pixel ground{120, 70, 20, 255};

// Reads an ARGB32 (premultiplied; every pixel checked here is opaque or
// fully clear) pixel.
Pixel pixel_at(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    uint32_t argb;
    std::memcpy(&argb, row + x * 4, 4);
    return {static_cast<int>(argb >> 16 & 0xFF), static_cast<int>(argb >> 8 & 0xFF), static_cast<int>(argb & 0xFF),
            static_cast<int>(argb >> 24)};
}

class RenderTest : public FixtureTest {
protected:
    host::FontMap fonts;
    host::Renderer renderer{fonts};

    void SetUp() override {
        host.set_token(769, 1);
        host.set_token(10, 180);  // the full-turn needle points down, out of the way
    }
    host::Surface render(host::Lighting lighting = host::Lighting::Day) {
        host.frame();
        return renderer.render_gauge(fixture, {lighting, 1.0});
    }
};

TEST_F(RenderTest, BlackIsTransparentAndTheBackgroundIsExact) {
    auto surface = render();
    EXPECT_EQ(pixel_at(surface.get(), 3, 3), transparent);
    EXPECT_EQ(pixel_at(surface.get(), 196, 100), transparent);
    EXPECT_EQ(pixel_at(surface.get(), 15, 15), grey);
    EXPECT_EQ(cairo_image_surface_get_width(surface.get()), 200);
    EXPECT_EQ(cairo_image_surface_get_height(surface.get()), 200);
}

// The needle's tip lands on the point of the table entry whose value it is
// given; between entries it turns clockwise.
TEST_F(RenderTest, NeedleTipLandsOnTheTablePoint) {
    struct Case {
        double value;
        double tip_x, tip_y;
    };
    const double diagonal = 40 / std::sqrt(2.0);
    for (Case c : {Case{0, 60, 100}, Case{50, 100, 60}, Case{100, 140, 100}, Case{25, 100 - diagonal, 100 - diagonal},
                   Case{75, 100 + diagonal, 100 - diagonal}}) {
        host.set_token(11, c.value);
        auto surface = render();
        // The tip: along the direction of the white tip's pixels (on the
        // expected side; the full-turn needle, pointing down, is at least
        // 90 degrees away), as far as they reach from the turning point.
        std::vector<std::pair<double, double>> tip;
        const double ex = c.tip_x - 100.5, ey = c.tip_y - 100.5;
        for (int y = 55; y < 146; ++y)
            for (int x = 55; x < 146; ++x) {
                Pixel p = pixel_at(surface.get(), x, y);
                double dx = x + 0.5 - 100.5, dy = y + 0.5 - 100.5;
                if (p.red < 200 || p.green < 200 || p.blue < 200) continue;
                if (dx * ex + dy * ey < 0.5 * std::hypot(dx, dy) * std::hypot(ex, ey)) continue;
                tip.emplace_back(dx, dy);
            }
        ASSERT_FALSE(tip.empty());
        double sx = 0, sy = 0;
        for (auto [dx, dy] : tip) sx += dx, sy += dy;
        const double ux = sx / std::hypot(sx, sy), uy = sy / std::hypot(sx, sy);
        double reach = 0;
        for (auto [dx, dy] : tip) reach = std::max(reach, dx * ux + dy * uy);
        const double best_x = 100.5 + ux * reach, best_y = 100.5 + uy * reach;
        SCOPED_TRACE("value " + std::to_string(c.value));
        EXPECT_LE(std::hypot(best_x - c.tip_x, best_y - c.tip_y), 2.0) << "tip at " << best_x << "," << best_y;
    }
}

// The moving image (20 x 100: red top row, blue bottom row, magenta between)
// in its window (20 x 40 at (10,100)), over the y range 100 to 0.
TEST_F(RenderTest, MovingImageShowsItsEndRowsAtTheWindowEdgesAndClamps) {
    struct Case {
        double y;
        Pixel top, bottom;
    };
    for (Case c :
         {Case{100, red, magenta}, Case{0, magenta, blue}, Case{250, red, magenta}, Case{-40, magenta, blue}}) {
        host.set_token(17, c.y);
        auto surface = render();
        SCOPED_TRACE("y " + std::to_string(c.y));
        EXPECT_EQ(pixel_at(surface.get(), 20, 100), c.top);
        EXPECT_EQ(pixel_at(surface.get(), 20, 139), c.bottom);
    }
}

// A window shows the picture where it is (1,1,1), nothing where it is black,
// and itself in every other colour.
TEST_F(RenderTest, WindowRuleHasThreeColours) {
    host.set_token(17, 50);
    auto surface = render();
    EXPECT_EQ(pixel_at(surface.get(), 20, 110), magenta);  // (1,1,1): the picture
    EXPECT_EQ(pixel_at(surface.get(), 10, 110), white);    // white frame column
    EXPECT_EQ(pixel_at(surface.get(), 19, 120), grey);     // black hole: the background
    EXPECT_EQ(pixel_at(surface.get(), 20, 95), grey);      // above the window nothing moves

    host.set_token(17, std::nan(""));  // no value: the window shows no image
    auto empty = render();
    EXPECT_EQ(pixel_at(empty.get(), 20, 110), grey);
    EXPECT_EQ(pixel_at(empty.get(), 10, 110), white);
}

// The sprite's texture (blue upper half, brown lower half, a white dot right
// of its centre) centred on the window's pivot (170,60), turned by rotation ×
// -1 degrees counterclockwise, i.e. clockwise for positive values.
TEST_F(RenderTest, SpriteTurnsAboutThePivotAndShifts) {
    host.set_token(19, 0);
    auto level = render();
    EXPECT_EQ(pixel_at(level.get(), 170, 45), sky);
    EXPECT_EQ(pixel_at(level.get(), 170, 75), ground);
    EXPECT_EQ(pixel_at(level.get(), 183, 59), white);  // the dot, 13 px right of the pivot

    host.set_token(19, 90);  // a quarter turn clockwise: up goes right
    auto turned = render();
    EXPECT_EQ(pixel_at(turned.get(), 185, 60), sky);
    EXPECT_EQ(pixel_at(turned.get(), 155, 60), ground);
    EXPECT_EQ(pixel_at(turned.get(), 169, 73), white);  // the dot now below the pivot

    host.set_token(19, 0);
    host.set_token(18, 4);  // 4 × 1.5 = 6 px down
    auto shifted = render();
    EXPECT_EQ(pixel_at(shifted.get(), 183, 65), white);
    EXPECT_EQ(pixel_at(shifted.get(), 170, 64), sky);

    // Turned and shifted: the shift follows the texture's own axes, as a
    // pitch ladder moves along its turned vertical: down becomes left.
    host.set_token(19, 90);
    auto both = render();
    EXPECT_EQ(pixel_at(both.get(), 163, 73), white);
    EXPECT_EQ(pixel_at(both.get(), 174, 60), sky);
}

TEST_F(RenderTest, SliderDrawsAtPositionPlusOffset) {
    host.set_token(15, 3);  // × 2 = 6 right
    host.set_token(16, 2);  // × -3 = 6 up
    auto surface = render();
    EXPECT_EQ(pixel_at(surface.get(), 156, 144), yellow);
    EXPECT_EQ(pixel_at(surface.get(), 165, 153), yellow);
    EXPECT_EQ(pixel_at(surface.get(), 155, 144), grey);
    EXPECT_EQ(pixel_at(surface.get(), 156, 154), grey);
}

TEST_F(RenderTest, TextIsCutAtItsBoxAndElementsAtTheGaugeEdge) {
    host.set_token(20, 3e38);  // dozens of digits in a 60 px box at (10,175)
    auto surface = render();
    int green_inside = 0;
    for (int y = 175; y < 190; ++y) {  // the background ends at 190
        for (int x = 10; x < 70; ++x) green_inside += pixel_at(surface.get(), x, y).green > 128;
        for (int x = 70; x < 80; ++x) EXPECT_EQ(pixel_at(surface.get(), x, y), grey) << x << "," << y;
    }
    EXPECT_GT(green_inside, 50);

    // In a panel, a slider pushed past the gauge's right edge leaves the
    // panel beyond the gauge untouched.
    host.set_token(15, 30);  // 60 px right: x 210 to 219
    host.frame();
    host::PanelLayout layout =
        host::parse_panel_layout("[Window00]\nsize_mm=300,250\ngauge00=Fixture!Fixture, 0, 0\n", "test.cfg");
    auto panel = host::render_panel(host, layout, renderer, {});
    for (int x = 200; x < 230; ++x) EXPECT_EQ(pixel_at(panel.get(), x, 155), transparent) << x;
}

TEST_F(RenderTest, HiddenElementsLeaveNoPixel) {
    host.set_token(14, 1);  // the powered icon's cyan state
    host.set_token(12, 88.8);
    EXPECT_EQ(pixel_at(render().get(), 45, 45), cyan);

    host.set_token(769, 0);
    auto unpowered = render();
    EXPECT_EQ(pixel_at(unpowered.get(), 45, 45), grey);
    for (int y = 150; y < 170; ++y)
        for (int x = 10; x < 70; ++x) ASSERT_EQ(pixel_at(unpowered.get(), x, y), grey) << x << "," << y;
}

TEST_F(RenderTest, NightDimsStaticAndUnlitElementsOnly) {
    host.set_token(15, 0);
    host.set_token(16, 0);
    auto night = render(host::Lighting::Night);
    Pixel background = pixel_at(night.get(), 15, 15);
    EXPECT_LT(background.red, 30);  // the static background is dimmed
    EXPECT_EQ(background.alpha, 255);
    EXPECT_EQ(pixel_at(night.get(), 155, 155), yellow);  // the lit slider stays bright
    EXPECT_EQ(pixel_at(night.get(), 3, 3), transparent);
    EXPECT_THROW(host::parse_lighting("dusk"), std::invalid_argument);
}

TEST_F(RenderTest, ScaleEnlargesTheWholeGauge) {
    host.frame();
    auto surface = renderer.render_gauge(fixture, {host::Lighting::Day, 2.0});
    EXPECT_EQ(cairo_image_surface_get_width(surface.get()), 400);
    EXPECT_EQ(pixel_at(surface.get(), 30, 30), grey);
    EXPECT_EQ(pixel_at(surface.get(), 10, 10), transparent);
}

// Every label of every built module shows its word and never its number: the
// word plus its spaces reaches past the box's right edge, and the word fits.
// A label is a text whose word is followed by a run of four or more spaces
// and a number.
TEST(LabelVisibility, EveryLabelOfEveryModuleHidesItsNumber) {
    const std::regex label(R"(^(.*\S)( {4,})-?[0-9][0-9.]*$)");
    host::FontMap fonts;
    host::Renderer renderer(fonts);
    int labels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(gauges_dir)) {
        if (entry.path().extension() != ".gau") continue;
        host::PanelHost host(gauges_dir);
        host::LoadedModule& module = *host.load({entry.path().stem().string()}).front();
        host.set_token(769, 1);
        host.frame();
        host.frame();
        for (size_t i = 0; i < module.module->elements().size(); ++i) {
            const ELEMENT_HEADER* element = module.module->elements()[i];
            if (element->element_type != ELEMENT_TYPE_STRING) continue;
            std::smatch match;
            std::string text = module.text(i);
            if (!std::regex_match(text, match, label)) continue;
            ++labels;
            const auto& string = *reinterpret_cast<const ELEMENT_STRING*>(element);
            SCOPED_TRACE(module.name() + " element " + std::to_string(i) + " \"" + match[1].str() + "\"");
            EXPECT_GE(renderer.text_width(string, match[1].str() + match[2].str()), string.box.width);
            EXPECT_LE(renderer.text_width(string, match[1].str()), string.box.width);
        }
    }
    RecordProperty("labels", labels);
}

TEST_F(RenderTest, FixtureLabelsHideTheirNumbers) {
    render();
    const auto& oat = *reinterpret_cast<const ELEMENT_STRING*>(fixture.module->elements()[OatLabel]);
    EXPECT_GE(renderer.text_width(oat, "OAT        "), oat.box.width);
    EXPECT_LE(renderer.text_width(oat, "OAT"), oat.box.width);
}

TEST(BezelRender, DisplayBezelHasTransparentCornersAndANearBlackScreen) {
    host::PanelHost host(gauges_dir);
    host::LoadedModule& bezel = *host.load({"Tq3_Background"}).front();
    host.frame();
    host::FontMap fonts;
    host::Renderer renderer(fonts);
    auto surface = renderer.render_gauge(bezel, {});
    for (auto [x, y] : {std::pair{0, 0}, {735, 0}, {0, 769}, {735, 769}})
        EXPECT_EQ(pixel_at(surface.get(), x, y), transparent) << x << "," << y;
    for (auto [x, y] : {std::pair{368, 368}, {40, 40}, {690, 690}, {368, 50}})
        EXPECT_EQ(pixel_at(surface.get(), x, y), (Pixel{5, 5, 5, 255})) << x << "," << y;
}

}  // namespace
}  // namespace corvane_test
