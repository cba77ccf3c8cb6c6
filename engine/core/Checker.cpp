#include "engine/core/Checker.h"

#include "engine/core/Bytes.h"
#include "engine/core/RowLayout.h"
#include "engine/core/RowPacker.h"
#include "engine/core/Text.h"

#include <algorithm>
#include <optional>
#include <set>

namespace jet {
namespace {

// For an index on table ids: the id in the key must be the id stored in the row the entry points to.
bool keyMatchesRow(const PageStore& store, const TableInfo& t, const IndexInfo& ix, std::span<const std::uint8_t> key,
                   std::uint32_t page, std::uint32_t rowNumber) {
    const Column* c = t.def.columnByNumber(ix.idColumn);
    RowSlot slot = store.row(page, rowNumber);
    if (slot.overflow) {
        const std::uint32_t ptr = rd32(store.page(page), slot.begin);
        page = ptr >> 8;
        slot = store.row(page, ptr & 0xFF);
    }
    auto row = store.page(page).subspan(slot.begin, slot.end - slot.begin);
    auto value = RowLayout(store.format(), t.def.columns, row).value(*c);
    if (key.empty() || key[0] == 0x00) return !value;
    if (!value || value->end - value->begin != 4 || key.size() < 5) return false;
    const std::uint32_t stored = rd32(row, value->begin);
    const std::uint32_t keyed = (std::uint32_t(key[1]) << 24 | std::uint32_t(key[2]) << 16 |
                                 std::uint32_t(key[3]) << 8 | key[4]) ^
                                0x80000000u;
    return stored == keyed;
}

// Every level of an index tree, read down through the child pointers (and each intermediate page's tail, its
// last child): each intermediate entry is the last entry of its child's subtree, and the leaves the tree
// reaches are the leaf chain, in its order. Returns the last entry of the subtree at page.
std::optional<std::vector<std::uint8_t>> treeBelow(const PageStore& store, const TableInfo& t, std::uint32_t page,
                                                   int depth, std::vector<std::uint32_t>& leaves,
                                                   std::set<std::uint32_t>& seen, const std::string& which,
                                                   std::vector<std::string>& problems) {
    constexpr int kMaxLevels = 32;
    if (depth >= kMaxLevels || !seen.insert(page).second) {
        problems.push_back(which + " reaches page " + std::to_string(page) + " twice or is too deep");
        return std::nullopt;
    }
    const IndexPage ip = readIndexPage(store, page);
    if (ip.owner != t.def.page) problems.push_back(which + " has page " + std::to_string(page) + " of another table");
    const auto bytes = store.pageCopy(page);
    if (ip.leaf) {
        leaves.push_back(page);
        if (ip.entries.empty()) return std::nullopt;
        return ip.fullEntry(bytes, ip.entries.size() - 1);
    }
    std::optional<std::vector<std::uint8_t>> last;
    for (std::size_t i = 0; i < ip.entries.size(); ++i) {
        auto entry = ip.fullEntry(bytes, i);
        entry.resize(entry.size() - 4);  // its child pointer
        last = treeBelow(store, t, ip.entries[i].child, depth + 1, leaves, seen, which, problems);
        if (last != entry)
            problems.push_back(which + " has an entry on page " + std::to_string(page) +
                               " that is not the last entry below it");
    }
    if (ip.tail != 0) last = treeBelow(store, t, ip.tail, depth + 1, leaves, seen, which, problems);
    return last;
}

void checkTree(const PageStore& store, const TableInfo& t, const IndexInfo& ix, const std::string& which,
               std::vector<std::string>& problems) {
    std::vector<std::uint32_t> leaves;
    std::set<std::uint32_t> seen;
    treeBelow(store, t, ix.root, 0, leaves, seen, which, problems);
    std::uint32_t page = leaves.empty() ? 0 : leaves.front();
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        if (page != leaves[i]) {
            problems.push_back(which + " has a leaf chain that does not follow its tree");
            return;
        }
        page = readIndexPage(store, page).next;
    }
    if (page != 0) problems.push_back(which + " has a leaf chain that goes on past its tree's last leaf");
}

void checkIndex(const PageStore& store, const TableInfo& t, const IndexInfo& ix, std::size_t number,
                std::vector<std::string>& problems) {
    const std::string which = "table '" + asciiName(t.name) + "' index " + std::to_string(number);
    if (ix.root == 0) {
        problems.push_back(which + " has no root page");
        return;
    }
    // Down the leftmost path to the first leaf, then along the leaf chain.
    std::uint32_t page = ix.root;
    std::set<std::uint32_t> seen;
    IndexPage ip = readIndexPage(store, page);
    while (!ip.leaf) {
        if (ip.entries.empty() || !seen.insert(page).second) {
            problems.push_back(which + " has an empty or looping intermediate page " + std::to_string(page));
            return;
        }
        page = ip.entries.front().child;
        ip = readIndexPage(store, page);
    }
    std::uint64_t count = 0;
    std::vector<std::uint8_t> previous;
    while (true) {
        if (!seen.insert(page).second) {
            problems.push_back(which + " has a looping leaf chain");
            return;
        }
        const auto bytes = store.pageCopy(page);
        for (std::size_t i = 0; i < ip.entries.size(); ++i) {
            auto e = ip.fullEntry(bytes, i);
            if (!previous.empty() &&
                !std::lexicographical_compare(previous.begin(), previous.end(), e.begin(), e.end()))
                problems.push_back(which + " has keys out of order on page " + std::to_string(page));
            const auto& entry = ip.entries[i];
            if (!std::binary_search(t.dataPages.begin(), t.dataPages.end(), entry.dataPage)) {
                problems.push_back(which + " points to page " + std::to_string(entry.dataPage) +
                                   ", not a data page of the table");
            } else {
                const std::uint32_t rows = store.rowCount(entry.dataPage);
                if (entry.dataRow >= rows || store.row(entry.dataPage, entry.dataRow).deleted)
                    problems.push_back(which + " points to a missing or deleted row on page " +
                                       std::to_string(entry.dataPage));
                else if (ix.idKeyed && !keyMatchesRow(store, t, ix, e, entry.dataPage, entry.dataRow))
                    problems.push_back(which + " has a key that does not match its row on page " +
                                       std::to_string(page));
            }
            previous = std::move(e);
            ++count;
        }
        for (auto link : {ip.prev, ip.next, ip.tail})
            if (link != 0 && (link >= store.pageCount() ||
                              (store.pageType(link) != kPageIndexNode && store.pageType(link) != kPageIndexLeaf) ||
                              rd32(store.page(link), 4) != t.def.page))
                problems.push_back(which + " links page " + std::to_string(page) + " to page " + std::to_string(link) +
                                   ", not an index page of the table");
        if (ip.next == 0) break;
        page = ip.next;
        ip = readIndexPage(store, page);
        if (!ip.leaf) {
            problems.push_back(which + " leaf chain reaches an intermediate page");
            return;
        }
    }
    checkTree(store, t, ix, which, problems);
    if (count != ix.leafEntries)
        problems.push_back(which + " leaf chain holds " + std::to_string(count) + " entries but its tree " +
                           std::to_string(ix.leafEntries));
}

// A compacted file may keep blank, free pages right before a table definition, so that the table does not
// take an id that stale entries still hold; any other page that nothing reaches is waste.
bool isBlankBeforeTable(const PageStore& store, const Survey& survey, const std::vector<bool>& free, std::uint32_t p) {
    auto blank = [&](std::uint32_t q) {
        auto b = store.page(q);
        return free[q] && !survey.reached[q] && std::all_of(b.begin(), b.end(), [](std::uint8_t v) { return v == 0; });
    };
    if (!blank(p)) return false;
    while (p < store.pageCount() && blank(p)) ++p;
    return p < store.pageCount() && survey.isTableId(p);
}

// A page filled by compaction: its rows close up at the page end, and nothing lies between them and its row
// table, whose size its free-space field gives. A stray byte there would be left for anyone to read.
void checkFilledPage(const PageStore& store, std::uint32_t page, std::vector<std::string>& problems) {
    const auto bytes = store.page(page);
    const std::uint32_t rows = store.rowCount(page);
    const std::uint32_t table = dataPageHeader(store.format()) + 2 * rows;
    const std::uint32_t top = rows == 0 ? store.pageSize() : store.row(page, rows - 1).begin;
    if (rd16(bytes, 2) != top - table)
        problems.push_back("page " + std::to_string(page) + " states " + std::to_string(rd16(bytes, 2)) +
                           " bytes free where it has " + std::to_string(top - table));
    else if (std::any_of(bytes.begin() + table, bytes.begin() + top, [](std::uint8_t b) { return b != 0; }))
        problems.push_back("page " + std::to_string(page) + " holds bytes in its free space");
}

}  // namespace

