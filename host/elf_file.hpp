// Reading a module file as the loader sees it: a named section's bytes, the
// symbols its dynamic symbol table defines, the libraries it needs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

struct ElfFile {
    // Throws std::runtime_error with the reason when `path` is not a readable
    // 64-bit little-endian ELF file.
    explicit ElfFile(const std::string& path);

    std::optional<std::vector<unsigned char>> section(const std::string& name) const;
    // Global symbols the file defines (exports) in its dynamic symbol table.
    std::vector<std::string> exported_symbols() const;
    // DT_NEEDED entries.
    std::vector<std::string> needed_libraries() const;

private:
    std::vector<unsigned char> bytes_;
};

}  // namespace host
