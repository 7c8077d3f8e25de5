// Panel layouts in the panel.cfg style that panel builders know:
//
//   [Window00]
//   size_mm=1600,1200            ; the panel's size in pixels
//   background_color=20,20,22    ; optional; transparent without it
//   gauge00=Tq3_Background!Tq3_Background, 0, 0
//   gauge01=Corvane_DummyS!Corvane_DummyS, 800, 0, 171, 172   ; scaled to 171 x 172
//
// Keys are case-insensitive; ';' and '//' start comments. Only [Window00]
// is drawn; other sections are read and kept aside. A module may be placed
// more than once: all its showings share its state.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

struct LayoutError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct GaugePlacement {
    std::string module;  // before the '!'
    std::string gauge;   // after it
    double x = 0, y = 0;
    std::optional<double> width, height;  // both or neither
    int line = 0;
};

struct PanelLayout {
    std::string path;
    int width = 0, height = 0;
    std::optional<std::array<int, 3>> background;
    std::vector<GaugePlacement> gauges;  // in gaugeNN order

    // Module names in order of first placement, each once.
    std::vector<std::string> modules() const;
};

// Throws LayoutError("PATH:LINE: what is wrong").
PanelLayout read_panel_layout(const std::string& path);
PanelLayout parse_panel_layout(const std::string& text, const std::string& path);

}  // namespace host
