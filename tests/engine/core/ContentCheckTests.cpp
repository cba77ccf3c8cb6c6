// Faults that leave every page where the byte check and the structural check expect it, yet change what the
// database holds. The content check reads both files on its own and must refuse each one.
#include "engine/core/Bytes.h"
#include "engine/core/Checker.h"
#include "engine/core/ContentCheck.h"
#include "engine/core/Compactor.h"
#include "engine/core/CopyCheck.h"
#include "engine/core/Digest.h"
#include "engine/core/IndexPage.h"
#include "engine/core/JetEngine.h"
#include "engine/core/RowLayout.h"
#include "engine/core/Survey.h"
#include "engine/core/Verification.h"
#include "tests/engine/core/TestData.h"
#include "tools/kvjet/KvJetCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::size_t pageSizeOf(const Bytes& file) { return file[0x14] == 0 ? 2048 : 4096; }

void put32(Bytes& file, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = std::uint8_t(v >> (8 * i));
}

// The checks that existed before the content check: bytes outside rewritten fields, structure, and counts.
void expectOldChecksPass(const Bytes& source, const Bytes& copy) {
    jet::PageStore src(source), out(copy);
    auto before = jet::surveyDatabase(src), after = jet::surveyDatabase(out);
    EXPECT_NO_THROW(jet::checkOnlyReferencesChanged(src, before, out));
    auto problems = jet::checkStructure(out, after);
    EXPECT_TRUE(problems.empty()) << problems.front();
    ASSERT_EQ(before.tables.size(), after.tables.size());
    for (std::size_t i = 0; i < before.tables.size(); ++i) {
        EXPECT_EQ(before.tables[i].liveRows, after.tables[i].liveRows);
        for (std::size_t k = 0; k < before.tables[i].indexes.size(); ++k)
            EXPECT_EQ(before.tables[i].indexes[k].leafEntries, after.tables[i].indexes[k].leafEntries);
    }
}

// The fault slips past the old checks, and the full check of a copy refuses it.
void expectOnlyTheContentCheckRefuses(const Bytes& source, const Bytes& copy) {
    expectOldChecksPass(source, copy);
    jet::PageStore src(source);
    auto before = jet::surveyDatabase(src);
    EXPECT_THROW(jet::verifyCompactedCopy(src, before, copy), jet::JetError);
}

// A live row of the file: the page and slot its bytes are in.
struct RowAt {
    std::uint32_t page;
    jet::RowSlot slot;
};

template <class Fn>
void forEachRow(const jet::PageStore& store, const jet::TableInfo& t, Fn&& fn) {
    for (auto page : t.dataPages)
        for (std::uint32_t r = 0; r < store.rowCount(page); ++r)
            if (auto slot = store.row(page, r); !slot.deleted) fn(RowAt{page, slot});
}

TEST(ContentCheck, AMemoPointerToAnotherValueIsRefused) {
    const Bytes source = jettest::readSample("indexTestV2000.mdb");
    Bytes copy = jet::compactDatabase(source, u"");
    jet::PageStore out(copy);
    auto survey = jet::surveyDatabase(out);
    // Pointers of values kept in one long-value row each, with where they are stored and what they point to.
    struct Pointer {
        std::size_t at;
        std::uint32_t target;
        Bytes value;
    };
    std::vector<Pointer> pointers;
    for (const auto& t : survey.tables)
        forEachRow(out, t, [&](RowAt r) {
            if (r.slot.overflow) return;
            auto row = out.page(r.page).subspan(r.slot.begin, r.slot.end - r.slot.begin);
            jet::RowLayout layout(out.format(), t.def.columns, row);
            for (const auto& c : t.def.columns)
                if (auto v = c.isLongValue() ? layout.value(c) : std::nullopt;
                    v && v->end - v->begin >= 12 && row[v->begin + 3] == 0x40) {
                    const std::uint32_t target = jet::rd32(row, v->begin + 4);
                    auto slot = out.row(target >> 8, target & 0xFF);
                    auto bytes = out.page(target >> 8).subspan(slot.begin, slot.end - slot.begin);
                    pointers.push_back({r.page * pageSizeOf(copy) + r.slot.begin + v->begin + 4, target,
                                        Bytes(bytes.begin(), bytes.end())});
                }
        });
    ASSERT_GE(pointers.size(), 2u);
    // Point the first value at a longer one, so that its stated length still fits the row it now names.
    const Pointer* other = nullptr;
    for (const auto& p : pointers)
        if (p.value.size() >= pointers[0].value.size() && p.value != pointers[0].value) other = &p;
    ASSERT_NE(other, nullptr);
    put32(copy, pointers[0].at, other->target);
    expectOnlyTheContentCheckRefuses(source, copy);
}

