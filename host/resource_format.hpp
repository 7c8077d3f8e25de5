// The resource section that carries a module's bitmaps, as the art programs
// write it and the host's loader reads it. All integers little-endian u32.
//
//   magic "CVRS", version 1, count
//   count entries: id, width, height, offset, length
//   PNG files (RGB, no alpha); offset counts from the start of the section
//
// Pure black (0,0,0) is transparent wherever a bitmap is drawn.
#pragma once

#include <cstdint>

namespace resource_format {
inline constexpr char magic[4] = {'C', 'V', 'R', 'S'};
inline constexpr uint32_t version = 1;
inline constexpr uint32_t header_words = 3;
inline constexpr uint32_t entry_words = 5;
inline constexpr const char* section_name = ".corvane_resources";
}  // namespace resource_format
