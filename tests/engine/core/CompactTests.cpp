#include "engine/core/Bytes.h"
#include "engine/core/Checker.h"
#include "engine/core/JetEngine.h"
#include "engine/core/IndexPage.h"
#include "engine/core/IndexRewriter.h"
#include "engine/core/JetHeader.h"
#include "engine/core/PageStore.h"
#include "engine/core/PlainReader.h"
#include "engine/core/Rc4.h"
#include "engine/core/RowLayout.h"
#include "engine/core/RowPacker.h"
#include "engine/core/Survey.h"
#include "engine/core/Text.h"
#include "tests/engine/core/TestData.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>

namespace {

using jet::JetError;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t pageSizeOf(const Bytes& file) { return file[0x14] == 0 ? 2048 : 4096; }
std::size_t pagesOf(const Bytes& file) { return file.size() / pageSizeOf(file); }

// Pages each sample keeps: everything reached from the catalog, usage maps and indexes, with the live rows and
// long values on pages filled afresh.
const std::map<std::string, std::pair<std::size_t, std::size_t>> kPages = {
    {"kindOneMapsV2000.mdb", {67, 45}},
    {"compIndexTestV1997.mdb", {40, 40}},
    {"delTestV1997.mdb", {32, 32}},
    {"delTestV2000.mdb", {33, 33}},
    {"indexTestV2000.mdb", {72, 68}},
    {"overflowTestV2003.mdb", {59, 45}},
    {"queryTestV2003.mdb", {66, 56}},
    {"test2V2000.mdb", {64, 42}},
    {"testV1997.mdb", {58, 55}},
    {"testV2000.mdb", {743, 50}},  // long values of dropped tables are dropped with them
    // Access 2007 and 2010: calculated fields (a memo-length one on long-value pages), attachment and multi-value
    // columns with their hidden tables, deleted rows.
    {"test2V2007.accdb", {96, 86}},
    {"calcFieldTestV2010.accdb", {174, 105}},
    {"complexDataTestV2010.accdb", {133, 122}},
    {"delTestV2010.accdb", {92, 87}},
    {"indexTestV2010.accdb", {118, 103}},
};

TEST(Compact, EverySampleGivesASoundStableCopyWithTheSameRows) {
    ASSERT_EQ(jettest::sampleNames().size(), kPages.size());
    for (const auto& name : jettest::sampleNames()) {
        SCOPED_TRACE(name);
        Bytes source = jettest::readSample(name);
        Bytes out = jet::compactDatabase(source, u"");
        EXPECT_EQ(pagesOf(source), kPages.at(name).first);
        EXPECT_EQ(pagesOf(out), kPages.at(name).second);
        EXPECT_EQ(out.size() % pageSizeOf(source), 0u);
        // Page 0 carries the header, the password and the creation date: it never changes.
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + pageSizeOf(source), source.begin()));
        auto problems = jet::checkDatabase(out);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(jet::compactDatabase(out, u""), out);

        jet::PageStore before(source), after(out);
        auto a = jet::surveyDatabase(before), b = jet::surveyDatabase(after);
        ASSERT_EQ(a.tables.size(), b.tables.size());
        const std::uint64_t room = pageSizeOf(out) - jet::dataPageHeader(after.format());
        for (std::size_t i = 0; i < a.tables.size(); ++i) {
            const auto& t = b.tables[i];
            SCOPED_TRACE(jet::asciiName(t.name));
            EXPECT_EQ(a.tables[i].name, t.name);
            EXPECT_EQ(a.tables[i].liveRows, t.liveRows);
            EXPECT_EQ(t.def.rowCount, t.liveRows);
            EXPECT_EQ(a.tables[i].def.columns.size(), t.def.columns.size());
            // No deleted row is carried over, and the rows fill their pages.
            EXPECT_EQ(t.deletedRows, 0u);
            EXPECT_EQ(t.deletedLongValueRows, 0u);
            EXPECT_LE(t.dataPages.size(), (t.liveRowBytes + room - 1) / room + 1);
            EXPECT_LE(t.dataPages.size(), a.tables[i].dataPages.size());
        }
    }
}

