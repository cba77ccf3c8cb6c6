// The compacted copy replaces the database on the platform's file system and the database stays the same file:
// links still lead to it, and its attributes, access rights and creation time are kept. Where the platform
// cannot make or show one of these (Wine: symbolic links, creation times), the test says so and skips that part.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "app/Win32FileOperations.h"
#include "engine/com/ConnectionString.h"
#include "framework/FileBeside.h"
#include "framework/Platform.h"
#include "framework/Utf.h"
#include "tests/promo/TestDir.h"

namespace {

const std::string kOriginal = "original database";
const std::string kCompacted = "compacted";

// Creates the destination named in the connection string, as the real engine does.
class WritingEngine : public DatabaseEngine {
public:
    std::int32_t CompactDatabase(const std::u16string&, const std::u16string& destination) override {
        writeFile(fw::toWide(kvcom::parseJetConnection(destination).dataSource), kCompacted);
        return 0;
    }
};

bool compact(const std::wstring& file) {
    Win32FileOperations files;
    return CompactDatabaseFile(fw::toU16(file), u"", files, [] { return std::make_unique<WritingEngine>(); });
}

std::wstring rightsOf(const std::wstring& file) {
    DWORD needed = 0;
    GetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<std::uint8_t> sd(needed);
    if (needed == 0 || !GetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, sd.data(), needed, &needed))
        return L"<none>";
    LPWSTR text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(sd.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                              &text, nullptr))
        return L"<unreadable>";
    std::wstring s(text);
    LocalFree(text);
    return s;
}

BY_HANDLE_FILE_INFORMATION infoOf(const std::wstring& file) {
    BY_HANDLE_FILE_INFORMATION info{};
    fw::KernelHandle h(CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(h.valid() && GetFileInformationByHandle(h.get(), &info)) << file;
    return info;
}

std::uint64_t creationTimeOf(const std::wstring& file) {
    const FILETIME t = infoOf(file).ftCreationTime;
    return (std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

bool setCreationTime(const std::wstring& file, std::uint64_t time) {
    const FILETIME t{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    fw::KernelHandle h(CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return h.valid() && SetFileTime(h.get(), &t, nullptr, nullptr);
}

// A symbolic link `link` to `target`: the platform's own, or, where that is a stub (Wine), the host's `ln -s`,
// which Wine starts as a Unix program. False when neither could make one.
bool makeSymbolicLink(const std::wstring& link, const std::wstring& target) {
    CreateSymbolicLinkW(link.c_str(), target.c_str(), 0);
    if (GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    char* from = unixName(target.c_str());
    char* to = unixName(link.c_str());
    if (!from || !to) return false;
    std::wstring command = L"/bin/ln -s " + fw::utf8ToWide(from) + L" " + fw::utf8ToWide(to);
    HeapFree(GetProcessHeap(), 0, from);
    HeapFree(GetProcessHeap(), 0, to);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(L"Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Wine may report a Unix program's end before the program is done: the link is awaited as well.
    for (int i = 0; i < 100 && GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST(FileIdentity, AttributesRightsAndCreationTimeAreKept) {
    TestDir dir;
    const std::wstring db = dir.path() + L"shop.mdb";
    writeFile(db, kOriginal);
    // Everyone may read and write, which a file made afresh would not allow.
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)(A;;FA;;;SY)", SDDL_REVISION_1,
                                                                     &sd, nullptr));
    ASSERT_TRUE(SetFileSecurityW(db.c_str(), DACL_SECURITY_INFORMATION, sd));
    LocalFree(sd);
    ASSERT_TRUE(SetFileAttributesW(db.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    const std::uint64_t created = 0x01C0000012345678ull;  // 1999
    const bool creationTimeSet = setCreationTime(db, created) && creationTimeOf(db) == created;
    const std::wstring rights = rightsOf(db);
    const std::uint64_t creation = creationTimeOf(db);

    ASSERT_TRUE(compact(db));
    EXPECT_EQ(readFile(db), kCompacted);
    EXPECT_EQ(GetFileAttributesW(db.c_str()), DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(rightsOf(db), rights);
    EXPECT_EQ(listFiles(dir.path()), std::vector<std::wstring>{L"shop.mdb"});
    if (creationTimeSet) {
        EXPECT_EQ(creationTimeOf(db), created);
    } else {
        // Wine keeps no creation time of its own: it reports the host's change time, which every write moves.
        std::printf("[   NOTE   ] the platform cannot set a creation time (%llx kept as %llx); not checked\n",
                    static_cast<unsigned long long>(creation), static_cast<unsigned long long>(creationTimeOf(db)));
    }
}

TEST(FileIdentity, ADatabaseReachedThroughASymbolicLinkIsReplacedWhereItIs) {
    TestDir linkDir, realDir;
    const std::wstring real = realDir.path() + L"shop.mdb";
    const std::wstring link = linkDir.path() + L"shop.mdb";
    writeFile(real, kOriginal);
    if (!makeSymbolicLink(link, real)) GTEST_SKIP() << "the platform makes no symbolic links here";
    ASSERT_EQ(fw::finalPathOf(link), fw::finalPathOf(real));

    ASSERT_TRUE(compact(link));
    EXPECT_EQ(readFile(real), kCompacted);
    EXPECT_EQ(fw::finalPathOf(link), fw::finalPathOf(real));  // still a link to the real file
    EXPECT_EQ(listFiles(realDir.path()), std::vector<std::wstring>{L"shop.mdb"});
    EXPECT_EQ(listFiles(linkDir.path()), std::vector<std::wstring>{L"shop.mdb"});
}

TEST(FileIdentity, ADatabaseWithOtherHardLinksOrReadOnlyIsNotReplaced) {
    TestDir dir;
    const std::wstring db = dir.path() + L"shop.mdb";
    const std::wstring other = dir.path() + L"other.mdb";
    writeFile(db, kOriginal);
    ASSERT_TRUE(CreateHardLinkW(other.c_str(), db.c_str(), nullptr));
    ASSERT_EQ(infoOf(db).nNumberOfLinks, 2u);

    // Replacing one name would leave the other on the old contents: the compaction fails and changes nothing.
    EXPECT_FALSE(compact(db));
    EXPECT_EQ(readFile(db), kOriginal);
    EXPECT_EQ(infoOf(db).nNumberOfLinks, 2u);
    EXPECT_EQ(infoOf(db).nFileIndexLow, infoOf(other).nFileIndexLow);
    EXPECT_EQ(listFiles(dir.path()), (std::vector<std::wstring>{L"other.mdb", L"shop.mdb"}));

    ASSERT_TRUE(DeleteFileW(other.c_str()));
    ASSERT_TRUE(SetFileAttributesW(db.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(compact(db));
    EXPECT_EQ(readFile(db), kOriginal);
    EXPECT_EQ(listFiles(dir.path()), std::vector<std::wstring>{L"shop.mdb"});
    SetFileAttributesW(db.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileIdentity, ADatabaseHeldOpenIsNotReplacedAndNothingIsLeftBeside) {
    TestDir dir;
    const std::wstring db = dir.path() + L"shop.mdb";
    writeFile(db, kOriginal);
    fw::KernelHandle other(
        CreateFileW(db.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(other.valid());
    EXPECT_FALSE(compact(db));
    other.reset();
    EXPECT_EQ(readFile(db), kOriginal);
    EXPECT_EQ(listFiles(dir.path()), std::vector<std::wstring>{L"shop.mdb"});
}
