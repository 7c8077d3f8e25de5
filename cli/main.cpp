// corvane: describe gauge modules and drive them with line scripts.
#include <unistd.h>

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

int script(const std::string& modules_dir, const std::string& file) {
    host::PanelHost host(modules_dir);
    host::ScriptRunner runner(host, std::cout, std::cerr);
    if (file == "-") return runner.run(std::cin, "<stdin>");
    std::ifstream in(file);
    if (!in) {
        std::cerr << "corvane script: cannot read " << file << '\n';
        return 2;
    }
    return runner.run(in, file);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Corvane panel: load, drive and inspect the glass cockpit's gauge modules"};
    app.require_subcommand(1);
    std::string modules_dir = default_modules_dir();
    app.add_option("--modules", modules_dir, "Folder of the .gau modules")->capture_default_str();

    std::vector<std::string> describe_names;
    auto* describe_command = app.add_subcommand("describe", "Print each module's declaration as one JSON line");
    describe_command->add_option("MODULE", describe_names, "Module names (or paths to .gau files)")->required();

    std::string script_file = "-";
    auto* script_command = app.add_subcommand("script", "Run a line script and print JSON lines");
    script_command->add_option("FILE", script_file, "Script file, or - for standard input")->capture_default_str();

    CLI11_PARSE(app, argc, argv);
    if (*describe_command) return describe(modules_dir, describe_names);
    return script(modules_dir, script_file);
}