// An attachment or multi-value column is linked to its values by ids kept in these places: its definition's
// complex id (carried over with the definition pages), the same id in MSysComplexColumns, a u32 per row of the
// owning table that the rows of its hidden table repeat (rows are kept byte for byte), and three table ids in
// MSysComplexColumns: the owning table, the hidden table of values, and the system table of the value type.
// Table ids are definition pages: they follow the renumbering, each naming the same table afterwards.
TEST(Compact, ComplexColumnsNameTheSameTablesAfterCompaction) {
    struct Link {
        std::uint32_t complexId;
        std::array<std::uint32_t, 3> ids;
        std::array<std::u16string, 3> tables;
        bool operator==(const Link& o) const { return complexId == o.complexId && tables == o.tables; }
    };
    auto links = [](const Bytes& file) {
        jet::PageStore store(file);
        const auto survey = jet::surveyDatabase(store);
        jet::PlainReader reader(store);
        const jet::TableDef& def = survey.table(u"MSysComplexColumns")->def;
        std::vector<Link> out;
        for (auto page : reader.dataPages(def)) {
            for (std::uint32_t r = 0; r < reader.rowCount(def, page); ++r) {
                auto row = reader.row(def, page, r);
                if (!row) continue;
                jet::RowLayout layout(store.format(), def.columns, row->bytes);
                auto u32 = [&](const char16_t* column) {
                    auto v = layout.value(*def.column(column));
                    return v ? jet::rd32(row->bytes, v->begin) : 0u;
                };
                Link l{u32(u"ComplexID"),
                       {u32(u"ConceptualTableID"), u32(u"FlatTableID"), u32(u"ComplexTypeObjectID")}};
                for (int k = 0; k < 3; ++k) {
                    const auto* t = reader.tableWithId(l.ids[k]);
                    l.tables[k] = t ? t->name : u"(none)";
                }
                out.push_back(l);
            }
        }
        return out;
    };
    bool moved = false;
    for (const char* name : {"complexDataTestV2010.accdb", "delTestV2010.accdb", "calcFieldTestV2010.accdb"}) {
        SCOPED_TRACE(name);
        const Bytes source = jettest::readSample(name);
        const auto before = links(source), after = links(jet::compactDatabase(source, u""));
        ASSERT_FALSE(before.empty());
        EXPECT_EQ(before, after);
        for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
            for (const auto& t : before[i].tables) EXPECT_NE(t, u"(none)");
            moved = moved || before[i].ids != after[i].ids;
        }
    }
    EXPECT_TRUE(moved) << "no table id of MSysComplexColumns changed: the renumbering is not exercised";
}

// kindOneMapsV2000.mdb (made by make_kind_one_maps.py) keeps the global map and two tables' maps on bitmap
// pages; these pages move too, and the bits must follow the new page numbers.
TEST(Compact, UsageMapsOnBitmapPagesAreRebuilt) {
    Bytes source = jettest::readSample("kindOneMapsV2000.mdb");
    Bytes out = jet::compactDatabase(source, u"");
    jet::PageStore before(source), after(out);
    auto a = jet::surveyDatabase(before), b = jet::surveyDatabase(after);
    ASSERT_EQ(a.globalMap.kind, 1);
    ASSERT_EQ(b.globalMap.kind, 1);
    EXPECT_EQ(a.globalMap.mapPages.at(0), 66u);
    EXPECT_EQ(b.globalMap.mapPages.at(0), after.pageCount() - 1);  // still the last page, renumbered
    EXPECT_TRUE(b.globalMap.pages.empty());
    const auto* table = b.table(u"MSysAccessObjects");
    ASSERT_EQ(table->used.kind, 1);
    EXPECT_EQ(table->used.pages.size(), 4u);
    EXPECT_EQ(table->used.pages, table->dataPages);
    for (auto p : table->used.pages) EXPECT_EQ(after.pageType(p), jet::kPageData);
    EXPECT_EQ(b.table(u"MSysObjects")->used.kind, 1);
    EXPECT_EQ(b.table(u"MSysObjects")->liveRows, a.table(u"MSysObjects")->liveRows);
}

