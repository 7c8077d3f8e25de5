// corvane: describe gauge modules, drive them with line scripts and render
// gauges and panels to PNG.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "host/json_output.hpp"
#include "host/panel_host.hpp"
#include "host/script.hpp"

namespace {

// build/bin/corvane finds the modules in build/gauges.
std::string default_modules_dir() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "gauges";
    return (self.parent_path().parent_path() / "gauges").string();
}

int describe(const std::string& modules_dir, const std::vector<std::string>& names) {
    int status = 0;
    for (const std::string& name : names) {
        // One host per module, so each is described from a fresh load.
        host::PanelHost host(modules_dir);
        try {
            host::LoadedModule& module = *host.load({name}).front();
            std::vector<int32_t> tokens = host.tokens_looked_up(module, PANEL_SERVICE_PRE_UPDATE);
            std::cout << host::describe(*module.module, tokens).dump() << std::endl;
        } catch (const host::LoadError& error) {
            std::cerr << "corvane describe: " << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

int run_script_file(host::ScriptRunner& runner, const std::string& file) {
    if (file == "-") return runner.run(std::cin, "<stdin>");
    std::ifstream in(file);
    if (!in) {
        std::cerr << "corvane: cannot read " << file << '\n';
        return 2;
    }
    return runner.run(in, file);
}

struct RenderRequest {
    std::string panel, script, output, module, light = "day";
    double scale = 1.0;
};

// Loads the panel, runs the script (or one frame), then renders the panel,
// the named gauge, or the only loaded gauge.
int render(const std::string& modules_dir, const host::FontMap& fonts, const RenderRequest& request) {
    host::PanelHost host(modules_dir);
    host::ScriptRunner runner(host, std::cout, std::cerr, fonts);
    auto step = [&](const std::string& line) {
        try {
            runner.execute(line);
            return true;
        } catch (const host::ScriptError& error) {
            std::cerr << "corvane render: " << error.what() << '\n';
            return false;
        }
    };
    if (!request.panel.empty() && !step("panel " + request.panel)) return 2;
    if (!request.script.empty()) {
        if (int status = run_script_file(runner, request.script)) return status;
    } else if (!step("frame")) {
        return 2;
    }
    std::string target = request.module;
    if (target.empty() && !runner.layout() && host.modules().size() == 1) target = host.modules().front()->name();
    if (target.empty() && !runner.layout()) {
        std::cerr << "corvane render: nothing to render: give --panel, or --module with a script that loads it\n";
        return 2;
    }
    std::string line = "render " + request.output + (target.empty() ? "" : " " + target) + " --light " + request.light +
                       " --scale " + std::to_string(request.scale);
    if (!step(line)) return 2;
    std::cout << "rendered " << (target.empty() ? "panel " + runner.layout()->path : target) << " to " << request.output
              << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Corvane panel: load, drive, inspect and draw the glass cockpit's gauge modules"};
    app.require_subcommand(1);
    std::string modules_dir = default_modules_dir();
    app.add_option("--modules", modules_dir, "Folder of the .gau modules")->capture_default_str();
    std::vector<std::string> font_assignments;
    app.add_option("--font", font_assignments, "Map a face to a font family, e.g. --font \"Quartz=DSEG7 Classic\"");

    std::vector<std::string> describe_names;
    auto* describe_command = app.add_subcommand("describe", "Print each module's declaration as one JSON line");
    describe_command->add_option("MODULE", describe_names, "Module names (or paths to .gau files)")->required();

    std::string script_file = "-";
    auto* script_command = app.add_subcommand("script", "Run a line script and print JSON lines");
    script_command->add_option("FILE", script_file, "Script file, or - for standard input")->capture_default_str();

    RenderRequest request;
    auto* render_command = app.add_subcommand("render", "Render a panel layout or one gauge to PNG");
    render_command->add_option("--panel", request.panel, "Panel layout (panel.cfg style)");
    render_command->add_option("--script", request.script, "Script to run before rendering (default: one frame)");
    render_command->add_option("--module", request.module, "Render this gauge instead of the panel");
    render_command->add_option("-o,--output", request.output, "PNG to write")->required();
    render_command->add_option("--light", request.light, "day or night")->check(CLI::IsMember({"day", "night"}));
    render_command->add_option("--scale", request.scale, "Scale factor")->check(CLI::Range(0.05, 8.0));

    CLI11_PARSE(app, argc, argv);
    host::FontMap fonts;
    for (const std::string& assignment : font_assignments)
        if (!fonts.set(assignment)) {
            std::cerr << "corvane: --font needs FACE=FAMILY, not '" << assignment << "'\n";
            return 2;
        }
    if (*describe_command) return describe(modules_dir, describe_names);
    if (*render_command) return render(modules_dir, fonts, request);
    host::PanelHost host(modules_dir);
    host::ScriptRunner runner(host, std::cout, std::cerr, fonts);
    return run_script_file(runner, script_file);
}