// An intermediate page of an index tree: a key byte of one of its entries, and the child pointer of its second
// entry (made to name the first entry's child), each changed in a compacted copy. The byte check does not look
// at index pages, which are rebuilt; the check of every level of the tree refuses both.
TEST(ContentCheck, AChangedIntermediateIndexEntryIsRefused) {
    const Bytes source = jettest::readSample("compIndexTestV1997.mdb");
    const Bytes copy = jet::compactDatabase(source, u"");
    jet::PageStore out(copy);
    std::uint32_t node = 0;
    for (auto p : jet::surveyDatabase(out).indexPages)
        if (out.pageType(p) == jet::kPageIndexNode && jet::readIndexPage(out, p).entries.size() >= 2) node = p;
    ASSERT_NE(node, 0u);
    const auto ip = jet::readIndexPage(out, node);
    const std::size_t at = std::size_t(node) * pageSizeOf(copy);
    Bytes key = copy;
    key[at + ip.entries[0].begin + 1] ^= 0x01;
    Bytes child = copy;
    std::copy_n(copy.begin() + at + ip.entries[0].end - 4, 4, child.begin() + at + ip.entries[1].end - 4);
    jet::PageStore src(source);
    const auto before = jet::surveyDatabase(src);
    for (const Bytes* changed : {&key, &child}) {
        jet::PageStore store(*changed);
        EXPECT_NO_THROW(jet::checkOnlyReferencesChanged(src, before, store));
        try {
            jet::verifyCompactedCopy(src, before, *changed);
            ADD_FAILURE() << "a changed intermediate entry passed";
        } catch (const jet::JetError& e) {
            EXPECT_NE(std::string(e.what()).find("index"), std::string::npos) << e.what();
        }
    }
}

// A compacted copy holds no overflow rows; one made to point at another row of its table stands for that row.
TEST(ContentCheck, AnOverflowPointerToAnotherRowIsRefused) {
    const Bytes source = jettest::readSample("overflowTestV2003.mdb");
    Bytes copy = jet::compactDatabase(source, u"");
    jet::PageStore out(copy);
    auto survey = jet::surveyDatabase(out);
    bool done = false;
    for (const auto& t : survey.tables) {
        if (done || t.dataPages.empty() || out.rowCount(t.dataPages.front()) < 2 || !t.def.longValueMaps.empty())
            continue;
        // Row 1 of its first page points at row 0, named by its number in the page's row table.
        const std::uint32_t page = t.dataPages.front();
        const std::size_t at = std::size_t(page) * pageSizeOf(copy);
        const std::size_t slot = at + out.format().dataRowCount + 2 + 2;
        const std::uint16_t offset = std::uint16_t(copy[slot] | copy[slot + 1] << 8);
        copy[slot + 1] |= 0x40;
        put32(copy, at + offset, page << 8 | 0);
        done = true;
    }
    ASSERT_TRUE(done);
    expectOnlyTheContentCheckRefuses(source, copy);
}

TEST(ContentCheck, ARelationshipToAnotherTableIsRefused) {
    const Bytes source = jettest::readSample("indexTestV2000.mdb");
    Bytes copy = jet::compactDatabase(source, u"");
    jet::PageStore out(copy);
    auto survey = jet::surveyDatabase(out);
    bool done = false;
    for (const auto& t : survey.tables)
        for (const auto& l : t.def.logicalIndexes)
            if (l.relatedTable != 0 && !done) {
                // Any other table than the related one: the table itself will do unless it is the related one.
                std::uint32_t other = t.def.page != l.relatedTable ? t.def.page : survey.tableIds.back();
                for (int i = 0; i < 4; ++i)
                    copy[std::size_t(l.relatedTableAt[i].page) * pageSizeOf(copy) + l.relatedTableAt[i].offset] =
                        std::uint8_t(other >> (8 * i));
                done = true;
            }
    ASSERT_TRUE(done);
    expectOnlyTheContentCheckRefuses(source, copy);
}