TEST(Compact, GarbageAfterTheLastPageIsDropped) {
    Bytes source = jettest::readSample("testV1997.mdb");
    Bytes expected = jet::compactDatabase(source, u"");
    Bytes padded = source;
    // A stray copy of a data page (its owner names a real table, but no map lists it) and an empty page.
    const std::size_t ps = 2048;
    padded.insert(padded.end(), source.begin() + 29 * ps, source.begin() + 30 * ps);
    padded.insert(padded.end(), ps, 0);
    EXPECT_FALSE(jet::checkDatabase(padded).empty());
    EXPECT_EQ(jet::compactDatabase(padded, u""), expected);
}

// Where a page number may be, a value above three bytes (here 0xFFFFFF80) names no page: it is neither
// followed nor refused as a page beyond the end. Nor is the tail field of a leaf, which has no child, even
// holding a page that exists (here the catalog's definition).
TEST(Compact, AFieldHoldingNoPageNumberIsNotFollowed) {
    constexpr std::uint32_t kNoPage = 0xFFFFFF80u;
    auto put32 = [](Bytes& f, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = std::uint8_t(v >> (8 * i));
    };
    Bytes tail = jettest::readSample("test2V2000.mdb");
    Bytes leafTail = tail;
    Bytes kindOne = jettest::readSample("kindOneMapsV2000.mdb");
    {
        jet::PageStore store(tail);
        const auto survey = jet::surveyDatabase(store);
        const std::size_t at = std::size_t(survey.indexPages.front()) * 4096 + store.format().indexTail;
        ASSERT_EQ(store.pageType(survey.indexPages.front()), jet::kPageIndexLeaf);
        put32(tail, at, kNoPage);
        put32(leafTail, at, 2);
    }
    {
        jet::PageStore store(kindOne);
        const auto& map = jet::surveyDatabase(store).globalMap;
        ASSERT_GE(map.mapPages.size(), 2u);
        ASSERT_EQ(map.mapPages[1], 0u);
        const auto slot = store.row(map.rowPointer >> 8, map.rowPointer & 0xFF);
        put32(kindOne, std::size_t(map.rowPointer >> 8) * 4096 + slot.begin + 5, kNoPage);
    }
    const std::pair<const Bytes*, const char*> cases[] = {{&tail, "test2V2000.mdb"},
                                                          {&leafTail, "test2V2000.mdb"},
                                                          {&kindOne, "kindOneMapsV2000.mdb"}};
    for (const auto& [source, name] : cases) {
        SCOPED_TRACE(name);
        Bytes out = jet::compactDatabase(*source, u"");
        auto problems = jet::checkDatabase(out);
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(pagesOf(out), pagesOf(jet::compactDatabase(jettest::readSample(name), u"")));
    }
}

// An index page written again from its entries reads as the same entries, with its own prefix as stored and
// with none (as when moved rows part the entries within it) where they fit; too many for the page are refused.
TEST(Compact, IndexEntriesWrittenAgainReadTheSame) {
    std::size_t pages = 0;
    for (const auto& name : jettest::sampleNames()) {
        SCOPED_TRACE(name);
        const Bytes source = jettest::readSample(name);
        jet::PageStore store(source);
        const auto& f = store.format();
        for (auto p : jet::surveyDatabase(store).indexPages) {
            const auto ip = jet::readIndexPage(store, p);
            const auto bytes = store.page(p);
            std::vector<Bytes> full;
            for (std::size_t i = 0; i < ip.entries.size(); ++i) full.push_back(ip.fullEntry(bytes, i));
            for (std::uint32_t prefix : {ip.prefixLength, 0u}) {
                Bytes file = source;
                auto page = std::span(file).subspan(std::size_t(p) * f.pageSize, f.pageSize);
                if (!jet::writeIndexEntries(f, page, full, prefix)) {
                    // Only when they do not fit without it; the page is then as it was.
                    std::size_t size = 0;
                    for (const auto& e : full) size += e.size();
                    EXPECT_GT(size, f.pageSize - f.indexEntries);
                    EXPECT_TRUE(std::equal(page.begin(), page.end(), bytes.begin()));
                    continue;
                }
                jet::PageStore again(file);
                const auto back = jet::readIndexPage(again, p);
                ASSERT_EQ(back.entries.size(), full.size());
                EXPECT_EQ(back.prefixLength, full.size() > 1 ? prefix : back.prefixLength);
                for (std::size_t i = 0; i < full.size(); ++i) EXPECT_EQ(back.fullEntry(page, i), full[i]);
                if (prefix == ip.prefixLength) {
                    const std::size_t end = ip.entries.empty() ? f.indexEntries : ip.entries.back().end;
                    EXPECT_TRUE(std::equal(page.begin(), page.begin() + end, bytes.begin()));
                }
            }
            ++pages;
            Bytes file = source;
            auto page = std::span(file).subspan(std::size_t(p) * f.pageSize, f.pageSize);
            std::vector<Bytes> many(f.pageSize / 8, Bytes(8, 0x41));
            EXPECT_FALSE(jet::writeIndexEntries(f, page, many, 0));
            EXPECT_TRUE(std::equal(page.begin(), page.end(), bytes.begin()));
        }
    }
    EXPECT_GT(pages, 100u);
}

