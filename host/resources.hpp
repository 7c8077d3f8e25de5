// A module's bitmaps, read from its resource section and decoded.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace host {

// An RGB bitmap, pixels 0x00RRGGBB row by row. Pure black is transparent.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

class Resources {
public:
    Resources() = default;
    // Parses and decodes a resource section; throws std::runtime_error with
    // the reason when it is malformed.
    explicit Resources(const std::vector<unsigned char>& section);

    const Bitmap* find(int32_t id) const;
    bool has(int32_t id) const { return find(id) != nullptr; }
    const std::map<int32_t, Bitmap>& all() const { return bitmaps_; }

private:
    std::map<int32_t, Bitmap> bitmaps_;
};

}  // namespace host
