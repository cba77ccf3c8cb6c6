#include "engine/core/ContentCheck.h"

#include "engine/core/Bytes.h"
#include "engine/core/IdColumns.h"
#include "engine/core/PlainReader.h"
#include "engine/core/RowLayout.h"
#include "engine/core/Text.h"

#include <string>

namespace jet {
namespace {

constexpr std::uint32_t kSignBit = 0x80000000u;

[[noreturn]] void differs(const std::string& what) {
    throw JetError("the compacted copy does not hold what its source holds (" + what + "); nothing was written");
}

// One side of the comparison: its reader, and how a table id stored on this side is written for comparing.
// A source id that names a table becomes the id the numbering gives that table; any other value stays as it
// is. A tag tells the two apart, so a value that names nothing in the source can never equal one that names
// a table in the copy.
struct Side {
    PlainReader& reader;
    std::span<const std::uint32_t> numbering;  // empty for the copy
    const SourceProgress* progress;            // null for the copy
    std::uint32_t comparable(std::uint32_t id, std::uint8_t& tag) const {
        tag = reader.tableWithId(id) ? 1 : 0;
        return tag && !numbering.empty() ? numbering[id] : id;
    }
};

class TablePair {
public:
    TablePair(Side a, Side b, const CatalogTable& ta, const CatalogTable& tb)
        : a_(a),
          b_(b),
          which_("table '" + asciiName(ta.name) + "'"),
          defA_(readTableDef(a.reader.store(), ta.id)),
          defB_(readTableDef(b.reader.store(), tb.id)) {
        for (const auto& ic : kTableIdColumns)
            if (ta.name == ic.table) idColumn_ = defA_.column(ic.column);
    }

    void compare() {
        compareDefinitions();
        compareRows();
        for (std::size_t k = 0; k < defA_.realIndexes.size(); ++k) compareIndex(k);
    }

private:
    void compareDefinitions() const {
        const auto& x = defA_;
        const auto& y = defB_;
        bool same = x.rowCount == y.rowCount && x.columns.size() == y.columns.size() &&
                    x.realIndexes.size() == y.realIndexes.size() &&
                    x.logicalIndexes.size() == y.logicalIndexes.size() &&
                    x.longValueMaps.size() == y.longValueMaps.size();
        for (std::size_t i = 0; same && i < x.columns.size(); ++i) {
            const auto &c = x.columns[i], &d = y.columns[i];
            same = c.type == d.type && c.number == d.number && c.varIndex == d.varIndex && c.fixed == d.fixed &&
                   c.fixedOffset == d.fixedOffset && c.length == d.length && c.name == d.name;
        }
        for (std::size_t i = 0; same && i < x.realIndexes.size(); ++i) {
            const auto &r = x.realIndexes[i].keys, &s = y.realIndexes[i].keys;
            same = r.size() == s.size();
            for (std::size_t k = 0; same && k < r.size(); ++k)
                same = r[k].column == s[k].column && r[k].order == s[k].order;
        }
        if (!same) differs(which_ + " has another definition");
        for (std::size_t i = 0; i < x.logicalIndexes.size(); ++i) {
            const auto &l = x.logicalIndexes[i], &m = y.logicalIndexes[i];
            if (l.realIndex != m.realIndex || l.name != m.name) differs(which_ + " has another index");
            std::uint8_t tagA = 0, tagB = 0;
            const std::uint32_t relA = l.relatedTable == 0 ? 0 : a_.comparable(l.relatedTable, tagA);
            const std::uint32_t relB = m.relatedTable == 0 ? 0 : b_.comparable(m.relatedTable, tagB);
            if (relA != 0 && !tagA) damaged(which_ + " has a relationship to a table the catalog does not list");
            if (relA != relB || tagA != tagB) differs(which_ + " has a relationship to another table");
        }
    }

    // Row bytes as compared: a table id in the id column is written as the comparable id and its tag.
    void comparableRow(const Side& side, const TableDef& def, PlainRow& row) const {
        if (!idColumn_) return;
        const Column* c = def.columnByNumber(idColumn_->number);
        auto v = RowLayout(side.reader.store().format(), def.columns, row.bytes).value(*c);
        if (!v) return;
        if (v->end - v->begin != 4)
            damaged("a table id of " + std::to_string(v->end - v->begin) + " bytes in " + which_);
        std::uint8_t tag = 0;
        wr32(row.bytes, v->begin, side.comparable(rd32(row.bytes, v->begin), tag));
        row.bytes.push_back(tag);
    }

    // x and y are the rows read on each side, null for a deleted row; their bytes become comparable.
    void compareRow(PlainRow* x, PlainRow* y, const char* reached) const {
        if (!x || !y) {
            if (x || y) differs(which_ + " has a row " + reached + " on one side only");
            return;
        }
        comparableRow(a_, defA_, *x);
        comparableRow(b_, defB_, *y);
        if (x->bytes != y->bytes) differs(which_ + " has a row " + reached + " that changed");
        if (x->longValues != y->longValues) differs(which_ + " has a memo or OLE value " + reached + " that changed");
    }

