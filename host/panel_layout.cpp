#include "host/panel_layout.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace host {

namespace {
std::string trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> split_commas(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) parts.push_back(trim(part));
    return parts;
}

struct Parser {
    const std::string& path;
    int line = 0;

    [[noreturn]] void fail(const std::string& message) const {
        throw LayoutError(path + ":" + std::to_string(line) + ": " + message);
    }
    double number(const std::string& text, const char* what) const {
        try {
            size_t used = 0;
            double value = std::stod(text, &used);
            if (used == text.size()) return value;
        } catch (const std::exception&) {
        }
        fail(std::string(what) + " '" + text + "' is not a number");
    }
};
}  // namespace

std::vector<std::string> PanelLayout::modules() const {
    std::vector<std::string> names;
    for (const auto& placement : gauges)
        if (std::find(names.begin(), names.end(), placement.module) == names.end()) names.push_back(placement.module);
    return names;
}

PanelLayout parse_panel_layout(const std::string& text, const std::string& path) {
    PanelLayout layout;
    layout.path = path;
    Parser parser{path};
    std::string section;
    bool have_window = false;
    std::map<int, GaugePlacement> gauges;
    std::istringstream in(text);
    for (std::string raw; std::getline(in, raw);) {
        ++parser.line;
        std::string content = raw;
        for (const char* comment : {";", "//"})
            if (auto at = content.find(comment); at != std::string::npos) content.resize(at);
        content = trim(content);
        if (content.empty()) continue;
        if (content.front() == '[') {
            if (content.back() != ']') parser.fail("a section name must end with ']'");
            section = lower(trim(content.substr(1, content.size() - 2)));
            have_window = have_window || section == "window00";
            continue;
        }
        auto equals = content.find('=');
        if (equals == std::string::npos) parser.fail("expected KEY=VALUE");
        std::string key = lower(trim(content.substr(0, equals))), value = trim(content.substr(equals + 1));
        if (section != "window00") continue;
        if (key == "size_mm") {
            auto parts = split_commas(value);
            if (parts.size() != 2) parser.fail("size_mm needs width,height");
            layout.width = static_cast<int>(parser.number(parts[0], "width"));
            layout.height = static_cast<int>(parser.number(parts[1], "height"));
            if (layout.width <= 0 || layout.height <= 0 || layout.width > 16384 || layout.height > 16384)
                parser.fail("the panel size must be 1 to 16384 pixels each way");
        } else if (key == "background_color") {
            auto parts = split_commas(value);
            if (parts.size() != 3) parser.fail("background_color needs red,green,blue");
            std::array<int, 3> colour{};
            for (size_t i = 0; i < 3; ++i)
                colour[i] = std::clamp(static_cast<int>(parser.number(parts[i], "colour")), 0, 255);
            layout.background = colour;
        } else if (key.rfind("gauge", 0) == 0) {
            int index = 0;
            try {
                index = std::stoi(key.substr(5));
            } catch (const std::exception&) {
                parser.fail("expected gaugeNN, not '" + key + "'");
            }
            auto parts = split_commas(value);
            if (parts.size() != 3 && parts.size() != 5) parser.fail("expected Module!Gauge, x, y[, w, h]");
            GaugePlacement placement;
            auto bang = parts[0].find('!');
            placement.module = trim(parts[0].substr(0, bang));
            placement.gauge = bang == std::string::npos ? placement.module : trim(parts[0].substr(bang + 1));
            if (placement.module.empty()) parser.fail("the gauge has no module name");
            placement.x = parser.number(parts[1], "x");
            placement.y = parser.number(parts[2], "y");
            if (parts.size() == 5) {
                placement.width = parser.number(parts[3], "width");
                placement.height = parser.number(parts[4], "height");
                if (*placement.width <= 0 || *placement.height <= 0)
                    parser.fail("a gauge's width and height must be positive");
            }
            placement.line = parser.line;
            if (gauges.count(index)) parser.fail(key + " is given twice");
            gauges[index] = placement;
        }
    }
    if (!have_window) throw LayoutError(path + ": no [Window00] section");
    if (layout.width == 0) throw LayoutError(path + ": [Window00] has no size_mm=width,height");
    for (auto& [index, placement] : gauges) layout.gauges.push_back(placement);
    return layout;
}

PanelLayout read_panel_layout(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw LayoutError(path + ": cannot read the file");
    std::stringstream text;
    text << in.rdbuf();
    return parse_panel_layout(text.str(), path);
}

}  // namespace host
