#pragma once
// Content check of a compacted copy against its source. Both files are read through their own plain reader,
// every pointer followed as stored, and must hold the same tables, definitions, rows, memo and OLE values,
// index entries (each resolved to the row it names) and permissions. The page numbering is used only to pair
// each table of the source with its table in the copy; table ids stored in rows and keys are compared through
// it, so no id can come to name another table.
#include "engine/core/PageStore.h"

#include <cstdint>
#include <functional>
#include <span>

namespace jet {

// The refusal when the source holds live rows, long values or index entries on pages that nothing reaches
// from the catalog: compacting would silently drop them.
inline constexpr const char* kUnplaceableData =
    "the database has data that this engine cannot place; repair it in Access first";

// Pages the source's rows have been read from so far: everything before the given page was, so that another
// check can work on those pages while they are still cached.
using SourceProgress = std::function<void(std::uint32_t)>;

// Throws JetError naming the first difference, or kUnplaceableData.
void checkSameContent(const PageStore& source, const PageStore& copy, std::span<const std::uint32_t> numbering,
                      const SourceProgress& progress = {});

}  // namespace jet
