// Helpers shared by the tests: where the built modules live, temporary module
// folders, the Fixture's element numbers and short reads of element results.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "host/panel_host.hpp"

namespace corvane_test {

namespace fs = std::filesystem;

// Folders and programs of the build (see tests/CMakeLists.txt).
inline const std::string fixture_dir = CORVANE_FIXTURE_MODULES_DIR;
inline const std::string gauges_dir = CORVANE_GAUGES_DIR;
inline const std::string fault_dir = CORVANE_FAULT_MODULES_DIR;
inline const std::string corvane_binary = CORVANE_BINARY;

inline std::string fixture_path() { return fixture_dir + "/Fixture.gau"; }
inline std::string sound_library_path() { return fixture_dir + "/GaugeSound.so"; }

// The Fixture's chain, by element number (tests/fixture_gauge/gauge.cpp).
enum FixtureElement : size_t {
    Background,
    FullTurnNeedle,  // token 10, table 0..359 one pixel apart
    ThreeNeedle,     // token 11, left 0, up 50, right 100
    PoweredReadout,  // "%6.1f" of token 12, clamped -100..100, shown while powered
    OatLabel,        // "OAT" + 8 spaces + "%3.0f"
    SourceIcon,      // 0x300, 3 states, own token 13
    PoweredIcon,     // 0x310, 2 states, hidden unless powered
    Slider,          // 0x400, scale (2, -3), own tokens 15 and 16
    Moving,          // 0x500 in 0x501, y range 100..0, token 17
    Sprite,          // 0x600 in 0x601, y token 18, rotation token 19
    HugeReadout,     // "%.0f" of token 20, unclamped
    LongLabel,       // "WORD" + 300 spaces + "%.0f"
    Counter,         // "C %.0f" of the first-draw counter
    BoundVariable,   // "fixture_var" through the binding, -1 while unbound
};

// A folder that lives as long as the object; declare it before any host that
// loads modules from it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Copies `from` into the folder as `name` (a file of its own, not a link).
    std::string copy(const std::string& from, const std::string& name) const {
        fs::copy_file(from, path_ / name);
        return file(name);
    }
    std::string write(const std::string& name, const std::string& contents) const {
        std::ofstream(path_ / name, std::ios::binary) << contents;
        return file(name);
    }

private:
    fs::path path_;
};

inline bool hidden(const host::LoadedModule& module, size_t element) {
    return (module.module->elements()[element]->image_flags & IMAGE_FLAG_HIDDEN) != 0;
}
inline const host::ElementState& state(const host::LoadedModule& module, size_t element) {
    return module.states[element];
}

// A host with the Fixture loaded from its build folder (pre-install and
// pre-initialise done), fresh for every test.
class FixtureTest : public ::testing::Test {
protected:
    host::PanelHost host{fixture_dir};
    host::LoadedModule& fixture = *host.load({"Fixture"}).front();

    std::string text(size_t element) const { return fixture.text(element); }
};

}  // namespace corvane_test
