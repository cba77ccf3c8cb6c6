#include "engine/core/JetEngine.h"
#include "engine/core/JetHeader.h"
#include "tests/engine/core/TestData.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using jet::JetError;

TEST(JetHeader, SamplesHaveKnownVersionNoKeyAndNoPassword) {
    for (const auto& name : jettest::sampleNames()) {
        SCOPED_TRACE(name);
        auto file = jettest::readSample(name);
        auto h = jet::readHeader(file);
        EXPECT_EQ(h.version, name.find("V1997") != std::string::npos ? jet::JetVersion::Jet3 : jet::JetVersion::Jet4);
        EXPECT_EQ(h.databaseKey, 0u);
        EXPECT_NO_THROW(jet::checkPassword(h, u""));
        EXPECT_THROW(jet::checkPassword(h, u"secret"), JetError);
    }
}

TEST(JetHeader, RejectsForeignShortMisalignedAndLaterFormats) {
    auto file = jettest::readSample("test2V2000.mdb");
    EXPECT_THROW(jet::readHeader(std::span(file).first(1000)), JetError);
    EXPECT_THROW(jet::readHeader(std::span(file).first(file.size() - 100)), JetError);
    // Access 2007 and later: their own signature, or a version byte above Jet 4's, named as such.
    auto later = file;
    later[0x14] = 2;
    auto ace = later;
    std::memcpy(ace.data() + 4, "Standard ACE DB", 15);
    for (const auto& f : {later, ace}) {
        try {
            jet::readHeader(f);
            ADD_FAILURE() << "a later format was read";
        } catch (const JetError& e) {
            EXPECT_STREQ(e.what(), "an Access 2007 or later database (.accdb); this engine compacts .mdb files");
        }
    }
    auto foreign = file;
    foreign[5] = 'X';
    EXPECT_THROW(jet::readHeader(foreign), JetError);
}

// A password written into the header is found again; every other password, and none, is refused.
TEST(JetHeader, PasswordRoundTripBothVersions) {
    for (const char* name : {"testV1997.mdb", "test2V2000.mdb"}) {
        SCOPED_TRACE(name);
        auto file = jettest::readSample(name);
        auto h = jet::readHeader(file);
        auto page0 = jet::withPassword(std::span(file).first(h.pageSize), h.version, u"Geheim12");
        std::copy(page0.begin(), page0.end(), file.begin());
        auto protectedHeader = jet::readHeader(file);
        EXPECT_NO_THROW(jet::checkPassword(protectedHeader, u"Geheim12"));
        EXPECT_THROW(jet::checkPassword(protectedHeader, u"geheim12"), JetError);
        EXPECT_THROW(jet::checkPassword(protectedHeader, u"Geheim1"), JetError);
        EXPECT_THROW(jet::checkPassword(protectedHeader, u""), JetError);
        EXPECT_THROW(jet::compactDatabase(file, u"wrong"), JetError);
        EXPECT_EQ(protectedHeader.databaseKey, 0u);  // the key next to the password is left alone
    }
}

}  // namespace
