#pragma once
// The checks a compacted copy must pass before anyone may use it: its structure, its bytes against the
// source's outside the rewritten fields, and its content read independently from both files.
#include "engine/core/FileReader.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

#include <cstdint>
#include <span>

namespace jet {

// Throws JetError naming the first problem; the copy must then not be written anywhere.
// The copy is read through a page cache of the source's size.
void verifyCompactedCopy(const PageStore& source, const Survey& before, const FileReader& copy);
void verifyCompactedCopy(const PageStore& source, const Survey& before, std::span<const std::uint8_t> copy);

}  // namespace jet
