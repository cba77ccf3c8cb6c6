#include "engine/core/TableDef.h"

#include "engine/core/Bytes.h"

#include <algorithm>
#include <set>

namespace jet {
namespace {

// Hard limits that no sound definition reaches; they keep damaged counts from driving huge loops.
constexpr std::uint32_t kMaxColumns = 4096;
constexpr std::uint32_t kMaxIndexes = 1024;
constexpr std::size_t kMaxChain = 4096;
// Access 2007 and later mark a calculated column in its further flags.
constexpr std::uint8_t kCalculatedFlags = 0xC0;

class Stream {
public:
    Stream(const PageStore& store, std::uint32_t first, std::vector<std::uint32_t>& chain) : table_(first) {
        std::set<std::uint32_t> seen;
        std::uint32_t page = first;
        bool head = true;
        while (page != 0) {
            if (!seen.insert(page).second || chain.size() >= kMaxChain)
                damaged("the definition chain of table " + std::to_string(first) + " loops");
            auto p = store.page(page);
            if (p[0] != kPageTableDef)
                damaged("table definition page " + std::to_string(page) + " has type " + std::to_string(p[0]));
            chain.push_back(page);
            const std::uint32_t from = head ? 0 : 8;
            segments_.push_back({bytes_.size(), page, from});
            bytes_.insert(bytes_.end(), p.begin() + from, p.end());
            head = false;
            page = rd32(p, 4);
            if (!namesPage(page)) page = 0;  // the last page of the chain
        }
    }
    std::uint8_t u8(std::size_t at) const {
        check(at, 1);
        return bytes_[at];
    }
    std::uint16_t u16(std::size_t at) const {
        check(at, 2);
        return std::uint16_t(bytes_[at] | bytes_[at + 1] << 8);
    }
    std::uint32_t u32(std::size_t at) const {
        check(at, 4);
        return std::uint32_t(bytes_[at]) | std::uint32_t(bytes_[at + 1]) << 8 | std::uint32_t(bytes_[at + 2]) << 16 |
               std::uint32_t(bytes_[at + 3]) << 24;
    }
    FieldPlace place(std::size_t at) const {
        check(at, 4);
        FieldPlace f;
        for (std::size_t i = 0; i < 4; ++i) {
            // The last segment that starts at or before the byte holds it.
            auto seg = std::upper_bound(segments_.begin(), segments_.end(), at + i,
                                        [](std::size_t v, const Segment& s) { return v < s.start; }) -
                       1;
            f[i] = {seg->page, static_cast<std::uint16_t>(seg->pageOffset + (at + i - seg->start))};
        }
        return f;
    }
    void check(std::size_t at, std::size_t n) const {
        if (at > bytes_.size() || n > bytes_.size() - at)
            damaged("the definition of table " + std::to_string(table_) + " ends early");
    }
    std::size_t size() const { return bytes_.size(); }

private:
    std::uint32_t table_;
    std::vector<std::uint8_t> bytes_;
    // Which page each run of the stream came from: stream offset, page, offset within the page.
    struct Segment {
        std::size_t start;
        std::uint32_t page;
        std::uint32_t pageOffset;
    };
    std::vector<Segment> segments_;
};

std::u16string readName(const Stream& s, std::size_t& at, bool jet4) {
    std::u16string name;
    if (jet4) {
        std::uint16_t len = s.u16(at);
        at += 2;
        s.check(at, len);
        for (std::size_t i = 0; i + 1 < len; i += 2) name.push_back(s.u16(at + i));
        at += len;
    } else {
        std::uint8_t len = s.u8(at);
        at += 1;
        s.check(at, len);
        for (std::size_t i = 0; i < len; ++i) name.push_back(s.u8(at + i));
        at += len;
    }
    return name;
}

}  // namespace

const Column* TableDef::column(std::u16string_view name) const {
    for (const auto& c : columns)
        if (c.name == name) return &c;
    return nullptr;
}

const Column* TableDef::columnByNumber(std::uint16_t number) const {
    for (const auto& c : columns)
        if (c.number == number) return &c;
    return nullptr;
}

TableDef readTableDef(const PageStore& store, std::uint32_t page) {
    const JetFormat& f = store.format();
    TableDef t;
    t.page = page;
    Stream s(store, page, t.chain);
    const std::string which = "table definition " + std::to_string(page);

    t.rowCount = s.u32(f.tdefRowCount);
    const std::uint32_t columnCount = s.u16(f.tdefColumns);
    const std::uint32_t logicalCount = s.u32(f.tdefLogicalIndexes);
    const std::uint32_t realCount = s.u32(f.tdefRealIndexes);
    if (columnCount > kMaxColumns || logicalCount > kMaxIndexes || realCount > kMaxIndexes || realCount > logicalCount)
        damaged(which + " has impossible column or index counts");
    t.usedMap = s.u32(f.tdefUsedMap);
    t.usedMapAt = s.place(f.tdefUsedMap);
    t.freeMap = s.u32(f.tdefFreeMap);
    t.freeMapAt = s.place(f.tdefFreeMap);

    std::size_t at = f.tdefBody + std::size_t(realCount) * f.realIndexEntry;
    for (std::uint32_t i = 0; i < columnCount; ++i, at += f.columnSize) {
        Column c;
        c.type = s.u8(at);
        c.number = s.u16(at + f.columnNumber);
        c.varIndex = s.u16(at + f.columnNumber + 2);
        c.fixed = s.u8(at + f.columnFlags) & 1;
        c.fixedOffset = s.u16(at + f.columnFixedOffset);
        c.length = s.u16(at + f.columnLength);
        if (f.accdb) c.calculated = (s.u8(at + f.columnExtraFlags) & kCalculatedFlags) != 0;
        t.columns.push_back(c);
    }
    for (auto& c : t.columns) c.name = readName(s, at, f.jet4());

    for (std::uint32_t i = 0; i < realCount; ++i) {
        RealIndex r;
        at += f.realIndexPrefix;
        for (int k = 0; k < 10; ++k) {
            std::uint16_t col = s.u16(at + 3 * k);
            std::uint8_t order = s.u8(at + 3 * k + 2);
            if (col != 0xFFFF) r.keys.push_back({col, order});
        }
        at += 30;
        r.usedMap = s.u32(at);
        r.usedMapAt = s.place(at);
        r.firstPage = s.u32(at + 4);
        r.firstPageAt = s.place(at + 4);
        at += f.realIndexTail;
        t.realIndexes.push_back(std::move(r));
    }
    for (std::uint32_t i = 0; i < logicalCount; ++i, at += f.logicalIndexSize) {
        LogicalIndex l;
        l.realIndex = s.u32(at + f.logicalIndexNumber);
        l.relatedTable = s.u32(at + f.logicalIndexRelTable);
        l.relatedTableAt = s.place(at + f.logicalIndexRelTable);
        l.primaryKey = s.u8(at + f.logicalIndexType) == 1;
        if (l.realIndex >= realCount) damaged(which + " has a logical index on a missing real index");
        t.logicalIndexes.push_back(l);
    }
    for (auto& l : t.logicalIndexes) l.name = readName(s, at, f.jet4());

    // Usage maps of the memo and OLE columns, ended by 0xFFFF.
    while (true) {
        std::uint16_t col = s.u16(at);
        if (col == 0xFFFF) break;
        LongValueMaps m;
        m.column = col;
        m.usedMap = s.u32(at + 2);
        m.usedMapAt = s.place(at + 2);
        m.freeMap = s.u32(at + 6);
        m.freeMapAt = s.place(at + 6);
        const Column* c = t.columnByNumber(col);
        if (!c || !c->isLongValue() || t.longValueMaps.size() >= columnCount)
            damaged(which + " lists long-value maps for column " + std::to_string(col) +
                    ", which is not a memo or OLE column");
        t.longValueMaps.push_back(m);
        at += 10;
    }
    at += 2;
    // The definition states its own length: a mismatch means a layout this reader does not know.
    t.declaredLength = s.u32(8);
    if (t.declaredLength != at)
        throw JetError("unsupported table definition layout at page " + std::to_string(page) + " (" +
                       std::to_string(at) + " bytes understood of " + std::to_string(t.declaredLength) + ")");
    return t;
}

}  // namespace jet
