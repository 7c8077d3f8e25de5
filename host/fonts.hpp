// The faces that string records name, mapped to installed fonts. The modules
// carry no fonts: "Quartz" is a digital display face and "Glass Gauge" a
// narrow sans for captions. The mapping lives here, once; `--font
// FACE=FAMILY` on the command line or CORVANE_FONTS="FACE=FAMILY;..." in the
// environment change it.
#pragma once

#include <cairo.h>

#include <map>
#include <string>

namespace host {

struct FontChoice {
    std::string family;  // a fontconfig family
    // Pixel size as a share of the box height. The modules' boxes are taller
    // than their text (readout rows stand 25 px apart in 36 px boxes), so
    // Quartz digits, as tall as the pixel size, fill half the box and five
    // of them fit the 74 px between two fuel-flow readouts; caption capitals,
    // about 0.7 of the pixel size, stand as tall as the digits, and the
    // longest caption word still fits its box.
    double size_per_box_height;
    // Horizontal squeeze: DSEG's digits are wide for their height; at 0.8
    // they look like the narrow digits of an avionics display.
    double width_scale = 1.0;
};

class FontMap {
public:
    FontMap();  // the defaults, then CORVANE_FONTS
    // "FACE=FAMILY"; false when the text has no '='.
    bool set(const std::string& assignment);
    const FontChoice& choice(const std::string& face) const;  // unknown faces: Glass Gauge's
    // A Cairo face for the record's face and weight (100, 400, 500, ...);
    // owned by the map.
    cairo_font_face_t* face(const std::string& face, int weight) const;
    ~FontMap();
    FontMap(const FontMap&) = delete;
    FontMap& operator=(const FontMap&) = delete;

private:
    std::map<std::string, FontChoice> choices_;
    mutable std::map<std::pair<std::string, int>, cairo_font_face_t*> faces_;
};

}  // namespace host
