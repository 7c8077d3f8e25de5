// Sections: the call scope and PANELS functions, loading, services and
// frames, element evaluation (one function per kind), mouse, observations.
#include "host/panel_host.hpp"

#include <dlfcn.h>

#include <cmath>
#include <stdexcept>

#include "host/geometry.hpp"

namespace host {

// ---- Call scope and PANELS ---------------------------------------------------
// PANELS functions take no context, so the host notes which host and module
// it is calling into; every call a module makes back happens inside one.

namespace {
PanelHost* active_host = nullptr;
LoadedModule* active_module = nullptr;

struct CallScope {
    PanelHost* saved_host;
    LoadedModule* saved_module;
    CallScope(PanelHost* host, LoadedModule* module) : saved_host(active_host), saved_module(active_module) {
        active_host = host;
        active_module = module;
    }
    ~CallScope() {
        active_host = saved_host;
        active_module = saved_module;
    }
};
}  // namespace

struct PanelHost::Callbacks {
    static void trigger_key_event(uint32_t event_id, int32_t value) {
        if (active_module) active_module->events.push_back({event_id, value});
    }
    static void register_var_by_name(void* storage, int32_t type_code, const char* name) {
        if (!active_host || !storage || !name || type_code != NAMED_VARIABLE_TYPE_INT32) return;
        active_host->named_[name] = {static_cast<int32_t*>(storage), active_module};
    }
    static void initialize_var_by_name(MODULE_VAR* record, const char* name) {
        if (!active_host || !record || !name) return;
        auto it = active_host->named_.find(name);
        record->var_ptr = it == active_host->named_.end() ? nullptr : it->second.storage;
        record->var_type = NAMED_VARIABLE_TYPE_INT32;
    }
    static void lookup_var(MODULE_VAR* record) {
        if (!active_host || !record) return;
        if (active_host->lookup_recorder_) active_host->lookup_recorder_->push_back(record->id);
        record->var_old = record->var_value;
        record->var_value = active_host->token(record->id);
    }
    static void unregister_var_by_name(const char* name) {
        if (active_host && name) active_host->named_.erase(name);
    }
    static void sound_terminated() {
        if (active_module) ++active_module->terminate_calls;
    }
};

}  // namespace host

// GaugeSound's TerminateSounds reports here when the executable exports it.
extern "C" __attribute__((visibility("default"))) void corvane_host_sound_terminated() {
    host::PanelHost::Callbacks::sound_terminated();
}

