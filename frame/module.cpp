// The exported records and the service-callback template shared by every
// module: Linkage and ImportTable, the GaugeSound binding, the token refresh
// and the once-flag.
#include "frame/module.hpp"

#include <dlfcn.h>

#include <string>

namespace {
void module_init() {}
void module_deinit() {}
}  // namespace

extern "C" {
__attribute__((visibility("default")))
MODULE_LINKAGE Linkage = {MODULE_ID, module_init, module_deinit, 0, 0, MODULE_VERSION, {&frame::gauge_header, nullptr}};

__attribute__((visibility("default"))) IMPORT_TABLE ImportTable = {{IMPORT_TABLE_PANELS_ID, nullptr}, {0, nullptr}};
}

namespace frame {

int32_t power_flag = 0;

const PANELS* host() { return static_cast<const PANELS*>(ImportTable.panels.pointer); }

void trigger_key_event(uint32_t event_id, int32_t value) {
    if (const PANELS* panels = host(); panels && panels->trigger_key_event) panels->trigger_key_event(event_id, value);
}
void register_var_by_name(int32_t* storage, const char* name) {
    if (const PANELS* panels = host(); panels && panels->register_var_by_name)
        panels->register_var_by_name(storage, NAMED_VARIABLE_TYPE_INT32, name);
}
void initialize_var_by_name(MODULE_VAR* record, const char* name) {
    if (const PANELS* panels = host(); panels && panels->initialize_var_by_name)
        panels->initialize_var_by_name(record, name);
}
void lookup_var(MODULE_VAR* record) {
    if (const PANELS* panels = host(); panels && panels->lookup_var) panels->lookup_var(record);
}
void unregister_var_by_name(const char* name) {
    if (const PANELS* panels = host(); panels && panels->unregister_var_by_name) panels->unregister_var_by_name(name);
}

void TokenTable::refresh() {
    for (MODULE_VAR& record : *this) lookup_var(&record);
}

namespace {

// ---- GaugeSound binding ----------------------------------------------------
// The library lives in the modules' own folder as GaugeSound.so. Finding an
// already loaded copy takes no reference (the probe's reference is dropped at
// once); loading takes one, which pre-kill releases. The module remembers
// whether it holds a reference of its own, so that it never releases one it
// did not take (a handle found at pre-update belongs to whoever loaded it).

struct SoundBinding {
    void* handle = nullptr;
    bool owns_reference = false;
    void (*play)() = nullptr;
    void (*stop)() = nullptr;
    void (*terminate)() = nullptr;
} sound;

const std::string& sound_library_path() {
    static const std::string path = [] {
        Dl_info info{};
        std::string folder = ".";
        if (dladdr(reinterpret_cast<const void*>(&Linkage), &info) && info.dli_fname) {
            folder = info.dli_fname;
            auto slash = folder.rfind('/');
            folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
        }
        return folder + "/GaugeSound.so";
    }();
    return path;
}

void* find_loaded_sound_library() {
    void* handle = dlopen(sound_library_path().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);  // still loaded by whoever holds it
    return handle;
}

// Takes a reference of the module's own, if it has none yet.
void load_sound_library() {
    if (sound.owns_reference) return;
    if (void* handle = dlopen(sound_library_path().c_str(), RTLD_NOW | RTLD_LOCAL)) {
        sound.handle = handle;
        sound.owns_reference = true;
    }
}

template <class Function>
Function resolve(const char* name) {
    return reinterpret_cast<Function>(dlsym(sound.handle, name));
}

void resolve_sound_entry_points() {
    if (!sound.handle) return;
    sound.play = resolve<void (*)()>("GaugePlaySound");
    sound.stop = resolve<void (*)()>("GaugeStopSound");
    sound.terminate = resolve<void (*)()>("TerminateSounds");
}

// Pre-update and pre-kill: look the library up, load it if it is not loaded.
void find_or_load_sound_library() {
    sound.handle = find_loaded_sound_library();
    if (!sound.handle) load_sound_library();
    resolve_sound_entry_points();
}

int32_t once_flag = 0;

void call(void (*hook)()) {
    if (hook) hook();
}

}  // namespace

void service_callback(GAUGEHDR*, int32_t service_id, uint32_t) {
    const ServiceHooks& hooks = module_definition.hooks;
    switch (service_id) {
    case PANEL_SERVICE_PRE_INSTALL:
        call(hooks.pre_install);
        break;
    case PANEL_SERVICE_PRE_INITIALIZE:
        load_sound_library();
        resolve_sound_entry_points();
        call(hooks.pre_initialise);
        break;
    case PANEL_SERVICE_PRE_UPDATE:
        find_or_load_sound_library();
        module_definition.tokens->refresh();
        call(hooks.pre_update);
        break;
    case PANEL_SERVICE_PRE_DRAW:
        if (once_flag == 0) {
            once_flag = 1;
            call(hooks.first_draw);
        }
        break;
    case PANEL_SERVICE_PRE_KILL:
        find_or_load_sound_library();
        if (sound.terminate) sound.terminate();
        // Release the module's one reference. The handle and entry points are
        // then forgotten: a gauge initialised again takes a reference of its
        // own rather than borrowing (and later releasing) one it never took.
        if (sound.owns_reference) dlclose(sound.handle);
        sound = SoundBinding{};
        call(hooks.pre_kill);
        break;
    default:
        break;
    }
}

}  // namespace frame
