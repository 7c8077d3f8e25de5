#include "host/script.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <vector>

#include "frame/module.hpp"
#include "host/json_output.hpp"

namespace host {

double parse_real(const std::string& text) {
    if (text == "nan") return std::nan("");
    if (text == "inf" || text == "+inf") return HUGE_VAL;
    if (text == "-inf") return -HUGE_VAL;
    bool digits = text.find_first_of("0123456789") != std::string::npos;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (!digits || text.find_first_not_of("0123456789+-.eE") != std::string::npos ||
        end != text.c_str() + text.size() || (errno == ERANGE && std::isinf(value)))
        throw ScriptError("'" + text + "' is not a decimal number");
    return value;
}

int32_t parse_integer(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
        throw ScriptError("'" + text + "' is not a whole number");
    return static_cast<int32_t>(value);
}

namespace {
using Words = std::vector<std::string>;

void expect_arguments(const Words& words, size_t least, size_t most, const char* usage) {
    size_t given = words.size() - 1;
    if (given < least || given > most) throw ScriptError(std::string("usage: ") + usage);
}
}  // namespace

ScriptRunner::ScriptRunner(PanelHost& host, std::ostream& out, std::ostream& err)
    : ScriptRunner(host, out, err, []() -> const FontMap& {
          static const FontMap defaults;
          return defaults;
      }()) {}

void ScriptRunner::execute(const std::string& command_line) {
    std::string line = command_line;
    if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream split(line);
    Words words;
    for (std::string word; split >> word;) words.push_back(word);
    if (words.empty()) return;

    auto module = [&](const std::string& name) -> LoadedModule& {
        if (LoadedModule* found = host_.find(name)) return *found;
        throw ScriptError("unknown module '" + name + "' (not loaded)");
    };
    auto each_or_one = [&](const Words& args, const std::function<void(LoadedModule&)>& action) {
        if (args.size() > 1) {
            action(module(args[1]));
            return;
        }
        for (const auto& loaded : host_.modules()) action(*loaded);
    };
    auto load = [&](const Words& names) {
        try {
            host_.load(names);
        } catch (const LoadError& error) {
            throw ScriptError(error.what());
        }
    };

    const std::string& command = words[0];
    if (command == "load") {
        expect_arguments(words, 1, SIZE_MAX, "load MODULE...");
        load(Words(words.begin() + 1, words.end()));
    } else if (command == "set") {
        expect_arguments(words, 2, 2, "set TOKEN VALUE");
        host_.set_token(parse_integer(words[1]), parse_real(words[2]));
    } else if (command == "var") {
        expect_arguments(words, 2, 2, "var NAME VALUE");
        if (!host_.write_named_variable(words[1], frame::to_int32(parse_real(words[2]))))
            throw ScriptError("named variable '" + words[1] + "' is not published");
    } else if (command == "service") {
        expect_arguments(words, 2, 2, "service MODULE ID");
        LoadedModule& target = module(words[1]);
        host_.service(target, parse_integer(words[2]));
    } else if (command == "update") {
        expect_arguments(words, 0, 1, "update [MODULE]");
        each_or_one(words, [&](LoadedModule& target) { host_.update(target); });
    } else if (command == "frame") {
        expect_arguments(words, 0, 1, "frame [N]");
        int32_t count = words.size() > 1 ? parse_integer(words[1]) : 1;
        if (count < 0) throw ScriptError("frame count must not be negative");
        for (int32_t i = 0; i < count; ++i) host_.frame();
    } else if (command == "click") {
        expect_arguments(words, 3, 4, "click MODULE X Y [REPEATS]");
        LoadedModule& target = module(words[1]);
        int32_t x = parse_integer(words[2]), y = parse_integer(words[3]);
        int32_t repeats = words.size() > 4 ? parse_integer(words[4]) : 0;
        if (repeats < 0) throw ScriptError("repeats must not be negative");
        host_.click(target, x, y, repeats);
    } else if (command == "drag") {
        expect_arguments(words, 3, 3, "drag MODULE X Y");
        LoadedModule& target = module(words[1]);
        host_.drag(target, parse_integer(words[2]), parse_integer(words[3]));
    } else if (command == "kill") {
        expect_arguments(words, 1, 1, "kill MODULE");
        host_.service(module(words[1]), PANEL_SERVICE_PRE_KILL);
    } else if (command == "dump") {
        expect_arguments(words, 0, 1, "dump [MODULE]");
        each_or_one(words, [&](LoadedModule& target) { out_ << dump(host_, target).dump() << '\n'; });
        out_.flush();
    } else if (command == "panel") {
        expect_arguments(words, 1, 1, "panel FILE");
        try {
            PanelLayout layout = read_panel_layout(words[1]);
            Words missing;
            for (const std::string& name : layout.modules())
                if (!host_.find(name)) missing.push_back(name);
            load(missing);
            for (const GaugePlacement& placement : layout.gauges)
                if (placement.gauge != host_.get(placement.module).module->header().gauge_name)
                    throw LayoutError(layout.path + ":" + std::to_string(placement.line) + ": module " +
                                      placement.module + " has no gauge named " + placement.gauge);
            layout_ = std::move(layout);
        } catch (const LayoutError& error) {
            throw ScriptError(error.what());
        }
    } else if (command == "render") {
        expect_arguments(words, 1, 6, "render PATH [MODULE] [--light day|night] [--scale S]");
        RenderOptions options;
        std::string gauge;
        for (size_t i = 2; i < words.size(); ++i) {
            if (words[i] == "--light" && i + 1 < words.size()) {
                try {
                    options.lighting = parse_lighting(words[++i]);
                } catch (const std::invalid_argument& error) {
                    throw ScriptError(error.what());
                }
            } else if (words[i] == "--scale" && i + 1 < words.size()) {
                options.scale = parse_real(words[++i]);
                if (!(options.scale > 0 && options.scale <= 8))
                    throw ScriptError("scale must be above 0 and at most 8");
            } else if (gauge.empty() && words[i].rfind("--", 0) != 0) {
                gauge = words[i];
            } else {
                throw ScriptError("usage: render PATH [MODULE] [--light day|night] [--scale S]");
            }
        }
        try {
            if (!gauge.empty()) {
                write_png(renderer_.render_gauge(module(gauge), options).get(), words[1]);
            } else {
                if (!layout_) throw ScriptError("render without MODULE needs a panel layout (panel FILE)");
                write_png(render_panel(host_, *layout_, renderer_, options).get(), words[1]);
            }
        } catch (const std::runtime_error& error) {
            if (dynamic_cast<const ScriptError*>(&error)) throw;
            throw ScriptError(error.what());
        }
    } else {
        throw ScriptError("unknown command '" + command + "'");
    }
}

int ScriptRunner::run(std::istream& in, const std::string& source_name) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        try {
            execute(line);
        } catch (const ScriptError& error) {
            out_.flush();
            err_ << source_name << ":" << number << ": " << error.what() << '\n';
            return 2;
        }
    }
    return 0;
}

}  // namespace host
