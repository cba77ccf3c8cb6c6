#include "app/Compaction.h"

#include <gtest/gtest.h>

#include "engine/com/ConnectionString.h"
#include "framework/Paths.h"
#include "tests/app/FakeFiles.h"

namespace {

const std::u16string kDb = u"D:\\data\\shop.mdb";
const FakeFiles::Bytes kOriginal{'o', 'r', 'i', 'g', 'i', 'n', 'a', 'l', ' ', 'd', 'b'};
const FakeFiles::Bytes kCompacted{'c', 'o', 'm', 'p', 'a', 'c', 't'};

// Engine fake: records its calls and, like the real one, creates the destination named in the connection string.
struct FakeEngineState {
    int created = 0;
    std::vector<std::pair<std::u16string, std::u16string>> calls;
    bool failCreate = false;
    bool throwAfterPartialWrite = false;
    std::int32_t returnCode = 0;
};

class FakeEngine : public DatabaseEngine {
public:
    FakeEngine(FakeEngineState& s, FakeFiles& f) : s_(s), f_(f) {}
    std::int32_t CompactDatabase(const std::u16string& source, const std::u16string& destination) override {
        s_.calls.emplace_back(source, destination);
        const std::u16string dst = kvcom::parseJetConnection(destination).dataSource;
        if (s_.throwAfterPartialWrite) {
            f_.files[dst] = FakeFiles::Bytes(kCompacted.begin(), kCompacted.begin() + 3);
            throw EngineError("disk full");
        }
        f_.files[dst] = kCompacted;
        return s_.returnCode;
    }

private:
    FakeEngineState& s_;
    FakeFiles& f_;
};

class CompactDatabaseFileTest : public ::testing::Test {
protected:
    void SetUp() override { files.files[kDb] = kOriginal; }
    bool run(const std::u16string& name = kDb, const std::u16string& password = u"") {
        return CompactDatabaseFile(
            name, password, files,
            [this]() -> std::unique_ptr<DatabaseEngine> {
                ++engine.created;
                if (engine.failCreate) throw EngineError("class not registered");
                return std::make_unique<FakeEngine>(engine, files);
            },
            &reason);
    }
    // Only the database itself remains: no temporary file, no compacted copy beside it.
    void expectOnlyDatabaseLeft(const FakeFiles::Bytes& content) {
        ASSERT_EQ(files.files.size(), 1u) << "a temporary file was left behind";
        EXPECT_EQ(files.files.at(kDb), content);
    }
    FakeFiles files;
    FakeEngineState engine;
    std::u16string reason;  // why the last run failed
};

TEST_F(CompactDatabaseFileTest, ReplacesTheDatabaseWithTheCompactedCopy) {
    EXPECT_TRUE(run());
    expectOnlyDatabaseLeft(kCompacted);
    ASSERT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(engine.calls[0].first,
              u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\\data\\shop.mdb;Jet OLEDB:Database Password=;");
    EXPECT_EQ(engine.calls[0].second,
              u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Temp\\~ACP1.tmp;Jet OLEDB:Database Password=;");
    // The copy is flushed before it is swapped in.
    std::vector<std::string> tail(files.log.end() - 5, files.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"reserve", "copy", "flush", "replace", "delete"}));
}

TEST_F(CompactDatabaseFileTest, EveryPasswordAndPathReachTheEngineExactly) {
    // Ordinary values go in unchanged, as before.
    EXPECT_EQ(BuildConnectionString(u"C:\\数据\\a b.mdb", u"Kv a1"),
              u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\数据\\a b.mdb;Jet OLEDB:Database Password=Kv a1;");
    // A ';', a quote or blanks at either end would cut or trim the value: such values are quoted.
    const std::u16string odd = u" D:\\a;b\\x.mdb ";
    files.files[odd] = kOriginal;
    files.files.erase(kDb);
    const std::u16string passwords[] = {u"Kv;a 1", u"p;w=\"1", u"  lead", u"trail ", u"'q", u"\"", u"密码;码", u""};
    for (const std::u16string& pw : passwords) {
        engine.calls.clear();
        files.files[odd] = kOriginal;
        EXPECT_TRUE(run(odd, pw));
        ASSERT_EQ(engine.calls.size(), 1u);
        const kvcom::JetConnection source = kvcom::parseJetConnection(engine.calls[0].first);
        const kvcom::JetConnection destination = kvcom::parseJetConnection(engine.calls[0].second);
        EXPECT_EQ(source.dataSource, odd);
        EXPECT_EQ(source.password, pw);
        EXPECT_EQ(destination.password, pw);
    }
}

TEST_F(CompactDatabaseFileTest, UnreservableTemporaryNameStopsBeforeTheEngine) {
    files.failReserveTemp = true;
    EXPECT_FALSE(run());
    EXPECT_EQ(reason, kNoTempFileReason);
    EXPECT_EQ(engine.created, 0);
    expectOnlyDatabaseLeft(kOriginal);

    FakeFiles other;
    other.files[kDb] = kOriginal;
    other.failDeleteTemp = true;
    int created = 0;
    EXPECT_FALSE(CompactDatabaseFile(kDb, u"", other, [&]() -> std::unique_ptr<DatabaseEngine> {
        ++created;
        return nullptr;
    }));
    EXPECT_EQ(created, 0);
}

TEST_F(CompactDatabaseFileTest, EngineFailuresLeaveTheDatabaseAndNoTemporaryFile) {
    // The engine's own words become the reason the user reads.
    engine.failCreate = true;
    EXPECT_FALSE(run());
    EXPECT_EQ(reason, u"class not registered");
    expectOnlyDatabaseLeft(kOriginal);

    engine.failCreate = false;
    engine.throwAfterPartialWrite = true;
    EXPECT_FALSE(run());
    EXPECT_EQ(reason, u"disk full");
    expectOnlyDatabaseLeft(kOriginal);

    engine.throwAfterPartialWrite = false;
    engine.returnCode = static_cast<std::int32_t>(0x80004005);
    EXPECT_FALSE(run());
    expectOnlyDatabaseLeft(kOriginal);

    engine.returnCode = 1;  // S_FALSE and other non-negative codes are success
    EXPECT_TRUE(run());
    expectOnlyDatabaseLeft(kCompacted);
}

TEST_F(CompactDatabaseFileTest, ADatabaseReachedThroughALinkIsReplacedWhereItReallyIs) {
    const std::u16string real = u"E:\\store\\shop.mdb";
    files.files.erase(kDb);
    files.files[real] = kOriginal;
    files.links[kDb] = real;
    EXPECT_TRUE(run());
    EXPECT_EQ(files.files.at(real), kCompacted);
    EXPECT_EQ(files.files.size(), 1u);  // the copy was made beside the real file; nothing took the link's place
    EXPECT_EQ(files.links.at(kDb), real);
    // A name that leads to no file stops before anything is written.
    files.links[kDb] = u"E:\\gone.mdb";
    EXPECT_FALSE(run());
    EXPECT_EQ(reason, kNotFoundReason);
    EXPECT_EQ(files.files.at(real), kCompacted);
    EXPECT_EQ(files.files.size(), 1u);
}

// Failures while the compacted copy is put in place: the database stays byte for byte as it was and no
// temporary or half-written file remains.
TEST_F(CompactDatabaseFileTest, FailedReplacementKeepsTheOriginalIntact) {
    struct Case {
        const char* what;
        void (*inject)(FakeFiles&);
    };
    const Case cases[] = {
        {"copy stops half-way", [](FakeFiles& f) { f.copyStopsAfter = 3; }},
        {"copy writes nothing", [](FakeFiles& f) { f.copyStopsAfter = 0; }},
        {"flush fails", [](FakeFiles& f) { f.failFlush = true; }},
        {"replace fails", [](FakeFiles& f) { f.failReplace = true; }},
        {"no name beside the database", [](FakeFiles& f) { f.failReserveBeside = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        files = FakeFiles{};
        files.files[kDb] = kOriginal;
        c.inject(files);
        EXPECT_FALSE(run());
        EXPECT_EQ(reason, kNotReplacedReason);
        expectOnlyDatabaseLeft(kOriginal);
    }
}

TEST(CompactionText, TrimRemovesControlCharactersAndSpacesOnly) {
    EXPECT_EQ(TrimText(u"   "), u"");
    EXPECT_EQ(TrimText(u"\t\r\n a b \x01"), u"a b");
    EXPECT_EQ(TrimText(u"\u3000x\u3000"), u"\u3000x\u3000");  // the ideographic space is above ' '
    EXPECT_EQ(TrimText(u""), u"");
}

TEST(CompactionText, FoldersAndBackslashes) {
    EXPECT_EQ(fw::folderOf(u"C:\\a\\b.mdb"), u"C:\\a");
    EXPECT_EQ(fw::folderOf(u"C:\\b.mdb"), u"C:\\");
    EXPECT_EQ(fw::folderOf(u"b.mdb"), u".");
    EXPECT_EQ(fw::folderOf(u"\\b.mdb"), u"\\");
    EXPECT_EQ(WithTrailingBackslash(u"C:\\Temp"), u"C:\\Temp\\");
    EXPECT_EQ(WithTrailingBackslash(u"C:\\Temp\\"), u"C:\\Temp\\");
}

// ---- the compact button ------------------------------------------------------------------------------

struct ShownBox {
    std::u16string text;
    TkvMessageKind kind;
    TkvMessageButtons buttons;
    int help;
};

class CompactCommandTest : public ::testing::Test {
protected:
    CompactCommandHost host() {
        CompactCommandHost h;
        h.fileNameText = [this] { return fileText; };
        h.passwordText = [this] { return passwordText; };
        h.showMessageBox = [this](std::u16string_view text, TkvMessageKind kind, TkvMessageButtons buttons, int help) {
            boxes.push_back({std::u16string(text), kind, buttons, help});
            return boxes.size() == 1 ? confirmAnswer : mrOk;
        };
        h.compactDatabaseFile = [this](const std::u16string& f, const std::u16string& p, std::u16string& reason) {
            compacted.emplace_back(f, p);
            reason = compactReason;
            return compactResult;
        };
        return h;
    }
    std::u16string fileText, passwordText;
    int confirmAnswer = mrOk;
    bool compactResult = true;
    std::u16string compactReason;
    std::vector<ShownBox> boxes;
    std::vector<std::pair<std::u16string, std::u16string>> compacted;
};

TEST_F(CompactCommandTest, BlankNameDoesNothingAtAll) {
    for (const char16_t* blank : {u"", u"   ", u" \t "}) {
        fileText = blank;
        RunCompactCommand(host());
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(compacted.empty());
}

TEST_F(CompactCommandTest, ConfirmedCompactionReportsSuccessWithTheUntrimmedName) {
    fileText = u"  C:\\db.mdb ";
    passwordText = u"pw";
    RunCompactCommand(host());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, kConfirmCompactText);
    EXPECT_EQ(boxes[0].kind, TkvMessageKind::mtWarning);
    EXPECT_EQ(boxes[0].buttons, ButtonBit(mbOK) | ButtonBit(mbCancel));
    EXPECT_EQ(boxes[0].help, 0);
    ASSERT_EQ(compacted.size(), 1u);
    EXPECT_EQ(compacted[0].first, u"  C:\\db.mdb ");
    EXPECT_EQ(compacted[0].second, u"pw");
    EXPECT_EQ(boxes[1].text, u"压缩数据库成功");
    EXPECT_EQ(boxes[1].kind, TkvMessageKind::mtInformation);
    EXPECT_EQ(boxes[1].buttons, ButtonBit(mbOK));
}

TEST_F(CompactCommandTest, FailureShowsTheErrorBox) {
    fileText = u"C:\\db.mdb";
    compactResult = false;
    RunCompactCommand(host());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, kCompactFailedText);  // no reason given: the program's text alone
    EXPECT_EQ(boxes[1].kind, TkvMessageKind::mtError);
    EXPECT_EQ(boxes[1].buttons, ButtonBit(mbOK));

    // The reason goes on a line of its own under the program's text.
    compactReason = u"not a database file: the header signature is missing";
    RunCompactCommand(host());
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3].text, std::u16string(kCompactFailedText) + u"\n" + compactReason);
}

TEST_F(CompactCommandTest, AnythingButOkOnTheConfirmationStops) {
    fileText = u"C:\\db.mdb";
    for (int answer : {mrCancel, mrNone, mrYes}) {
        boxes.clear();
        confirmAnswer = answer;
        RunCompactCommand(host());
        EXPECT_EQ(boxes.size(), 1u);
    }
    EXPECT_TRUE(compacted.empty());
}

}  // namespace
