#include "host/module.hpp"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "host/elf_file.hpp"
#include "host/geometry.hpp"
#include "host/resource_format.hpp"

namespace host {

namespace {
constexpr size_t max_elements = 4096;
constexpr size_t max_mouse_entries = 4096;

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}
}  // namespace

const char* kind_name(int32_t element_type) {
    static const char* const names[] = {"static", "needle", "string", "slider", "icon", "moving", "sprite"};
    return element_type >= 0 && element_type <= 6 ? names[element_type] : "unknown";
}

void Module::fail(const std::string& fault) const { throw LoadError("module " + name_ + ": " + fault); }

std::unique_ptr<Module> Module::load(const std::string& name, const std::string& path) {
    std::unique_ptr<Module> module(new Module());
    module->name_ = name;
    module->path_ = path;
    if (!std::filesystem::is_regular_file(path)) module->fail("no module file at " + path);

    std::optional<std::vector<unsigned char>> section;
    try {
        ElfFile file(path);
        section = file.section(resource_format::section_name);
    } catch (const std::exception& error) {
        module->fail(error.what());
    }

    module->handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module->handle_) {
        const char* reason = dlerror();
        module->fail(std::string("the loader refused it: ") + (reason ? reason : "unknown reason"));
    }
    module->linkage_ = static_cast<MODULE_LINKAGE*>(dlsym(module->handle_, CORVANE_LINKAGE_SYMBOL));
    module->import_table_ = static_cast<IMPORT_TABLE*>(dlsym(module->handle_, CORVANE_IMPORT_TABLE_SYMBOL));
    if (!module->linkage_) module->fail("it does not export Linkage");
    if (!module->import_table_) module->fail("it does not export ImportTable");

    const MODULE_LINKAGE& linkage = *module->linkage_;
    if (linkage.module_id != MODULE_ID)
        module->fail("wrong module id " + hex(static_cast<uint32_t>(linkage.module_id)) + " (expected 0x13)");
    if (linkage.module_version != MODULE_VERSION)
        module->fail("wrong module version " + hex(linkage.module_version) + " (expected 0x800)");
    if (module->import_table_->panels.id != IMPORT_TABLE_PANELS_ID)
        module->fail("its ImportTable does not begin with the PANELS entry (id 0x0f)");
    module->header_ = linkage.gauge_list[0];
    if (!module->header_) module->fail("its Linkage lists no gauge");
    const GAUGEHDR& header = *module->header_;
    if (header.gauge_header_version != GAUGE_HEADER_VERSION)
        module->fail("wrong gauge header version " + std::to_string(header.gauge_header_version) + " (expected 800)");
    if (!header.gauge_name) module->fail("its gauge has no name");
    if (!header.gauge_callback) module->fail("its gauge has no service callback");

    if (!section) module->fail("it carries no bitmaps (no " + std::string(resource_format::section_name) + " section)");
    try {
        module->resources_ = Resources(*section);
    } catch (const std::exception& error) {
        module->fail(error.what());
    }
    module->check_chain();
    module->check_mouse_list();
    module->check_bitmaps();
    for (ELEMENT_HEADER* element : module->elements_)
        if (element->element_type == ELEMENT_TYPE_NEEDLE)
            fill_needle_angles(*reinterpret_cast<ELEMENT_NEEDLE*>(element));
    return module;
}

Module::~Module() {
    if (handle_) dlclose(handle_);
}

const char* Module::tooltip() const {
    for (const MOUSERECT* entry : mouse_)
        if (entry->rect_type == MOUSE_RECT_TOOLTIP) return entry->tooltip;
    return nullptr;
}