// An index whose first leaf has lost half its entries (its parent still naming the entry it ended with, as
// Jet leaves it) is rebuilt from its entries into filled leaves under a root of its own.
TEST(Compact, AHalfEmptyIndexIsRebuiltIntoFilledPages) {
    Bytes source = jettest::readSample("compIndexTestV1997.mdb");
    jet::PageStore store(source);
    const auto& f = store.format();
    std::uint32_t node = 0;
    for (auto p : jet::surveyDatabase(store).indexPages)
        if (store.pageType(p) == jet::kPageIndexNode) node = p;
    ASSERT_NE(node, 0u);
    const auto root = jet::readIndexPage(store, node);
    const std::uint32_t first = root.entries.front().child;
    const auto leaf = jet::readIndexPage(store, first);
    std::vector<Bytes> kept;
    for (std::size_t i = 0; i < leaf.entries.size() / 2; ++i) kept.push_back(leaf.fullEntry(store.page(first), i));
    ASSERT_TRUE(jet::writeIndexEntries(f, std::span(source).subspan(std::size_t(first) * f.pageSize, f.pageSize), kept,
                                       leaf.prefixLength));
    auto leavesOf = [](const Bytes& file, std::uint32_t owner) {
        jet::PageStore s(file);
        std::size_t n = 0;
        for (std::uint32_t p = 0; p < s.pageCount(); ++p)
            n += s.pageType(p) == jet::kPageIndexLeaf && jet::readIndexPage(s, p).owner == owner;
        return n;
    };
    const Bytes out = jet::compactDatabase(source, u"");
    auto problems = jet::checkDatabase(out);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_EQ(jet::compactDatabase(out, u""), out);
    jet::PageStore after(out);
    const auto survey = jet::surveyDatabase(after);
    const auto ids = jet::surveyDatabase(store).tableIds;
    const std::uint32_t owner = root.owner;
    const std::uint32_t newOwner = survey.tableIds.at(std::lower_bound(ids.begin(), ids.end(), owner) - ids.begin());
    EXPECT_EQ(leavesOf(source, owner), 3u);
    EXPECT_EQ(leavesOf(out, newOwner), 2u);
}

