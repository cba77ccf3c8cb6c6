#include "engine/core/IndexPage.h"

#include "engine/core/Bytes.h"

namespace jet {

IndexPage readIndexPage(const PageStore& store, std::uint32_t number) {
    const JetFormat& f = store.format();
    auto p = store.page(number);
    const std::string which = "index page " + std::to_string(number);
    if (p[0] != kPageIndexNode && p[0] != kPageIndexLeaf) damaged(which + " has type " + std::to_string(p[0]));
    IndexPage ip;
    ip.number = number;
    ip.leaf = p[0] == kPageIndexLeaf;
    ip.owner = rd32(p, 4);
    // Links that name no page (see namesPage) are none.
    auto link = [&](std::uint32_t at) {
        const std::uint32_t v = rd32(p, at);
        return namesPage(v) ? v : 0;
    };
    ip.prev = link(f.indexPrev);
    ip.next = link(f.indexNext);
    // The tail of an intermediate page is its last child; a leaf has no child, and its field names nothing.
    ip.tail = ip.leaf ? 0 : link(f.indexTail);
    ip.prefixLength = f.jet4() ? rd16(p, f.indexPrefixLength) : rd8(p, f.indexPrefixLength);
    const std::uint32_t pointerSize = ip.leaf ? 4 : 8;
    // Each set bit of the bitmap marks where an entry ends (relative to the first entry).
    std::uint32_t start = f.indexEntries;
    const std::uint32_t bits = (f.indexEntries - f.indexBitmap) * 8;
    for (std::uint32_t i = 0; i < bits; ++i) {
        if (i % 8 == 0 && p[f.indexBitmap + i / 8] == 0) {
            i += 7;
            continue;
        }
        if (!((p[f.indexBitmap + i / 8] >> (i % 8)) & 1)) continue;
        std::uint32_t end = f.indexEntries + i;
        if (end > p.size()) damaged(which + " has an entry beyond the page end");
        IndexEntry e;
        e.begin = start;
        e.end = end;
        const std::uint32_t stored = end - start;
        const std::uint32_t full = stored + (ip.entries.empty() ? 0 : ip.prefixLength);
        if (stored < pointerSize && !(ip.entries.size() > 0 && full >= pointerSize))
            damaged(which + " has an entry too short for its pointers");
        if (ip.entries.empty() && ip.prefixLength > stored)
            damaged(which + " has a prefix longer than its first entry");
        ip.entries.push_back(e);
        start = end;
    }
    // Pointers are read from the full entries so that a prefix covering them is handled too.
    for (std::size_t i = 0; i < ip.entries.size(); ++i) {
        auto full = ip.fullEntry(p, i);
        std::size_t ptr = full.size() - pointerSize;
        auto& e = ip.entries[i];
        e.dataPage = std::uint32_t(full[ptr]) << 16 | std::uint32_t(full[ptr + 1]) << 8 | full[ptr + 2];
        e.dataRow = full[ptr + 3];
        if (!ip.leaf)
            e.child = std::uint32_t(full[ptr + 4]) << 24 | std::uint32_t(full[ptr + 5]) << 16 |
                      std::uint32_t(full[ptr + 6]) << 8 | full[ptr + 7];
    }
    return ip;
}

std::vector<std::uint8_t> IndexPage::fullEntry(std::span<const std::uint8_t> page, std::size_t i) const {
    std::vector<std::uint8_t> out;
    if (i > 0) {
        const auto& first = entries[0];
        out.assign(page.begin() + first.begin, page.begin() + first.begin + prefixLength);
    }
    out.insert(out.end(), page.begin() + entries[i].begin, page.begin() + entries[i].end);
    return out;
}

bool writeIndexEntries(const JetFormat& f, std::span<std::uint8_t> page,
                       const std::vector<std::vector<std::uint8_t>>& entries, std::uint32_t prefix) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries[i].size() <= prefix) return false;
        size += entries[i].size() - (i == 0 ? 0 : prefix);
    }
    if (!entries.empty() && entries[0].size() < prefix) return false;
    if (size > page.size() - f.indexEntries || size > (f.indexEntries - f.indexBitmap) * 8) return false;
    std::fill(page.begin() + f.indexBitmap, page.end(), 0);
    std::size_t at = f.indexEntries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t skip = i == 0 ? 0 : prefix;
        std::copy(entries[i].begin() + skip, entries[i].end(), page.begin() + at);
        at += entries[i].size() - skip;
        const std::size_t bit = at - f.indexEntries;
        page[f.indexBitmap + bit / 8] |= std::uint8_t(1u << (bit % 8));
    }
    if (f.jet4()) wr16(page, f.indexPrefixLength, static_cast<std::uint16_t>(prefix));
    else page[f.indexPrefixLength] = static_cast<std::uint8_t>(prefix);
    wr16(page, 2, static_cast<std::uint16_t>(page.size() - at));
    return true;
}

}  // namespace jet