std::vector<std::string> checkStructure(const PageStore& store, const Survey& survey) {
    std::vector<std::string> problems;
    std::vector<bool> free(store.pageCount(), false);
    for (auto p : survey.globalMap.pages) {
        free[p] = true;
        if (survey.reached[p])
            problems.push_back("the global usage map marks page " + std::to_string(p) + " free inside the file");
    }
    std::uint32_t unreached = 0;
    for (std::uint32_t p = 0; p < store.pageCount(); ++p)
        if (!survey.reached[p] && !isBlankBeforeTable(store, survey, free, p)) ++unreached;
    if (unreached) problems.push_back(std::to_string(unreached) + " pages are not reached by anything");
    if (survey.globalMap.beyondEnd != survey.globalMap.bitsBeyondEnd)
        problems.push_back("the global usage map marks " +
                           std::to_string(survey.globalMap.bitsBeyondEnd - survey.globalMap.beyondEnd) +
                           " pages past the end of the file as used");

    // (owner, page) for every reached ordinary data page, in order: sorted lists rather than sets, since a large
    // table has a great many pages.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> owned;
    for (const auto& t : survey.tables)
        for (auto p : t.dataPages)
            if (p >= 3) owned.push_back({t.def.page, p});
    for (const auto& r : survey.otherRowPages)
        if (r.page >= 3) owned.push_back({r.owner, r.page});
    std::sort(owned.begin(), owned.end());
    owned.erase(std::unique(owned.begin(), owned.end()), owned.end());
    for (const auto& t : survey.tables) {
        const std::string which = "table '" + asciiName(t.name) + "'";
        std::vector<std::uint32_t> used(t.used.pages.begin(), t.used.pages.end());
        std::sort(used.begin(), used.end());
        used.erase(std::unique(used.begin(), used.end()), used.end());
        auto own = std::equal_range(owned.begin(), owned.end(), std::pair<std::uint32_t, std::uint32_t>{t.def.page, 0},
                                    [](const auto& x, const auto& y) { return x.first < y.first; });
        if (!std::equal(used.begin(), used.end(), own.first, own.second,
                        [](std::uint32_t u, const auto& o) { return u == o.second; }))
            problems.push_back(which + ": its usage map lists " + std::to_string(used.size()) + " pages but it owns " +
                               std::to_string(own.second - own.first));
        if (t.def.rowCount != t.liveRows)
            problems.push_back(which + ": its definition counts " + std::to_string(t.def.rowCount) +
                               " rows but it holds " + std::to_string(t.liveRows));
        for (auto p : t.free.pages)
            if (!std::binary_search(used.begin(), used.end(), p))
                problems.push_back(which + ": its free-space map lists page " + std::to_string(p) +
                                   ", which is not one of its pages");
        for (std::size_t i = 0; i < t.indexes.size(); ++i) checkIndex(store, t, t.indexes[i], i, problems);
        for (auto p : t.dataPages) checkFilledPage(store, p, problems);
    }
    for (auto p : survey.longValuePages) checkFilledPage(store, p, problems);
    return problems;
}

std::vector<std::string> checkDatabase(std::span<const std::uint8_t> file) {
    try {
        PageStore store(file);
        Survey survey = surveyDatabase(store);
        return checkStructure(store, survey);
    } catch (const JetError& e) {
        return {e.what()};
    }
}

}  // namespace jet