// A table with a primary key is written in its order: its entries name rows in the order of their places.
// Table1 of testV2000.mdb is not in that order in the source.
TEST(Compact, TablesWithAPrimaryKeyAreWrittenInItsOrder) {
    auto inKeyOrder = [](const Bytes& file, std::u16string_view name) {
        jet::PageStore store(file);
        const auto survey = jet::surveyDatabase(store);
        const jet::TableInfo* t = survey.table(name);
        for (const auto& l : t->def.logicalIndexes) {
            if (!l.primaryKey) continue;
            jet::LeafEntries entries(store, t->def.realIndexes.at(l.realIndex).firstPage);
            Bytes e;
            std::uint32_t last = 0;
            bool ordered = true;
            while (entries.next(e)) {
                const std::size_t p = e.size() - 4;
                const std::uint32_t row = std::uint32_t(e[p]) << 24 | e[p + 1] << 16 | e[p + 2] << 8 | e[p + 3];
                ordered = ordered && row > last;
                last = row;
            }
            return ordered;
        }
        ADD_FAILURE() << "no primary key";
        return false;
    };
    const Bytes source = jettest::readSample("testV2000.mdb");
    const Bytes out = jet::compactDatabase(source, u"");
    EXPECT_FALSE(inKeyOrder(source, u"Table1"));
    EXPECT_TRUE(inKeyOrder(out, u"Table1"));
    jet::PageStore store(source);
    const auto survey = jet::surveyDatabase(store);
    EXPECT_FALSE(survey.table(u"Table1")->keyOrder.empty());
    EXPECT_TRUE(survey.table(u"MSysObjects")->keyOrder.empty());  // the catalog keeps the order readers list it in
}

TEST(Compact, PasswordIsCheckedBeforeAnythingAndKeptInTheCopy) {
    Bytes source = jettest::readSample("test2V2000.mdb");
    EXPECT_THROW(jet::compactDatabase(source, u"not-the-password"), JetError);
    auto h = jet::readHeader(source);
    auto page0 = jet::withPassword(std::span(source).first(h.pageSize), h.version, u"kennwort");
    std::copy(page0.begin(), page0.end(), source.begin());
    EXPECT_THROW(jet::compactDatabase(source, u""), JetError);
    EXPECT_THROW(jet::compactDatabase(source, u"Kennwort"), JetError);
    Bytes out = jet::compactDatabase(source, u"kennwort");
    EXPECT_NO_THROW(jet::checkPassword(jet::readHeader(out), u"kennwort"));
    try {
        jet::compactDatabase(source, u"wrong");
        FAIL() << "a wrong password was accepted";
    } catch (const JetError& e) {
        EXPECT_NE(std::string(e.what()).find("password"), std::string::npos);
    }
}

// Rows left behind by a deleted object (here navigation-pane rows) keep its id. Closing up the pages would
// give that id to a later table, and the rows would come to name it: a blank free page is kept in front of
// that table instead, and compacting again keeps it.
TEST(Compact, StaleIdsNeverComeToNameAnotherTable) {
    Bytes source = jettest::readSample("queryTestV2003.mdb");
    Bytes out = jet::compactDatabase(source, u"");
    jet::PageStore before(source), after(out);
    auto a = jet::surveyDatabase(before), b = jet::surveyDatabase(after);
    ASSERT_FALSE(a.staleIds.empty());
    for (auto id : a.staleIds) EXPECT_FALSE(b.isTableId(id)) << id;
    // Those the smaller copy still has pages for; the others name pages past its end.
    EXPECT_TRUE(std::includes(a.staleIds.begin(), a.staleIds.end(), b.staleIds.begin(), b.staleIds.end()));
    ASSERT_FALSE(b.staleIds.empty());
    const std::uint32_t blank = a.staleIds.front();
    EXPECT_EQ(after.pageType(blank), 0);
    EXPECT_TRUE(std::binary_search(b.globalMap.pages.begin(), b.globalMap.pages.end(), blank));
    EXPECT_EQ(jet::compactDatabase(out, u""), out);
}

// Turns a plain sample into an encrypted database: a database key in the header, every other page RC4'd.
Bytes encrypt(Bytes file, std::uint32_t key) {
    const bool jet4 = file[0x14] == 1;
    const std::array<std::uint8_t, 4> headerKey{0xC7, 0xDA, 0x39, 0x6B};
    auto scrambled = std::span(file).subspan(0x18, jet4 ? 128 : 126);
    jet::rc4Apply(headerKey, scrambled);
    for (int i = 0; i < 4; ++i) file[0x3E + i] = std::uint8_t(key >> (8 * i));
    jet::rc4Apply(headerKey, scrambled);
    const std::size_t ps = pageSizeOf(file);
    for (std::size_t p = 1; p < file.size() / ps; ++p)
        jet::cryptPage(key, static_cast<std::uint32_t>(p), std::span(file).subspan(p * ps, ps));
    return file;
}

