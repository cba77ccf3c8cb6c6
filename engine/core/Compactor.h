#pragma once
// Order-preserving renumbering: keeps every page the survey reached, drops the rest and rewrites every page
// number, row pointer, table id, index entry and usage map for the new numbers.
#include "engine/core/PageSink.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

#include <cstdint>
#include <vector>

namespace jet {

// The page that marks a dropped page in a numbering.
inline constexpr std::uint32_t kDroppedPage = 0xFFFFFFFFu;

// Old page number -> new page number. Pages carried over keep their order and close up; each table's data pages
// and the long-value pages its values reach are filled afresh, the new pages taking the places of the first of
// the old ones (any more after the last page); the rest are dropped. Where a table would come to take an id
// that stale entries (left by a deleted object) still hold, a blank page, marked free, is kept in front of it
// instead, so that those entries go on naming nothing.
struct PageNumbering {
    std::vector<std::uint32_t> newNumber;   // per old page carried over, kDroppedPage otherwise
    std::vector<std::uint32_t> blankPages;  // new numbers of the blank pages, ascending
    // Per table of the survey, per stream (0: data pages; 1 + k: long values of its k-th memo or OLE column):
    // the new numbers of the pages filled afresh, in order.
    std::vector<std::vector<std::vector<std::uint32_t>>> streams;
    std::uint32_t pageCount = 0;  // pages of the new file
};
PageNumbering pageNumbering(const Survey& survey);

// Returns the complete compacted file (encrypted again when the source was). Throws JetError when something
// cannot be carried over faithfully.
std::vector<std::uint8_t> renumberPages(const PageStore& store, const Survey& survey);
// The same, written page by page in order to out; only the current page and lists by page are held.
void renumberPages(const PageStore& store, const Survey& survey, PageSink& out);

}  // namespace jet
