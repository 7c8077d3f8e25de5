// The renderer: draws a gauge's element chain, as its records and its last
// evaluation describe it, with Cairo. One function per element kind; the
// colour-key and window rules live in one place (the bitmap cache).
#pragma once

#include <cairo.h>

#include <map>
#include <memory>
#include <string>

#include "host/fonts.hpp"
#include "host/panel_host.hpp"

namespace host {

enum class Lighting { Day, Night };

struct RenderOptions {
    Lighting lighting = Lighting::Day;
    double scale = 1.0;
};

// "day" / "night"; throws std::invalid_argument otherwise.
Lighting parse_lighting(const std::string& text);

// A Cairo image surface that frees itself.
using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
Surface make_surface(int width, int height);

class Renderer {
public:
    explicit Renderer(const FontMap& fonts) : fonts_(fonts) {}

    // Draws the gauge with its top-left corner at the current origin of `cr`,
    // clipped to the gauge's size. The caller sets any scale.
    void draw_gauge(cairo_t* cr, const LoadedModule& module, Lighting lighting);

    // A transparent ARGB surface of the gauge's size × scale with the gauge
    // drawn on it.
    Surface render_gauge(const LoadedModule& module, const RenderOptions& options);

    // Text layout as the renderer draws it, for checks: the pixel size for a
    // string record and the advance width of `text` (Windows-1252) in it.
    double font_pixel_size(const ELEMENT_STRING& string) const;
    double text_width(const ELEMENT_STRING& string, const std::string& text) const;

    // The module's bitmaps as surfaces, colour-keyed, with window masks.
    struct Bitmaps;

private:
    Bitmaps& bitmaps(const Module& module);

    const FontMap& fonts_;
    std::map<const Module*, std::shared_ptr<Bitmaps>> cache_;
};

struct PanelLayout;

// The whole layout: each placement's gauge drawn at its place, scaled to its
// width and height when the layout gives them, over the layout's background
// colour (transparent without one). Every placed module must be loaded.
Surface render_panel(PanelHost& host, const PanelLayout& layout, Renderer& renderer, const RenderOptions& options);

// Writes a surface as PNG; throws std::runtime_error naming the path.
void write_png(cairo_surface_t* surface, const std::string& path);

}  // namespace host
