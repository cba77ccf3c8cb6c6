#include "engine/com/CompactFiles.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>
#include <span>

#include "engine/core/JetEngine.h"
#include "engine/core/PageStore.h"
#include "framework/FileBeside.h"
#include "framework/Platform.h"

namespace kvcom {
namespace {

// Jet databases are limited to 2 GB; anything larger is not one of ours.
constexpr std::uint64_t kMaxDatabaseBytes = 0x7FFFFFFFull;

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Reads at an offset through a handle, a megabyte at most per call.
void readAt(HANDLE file, std::uint64_t offset, std::span<std::uint8_t> into) {
    std::size_t done = 0;
    while (done < into.size()) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(into.size() - done, 1u << 20));
        DWORD got = 0;
        if (!ReadFile(file, into.data() + done, chunk, &got, &at) || got == 0)
            throw jet::JetError("a database file could not be read");
        done += got;
    }
}

// The source, read page by page through the handle that keeps other programs from changing it meanwhile.
class HandleReader : public jet::FileReader {
public:
    HandleReader(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    std::uint64_t size() const override { return size_; }
    void read(std::uint64_t offset, std::span<std::uint8_t> into) const override {
        if (offset > size_ || into.size() > size_ - offset)
            throw jet::JetError("a read beyond the end of a database file");
        readAt(file_, offset, into);
    }

private:
    HANDLE file_;
    std::uint64_t size_;
};

// Share mode read only: if another program has the file open for writing the open fails, so we never
// compact a database that is being changed under us. The handle stays open until the compaction is done.
fw::KernelHandle openSource(const std::wstring& path, std::uint64_t& bytes) {
    fw::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
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
    bytes = static_cast<std::uint64_t>(size.QuadPart);
    return file;
}

// The destination's scratch file: pages appended in order, then read back through the same handle.
// Pages are gathered and written a block at a time: one WriteFile per page would cost a system call each.
class HandleSink : public jet::PageSink {
public:
    explicit HandleSink(HANDLE file) : file_(file) { pending_.reserve(kWriteBlock); }
    void write(std::span<const std::uint8_t> page) override {
        reader_.reset();
        if (pending_.size() + page.size() > kWriteBlock) flush();
        pending_.insert(pending_.end(), page.begin(), page.end());
    }
    const jet::FileReader& written() override {
        flush();
        return reader_.emplace(file_, written_);
    }
    // Writes what is still gathered; throws when the destination takes less.
    void flush() {
        if (pending_.empty()) return;
        // At an explicit offset: reading the copy back moves the handle's file pointer.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(written_);
        at.OffsetHigh = static_cast<DWORD>(written_ >> 32);
        DWORD put = 0;
        if (!WriteFile(file_, pending_.data(), static_cast<DWORD>(pending_.size()), &put, &at) ||
            put != pending_.size())
            throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination cannot be written");
        written_ += pending_.size();
        pending_.clear();
    }

private:
    static constexpr std::size_t kWriteBlock = std::size_t(1) << 20;
    HANDLE file_;
    std::uint64_t written_ = 0;
    std::vector<std::uint8_t> pending_;
    std::optional<HandleReader> reader_;
};

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

    std::uint64_t sourceBytes = 0;
    fw::KernelHandle input = openSource(srcPath, sourceBytes);
    const HandleReader reader(input.get(), sourceBytes);

    // The copy goes to a scratch file beside the destination, is flushed, then renamed into place without
    // replacing anything; the scratch file is removed on every failure.
    fw::FileBeside partial(dstPath, L"~kv");
    if (!partial.valid()) {
        throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination folder cannot be written");
    }
    {
        fw::KernelHandle file(CreateFileW(partial.name().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) throw CompactError(HRESULT_FROM_WIN32(GetLastError()), "The destination cannot be created");
        HandleSink sink(file.get());
        try {
            jet::compactDatabase(reader, src.password, sink, jet::kCachedPages);
        } catch (const jet::JetError& e) {
            throw CompactError(E_FAIL, e.what());
        } catch (const std::bad_alloc&) {
            throw CompactError(E_OUTOFMEMORY, "Not enough memory to compact the database");
        }
        sink.flush();
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

}  // namespace kvcom