    // Live rows in the order the usage map and the row tables give them; a deleted row is no row.
    class Rows {
    public:
        Rows(const Side& side, const TableDef& def)
            : reader_(side.reader), def_(def), pages_(side.reader.dataPages(def)), progress_(side.progress) {}
        // The next live row into row (its buffers reused); false after the last.
        bool next(PlainRow& row) {
            while (page_ < pages_.size()) {
                if (!counted_) {
                    if (progress_ && *progress_) (*progress_)(pages_[page_]);
                    rows_ = reader_.rowCount(def_, pages_[page_]);
                    counted_ = true;
                }
                if (row_ >= rows_) {
                    ++page_;
                    row_ = 0;
                    counted_ = false;
                } else if (reader_.readRow(def_, pages_[page_], row_++, row)) {
                    return true;
                }
            }
            return false;
        }

    private:
        PlainReader& reader_;
        const TableDef& def_;
        std::vector<std::uint32_t> pages_;
        std::size_t page_ = 0;
        std::uint32_t row_ = 0, rows_ = 0;
        bool counted_ = false;
        const SourceProgress* progress_;
    };

    void compareRows() const {
        Rows x(a_, defA_), y(b_, defB_);
        PlainRow rx, ry;
        while (true) {
            const bool hx = x.next(rx), hy = y.next(ry);
            if (!hx && !hy) return;
            compareRow(hx ? &rx : nullptr, hy ? &ry : nullptr, "in table order");
        }
    }

    // A key that begins with a table id carries it big-endian with its sign bit flipped, after a marker byte.
    void comparableKey(const Side& side, std::vector<std::uint8_t>& key) const {
        if (key.size() < 5 || key[0] != 0x7F) return;
        std::uint32_t v = (std::uint32_t(key[1]) << 24 | std::uint32_t(key[2]) << 16 | std::uint32_t(key[3]) << 8 |
                           key[4]) ^
                          kSignBit;
        std::uint8_t tag = 0;
        v = side.comparable(v, tag) ^ kSignBit;
        for (int k = 0; k < 4; ++k) key[1 + k] = std::uint8_t(v >> (24 - 8 * k));
        key.push_back(tag);
    }

    void compareIndex(std::size_t k) const {
        const RealIndex& ra = defA_.realIndexes[k];
        const RealIndex& rb = defB_.realIndexes[k];
        a_.reader.visitIndexTree(defA_, ra);
        b_.reader.visitIndexTree(defB_, rb);
        const bool idKeyed = idColumn_ && !ra.keys.empty() && ra.keys.front().column == idColumn_->number;
        IndexEntryCursor x(a_.reader, defA_, ra), y(b_.reader, defB_, rb);
        IndexEntryCursor::Entry ex, ey;
        PlainRow rx, ry;
        const std::string where = "index " + std::to_string(k), namedBy = "named by " + where;
        while (true) {
            const bool hx = x.next(ex), hy = y.next(ey);
            if (!hx && !hy) return;
            if (hx != hy) differs(which_ + " " + where + " has another number of entries");
            if (idKeyed) {
                comparableKey(a_, ex.key);
                comparableKey(b_, ey.key);
            }
            if (ex.key != ey.key) differs(which_ + " " + where + " has another key");
            const bool lx = a_.reader.readRow(defA_, ex.page, ex.row, rx);
            const bool ly = b_.reader.readRow(defB_, ey.page, ey.row, ry);
            compareRow(lx ? &rx : nullptr, ly ? &ry : nullptr, namedBy.c_str());
        }
    }

    Side a_, b_;
    std::string which_;
    TableDef defA_, defB_;
    const Column* idColumn_ = nullptr;
};

}  // namespace

void checkSameContent(const PageStore& source, const PageStore& copy, std::span<const std::uint32_t> numbering,
                      const SourceProgress& progress) {
    PlainReader readerA(source), readerB(copy);
    const Side a{readerA, numbering, &progress}, b{readerB, {}, nullptr};
    const auto& ta = readerA.tables();
    const auto& tb = readerB.tables();
    if (ta.size() != tb.size()) differs("the number of tables changed");
    for (std::size_t i = 0; i < ta.size(); ++i)
        if (ta[i].id >= numbering.size() || numbering[ta[i].id] != tb[i].id || ta[i].name != tb[i].name)
            differs("table '" + asciiName(ta[i].name) + "' is not the same table in the copy");
    for (std::size_t i = 0; i < ta.size(); ++i) TablePair(a, b, ta[i], tb[i]).compare();
    if (readerA.firstUnplacedPage()) throw JetError(kUnplaceableData);
    if (auto p = readerB.firstUnplacedPage())
        differs("page " + std::to_string(*p) + " holds data that nothing reaches");
}

}  // namespace jet