TEST(Compact, EncryptedPagesAreReencryptedForTheirNewNumbers) {
    for (const char* name : {"testV1997.mdb", "test2V2000.mdb"}) {
        SCOPED_TRACE(name);
        Bytes plain = jettest::readSample(name);
        Bytes plainOut = jet::compactDatabase(plain, u"");
        Bytes secret = encrypt(plain, 0x5A17C3E1u);
        EXPECT_NE(secret, plain);
        Bytes out = jet::compactDatabase(secret, u"");
        ASSERT_EQ(out.size(), plainOut.size());
        EXPECT_EQ(out, encrypt(plainOut, 0x5A17C3E1u));
        EXPECT_TRUE(jet::checkDatabase(out).empty());
    }
}

// Read through a cache of two pages, every page the engine looks at is read again and freed soon after: a page
// held longer than the cache keeps it is a use after free in the sanitizer build, and the copy must be the same.
TEST(Compact, ATwoPageCacheGivesTheSameCopies) {
    for (const auto& name : jettest::sampleNames()) {
        SCOPED_TRACE(name);
        const Bytes source = jettest::readSample(name);
        jet::MemoryReader throughCache(source, false);
        EXPECT_EQ(jet::compactDatabase(throughCache, u"", 2), jet::compactDatabase(source, u""));
    }
    const Bytes secret = encrypt(jettest::readSample("overflowTestV2003.mdb"), 0x2468ACE1u);
    jet::MemoryReader throughCache(secret, false);
    EXPECT_EQ(jet::compactDatabase(throughCache, u"", 2), jet::compactDatabase(secret, u""));
}

// A page read alone fills only its own place in its block; the rest of the block is read when asked for,
// without touching the page read first, and every page is decrypted once, for its own number.
TEST(Compact, PagesReadAloneAndWithTheirBlockAreTheSame) {
    const Bytes plain = jettest::readSample("overflowTestV2003.mdb");
    const Bytes secret = encrypt(plain, 0x2468ACE1u);
    struct Counting : jet::MemoryReader {
        using MemoryReader::MemoryReader;
        void read(std::uint64_t offset, std::span<std::uint8_t> into) const override {
            bytes += into.size();
            MemoryReader::read(offset, into);
        }
        mutable std::size_t bytes = 0;
    } reader(secret, false);
    const jet::PageStore store(reader, 64);  // blocks of four pages
    const std::uint32_t ps = store.pageSize();
    auto same = [&](std::uint32_t n, std::span<const std::uint8_t> page) {
        return std::equal(page.begin(), page.end(), plain.begin() + std::size_t(n) * ps);
    };
    const std::size_t header = reader.bytes;
    auto first = store.pageAlone(9);
    EXPECT_EQ(reader.bytes - header, ps);
    EXPECT_TRUE(same(9, first));
    EXPECT_TRUE(same(8, store.page(8)));
    EXPECT_EQ(reader.bytes - header, 4 * ps);  // the three other pages of the block, no more
    EXPECT_TRUE(same(9, first));
    for (std::uint32_t n : {10u, 11u, 13u, 12u}) EXPECT_TRUE(same(n, n % 2 ? store.pageAlone(n) : store.page(n)));
}

TEST(Compact, TruncatedAndForeignFilesFailCleanly) {
    for (const char* name : {"testV1997.mdb", "overflowTestV2003.mdb"}) {
        SCOPED_TRACE(name);
        Bytes source = jettest::readSample(name);
        const std::size_t ps = pageSizeOf(source);
        for (std::size_t pages :
             {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(12), pagesOf(source) - 1}) {
            Bytes cut(source.begin(), source.begin() + pages * ps);
            EXPECT_THROW(jet::compactDatabase(cut, u""), JetError) << pages << " pages";
        }
        Bytes ragged(source.begin(), source.end() - 7);
        EXPECT_THROW(jet::compactDatabase(ragged, u""), JetError);
    }
    EXPECT_THROW(jet::compactDatabase(Bytes(4096, 0), u""), JetError);
    EXPECT_THROW(jet::compactDatabase(Bytes{}, u""), JetError);
}

