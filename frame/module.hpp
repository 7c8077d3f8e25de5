// The module frame every gauge is built on: the host calls, the token-variable
// table, the service-callback template and its hooks, and the one macro that
// turns a gauge's tables into the exported records.
//
// Sections: value conversions, host calls, token table, module definition,
// CORVANE_GAUGE.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "frame/gauge_host.h"

namespace frame {

// ---- Value conversions -----------------------------------------------------

// The integer part of a token value as a 32-bit integer, defined for every
// input: truncation toward zero, NaN gives 0, values beyond the 32-bit range
// saturate at its ends.
constexpr int32_t to_int32(double value) {
    if (value != value) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// ---- Host calls ------------------------------------------------------------
// Each reads the host's PANELS address afresh from ImportTable and does
// nothing while the host has not written it.

const PANELS* host();
void trigger_key_event(uint32_t event_id, int32_t value);
void register_var_by_name(int32_t* storage, const char* name);
void initialize_var_by_name(MODULE_VAR* record, const char* name);
void lookup_var(MODULE_VAR* record);
void unregister_var_by_name(const char* name);

// ---- Token table -----------------------------------------------------------

// The module's token-variable records in their fixed order; only ids are set
// at load, values are 0 until the first refresh. Gauges name the entries with
// an enum of indices.
class TokenTable {
public:
    static constexpr int capacity = 64;

    constexpr TokenTable(std::initializer_list<int32_t> ids) {
        for (int32_t id : ids) records_[count_++] = MODULE_VAR{id, nullptr, 0, 0.0, 0.0};
    }
    constexpr int size() const { return count_; }
    MODULE_VAR* begin() { return records_.data(); }
    MODULE_VAR* end() { return records_.data() + count_; }
    double value(int index) const { return records_[index].var_value; }
    int32_t id(int index) const { return records_[index].id; }

    // lookup_var on every record, one after the other in table order.
    void refresh();

private:
    std::array<MODULE_VAR, capacity> records_{};
    int count_ = 0;
};

// ---- Module definition -----------------------------------------------------

// A gauge's own work at each service, run after the template's part of it
// (the sound binding, the token refresh, the once-flag). Null hooks do
// nothing.
struct ServiceHooks {
    void (*pre_install)() = nullptr;
    void (*pre_initialise)() = nullptr;
    void (*pre_update)() = nullptr;  // derive state from the fresh tokens
    void (*first_draw)() = nullptr;  // set first-draw values, once per load
    void (*pre_kill)() = nullptr;
};

struct ModuleDefinition {
    TokenTable* tokens;
    ServiceHooks hooks;
};

// Defined by the gauge through CORVANE_GAUGE.
extern GAUGEHDR gauge_header;
extern const ModuleDefinition module_definition;

// The service callback template (frame/module.cpp).
void service_callback(GAUGEHDR* header, int32_t service_id, uint32_t extra_data);

// The module's power flag, which the power rules derive and the visibility
// rules read.
extern int32_t power_flag;

// Value of the module's token-table entry `index`.
inline double token(int index) { return module_definition.tokens->value(index); }

// The two power rules: the flag is (token = exactly 1.0), or its integer part.
inline void derive_power_exact_one(int index) { power_flag = token(index) == 1.0 ? 1 : 0; }
inline void derive_power_integer_part(int index) { power_flag = to_int32(token(index)); }

}  // namespace frame

// Defines the gauge header and the module definition from the gauge's
// tables: the name (equal to the module's), its token table, element chain,
// mouse list and, as designated initialisers, its service hooks:
//   CORVANE_GAUGE("Corvane_Clock", tokens, chain, mouse, .pre_update = derive, .first_draw = reset);
#define CORVANE_GAUGE(NAME, TOKENS, CHAIN, MOUSE, ...)                                                            \
    GAUGEHDR frame::gauge_header = {GAUGE_HEADER_VERSION,    NAME, (CHAIN).roots, GAUGE_SIZE_MM, (MOUSE).entries, \
                                    frame::service_callback, 0,    nullptr};                                      \
    const frame::ModuleDefinition frame::module_definition = {&(TOKENS), {__VA_ARGS__}}
