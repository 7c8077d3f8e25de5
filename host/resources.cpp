#include "host/resources.hpp"

#include <cairo.h>

#include <cstring>
#include <stdexcept>

#include "host/resource_format.hpp"

namespace host {

namespace {
uint32_t word_at(const std::vector<unsigned char>& bytes, size_t index) {
    size_t offset = index * 4;
    if (offset + 4 > bytes.size()) throw std::runtime_error("resource section is truncated");
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

struct PngReader {
    const unsigned char* data;
    size_t remaining;
};

cairo_status_t read_png(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (length > reader->remaining) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data, length);
    reader->data += length;
    reader->remaining -= length;
    return CAIRO_STATUS_SUCCESS;
}

Bitmap decode_png(const unsigned char* data, size_t length, int32_t id) {
    PngReader reader{data, length};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(read_png, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw std::runtime_error("bitmap " + std::to_string(id) + " is not a readable PNG");
    }
    Bitmap bitmap;
    bitmap.width = cairo_image_surface_get_width(surface);
    bitmap.height = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* rows = cairo_image_surface_get_data(surface);
    bitmap.pixels.resize(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, rows + static_cast<ptrdiff_t>(y) * stride + x * 4, 4);
            bitmap.pixels[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x)] =
                pixel & 0x00FFFFFFu;
        }
    cairo_surface_destroy(surface);
    return bitmap;
}
}  // namespace

Resources::Resources(const std::vector<unsigned char>& section) {
    using namespace resource_format;
    if (section.size() < 4 * header_words || std::memcmp(section.data(), magic, 4) != 0)
        throw std::runtime_error("resource section has no CVRS header");
    if (word_at(section, 1) != version) throw std::runtime_error("resource section has an unknown version");
    uint32_t count = word_at(section, 2);
    for (uint32_t i = 0; i < count; ++i) {
        size_t entry = header_words + i * entry_words;
        auto id = static_cast<int32_t>(word_at(section, entry));
        uint32_t offset = word_at(section, entry + 3), length = word_at(section, entry + 4);
        if (static_cast<size_t>(offset) + length > section.size())
            throw std::runtime_error("bitmap " + std::to_string(id) + " lies past the end of the resource section");
        Bitmap bitmap = decode_png(section.data() + offset, length, id);
        if (bitmap.width != static_cast<int>(word_at(section, entry + 1)) ||
            bitmap.height != static_cast<int>(word_at(section, entry + 2)))
            throw std::runtime_error("bitmap " + std::to_string(id) + " does not have its recorded size");
        bitmaps_[id] = std::move(bitmap);
    }
}

const Bitmap* Resources::find(int32_t id) const {
    auto it = bitmaps_.find(id);
    return it == bitmaps_.end() ? nullptr : &it->second;
}

}  // namespace host
