#include "engine/com/ConnectionString.h"

#include <gtest/gtest.h>

namespace {

using kvcom::ConnectionStringError;
using kvcom::parseConnectionString;
using kvcom::parseJetConnection;

TEST(ConnectionString, SplitsPairsTrimsKeysAndPlainValues) {
    auto pairs = parseConnectionString(u" Provider = Microsoft.Jet.OLEDB.4.0 ;Data Source=C:\\a b\\x.mdb;;");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, u"Provider");
    EXPECT_EQ(pairs[0].second, u"Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(pairs[1].first, u"Data Source");
    EXPECT_EQ(pairs[1].second, u"C:\\a b\\x.mdb");
}

TEST(ConnectionString, QuotedValuesKeepSemicolonsSpacesAndDoubledQuotes) {
    auto pairs = parseConnectionString(u"A=\" x;y \";B='it''s';C=\"say \"\"hi\"\"\"  ;D=");
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0].second, u" x;y ");
    EXPECT_EQ(pairs[1].second, u"it's");
    EXPECT_EQ(pairs[2].second, u"say \"hi\"");
    EXPECT_EQ(pairs[3].second, u"");
}

TEST(ConnectionString, DoubledEqualsInKeyIsLiteral) {
    auto pairs = parseConnectionString(u"a==b=c");
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].first, u"a=b");
    EXPECT_EQ(pairs[0].second, u"c");
}

TEST(ConnectionString, MalformedInputIsRejected) {
    EXPECT_THROW(parseConnectionString(u"Provider"), ConnectionStringError);
    EXPECT_THROW(parseConnectionString(u"=value"), ConnectionStringError);
    EXPECT_THROW(parseConnectionString(u"A=\"unterminated"), ConnectionStringError);
    EXPECT_THROW(parseConnectionString(u"A=\"q\"tail;"), ConnectionStringError);
    // An unquoted password with ';' splits the string: the rest is not a pair.
    EXPECT_THROW(parseConnectionString(u"Jet OLEDB:Database Password=a;b;"), ConnectionStringError);
    EXPECT_TRUE(parseConnectionString(u"").empty());
    EXPECT_TRUE(parseConnectionString(u" ; ;").empty());
}

TEST(ConnectionString, KeysAreCaseInsensitiveAndLastOneWins) {
    auto pairs = parseConnectionString(u"data source=a;DATA SOURCE=b");
    const std::u16string* v = kvcom::findConnectionValue(pairs, u"Data Source");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(*v, u"b");
    EXPECT_EQ(kvcom::findConnectionValue(pairs, u"Provider"), nullptr);
}

TEST(JetConnection, ReadsTheStringsTheProgramBuilds) {
    auto c = parseJetConnection(
        u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\数据\\db.mdb;Jet OLEDB:Database Password=秘密;");
    EXPECT_EQ(c.dataSource, u"C:\\数据\\db.mdb");
    EXPECT_EQ(c.password, u"秘密");

    auto empty = parseJetConnection(
        u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.mdb;Jet OLEDB:Database Password=;");
    EXPECT_EQ(empty.password, u"");

    auto lower = parseJetConnection(
        u"provider=microsoft.jet.oledb.4.0;data source='a;b.mdb';jet oledb:database password=p");
    EXPECT_EQ(lower.dataSource, u"a;b.mdb");
    EXPECT_EQ(lower.password, u"p");

    auto ace = parseJetConnection(
        u"Provider=microsoft.ace.oledb.12.0;Data Source=C:\\db.accdb;Jet OLEDB:Database Password=p;");
    EXPECT_EQ(ace.dataSource, u"C:\\db.accdb");
    EXPECT_EQ(ace.password, u"p");
}

TEST(JetConnection, RefusesOtherProvidersAndMissingSource) {
    EXPECT_THROW(parseJetConnection(u"Provider=Microsoft.ACE.OLEDB.16.0;Data Source=x.accdb;"), ConnectionStringError);
    EXPECT_THROW(parseJetConnection(u"Provider=Microsoft.Jet.OLEDB.3.51;Data Source=x.mdb;"), ConnectionStringError);
    EXPECT_THROW(parseJetConnection(u"Data Source=x.mdb;"), ConnectionStringError);
    EXPECT_THROW(parseJetConnection(u"Provider=Microsoft.Jet.OLEDB.4.0;"), ConnectionStringError);
    EXPECT_THROW(parseJetConnection(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=  ;"), ConnectionStringError);
}

}  // namespace
