// The JSON value tree of the store: nlohmann's, with members kept in the
// order the file has them.
#pragma once

#include <nlohmann/json.hpp>

namespace chromium_store {

using Json = nlohmann::ordered_json;

}  // namespace chromium_store
