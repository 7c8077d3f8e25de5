// The JSON that `corvane describe` and the script's `dump` print.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/panel_host.hpp"
#include "host/text.hpp"

namespace host {

using Json = nlohmann::ordered_json;

// A number, or "nan", "inf", "-inf".
Json number(double value);
// "0x1234"
std::string hex_id(int64_t id);

// The module's declaration: header, token table, elements, mouse list. The
// token table is observed by running one pre-update against a recording host.
Json describe(const Module& module, const std::vector<int32_t>& refreshed_tokens);

// The module's state now: elements, events since the last dump, named
// variables, sound. Takes the events.
Json dump(PanelHost& host, LoadedModule& module);

}  // namespace host
