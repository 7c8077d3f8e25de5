#include "host/elf_file.hpp"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace host {

namespace {
template <class T>
T read_at(const std::vector<unsigned char>& bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) throw std::runtime_error("truncated ELF file");
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

struct Sections {
    std::vector<Elf64_Shdr> headers;
    const Elf64_Shdr* find_type(uint32_t type) const {
        for (const auto& header : headers)
            if (header.sh_type == type) return &header;
        return nullptr;
    }
};

Sections read_sections(const std::vector<unsigned char>& bytes) {
    auto ehdr = read_at<Elf64_Ehdr>(bytes, 0);
    Sections sections;
    for (size_t i = 0; i < ehdr.e_shnum; ++i)
        sections.headers.push_back(read_at<Elf64_Shdr>(bytes, ehdr.e_shoff + i * ehdr.e_shentsize));
    return sections;
}

std::string string_at(const std::vector<unsigned char>& bytes, const Elf64_Shdr& table, size_t index) {
    size_t start = table.sh_offset + index;
    if (index >= table.sh_size || start >= bytes.size()) throw std::runtime_error("bad ELF string index");
    const char* begin = reinterpret_cast<const char*>(bytes.data() + start);
    return std::string(begin, strnlen(begin, bytes.size() - start));
}
}  // namespace

ElfFile::ElfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the file");
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes_.size() < sizeof(Elf64_Ehdr) || std::memcmp(bytes_.data(), ELFMAG, SELFMAG) != 0)
        throw std::runtime_error("not a shared library (no ELF header)");
    if (bytes_[EI_CLASS] != ELFCLASS64 || bytes_[EI_DATA] != ELFDATA2LSB)
        throw std::runtime_error("not a 64-bit little-endian shared library");
}

std::optional<std::vector<unsigned char>> ElfFile::section(const std::string& name) const {
    auto ehdr = read_at<Elf64_Ehdr>(bytes_, 0);
    Sections sections = read_sections(bytes_);
    if (ehdr.e_shstrndx >= sections.headers.size()) return std::nullopt;
    const Elf64_Shdr& names = sections.headers[ehdr.e_shstrndx];
    for (const auto& header : sections.headers) {
        if (string_at(bytes_, names, header.sh_name) != name) continue;
        if (header.sh_type == SHT_NOBITS || header.sh_offset + header.sh_size > bytes_.size()) return std::nullopt;
        return std::vector<unsigned char>(bytes_.begin() + static_cast<long>(header.sh_offset),
                                          bytes_.begin() + static_cast<long>(header.sh_offset + header.sh_size));
    }
    return std::nullopt;
}

std::vector<std::string> ElfFile::exported_symbols() const {
    Sections sections = read_sections(bytes_);
    std::vector<std::string> names;
    const Elf64_Shdr* dynsym = sections.find_type(SHT_DYNSYM);
    if (!dynsym || dynsym->sh_link >= sections.headers.size()) return names;
    const Elf64_Shdr& strings = sections.headers[dynsym->sh_link];
    for (size_t offset = 0; offset + sizeof(Elf64_Sym) <= dynsym->sh_size; offset += sizeof(Elf64_Sym)) {
        auto symbol = read_at<Elf64_Sym>(bytes_, dynsym->sh_offset + offset);
        int binding = ELF64_ST_BIND(symbol.st_info);
        if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
        names.push_back(string_at(bytes_, strings, symbol.st_name));
    }
    return names;
}

std::vector<std::string> ElfFile::needed_libraries() const {
    Sections sections = read_sections(bytes_);
    std::vector<std::string> needed;
    const Elf64_Shdr* dynamic = sections.find_type(SHT_DYNAMIC);
    if (!dynamic || dynamic->sh_link >= sections.headers.size()) return needed;
    const Elf64_Shdr& strings = sections.headers[dynamic->sh_link];
    for (size_t offset = 0; offset + sizeof(Elf64_Dyn) <= dynamic->sh_size; offset += sizeof(Elf64_Dyn)) {
        auto entry = read_at<Elf64_Dyn>(bytes_, dynamic->sh_offset + offset);
        if (entry.d_tag == DT_NULL) break;
        if (entry.d_tag == DT_NEEDED) needed.push_back(string_at(bytes_, strings, entry.d_un.d_val));
    }
    return needed;
}

}  // namespace host
