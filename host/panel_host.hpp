// The panel host: our stand-in for the simulator's panel system. It loads
// modules, offers them PANELS (tokens, named variables, key events), calls
// their services, evaluates their elements and passes clicks to hot spots.
//
// Decisions the modules leave to the host, made here once:
//   - service 2 runs on every module of a load before service 4 on any;
//   - a frame is, per module in load order: service 6, the element
//     callbacks, service 10;
//   - a token never set reads 0, and token 0 always reads 0;
//   - a named variable of another type code than 0x13 is not published; a
//     name published twice is bound to the later storage;
//   - key events are logged against the module whose callback sent them.
//
// Sections: element states, loaded modules, the host.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/module.hpp"

namespace host {

// ---- Element states --------------------------------------------------------

// What the last evaluation of one element produced, as the host reads it.
struct ElementState {
    double value = 0;                   // needle
    double angle = 0;                   // needle: degrees clockwise from straight up
    int32_t state = 0;                  // icon
    std::optional<int32_t> bitmap;      // icon: the bitmap it shows, if any
    double x = 0, y = 0;                // slider, moving image, sprite values
    double rotation = 0;                // sprite
    double offset_x = 0, offset_y = 0;  // slider: pixels; moving: offset_y
};

struct KeyEvent {
    uint32_t id;
    int32_t value;
};

// ---- Loaded modules ----------------------------------------------------------

struct LoadedModule {
    static constexpr size_t text_buffer_size = 256;

    std::unique_ptr<Module> module;
    std::vector<ElementState> states;                       // one per element
    std::vector<std::array<char, text_buffer_size>> texts;  // one per element
    std::vector<KeyEvent> events;                           // since the last take
    int terminate_calls = 0;

    const std::string& name() const { return module->name(); }
    std::string text(size_t element) const { return texts[element].data(); }
};

// ---- The host ----------------------------------------------------------------

class PanelHost {
public:
    explicit PanelHost(std::string modules_dir);
    ~PanelHost();
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    const std::string& modules_dir() const { return modules_dir_; }

    // Loads NAME.gau from the modules folder (or a path, when NAME holds a
    // '/'), then service 2 on each, then service 4 on each. A module that
    // cannot be loaded is skipped and the others go on; then LoadError names
    // every refused module and its fault.
    std::vector<LoadedModule*> load(const std::vector<std::string>& names);
    LoadedModule* find(const std::string& name);
    LoadedModule& get(const std::string& name);  // throws std::out_of_range
    const std::vector<std::unique_ptr<LoadedModule>>& modules() const { return modules_; }

    // Tokens.
    void set_token(int32_t id, double value);
    double token(int32_t id) const;

    // Calls.
    void service(LoadedModule& module, int32_t service_id);
    void update(LoadedModule& module);  // the element callbacks, in chain order
    void frame();                       // 6, element callbacks, 10 on each module
    void click(LoadedModule& module, int32_t x, int32_t y, int repeats);
    void drag(LoadedModule& module, int32_t x, int32_t y);

    // Observations.
    std::vector<KeyEvent> take_events(LoadedModule& module);
    std::map<std::string, int32_t> named_variables() const;
    bool write_named_variable(const std::string& name, int32_t value);  // false: not published
    bool sound_loaded(const LoadedModule& module) const;
    // The token ids that service `service_id` looks up, in order.
    std::vector<int32_t> tokens_looked_up(LoadedModule& module, int32_t service_id);

    // Called by the PANELS functions and the GaugeSound hook.
    struct Callbacks;

private:
    void evaluate(LoadedModule& module, size_t index);
    void mouse_event(LoadedModule& module, int32_t x, int32_t y, uint32_t event);

    std::string modules_dir_;
    PANELS panels_{};
    std::vector<std::unique_ptr<LoadedModule>> modules_;
    std::unordered_map<int32_t, double> tokens_;
    struct NamedVariable {
        int32_t* storage;
        LoadedModule* owner;
    };
    std::map<std::string, NamedVariable> named_;
    std::vector<int32_t>* lookup_recorder_ = nullptr;
};

}  // namespace host
