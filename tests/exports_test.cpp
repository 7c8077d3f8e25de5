// What every module file offers the loader: exactly the two records, and no
// load-time tie to GaugeSound (bound at run time) or to another module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "host/elf_file.hpp"
#include "support.hpp"

namespace {
using namespace corvane_test;

std::vector<std::string> module_files() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(gauges_dir))
        if (entry.path().extension() == ".gau") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    files.push_back(fixture_path());
    return files;
}

TEST(ModuleExports, EveryModuleExportsLinkageAndImportTableOnly) {
    const auto files = module_files();
    ASSERT_THAT(files, ::testing::Contains(gauges_dir + "/Tq3_Background.gau"));
    ASSERT_THAT(files, ::testing::Contains(gauges_dir + "/Corvane_DummyS.gau"));
    for (const std::string& file : files) {
        host::ElfFile elf(file);
        EXPECT_THAT(elf.exported_symbols(), ::testing::UnorderedElementsAre("Linkage", "ImportTable")) << file;
        for (const std::string& needed : elf.needed_libraries()) {
            EXPECT_THAT(needed, ::testing::Not(::testing::HasSubstr("GaugeSound"))) << file;
            EXPECT_THAT(needed, ::testing::Not(::testing::EndsWith(".gau"))) << file;
        }
    }
}

}  // namespace
