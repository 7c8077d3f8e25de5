// The line script that drives the host: load modules, set tokens and named
// variables, run services, frames and clicks, and dump what the modules show
// as JSON lines. One command per line; '#' starts a comment.
//
//   load MODULE...          service 2 on each, then 4 on each
//   set TOKEN VALUE         VALUE a decimal real, nan, inf or -inf
//   var NAME VALUE          write a published named variable
//   service MODULE ID       the service callback with any id
//   update [MODULE]         the element callbacks
//   frame [N]               N times, per module: 6, element callbacks, 10
//   click MODULE X Y [REPEATS]
//   drag MODULE X Y
//   kill MODULE             service 12
//   dump [MODULE]
//   panel FILE              load a panel layout's modules, in its order
//   render PATH [MODULE] [--light day|night] [--scale S]
//                           a PNG of one gauge, or of the whole layout
//
// An error stops the script with "SOURCE:LINE: message" on the error stream
// and status 2; what was printed before stays.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "host/fonts.hpp"
#include "host/panel_host.hpp"
#include "host/panel_layout.hpp"
#include "host/render.hpp"

namespace host {

class ScriptRunner {
public:
    // Renders with the default font map unless given one.
    ScriptRunner(PanelHost& host, std::ostream& out, std::ostream& err);
    ScriptRunner(PanelHost& host, std::ostream& out, std::ostream& err, const FontMap& fonts)
        : host_(host), out_(out), err_(err), renderer_(fonts) {}
    // Returns 0 when every line ran, 2 when one failed.
    int run(std::istream& in, const std::string& source_name);
    // Runs one command line; throws ScriptError.
    void execute(const std::string& line);

    const std::optional<PanelLayout>& layout() const { return layout_; }
    Renderer& renderer() { return renderer_; }

private:
    PanelHost& host_;
    std::ostream& out_;
    std::ostream& err_;
    Renderer renderer_;
    std::optional<PanelLayout> layout_;
};

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "12.5", "-3", "1e3", "nan", "inf", "-inf"; throws ScriptError otherwise.
double parse_real(const std::string& text);
// A decimal integer within int32; throws ScriptError otherwise.
int32_t parse_integer(const std::string& text);

}  // namespace host