// Walks the chain from the root: every element of a known kind, each listing
// exactly one child or none, no element twice, the root a background image.
void Module::check_chain() {
    if (!header_->elements_list || !header_->elements_list[0])
        fail("broken element chain: the gauge has no root element");
    std::set<const ELEMENT_HEADER*> seen;
    for (ELEMENT_HEADER* element = header_->elements_list[0]; element;) {
        const std::string where = "broken element chain at element " + std::to_string(elements_.size()) + ": ";
        if (!seen.insert(element).second) fail(where + "it loops back to an earlier element");
        if (elements_.size() >= max_elements) fail(where + "more than 4096 elements");
        if (element->element_type < 0 || element->element_type > 6)
            fail(where + "unknown kind " + std::to_string(element->element_type));
        elements_.push_back(element);
        ELEMENT_HEADER* const* children = element->next_element;
        if (!children) break;
        if (children[0] && children[1]) fail(where + "it lists more than one child");
        element = children[0];
    }
    const ELEMENT_HEADER& root = *elements_[0];
    if (root.element_type != ELEMENT_TYPE_STATIC_IMAGE || root.position.x != 0 || root.position.y != 0)
        fail("broken element chain: the root element is not a static image at (0,0)");

    for (size_t i = 0; i < elements_.size(); ++i) {
        const std::string where = "element " + std::to_string(i) + " (" + kind_name(elements_[i]->element_type) + ") ";
        bool callbacks = true;
        switch (elements_[i]->element_type) {
        case ELEMENT_TYPE_NEEDLE: {
            auto* needle = reinterpret_cast<ELEMENT_NEEDLE*>(elements_[i]);
            callbacks = needle->callback;
            if (!needle->nonlinearity || needle->nonlinearity_count < 2)
                fail(where + "has no nonlinearity table of two or more entries");
            for (int32_t e = 1; e < needle->nonlinearity_count; ++e)
                if (!(needle->nonlinearity[e].value > needle->nonlinearity[e - 1].value))
                    fail(where + "has a nonlinearity table that is not in ascending order of value");
            break;
        }
        case ELEMENT_TYPE_STRING: {
            auto* string = reinterpret_cast<ELEMENT_STRING*>(elements_[i]);
            callbacks = string->callback;
            if (string->box.width <= 0 || string->box.height <= 0) fail(where + "has an empty box");
            break;
        }
        case ELEMENT_TYPE_SLIDER: {
            auto* slider = reinterpret_cast<ELEMENT_SLIDER*>(elements_[i]);
            callbacks = slider->callback_x && slider->callback_y;
            break;
        }
        case ELEMENT_TYPE_ICON: {
            auto* icon = reinterpret_cast<ELEMENT_ICON*>(elements_[i]);
            callbacks = icon->callback;
            if (icon->picture_count < 1) fail(where + "declares no states");
            break;
        }
        case ELEMENT_TYPE_MOVING_IMAGE: {
            auto* moving = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(elements_[i]);
            callbacks = moving->callback_x && moving->callback_y;
            break;
        }
        case ELEMENT_TYPE_SPRITE: {
            auto* sprite = reinterpret_cast<ELEMENT_SPRITE*>(elements_[i]);
            callbacks = sprite->callback_x && sprite->callback_y && sprite->callback_rotation;
            break;
        }
        default:
            break;
        }
        if (!callbacks) fail(where + "lacks a callback");
    }
}

void Module::check_mouse_list() {
    MOUSERECT* entry = header_->mouse_rect;
    if (!entry) fail("its gauge has no mouse rectangle list");
    for (size_t i = 0;; ++i, ++entry) {
        if (i >= max_mouse_entries) fail("broken mouse list: no end entry within 4096 entries");
        if (entry->rect_type < MOUSE_RECT_EOL || entry->rect_type > MOUSE_RECT_TOOLTIP)
            fail("broken mouse list: entry " + std::to_string(i) + " has unknown kind " +
                 std::to_string(entry->rect_type));
        if (entry->rect_type == MOUSE_RECT_CHILD && !entry->callback)
            fail("broken mouse list: hot spot " + std::to_string(i) + " has no callback");
        mouse_.push_back(entry);
        if (entry->rect_type == MOUSE_RECT_EOL) break;
    }
}

// Every bitmap an element draws must be carried: a needle's, slider's and
// static image's; the image and window of moving images and sprites; for an
// icon at least one of its states (a state may have none and draw nothing).
void Module::check_bitmaps() {
    auto require = [&](size_t index, int32_t id) {
        if (!resources_.has(id))
            fail("element " + std::to_string(index) + " (" + kind_name(elements_[index]->element_type) +
                 ") uses bitmap " + hex(static_cast<uint32_t>(id)) + ", which the module does not carry");
    };
    for (size_t i = 0; i < elements_.size(); ++i) {
        const ELEMENT_HEADER& element = *elements_[i];
        switch (element.element_type) {
        case ELEMENT_TYPE_STRING:
            break;
        case ELEMENT_TYPE_ICON: {
            const auto& icon = reinterpret_cast<const ELEMENT_ICON&>(element);
            bool any = false;
            for (int32_t state = 0; state < icon.picture_count; ++state)
                any = any || resources_.has(element.resource_id + state);
            if (!any) require(i, element.resource_id);
            break;
        }
        case ELEMENT_TYPE_MOVING_IMAGE:
        case ELEMENT_TYPE_SPRITE:
            require(i, element.resource_id);
            require(i, element.resource_id + 1);
            break;
        default:
            require(i, element.resource_id);
        }
    }
    const Bitmap* background = resources_.find(elements_[0]->resource_id);
    width_ = background->width;
    height_ = background->height;
}

}  // namespace host
