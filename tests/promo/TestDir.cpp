#include "TestDir.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle openFile(const std::wstring& name, DWORD access, DWORD disposition) {
    HANDLE h = CreateFileW(name.c_str(), access, FILE_SHARE_READ, nullptr, disposition, 0, nullptr);
    return FileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

struct FindCloser {
    void operator()(HANDLE h) const { FindClose(h); }
};

}  // namespace

TestDir::TestDir() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    for (;;) {
        std::wstring candidate = std::wstring(temp) + L"kvpromo-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate + L"\\";
            return;
        }
    }
}

TestDir::~TestDir() {
    for (const std::wstring& name : listFiles(path_)) DeleteFileW((path_ + name).c_str());  // one level is all
    RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> listFiles(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((dir + L"*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    const std::unique_ptr<void, FindCloser> find(h);
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
    } while (FindNextFileW(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const std::wstring& name) {
    const FileHandle f = openFile(name, GENERIC_READ, OPEN_EXISTING);
    if (!f) return {};
    std::string bytes;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(f.get(), buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
    return bytes;
}

void writeFile(const std::wstring& name, const std::string& bytes) {
    const FileHandle f = openFile(name, GENERIC_WRITE, CREATE_ALWAYS);
    if (!f) return;
    DWORD n = 0;
    WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
}

bool fileExists(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }
