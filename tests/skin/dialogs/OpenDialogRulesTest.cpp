#include "skin/dialogs/OpenDialogRules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(OpenDialogFilter, PairsAndCurrentMask) {
    const auto pairs = SplitFilter(L"Access 数据库文件|*.mdb|All|*.*|Dangling");
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].description, L"Access 数据库文件");
    EXPECT_EQ(pairs[0].mask, L"*.mdb");
    EXPECT_EQ(pairs[2].description, L"Dangling");
    EXPECT_EQ(pairs[2].mask, L"");
    EXPECT_EQ(CurrentMask(pairs, 1), L"*.*");
    EXPECT_EQ(CurrentMask(pairs, -1), L"");  // no selection: the last pair
    EXPECT_TRUE(SplitFilter(L"").empty());
    EXPECT_EQ(CurrentMask({}, 0), L"*.*");
}

TEST(OpenDialogFilter, AccessMaskShowsFoldersAndMdbInAnyCase) {
    const std::wstring mask = CurrentMask(SplitFilter(L"Access 数据库文件|*.mdb"), 0);
    EXPECT_TRUE(KeepInListing(false, L"a.MDB", mask));
    EXPECT_TRUE(KeepInListing(false, L"数据.mdb", mask));
    EXPECT_TRUE(KeepInListing(true, L"folder.txt", mask));
    EXPECT_FALSE(KeepInListing(false, L"a.mdb.bak", mask));
    EXPECT_FALSE(KeepInListing(false, L"notes.txt", mask));
    EXPECT_FALSE(KeepInListing(false, L"mdb", mask));
}

TEST(OpenDialogFilter, MaskPatternsAndWildcards) {
    EXPECT_TRUE(MaskMatches(kKeepAllMask, L"README"));  // "*.*" also keeps names without a dot
    EXPECT_TRUE(MaskMatches(L"*.txt;*.mdb", L"b.mdb"));
    EXPECT_TRUE(MaskMatches(L"*", L"anything"));
    EXPECT_FALSE(MaskMatches(L"readme", L"readme"));  // a pattern without "." is no file pattern
    EXPECT_FALSE(MaskMatches(L"", L"a.txt"));
    EXPECT_TRUE(MaskMatches(L"db?.md[a-c]", L"DB1.MDB"));
    EXPECT_FALSE(MaskMatches(L"db?.md[!b]", L"db1.mdb"));
    EXPECT_TRUE(WildcardMatch(L"a*b*c.x", L"aXbYbZc.x"));
    EXPECT_FALSE(WildcardMatch(L"a*b*c.x", L"aXbYbZc.y"));
    EXPECT_TRUE(WildcardMatch(L"[ab.x", L"[ab.x"));  // an unclosed set is a literal bracket
    // Many stars against a long name must not take exponential time.
    EXPECT_FALSE(WildcardMatch(L"*a*a*a*a*a*a*a*a*b.x", std::wstring(200, L'a') + L".x"));
}

TEST(OpenDialogNames, PathsAndDefaultExtension) {
    EXPECT_EQ(FolderOfPath(L"C:\\db\\a.mdb"), L"C:\\db");
    EXPECT_EQ(FolderOfPath(L"C:\\a.mdb"), L"C:\\");
    EXPECT_EQ(FolderOfPath(L"a.mdb"), L"");
    EXPECT_EQ(NameOfPath(L"C:\\db\\a.mdb"), L"a.mdb");
    EXPECT_EQ(JoinPath(L"C:\\", L"a"), L"C:\\a");
    EXPECT_EQ(ExtensionOf(L"C:\\x.y\\name"), L"");
    EXPECT_EQ(DefaultExtension(L"txt", L"*.mdb"), L".txt");
    EXPECT_EQ(DefaultExtension(L"", L"*.mdb;*.accdb"), L".mdb");
    EXPECT_EQ(DefaultExtension(L"", L"*.*"), L"");
    EXPECT_EQ(DefaultExtension(L"", L"*.md?"), L"");
}

