// The loader refuses bad module files with an error that names the module and
// the fault, and the host goes on loading good modules afterwards. The bad
// modules are hand-built in C (tests/fault_modules/fault.c), one per fault.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support.hpp"

namespace {
using namespace corvane_test;
using ::testing::HasSubstr;
using ::testing::StartsWith;

enum class Source { FaultModule, Missing, TextFile };

struct LoadCase {
    const char* module;
    Source source;
    const char* fault;  // part of the message after "module NAME: "
};

const LoadCase load_cases[] = {
    {"Missing", Source::Missing, "no module file at"},
    {"NotElf", Source::TextFile, "not a shared library"},
    {"fault_no_exports", Source::FaultModule, "does not export Linkage"},
    {"fault_wrong_id", Source::FaultModule, "wrong module id 0x14"},
    {"fault_wrong_version", Source::FaultModule, "wrong module version 0x700"},
    {"fault_no_gauge", Source::FaultModule, "lists no gauge"},
    {"fault_chain_loop", Source::FaultModule, "broken element chain at element 2: it loops back"},
    {"fault_root_not_static", Source::FaultModule, "broken element chain: the root element is not a static image"},
    {"fault_unknown_kind", Source::FaultModule, "broken element chain at element 1: unknown kind 7"},
    {"fault_missing_bitmap", Source::FaultModule, "uses bitmap 0x999, which the module does not carry"},
    {"fault_no_resources", Source::FaultModule, "carries no bitmaps"},
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.module; }

class LoaderTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoaderTest, RefusesTheModuleAndLoadsGoodOnesAfterwards) {
    const LoadCase& c = GetParam();
    TempDir folder;
    std::string path = fault_dir + "/" + c.module + ".gau";
    if (c.source == Source::Missing) path = folder.file(std::string(c.module) + ".gau");
    if (c.source == Source::TextFile) path = folder.write(std::string(c.module) + ".gau", "Not a module.\n");

    host::PanelHost host(fault_dir);
    try {
        host.load({path});
        ADD_FAILURE() << "the module was loaded";
    } catch (const host::LoadError& error) {
        EXPECT_THAT(error.what(), StartsWith("module " + std::string(c.module) + ": "));
        EXPECT_THAT(error.what(), HasSubstr(c.fault));
    }
    EXPECT_THAT(host.modules(), ::testing::IsEmpty());

    host::LoadedModule& fixture = *host.load({fixture_path()}).front();
    EXPECT_EQ(host.modules().size(), 1u);
    EXPECT_EQ(host.named_variables().count("fixture_var"), 1u) << "the good module was not installed";
    host.frame();
    host.click(fixture, 15, 15, 0);
    EXPECT_EQ(host.take_events(fixture).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Loader, LoaderTest, ::testing::ValuesIn(load_cases),
                         [](const ::testing::TestParamInfo<LoadCase>& param) {
                             return std::string(param.param.module);
                         });

// The same C source without a fault: the records of the C11 header are read
// by the C++ host as they were laid out, PANELS slots included.
TEST(Loader, AcceptsAModuleBuiltInC) {
    host::PanelHost host(fault_dir);
    host::LoadedModule& module = *host.load({"c_gauge"}).front();
    EXPECT_EQ(module.module->elements().size(), 2u);
    EXPECT_EQ(module.module->width(), 200);
    EXPECT_EQ(module.module->header().gauge_name, std::string("c_gauge"));
    host.frame();
    host.click(module, 49, 49, 0);
    host.click(module, 50, 50, 0);
    auto events = host.take_events(module);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].id, 0x100abu);
    EXPECT_EQ(events[0].value, -5);
}

// Whatever the host keeps from a list with a bad module has had its
// pre-install and pre-initialise like any loaded module.
TEST(Loader, ModulesKeptFromAListWithABadModuleAreInstalledAndInitialised) {
    host::PanelHost host(fixture_dir);
    EXPECT_THROW(host.load({"Fixture", "Missing"}), host::LoadError);
    EXPECT_EQ(host.find("Missing"), nullptr);
    for (const auto& kept : host.modules()) {
        ASSERT_EQ(kept->name(), "Fixture");
        EXPECT_EQ(host.named_variables().count("fixture_var"), 1u) << "kept without its pre-install";
        host.update(*kept);
        EXPECT_EQ(kept->text(BoundVariable), "0") << "kept without its pre-initialise";
        EXPECT_TRUE(host.sound_loaded(*kept)) << "kept without its pre-initialise";
    }
    host.load({gauges_dir + "/Corvane_DummyS.gau"});
    EXPECT_NE(host.find("Corvane_DummyS"), nullptr);
}

// A module given by path is named after its file, less a ".gau" suffix.
TEST(Loader, NamesAModuleAfterItsFile) {
    struct Case {
        const char* file;
        const char* name;
    };
    for (const Case& c : {Case{"FixtureA.gau", "FixtureA"}, Case{"Fixture.v2.gau", "Fixture.v2"},
                          Case{"Fixture.gau.bak", "Fixture.gau.bak"}, Case{"Fixture", "Fixture"}}) {
        TempDir folder;
        host::PanelHost host(folder.path().string());
        host::LoadedModule& module = *host.load({folder.copy(fixture_path(), c.file)}).front();
        EXPECT_EQ(module.name(), c.name) << "file " << c.file;
    }
}

TEST(Loader, RefusesAModuleThatIsAlreadyLoaded) {
    host::PanelHost host(fixture_dir);
    host.load({"Fixture"});
    EXPECT_THROW(host.load({fixture_path()}), host::LoadError);
    EXPECT_EQ(host.modules().size(), 1u);
}

}  // namespace
