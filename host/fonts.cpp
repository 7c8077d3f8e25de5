#include "host/fonts.hpp"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <sstream>

namespace host {

FontMap::FontMap() {
    choices_["Quartz"] = {"DSEG14 Classic", 0.5, 0.8};
    choices_["Glass Gauge"] = {"Roboto Condensed", 0.75};
    if (const char* overrides = std::getenv("CORVANE_FONTS")) {
        std::istringstream list(overrides);
        for (std::string item; std::getline(list, item, ';');) set(item);
    }
}

FontMap::~FontMap() {
    for (auto& [key, face] : faces_) cairo_font_face_destroy(face);
}

bool FontMap::set(const std::string& assignment) {
    auto equals = assignment.find('=');
    if (equals == std::string::npos) return false;
    std::string face = assignment.substr(0, equals), family = assignment.substr(equals + 1);
    FontChoice choice = choices_.count(face) ? choices_[face] : choices_["Glass Gauge"];
    choice.family = family;
    choices_[face] = choice;
    for (auto it = faces_.begin(); it != faces_.end();) {
        if (it->first.first == face) {
            cairo_font_face_destroy(it->second);
            it = faces_.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

const FontChoice& FontMap::choice(const std::string& face) const {
    auto it = choices_.find(face);
    return it != choices_.end() ? it->second : choices_.at("Glass Gauge");
}

namespace {
// Record weights are Windows weights (100 thin .. 900 black).
int fontconfig_weight(int weight) {
    if (weight <= 150) return FC_WEIGHT_LIGHT;  // thin captions stay readable
    if (weight < 450) return FC_WEIGHT_REGULAR;
    if (weight < 550) return FC_WEIGHT_MEDIUM;
    if (weight < 650) return FC_WEIGHT_DEMIBOLD;
    return FC_WEIGHT_BOLD;
}
}  // namespace

cairo_font_face_t* FontMap::face(const std::string& face, int weight) const {
    auto key = std::make_pair(face, weight);
    if (auto it = faces_.find(key); it != faces_.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(choice(face).family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, fontconfig_weight(weight));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    cairo_font_face_t* font = cairo_ft_font_face_create_for_pattern(match ? match : pattern);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    faces_[key] = font;
    return font;
}

}  // namespace host