// Rows on a data page that its table's usage map does not list are read by nothing: compaction would drop
// them without a word. The engine refuses before anything is written, naming the page and the table. The same
// page naming as its owner a table the catalog no longer lists holds rows of a dropped table: it is dropped.
TEST(ContentCheck, LiveRowsOutsideTheUsageMapAreRefusedBeforeWritingUnlessTheirTableIsGone) {
    Bytes source, original;
    std::uint32_t unlisted = 0;
    for (const auto& name : jettest::sampleNames()) {
        // A table whose rows hold no long values: dropping its page drops that page alone.
        if (name.ends_with(".accdb")) continue;
        Bytes file = jettest::readSample(name);
        jet::PageStore store(file);
        auto survey = jet::surveyDatabase(store);
        for (const auto& t : survey.tables) {
            if (!t.indexes.empty() || t.used.kind != 0 || t.dataPages.empty() || t.liveRows == 0) continue;
            const std::uint32_t page = t.dataPages.back();
            // Off the table's used-pages map, and off its free-space map, which would otherwise still reach it.
            for (const jet::UsageMap* m : {&t.used, &t.free}) {
                if (m->kind != 0 || !std::binary_search(m->pages.begin(), m->pages.end(), page)) continue;
                auto slot = store.row(m->rowPointer >> 8, m->rowPointer & 0xFF);
                const std::size_t bit = page - m->start;
                file[std::size_t(m->rowPointer >> 8) * pageSizeOf(file) + slot.begin + 5 + bit / 8] &= ~(1u
                                                                                                         << (bit % 8));
            }
            source = file;
            original = jettest::readSample(name);
            unlisted = page;
            break;
        }
        if (!source.empty()) break;
    }
    ASSERT_FALSE(source.empty());
    {
        jet::PageStore store(source);
        auto survey = jet::surveyDatabase(store);
        expectOldChecksPass(source, jet::renumberPages(store, survey));
    }
    const auto dir = std::filesystem::temp_directory_path() / "kv-content-check";
    std::filesystem::create_directories(dir);
    const auto src = dir / "source.mdb", dst = dir / "copy.mdb";
    std::filesystem::remove(dst);
    {
        std::FILE* f = std::fopen(src.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(source.data(), 1, source.size(), f);
        std::fclose(f);
    }
    try {
        kvjet::compactFile(src, dst, u"");
        FAIL() << "rows outside the usage map were dropped";
    } catch (const jet::JetError& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("damaged database: page " + std::to_string(unlisted) + " holds rows of table '", 0), 0u)
            << text;
        EXPECT_NE(text.find("compacting would lose them"), std::string::npos) << text;
    }
    EXPECT_FALSE(std::filesystem::exists(dst));
    std::filesystem::remove_all(dir);

    Bytes dropped = source;
    put32(dropped, std::size_t(unlisted) * pageSizeOf(dropped) + 4, 1);  // page 1 holds no table
    Bytes out = jet::compactDatabase(dropped, u"");
    EXPECT_EQ(out.size(), jet::compactDatabase(original, u"").size() - pageSizeOf(out));
    EXPECT_TRUE(jet::checkDatabase(out).empty());
}

// The content check's strength rests on its digest being SipHash-2-4 (128-bit output): the published vectors
// for key 00..0f, with the message given in pieces as rows are.
TEST(ContentCheck, TheDigestIsSipHash128) {
    const jet::DigestKey key{0x0706050403020100ull, 0x0f0e0d0c0b0a0908ull};
    Bytes message(15);
    for (std::size_t i = 0; i < message.size(); ++i) message[i] = std::uint8_t(i);
    jet::Digest empty(key), pieces(key);
    pieces.add(std::span(message).first(3));
    pieces.add(std::span(message).subspan(3));
    EXPECT_EQ(empty.value(), (jet::DigestValue{0xe6a825ba047f81a3ull, 0x930255c71472f66dull}));
    EXPECT_EQ(pieces.value(), (jet::DigestValue{0x11a8b03399e99354ull, 0xd9c3cf970fec087eull}));
}

}  // namespace
