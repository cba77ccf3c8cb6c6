#pragma once
// Structural check of a database: the rules a compacted file must satisfy.
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

#include <string>
#include <vector>

namespace jet {

// Returns one line per problem found; empty means sound. Surveying errors (JetError) propagate.
std::vector<std::string> checkStructure(const PageStore& store, const Survey& survey);

// Checks file and returns the problems, including a survey that fails, as text lines.
std::vector<std::string> checkDatabase(std::span<const std::uint8_t> file);

}  // namespace jet