struct FakeFiles {
    std::set<std::wstring> files, dirs;
    AcceptInput input(std::wstring edit) const {
        AcceptInput in;
        in.editText = std::move(edit);
        in.folder = L"C:\\db";
        in.defaultExt = DefaultExtension(L"", L"*.mdb");
        in.fileExists = [this](const std::wstring& p) { return files.count(p) > 0; };
        in.directoryExists = [this](const std::wstring& p) { return dirs.count(p) > 0; };
        return in;
    }
};

TEST(OpenDialogAccept, NameWithoutExtensionIsAcceptedWithTheMasksExtension) {
    FakeFiles fs{{L"C:\\db\\shop.mdb"}, {L"C:\\db\\sub"}};
    AcceptDecision d = DecideEditEnter(fs.input(L"shop"));
    EXPECT_EQ(d.action, AcceptAction::Close);
    EXPECT_EQ(d.value, L"C:\\db\\shop.mdb");
    // A name that does not exist keeps the window open without a message.
    EXPECT_EQ(DecideOpen(fs.input(L"missing")).action, AcceptAction::None);
    EXPECT_EQ(DecideOpen(fs.input(L"")).action, AcceptAction::None);
    // A selected file wins over the typed name, and must exist.
    AcceptInput sel = fs.input(L"shop");
    sel.selectedFile = L"C:\\db\\gone.mdb";
    EXPECT_EQ(DecideOpen(sel).action, AcceptAction::ClearResult);
    // Without the existence check the typed name is taken as it is, with the extension.
    AcceptInput loose = fs.input(L"new");
    loose.checkFileExists = false;
    EXPECT_EQ(DecideOpen(loose).value, L"C:\\db\\new.mdb");
}

TEST(OpenDialogAccept, EnterWithPatternOrFolderStaysOpen) {
    FakeFiles fs{{}, {L"C:\\db\\sub"}};
    AcceptDecision d = DecideEditEnter(fs.input(L"*.txt"));
    EXPECT_EQ(d.action, AcceptAction::SetMask);
    EXPECT_EQ(d.value, L"*.txt");
    EXPECT_EQ(DecideEditEnter(fs.input(L"C:\\db\\sub")).action, AcceptAction::OpenFolder);
    EXPECT_EQ(DecideEditEnter(fs.input(L"C:\\nowhere")).action, AcceptAction::Refuse) << "said why, see below";
}

// Typed or pasted, a path names the object itself, with Enter and with Open alike; what names nothing is refused
// with its reason.
TEST(OpenDialogAccept, TypedPathsOpenTheirFolderTakeAnExistingFileOrSayWhyNot) {
    FakeFiles fs{{L"Z:\\some\\folder\\db.mdb", L"C:\\db\\sub\\x.mdb", L"C:\\top.mdb"},
                 {L"Z:\\some\\folder", L"C:\\db\\sub", L"C:\\"}};
    for (auto decide : {&DecideEditEnter, &DecideOpen}) {
        const bool enter = decide == &DecideEditEnter;
        AcceptInput full = fs.input(L"Z:\\some\\folder\\db.mdb");
        full.selectedFile = L"C:\\db\\other.mdb";  // what the list has selected does not win over a typed path
        AcceptDecision d = decide(full);
        EXPECT_EQ(d.action, AcceptAction::Close) << enter;
        EXPECT_EQ(d.value, L"Z:\\some\\folder\\db.mdb") << enter;
        EXPECT_EQ(decide(fs.input(L"Z:/some/folder/db")).value, L"Z:\\some\\folder\\db.mdb") << "the mask's extension";
        d = decide(fs.input(L"Z:\\some\\folder\\"));
        EXPECT_EQ(d.action, AcceptAction::OpenFolder) << enter;
        EXPECT_EQ(d.value, L"Z:\\some\\folder");
        EXPECT_EQ(decide(fs.input(L"sub\\x.mdb")).value, L"C:\\db\\sub\\x.mdb") << "below the current folder";
        EXPECT_EQ(decide(fs.input(L"\\top.mdb")).value, L"C:\\top.mdb") << "from the root of its drive";

        d = decide(fs.input(L"Z:\\some\\folder\\gone.mdb"));
        EXPECT_EQ(d.action, AcceptAction::Refuse) << enter;
        EXPECT_EQ(d.reason, RefuseReason::FileNotFound);
        EXPECT_EQ(d.value, L"Z:\\some\\folder\\gone.mdb");
        d = decide(fs.input(L"Z:\\nowhere\\db.mdb"));
        EXPECT_EQ(d.reason, RefuseReason::FolderNotFound) << enter;
        EXPECT_EQ(d.value, L"Z:\\nowhere");
        // Without the existence check a new name in a folder that exists is taken; a missing folder is not.
        AcceptInput loose = fs.input(L"Z:\\some\\folder\\new");
        loose.checkFileExists = false;
        EXPECT_EQ(decide(loose).value, L"Z:\\some\\folder\\new.mdb");
        loose.editText = L"Z:\\nowhere\\new.mdb";
        EXPECT_EQ(decide(loose).reason, RefuseReason::FolderNotFound);
    }
    EXPECT_EQ(DecideEditEnter(fs.input(L"Z:\\some\\*.txt")).action, AcceptAction::SetMask) << "a pattern stays one";
}

