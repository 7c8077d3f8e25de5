// The two bezels: fixed pictures with transparent outer corners around an
// opaque near-black screen, unmoved by any service, frame or click.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/json_output.hpp"
#include "support.hpp"

namespace {
using namespace corvane_test;

struct Bezel {
    const char* name;
    int32_t bitmap;
    int width, height;
    PIXBOX screen_inside;  // lies wholly within the rounded screen area
    uint32_t screen;       // 0x00RRGGBB
};

const Bezel bezels[] = {
    {"Tq3_Background", 0x1400, 736, 770, {55, 55, 624, 624}, 0x050505},
    {"Corvane_DummyS", 0x100, 342, 345, {30, 30, 280, 280}, 0x020202},
};

void PrintTo(const Bezel& b, std::ostream* out) { *out << b.name; }

class BezelTest : public ::testing::TestWithParam<Bezel> {
protected:
    std::string path() const { return gauges_dir + "/" + GetParam().name + ".gau"; }
};

TEST_P(BezelTest, PictureHasTransparentCornersAroundAnOpaqueDarkScreen) {
    const Bezel& b = GetParam();
    auto module = host::Module::load(b.name, path());
    EXPECT_EQ(module->width(), b.width);
    EXPECT_EQ(module->height(), b.height);
    ASSERT_EQ(module->elements().size(), 1u);
    const ELEMENT_HEADER& element = *module->elements()[0];
    EXPECT_EQ(element.element_type, ELEMENT_TYPE_STATIC_IMAGE);
    EXPECT_EQ(element.resource_id, b.bitmap);
    EXPECT_EQ(element.image_flags, IMAGE_FLAGS_DECLARED);

    const host::Bitmap* picture = module->resources().find(b.bitmap);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->width, b.width);
    ASSERT_EQ(picture->height, b.height);
    for (auto [x, y] : {std::pair{0, 0}, {b.width - 1, 0}, {0, b.height - 1}, {b.width - 1, b.height - 1}})
        EXPECT_EQ(picture->at(x, y), 0u) << "corner (" << x << "," << y << ") is not transparent";
    EXPECT_NE(picture->at(b.width / 2, 4), 0u) << "the frame is transparent";

    const PIXBOX& s = b.screen_inside;
    EXPECT_EQ(picture->at(s.x + s.width / 2, s.y + s.height / 2), b.screen) << "screen centre";
    int off = 0;
    for (int y = s.y; y < s.y + s.height; ++y)
        for (int x = s.x; x < s.x + s.width; ++x) off += picture->at(x, y) != b.screen;
    EXPECT_EQ(off, 0) << "pixels of the screen area that are not exactly the screen colour";
}

TEST_P(BezelTest, DeclaresNoTooltipNoTokensAndNoHotSpots) {
    host::PanelHost host(gauges_dir);
    host::LoadedModule& bezel = *host.load({GetParam().name}).front();
    const host::Json described = host::describe(*bezel.module, host.tokens_looked_up(bezel, PANEL_SERVICE_PRE_UPDATE));
    EXPECT_EQ(described["module"], GetParam().name);
    EXPECT_EQ(described["gauge"], GetParam().name);
    EXPECT_TRUE(described["tooltip"].is_null());
    EXPECT_EQ(described["tokens"], host::Json::array());
    EXPECT_EQ(described["mouse"], host::Json::parse(R"([{"kind":"parent"},{"kind":"end_parent"},{"kind":"end"}])"));
}

TEST_P(BezelTest, ServicesFramesAndClicksLeaveItUnchanged) {
    const Bezel& b = GetParam();
    host::PanelHost host(gauges_dir);
    host::LoadedModule& bezel = *host.load({b.name}).front();
    const ELEMENT_HEADER declared = *bezel.module->elements()[0];
    const host::Json elements = host::dump(host, bezel)["elements"];

    for (double power : {0.0, 1.0, 2.0}) {
        host.set_token(769, power);
        for (int32_t id = -1; id <= 14; ++id) host.service(bezel, id);
        host.frame();
        for (int y = -1; y <= b.height; y += 8)
            for (int x = -1; x <= b.width; x += 8) {
                host.click(bezel, x, y, 1);
                host.drag(bezel, x, y);
            }
        EXPECT_THAT(host.take_events(bezel), ::testing::IsEmpty());
        const ELEMENT_HEADER& now = *bezel.module->elements()[0];
        EXPECT_EQ(now.image_flags, declared.image_flags) << "power " << power;
        EXPECT_EQ(now.resource_id, declared.resource_id);
        EXPECT_EQ(now.position.x, 0);
        EXPECT_EQ(now.position.y, 0);
        EXPECT_EQ(host::dump(host, bezel)["elements"], elements) << "power " << power;
    }
}

INSTANTIATE_TEST_SUITE_P(Bezels, BezelTest, ::testing::ValuesIn(bezels),
                         [](const ::testing::TestParamInfo<Bezel>& param) { return std::string(param.param.name); });

}  // namespace
