#include "engine/core/Checker.h"
#include "engine/core/Verification.h"
#include "engine/core/CopyCheck.h"
#include "engine/core/JetEngine.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"
#include "tests/engine/core/TestData.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
    for (const auto& p : problems)
        if (p.find(text) != std::string::npos) return true;
    return false;
}

class CheckerTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        compacted = jet::compactDatabase(jettest::readSample(GetParam()), u"");
        ps = compacted[0x14] == 0 ? 2048 : 4096;
        ASSERT_TRUE(jet::checkDatabase(compacted).empty());
    }
    // Where the catalog's index on table ids keeps its first leaf page.
    std::uint32_t idIndexLeaf() const {
        jet::PageStore store(compacted);
        auto survey = jet::surveyDatabase(store);
        for (const auto& ix : survey.table(u"MSysObjects")->indexes)
            if (ix.idKeyed)
                for (auto p : ix.pages)
                    if (store.pageType(p) == jet::kPageIndexLeaf) return p;
        return 0;
    }
    Bytes compacted;
    std::size_t ps = 0;
};

TEST_P(CheckerTest, SourcesWithGarbageAreNotSound) {
    Bytes b = compacted;
    b.insert(b.end(), ps, 0);
    EXPECT_TRUE(mentions(jet::checkDatabase(b), "not reached"));
}

TEST_P(CheckerTest, GlobalMapMustMarkExactlyThePagesPastTheEndFree) {
    Bytes b = compacted;
    jet::PageStore store(compacted);
    auto survey = jet::surveyDatabase(store);
    auto slot = store.row(1, 0);
    b[ps + slot.begin + 5] |= 0x08;  // page 3 marked free
    EXPECT_TRUE(mentions(jet::checkDatabase(b), "free inside the file"));

    Bytes c = compacted;
    c[ps + slot.begin + 5 + 60] = 0;  // pages 480-487, past the end of every sample, marked used
    EXPECT_TRUE(mentions(jet::checkDatabase(c), "past the end"));
}

TEST_P(CheckerTest, AnIdKeyThatNoLongerMatchesItsRowIsReported) {
    const std::uint32_t leaf = idIndexLeaf();
    ASSERT_NE(leaf, 0u);
    Bytes b = compacted;
    jet::PageStore store(compacted);
    auto ip = jet::readIndexPage(store, leaf);
    ASSERT_GE(ip.entries.size(), 2u);
    // The last entry is stored without the shared prefix; change the low byte of its id.
    const auto& e = ip.entries.back();
    const std::size_t idLow = 4 - (ip.prefixLength < 4 ? ip.prefixLength : 4);
    b[leaf * ps + e.begin + idLow] ^= 0x01;
    EXPECT_FALSE(jet::checkDatabase(b).empty());
}

TEST_P(CheckerTest, ABrokenLeafLinkIsReported) {
    const std::uint32_t leaf = idIndexLeaf();
    Bytes b = compacted;
    const std::size_t nextAt = compacted[0x14] == 0 ? 12 : 16;
    b[leaf * ps + nextAt] = 2;  // "next leaf" now names the catalog's definition page
    EXPECT_FALSE(jet::checkDatabase(b).empty());
}

// The copy check compares every kept page with its source: a byte changed outside the rewritten fields, even
// in a page's free space where no reader would notice, makes the copy unusable.
TEST_P(CheckerTest, CopyCheckFindsAStrayWrite) {
    Bytes source = jettest::readSample(GetParam());
    jet::PageStore src(source);
    auto before = jet::surveyDatabase(src);
    {
        jet::PageStore out(compacted);
        EXPECT_NO_THROW(jet::checkOnlyReferencesChanged(src, before, out));
    }
    Bytes stray = compacted;
    jet::PageStore out(compacted);
    const std::uint32_t page = jet::surveyDatabase(out).table(u"MSysObjects")->dataPages.at(0);
    const auto& f = out.format();
    const std::size_t freeSpace = f.dataRowCount + 2 + 2 * out.rowCount(page) + 16;
    ASSERT_LT(freeSpace, out.row(page, out.rowCount(page) - 1).begin);
    stray[page * ps + freeSpace] ^= 0x5A;
    // A page filled afresh is not compared byte for byte with a source page: the structure says where its
    // bytes may be.
    EXPECT_THROW(jet::verifyCompactedCopy(src, before, stray), jet::JetError);
    EXPECT_FALSE(jet::checkDatabase(stray).empty());
    // On a page carried over, every byte but the rewritten fields is compared with its source.
    stray = compacted;
    const std::uint32_t kept = before.tables.front().def.page;  // the catalog's definition keeps its place
    stray[std::size_t(kept) * ps + ps - 1] ^= 0x5A;
    jet::PageStore changed(stray);
    EXPECT_THROW(jet::checkOnlyReferencesChanged(src, before, changed), jet::JetError);
}

INSTANTIATE_TEST_SUITE_P(Samples, CheckerTest, ::testing::Values("testV1997.mdb", "queryTestV2003.mdb"));

}  // namespace
