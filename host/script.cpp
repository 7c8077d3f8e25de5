#include "host/script.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
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
        end != text.c_str() + text.size() || errno == ERANGE)
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

int ScriptRunner::run(std::istream& in, const std::string& source_name) {
    auto module = [&](const std::string& name) -> LoadedModule& {
        if (LoadedModule* found = host_.find(name)) return *found;
        throw ScriptError("unknown module '" + name + "' (not loaded)");
    };
    auto each_or_one = [&](const Words& words, const std::function<void(LoadedModule&)>& action) {
        if (words.size() > 1) {
            action(module(words[1]));
            return;
        }
        for (const auto& loaded : host_.modules()) action(*loaded);
    };

    using Command = std::function<void(const Words&)>;
    const std::map<std::string, Command> commands = {
        {"load",
         [&](const Words& words) {
             expect_arguments(words, 1, SIZE_MAX, "load MODULE...");
             try {
                 host_.load(Words(words.begin() + 1, words.end()));
             } catch (const LoadError& error) {
                 throw ScriptError(error.what());
             }
         }},
        {"set",
         [&](const Words& words) {
             expect_arguments(words, 2, 2, "set TOKEN VALUE");
             host_.set_token(parse_integer(words[1]), parse_real(words[2]));
         }},
        {"var",
         [&](const Words& words) {
             expect_arguments(words, 2, 2, "var NAME VALUE");
             if (!host_.write_named_variable(words[1], frame::to_int32(parse_real(words[2]))))
                 throw ScriptError("named variable '" + words[1] + "' is not published");
         }},
        {"service",
         [&](const Words& words) {
             expect_arguments(words, 2, 2, "service MODULE ID");
             LoadedModule& target = module(words[1]);
             host_.service(target, parse_integer(words[2]));
         }},
        {"update",
         [&](const Words& words) {
             expect_arguments(words, 0, 1, "update [MODULE]");
             each_or_one(words, [&](LoadedModule& target) { host_.update(target); });
         }},
        {"frame",
         [&](const Words& words) {
             expect_arguments(words, 0, 1, "frame [N]");
             int32_t count = words.size() > 1 ? parse_integer(words[1]) : 1;
             if (count < 0) throw ScriptError("frame count must not be negative");
             for (int32_t i = 0; i < count; ++i) host_.frame();
         }},
        {"click",
         [&](const Words& words) {
             expect_arguments(words, 3, 4, "click MODULE X Y [REPEATS]");
             LoadedModule& target = module(words[1]);
             int32_t x = parse_integer(words[2]), y = parse_integer(words[3]);
             int32_t repeats = words.size() > 4 ? parse_integer(words[4]) : 0;
             if (repeats < 0) throw ScriptError("repeats must not be negative");
             host_.click(target, x, y, repeats);
         }},
        {"drag",
         [&](const Words& words) {
             expect_arguments(words, 3, 3, "drag MODULE X Y");
             LoadedModule& target = module(words[1]);
             host_.drag(target, parse_integer(words[2]), parse_integer(words[3]));
         }},
        {"kill",
         [&](const Words& words) {
             expect_arguments(words, 1, 1, "kill MODULE");
             host_.service(module(words[1]), PANEL_SERVICE_PRE_KILL);
         }},
        {"dump",
         [&](const Words& words) {
             expect_arguments(words, 0, 1, "dump [MODULE]");
             each_or_one(words, [&](LoadedModule& target) { out_ << dump(host_, target).dump() << '\n'; });
             out_.flush();
         }},
    };

    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
        std::istringstream split(line);
        Words words;
        for (std::string word; split >> word;) words.push_back(word);
        if (words.empty()) continue;
        try {
            auto command = commands.find(words[0]);
            if (command == commands.end()) throw ScriptError("unknown command '" + words[0] + "'");
            command->second(words);
        } catch (const ScriptError& error) {
            out_.flush();
            err_ << source_name << ":" << number << ": " << error.what() << '\n';
            return 2;
        }
    }
    return 0;
}

}  // namespace host