TEST(OpenDialogHistory, BackAfterAThenBOpensA) {
    FolderHistory h;
    h.Add(L"A");
    EXPECT_FALSE(h.CanGoBack());
    h.Add(L"B");
    h.Add(L"C");
    EXPECT_EQ(h.Back(), L"B");
    EXPECT_EQ(h.Back(), L"A");
    EXPECT_FALSE(h.CanGoBack());
    EXPECT_EQ(h.Back(), L"");
}

TEST(OpenDialogNewFolder, CounterNamesTheFolders) {
    EXPECT_EQ(NewFolderName(L"New Folder", 1), L"New Folder");
    EXPECT_EQ(NewFolderName(L"New Folder", 2), L"New Folder(2)");
}

TEST(OpenDialogSort, FoldersFirstInBothDirections) {
    const FileSortKey dir{true, L"zeta", 0, L"Folder", 5};
    const FileSortKey big{false, L"Alpha.mdb", 900, L"MDB File", 1};
    const FileSortKey small{false, L"beta.mdb", 10, L"MDB File", 9};
    EXPECT_LT(CompareFiles(dir, big, FileColumn::Name, true), 0);
    EXPECT_LT(CompareFiles(dir, big, FileColumn::Name, false), 0);
    EXPECT_LT(CompareFiles(big, small, FileColumn::Name, true), 0);  // case-insensitive
    EXPECT_GT(CompareFiles(big, small, FileColumn::Size, true), 0);
    EXPECT_LT(CompareFiles(big, small, FileColumn::Size, false), 0);
    EXPECT_LT(CompareFiles(big, small, FileColumn::Modified, true), 0);
    EXPECT_LT(CompareFiles(big, small, FileColumn::Type, true), 0);  // same type: by name
    SortState s = ClickColumn({}, 1);
    EXPECT_TRUE(s.ascending);
    s = ClickColumn(s, 1);
    EXPECT_FALSE(s.ascending);
    s = ClickColumn(s, 0);
    EXPECT_EQ(s.column, 0);
    EXPECT_TRUE(s.ascending);
}

TEST(OpenDialogTypeAhead, FindsFromStartAndWraps) {
    const std::vector<std::wstring> names{L"apple", L"Banana", L"avocado", L"cherry"};
    EXPECT_EQ(FindByPrefix(names, 0, L"a"), 0);
    EXPECT_EQ(FindByPrefix(names, 1, L"A"), 2);
    EXPECT_EQ(FindByPrefix(names, 3, L"ba"), 1);
    EXPECT_EQ(FindByPrefix(names, 0, L"x"), -1);
}

}  // namespace
