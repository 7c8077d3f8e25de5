// Texts as modules write them: single-byte Windows-1252.
#pragma once

#include <string>

namespace host {

// Windows-1252 bytes as UTF-8 (0xB0 becomes the degree sign); bytes the code
// page leaves unassigned become U+FFFD.
std::string windows1252_to_utf8(const std::string& text);

}  // namespace host