TEST(Compact, CorruptedTableDefinitionsFailCleanly) {
    const Bytes source = jettest::readSample("testV1997.mdb");
    const std::size_t tdef = 29 * 2048;  // Table1
    auto corrupt = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
        Bytes b = source;
        std::copy(bytes.begin(), bytes.end(), b.begin() + at);
        return b;
    };
    EXPECT_THROW(jet::compactDatabase(corrupt(tdef, {0x01}), u""), JetError);                  // not a definition
    EXPECT_THROW(jet::compactDatabase(corrupt(tdef + 4, {0xFF, 0xFF, 0, 0}), u""), JetError);  // chain past the end
    EXPECT_THROW(jet::compactDatabase(corrupt(tdef + 4, {29, 0, 0, 0}), u""), JetError);       // chain loops
    EXPECT_THROW(jet::compactDatabase(corrupt(tdef + 25, {0xFF, 0xFF}), u""), JetError);       // column count
    EXPECT_THROW(jet::compactDatabase(corrupt(tdef + 8, {0x10, 0}), u""), JetError);           // stated length
    EXPECT_THROW(jet::compactDatabase(corrupt(tdef + 35, {0, 0xF0, 0, 0}), u""), JetError);    // usage map row
}

// Access 2013, 2016 and 2019 write the page layout of Access 2010 under their own version byte (no real file of
// theirs is at hand): the same file under each compacts to the same pages, page 0 aside.
TEST(Compact, LaterReleasesOfTheSameLayoutCompactAlike) {
    const Bytes source = jettest::readSample("delTestV2010.accdb");
    const Bytes expected = jet::compactDatabase(source, u"");
    for (std::uint8_t release : {4, 5, 6}) {
        SCOPED_TRACE(int(release));
        Bytes later = source;
        later[0x14] = release;
        const Bytes out = jet::compactDatabase(later, u"");
        ASSERT_EQ(out.size(), expected.size());
        EXPECT_EQ(out[0x14], release);
        EXPECT_TRUE(std::equal(out.begin() + 4096, out.end(), expected.begin() + 4096));
    }
}

// A column of a kind the engine does not know is refused by name, in the survey, before anything is written.
TEST(Compact, UnknownColumnKindsAreRefusedByName) {
    Bytes source = jettest::readSample("calcFieldTestV2010.accdb");
    const std::uint32_t table = [&] {
        jet::PageStore store(source);
        return jet::surveyDatabase(store).table(u"Table1")->def.page;
    }();
    // The column entries follow the real-index entries of the first definition page.
    const std::size_t page = std::size_t(table) * 4096;
    const std::uint32_t realIndexes = jet::rd32(source, page + 51);
    const std::size_t city = page + 63 + 12 * realIndexes + 25 * 4;
    ASSERT_EQ(jet::rd16(source, city + 5), 4u);  // the entry of column 4, City
    source[city] = 0x30;
    try {
        jet::compactDatabase(source, u"");
        ADD_FAILURE() << "a column of unknown type was compacted";
    } catch (const JetError& e) {
        EXPECT_STREQ(e.what(),
                     "unsupported: column 'City' of table 'Table1' is of type 48, which this engine does not "
                     "compact");
    }
}

// Random damage must end in a clean error or in a copy that passes every check: never in a crash.
TEST(Compact, RandomDamageNeverYieldsAnUncheckedCopy) {
    std::mt19937 rng(20261209);
    for (const char* name : {"testV1997.mdb", "indexTestV2000.mdb"}) {
        const Bytes source = jettest::readSample(name);
        int refused = 0, compacted = 0;
        for (int round = 0; round < 60; ++round) {
            Bytes b = source;
            const int hits = 1 + round % 4;
            for (int k = 0; k < hits; ++k) b[2048 + rng() % (b.size() - 2048)] = static_cast<std::uint8_t>(rng());
            try {
                Bytes out = jet::compactDatabase(b, u"");
                EXPECT_TRUE(jet::checkDatabase(out).empty());
                ++compacted;
            } catch (const JetError&) {
                ++refused;
            }
        }
        EXPECT_EQ(refused + compacted, 60);
    }
}

}  // namespace
