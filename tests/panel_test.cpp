// Panel layouts (reading and refusing them), the script's panel and render
// commands, and the font map's overrides.
#include <gtest/gtest.h>

#include <sstream>

#include "host/panel_layout.hpp"
#include "host/script.hpp"
#include "support.hpp"

namespace corvane_test {
namespace {

TEST(PanelLayout, ReadsWindowZeroInGaugeOrder) {
    const host::PanelLayout layout = host::parse_panel_layout(
        "; a panel\n"
        "[Window Titles]\n"
        "Window00=Main\n"
        "[WINDOW00]\n"
        "Size_MM = 800, 600   // pixels\n"
        "background_color=10,20,300\n"
        "gauge02=Corvane_DummyS!Corvane_DummyS, 400, 10, 171, 172\n"
        "gauge00=Tq3_Background!Tq3_Background, 0, 0\n"
        "gauge01=Corvane_DummyS!Corvane_DummyS, 400, 200\n"
        "[Window01]\n"
        "gauge00=Nowhere!Nowhere, 0, 0\n",
        "main.cfg");
    EXPECT_EQ(layout.width, 800);
    EXPECT_EQ(layout.height, 600);
    ASSERT_TRUE(layout.background);
    EXPECT_EQ(*layout.background, (std::array<int, 3>{10, 20, 255}));
    ASSERT_EQ(layout.gauges.size(), 3u);
    EXPECT_EQ(layout.gauges[0].module, "Tq3_Background");
    EXPECT_FALSE(layout.gauges[0].width);
    EXPECT_EQ(layout.gauges[2].gauge, "Corvane_DummyS");
    EXPECT_EQ(*layout.gauges[2].width, 171);
    EXPECT_EQ(layout.modules(), (std::vector<std::string>{"Tq3_Background", "Corvane_DummyS"}));
}

TEST(PanelLayout, RefusesBadLayoutsNamingTheLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"[Window01]\nsize_mm=10,10\n", "main.cfg: no [Window00] section"},
        {"[Window00]\ngauge00=A!A, 0, 0\n", "main.cfg: [Window00] has no size_mm"},
        {"[Window00]\nsize_mm=10\n", "main.cfg:2: size_mm needs width,height"},
        {"[Window00]\nsize_mm=0,10\n", "main.cfg:2: the panel size must be"},
        {"[Window00]\nsize_mm=10,10\ngauge00=A!A, 0\n", "main.cfg:3: expected Module!Gauge, x, y[, w, h]"},
        {"[Window00]\nsize_mm=10,10\ngauge00=A!A, 0, 0, 5\n", "main.cfg:3: expected Module!Gauge"},
        {"[Window00]\nsize_mm=10,10\ngauge00=A!A, x, 0\n", "main.cfg:3: x 'x' is not a number"},
        {"[Window00]\nsize_mm=10,10\ngauge00=A!A, 0, 0, 0, 5\n",
         "main.cfg:3: a gauge's width and height must be positive"},
        {"[Window00]\nsize_mm=10,10\ngauge00=A!A, 0, 0\ngauge00=B!B, 0, 0\n", "main.cfg:4: gauge00 is given twice"},
        {"[Window00\n", "main.cfg:1: a section name must end with ']'"},
        {"[Window00]\nsize_mm 10,10\n", "main.cfg:2: expected KEY=VALUE"},
    };
    for (const Case& c : cases) {
        try {
            host::parse_panel_layout(c.text, "main.cfg");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const host::LayoutError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << "got: " << error.what() << "\nwanted: " << c.message;
        }
    }
    EXPECT_THROW(host::read_panel_layout("/nonexistent/panel.cfg"), host::LayoutError);
}

// Runs script lines against a host on the built modules; returns the exit
// status and keeps what went to the error stream.
struct ScriptRun {
    host::PanelHost host{gauges_dir};
    std::ostringstream out, err;

    int run(const std::string& script) {
        host::ScriptRunner runner(host, out, err);
        std::istringstream in(script);
        return runner.run(in, "test");
    }
};

TEST(PanelScript, LoadsTheLayoutsModulesAndRendersThePanelOrOneGauge) {
    TempDir folder;
    const std::string layout = folder.write("panel.cfg",
                                            "[Window00]\nsize_mm=500,400\n"
                                            "gauge00=Corvane_DummyS!Corvane_DummyS, 0, 0, 171, 172\n"
                                            "gauge01=Corvane_DummyS!Corvane_DummyS, 200, 50\n");
    ScriptRun script;
    ASSERT_EQ(script.run("panel " + layout + "\nframe\nrender " + folder.file("panel.png") + " --scale 0.5\n" +
                         "render " + folder.file("dummy.png") + " Corvane_DummyS --light night\n"),
              0)
        << script.err.str();
    EXPECT_EQ(script.host.modules().size(), 1u);  // placed twice, loaded once

    host::Surface panel(cairo_image_surface_create_from_png(folder.file("panel.png").c_str()), cairo_surface_destroy);
    EXPECT_EQ(cairo_image_surface_get_width(panel.get()), 250);
    EXPECT_EQ(cairo_image_surface_get_height(panel.get()), 200);
    host::Surface dummy(cairo_image_surface_create_from_png(folder.file("dummy.png").c_str()), cairo_surface_destroy);
    EXPECT_EQ(cairo_image_surface_get_width(dummy.get()), 342);
}

TEST(PanelScript, RefusesWhatItCannotRender) {
    TempDir folder;
    const std::string wrong_gauge =
        folder.write("wrong.cfg", "[Window00]\nsize_mm=500,400\ngauge00=Corvane_DummyS!Clock, 0, 0\n");
    struct Case {
        std::string script, message;
    };
    const Case cases[] = {
        {"panel " + wrong_gauge + "\n",
         "test:1: " + wrong_gauge + ":3: module Corvane_DummyS has no gauge named Clock"},
        {"panel " + folder.file("missing.cfg") + "\n", "test:1: " + folder.file("missing.cfg") + ": cannot read"},
        {"load Corvane_DummyS\nrender " + folder.file("p.png") + "\n", "test:2: render without MODULE needs a panel"},
        {"load Corvane_DummyS\nrender x.png Corvane_DummyS --light dusk\n", "test:2: lighting must be day or night"},
        {"load Corvane_DummyS\nrender x.png Corvane_DummyS --scale 0\n", "test:2: scale must be above 0"},
        {"load Corvane_DummyS\nrender /nonexistent/x.png Corvane_DummyS\n", "test:2: cannot write /nonexistent/x.png"},
        {"render x.png Nope\n", "test:1: unknown module 'Nope'"},
    };
    for (const Case& c : cases) {
        ScriptRun script;
        EXPECT_EQ(script.run(c.script), 2) << c.script;
        EXPECT_NE(script.err.str().find(c.message), std::string::npos)
            << "got: " << script.err.str() << "wanted: " << c.message;
    }
}

TEST(FontMap, OverridesAFaceAndKeepsItsSizing) {
    host::FontMap fonts;
    const double size = fonts.choice("Quartz").size_per_box_height;
    EXPECT_TRUE(fonts.set("Quartz=DejaVu Sans"));
    EXPECT_EQ(fonts.choice("Quartz").family, "DejaVu Sans");
    EXPECT_EQ(fonts.choice("Quartz").size_per_box_height, size);
    EXPECT_FALSE(fonts.set("Quartz"));
    EXPECT_EQ(fonts.choice("Unknown Face").family, fonts.choice("Glass Gauge").family);
}

}  // namespace
}  // namespace corvane_test
