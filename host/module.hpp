// A gauge module loaded with the system loader: its exported records, its
// element chain and mouse list in order, and its bitmaps. Loading checks
// everything the host relies on and refuses a bad module with an error that
// names the module and the fault.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/gauge_host.h"
#include "host/resources.hpp"

namespace host {

struct LoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const char* kind_name(int32_t element_type);

class Module {
public:
    // Loads `path` as module `name`. Throws LoadError("module NAME: fault").
    static std::unique_ptr<Module> load(const std::string& name, const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }
    GAUGEHDR& header() const { return *header_; }
    const MODULE_LINKAGE& linkage() const { return *linkage_; }
    IMPORT_TABLE& import_table() const { return *import_table_; }
    // The chain in draw order; index 0 is the background.
    const std::vector<ELEMENT_HEADER*>& elements() const { return elements_; }
    // The mouse list up to and including its end entry.
    const std::vector<MOUSERECT*>& mouse() const { return mouse_; }
    const Resources& resources() const { return resources_; }
    int width() const { return width_; }
    int height() const { return height_; }
    const char* tooltip() const;

private:
    Module() = default;
    void check_chain();
    void check_mouse_list();
    void check_bitmaps();
    [[noreturn]] void fail(const std::string& fault) const;

    std::string name_, path_;
    void* handle_ = nullptr;
    MODULE_LINKAGE* linkage_ = nullptr;
    IMPORT_TABLE* import_table_ = nullptr;
    GAUGEHDR* header_ = nullptr;
    std::vector<ELEMENT_HEADER*> elements_;
    std::vector<MOUSERECT*> mouse_;
    Resources resources_;
    int width_ = 0, height_ = 0;
};

}  // namespace host