namespace host {

PanelHost::PanelHost(std::string modules_dir) : modules_dir_(std::move(modules_dir)) {
    panels_.trigger_key_event = Callbacks::trigger_key_event;
    panels_.register_var_by_name = Callbacks::register_var_by_name;
    panels_.initialize_var_by_name = Callbacks::initialize_var_by_name;
    panels_.lookup_var = Callbacks::lookup_var;
    panels_.unregister_var_by_name = Callbacks::unregister_var_by_name;
}

PanelHost::~PanelHost() {
    // Named storage belongs to the modules: forget it before they unload.
    named_.clear();
    while (!modules_.empty()) modules_.pop_back();
}

// ---- Loading -----------------------------------------------------------------

std::vector<LoadedModule*> PanelHost::load(const std::vector<std::string>& names) {
    std::vector<LoadedModule*> loaded;
    std::string failures;
    for (const std::string& name : names) {
        try {
            bool is_path = name.find('/') != std::string::npos;
            std::string path = is_path ? name : modules_dir_ + "/" + name + ".gau";
            std::string short_name = name;
            if (is_path) {
                short_name = name.substr(name.rfind('/') + 1);
                if (short_name.size() > 4 && short_name.ends_with(".gau")) short_name.resize(short_name.size() - 4);
            }
            if (find(short_name)) throw LoadError("module " + short_name + ": it is already loaded");
            auto entry = std::make_unique<LoadedModule>();
            entry->module = Module::load(short_name, path);
            entry->states.resize(entry->module->elements().size());
            entry->texts.resize(entry->module->elements().size(), std::array<char, LoadedModule::text_buffer_size>{});
            entry->module->import_table().panels.pointer = &panels_;
            modules_.push_back(std::move(entry));
            loaded.push_back(modules_.back().get());
        } catch (const LoadError& error) {
            failures += (failures.empty() ? "" : "; ") + std::string(error.what());
        }
    }
    // The modules that did load go on: every pre-install, then every
    // pre-initialise.
    for (LoadedModule* module : loaded) service(*module, PANEL_SERVICE_PRE_INSTALL);
    for (LoadedModule* module : loaded) service(*module, PANEL_SERVICE_PRE_INITIALIZE);
    if (!failures.empty()) throw LoadError(failures);
    return loaded;
}

LoadedModule* PanelHost::find(const std::string& name) {
    for (auto& module : modules_)
        if (module->name() == name) return module.get();
    return nullptr;
}

LoadedModule& PanelHost::get(const std::string& name) {
    if (LoadedModule* module = find(name)) return *module;
    throw std::out_of_range("module " + name + " is not loaded");
}

// ---- Tokens, services and frames ---------------------------------------------

void PanelHost::set_token(int32_t id, double value) { tokens_[id] = value; }

double PanelHost::token(int32_t id) const {
    if (id == 0) return 0;
    auto it = tokens_.find(id);
    return it == tokens_.end() ? 0.0 : it->second;
}

void PanelHost::service(LoadedModule& module, int32_t service_id) {
    CallScope scope(this, &module);
    GAUGEHDR& header = module.module->header();
    header.gauge_callback(&header, service_id, 0);
}

void PanelHost::update(LoadedModule& module) {
    CallScope scope(this, &module);
    for (size_t i = 0; i < module.module->elements().size(); ++i) evaluate(module, i);
}

void PanelHost::frame() {
    for (auto& module : modules_) {
        service(*module, PANEL_SERVICE_PRE_UPDATE);
        update(*module);
        service(*module, PANEL_SERVICE_PRE_DRAW);
    }
}

// ---- Element evaluation ------------------------------------------------------
// For each kind: refresh the element's own source tokens, call its callbacks,
// and turn the results into what is drawn.

namespace {
void refresh_source(MODULE_VAR& record) { PanelHost::Callbacks::lookup_var(&record); }

void evaluate_needle(ELEMENT_NEEDLE& needle, ElementState& state) {
    state.value = needle.callback(&needle);
    state.angle = needle_angle(needle.nonlinearity, needle.nonlinearity_count, state.value);
}

void evaluate_string(ELEMENT_STRING& string, std::array<char, LoadedModule::text_buffer_size>& buffer) {
    string.string = buffer.data();
    string.string_size = static_cast<uint32_t>(buffer.size());
    string.callback(&string);
    buffer.back() = '\0';
}

void evaluate_slider(ELEMENT_SLIDER& slider, ElementState& state) {
    refresh_source(slider.source_x);
    refresh_source(slider.source_y);
    state.x = slider.callback_x(&slider);
    state.y = slider.callback_y(&slider);
    state.offset_x = state.x * slider.scale_x;
    state.offset_y = state.y * slider.scale_y;
}

void evaluate_icon(ELEMENT_ICON& icon, ElementState& state, const Resources& resources) {
    refresh_source(icon.source);
    state.state = icon_state(icon.callback(&icon));
    state.bitmap.reset();
    if (state.state >= 0 && state.state < icon.picture_count && resources.has(icon.header.resource_id + state.state))
        state.bitmap = icon.header.resource_id + state.state;
}

void evaluate_moving(ELEMENT_MOVING_IMAGE& moving, ElementState& state, const Resources& resources) {
    refresh_source(moving.source_x);
    state.x = moving.callback_x(&moving);
    state.y = moving.callback_y(&moving);
    const Bitmap* image = resources.find(moving.header.resource_id);
    const Bitmap* window = resources.find(moving.header.resource_id + 1);
    state.offset_x = 0;
    state.offset_y = moving_offset(state.y, moving.y_first, moving.y_second, image->height, window->height);
}

void evaluate_sprite(ELEMENT_SPRITE& sprite, ElementState& state) {
    refresh_source(sprite.source_x);
    state.x = sprite.callback_x(&sprite);
    state.y = sprite.callback_y(&sprite);
    state.rotation = sprite.callback_rotation(&sprite);
}
}  // namespace

void PanelHost::evaluate(LoadedModule& module, size_t index) {
    ELEMENT_HEADER* element = module.module->elements()[index];
    ElementState& state = module.states[index];
    const Resources& resources = module.module->resources();
    switch (element->element_type) {
    case ELEMENT_TYPE_NEEDLE:
        evaluate_needle(*reinterpret_cast<ELEMENT_NEEDLE*>(element), state);
        break;
    case ELEMENT_TYPE_STRING:
        evaluate_string(*reinterpret_cast<ELEMENT_STRING*>(element), module.texts[index]);
        break;
    case ELEMENT_TYPE_SLIDER:
        evaluate_slider(*reinterpret_cast<ELEMENT_SLIDER*>(element), state);
        break;
    case ELEMENT_TYPE_ICON:
        evaluate_icon(*reinterpret_cast<ELEMENT_ICON*>(element), state, resources);
        break;
    case ELEMENT_TYPE_MOVING_IMAGE:
        evaluate_moving(*reinterpret_cast<ELEMENT_MOVING_IMAGE*>(element), state, resources);
        break;
    case ELEMENT_TYPE_SPRITE:
        evaluate_sprite(*reinterpret_cast<ELEMENT_SPRITE*>(element), state);
        break;
    default:
        break;  // static images have no callback
    }
}

// ---- Mouse -------------------------------------------------------------------
// The first hot spot in list order whose box holds the point takes the event,
// if its click flags select it; the point is passed relative to its box.

void PanelHost::mouse_event(LoadedModule& module, int32_t x, int32_t y, uint32_t event) {
    for (MOUSERECT* entry : module.module->mouse()) {
        if (entry->rect_type != MOUSE_RECT_CHILD) continue;
        const PIXBOX& box = entry->box;
        bool inside = x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
        if (!inside) continue;
        if (entry->mouse_flags & event) {
            CallScope scope(this, &module);
            entry->callback(x - box.x, y - box.y, event);
        }
        return;
    }
}

void PanelHost::click(LoadedModule& module, int32_t x, int32_t y, int repeats) {
    mouse_event(module, x, y, MOUSE_LEFTSINGLE);
    for (int i = 0; i < repeats; ++i) mouse_event(module, x, y, MOUSE_DOWN_REPEAT);
}

void PanelHost::drag(LoadedModule& module, int32_t x, int32_t y) { mouse_event(module, x, y, MOUSE_LEFTDRAG); }

// ---- Observations ------------------------------------------------------------

std::vector<KeyEvent> PanelHost::take_events(LoadedModule& module) {
    std::vector<KeyEvent> events;
    events.swap(module.events);
    return events;
}

std::map<std::string, int32_t> PanelHost::named_variables() const {
    std::map<std::string, int32_t> values;
    for (const auto& [name, variable] : named_) values[name] = *variable.storage;
    return values;
}

bool PanelHost::write_named_variable(const std::string& name, int32_t value) {
    auto it = named_.find(name);
    if (it == named_.end()) return false;
    *it->second.storage = value;
    return true;
}

std::vector<int32_t> PanelHost::tokens_looked_up(LoadedModule& module, int32_t service_id) {
    std::vector<int32_t> ids;
    lookup_recorder_ = &ids;
    service(module, service_id);
    lookup_recorder_ = nullptr;
    return ids;
}

bool PanelHost::sound_loaded(const LoadedModule& module) const {
    std::string path = module.module->path();
    auto slash = path.rfind('/');
    std::string library = (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/GaugeSound.so";
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

}  // namespace host
