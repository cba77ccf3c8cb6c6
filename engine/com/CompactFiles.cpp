#include "engine/com/CompactFiles.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "engine/core/JetEngine.h"
#include "framework/FileBeside.h"
#include "framework/Platform.h"

namespace kvcom {
namespace {

// Jet databases are limited to 2 GB; anything larger is not one of ours and is not read into memory.
constexpr std::uint64_t kMaxDatabaseBytes = 0x7FFFFFFFull;

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::uint8_t> readSource(const std::wstring& path) {
    // Share mode read only: if another program has the file open for writing the open fails, so we never
    // compact a database that is being changed under us.
    fw::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        DWORD err = GetLastError();
        if (err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION) {
            throw CompactError(STG_E_SHAREVIOLATION, "The source database is open in another program");
        }
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) {
            throw CompactError(STG_E_FILENOTFOUND, "The source database was not found");
        }
        throw CompactError(HRESULT_FROM_WIN32(err), "The source database cannot be opened");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw CompactError(E_FAIL, "The size of the source database cannot be read");
    if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > kMaxDatabaseBytes) {
        throw CompactError(E_FAIL, "The source is too large to be a database");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) {
            throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The source database cannot be read");
        }
        if (got == 0) throw CompactError(E_FAIL, "The source database changed size while it was read");
        done += got;
    }
    return bytes;
}

// Writes the whole destination under a scratch name beside it, flushes it, then renames it into place without
// replacing anything; the scratch file is removed on every failure.
void writeDestination(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    fw::FileBeside partial(path, L"~kv");
    if (!partial.valid()) {
        throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination folder cannot be written");
    }
    {
        fw::KernelHandle file(CreateFileW(partial.name().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination cannot be created");
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
            DWORD put = 0;
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &put, nullptr) || put == 0) {
                throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination cannot be written");
            }
            done += put;
        }
        if (!FlushFileBuffers(file.get())) {
            throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination cannot be flushed to disk");
        }
    }
    if (!partial.putInPlace(fw::ExistingTarget::Keep)) {
        DWORD err = GetLastError();
        if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) {
            throw CompactError(STG_E_FILEALREADYEXISTS, "The destination file already exists");
        }
        throw CompactError(HRESULT_FROM_WIN32(err), "The destination cannot be put in place");
    }
}

JetConnection parseEnd(const std::wstring& text, const char* which) {
    try {
        return parseJetConnection(fw::toU16(text));
    } catch (const ConnectionStringError& e) {
        throw CompactError(E_INVALIDARG, std::string(which) + ": " + e.what());
    }
}

}  // namespace

void compactDatabaseFiles(const std::wstring& source, const std::wstring& destination) {
    const JetConnection src = parseEnd(source, "Source");
    const JetConnection dst = parseEnd(destination, "Destination");
    // The core keeps the source's password; a different one for the copy would silently not be applied.
    if (src.password != dst.password) {
        throw CompactError(E_INVALIDARG, "Changing the database password while compacting is not supported");
    }
    const std::wstring srcPath = fw::toWide(src.dataSource);
    const std::wstring dstPath = fw::toWide(dst.dataSource);
    if (!fileExists(srcPath)) throw CompactError(STG_E_FILENOTFOUND, "The source database was not found");
    if (fileExists(dstPath)) throw CompactError(STG_E_FILEALREADYEXISTS, "The destination file already exists");

    std::vector<std::uint8_t> input = readSource(srcPath);
    std::vector<std::uint8_t> output;
    try {
        output = jet::compactDatabase(input, src.password);
    } catch (const jet::JetError& e) {
        throw CompactError(E_FAIL, e.what());
    } catch (const std::bad_alloc&) {
        throw CompactError(E_OUTOFMEMORY, "Not enough memory to compact the database");
    }
    writeDestination(dstPath, output);
}

}  // namespace kvcom
