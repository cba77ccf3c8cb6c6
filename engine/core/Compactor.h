#pragma once
// Order-preserving renumbering: keeps every page the survey reached, drops the rest and rewrites every page
// number, row pointer, table id, index entry and usage map for the new numbers.
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

#include <cstdint>
#include <vector>

namespace jet {

// Returns the complete compacted file (encrypted again when the source was). Throws JetError when something
// cannot be carried over faithfully.
std::vector<std::uint8_t> renumberPages(const PageStore& store, const Survey& survey);

}  // namespace jet
