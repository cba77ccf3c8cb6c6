// Byte streams (portable): memory and files. Reads and writes of whole buffers throw StreamError when short.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {

class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class SeekOrigin { Begin, Current, End };

class Stream {
public:
    virtual ~Stream() = default;
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    // Writes count bytes; returns how many were written.
    virtual std::size_t write(const void* buffer, std::size_t count) = 0;
    // Moves the position; returns the new position. A position before the start is refused (StreamError).
    virtual std::int64_t seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::int64_t size() const = 0;

    std::int64_t position() { return seek(0, SeekOrigin::Current); }
    void setPosition(std::int64_t p) { seek(p, SeekOrigin::Begin); }
    // Exactly count bytes or StreamError ("Stream read error" / "Stream write error").
    void readBuffer(void* buffer, std::size_t count);
    void writeBuffer(const void* buffer, std::size_t count);
    // Everything from the current position to the end.
    std::vector<std::uint8_t> readAll();
    // Copies count bytes (all remaining when count is 0) from src; returns the number copied.
    std::int64_t copyFrom(Stream& src, std::int64_t count = 0);
};

class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}

    std::size_t read(void* buffer, std::size_t count) override;
    std::size_t write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() const override { return static_cast<std::int64_t>(data_.size()); }

    void setSize(std::size_t n) { data_.resize(n); }
    // Room for n bytes without moving the data again as writes grow it (only address space until written).
    void reserve(std::size_t n) { data_.reserve(n); }
    void clear() {
        data_.clear();
        pos_ = 0;
    }
    const std::vector<std::uint8_t>& data() const { return data_; }
    std::vector<std::uint8_t> release() {
        pos_ = 0;
        return std::move(data_);
    }

private:
    std::vector<std::uint8_t> data_;
    std::size_t pos_ = 0;
};

enum class FileMode {
    OpenRead,       // existing file, reading only
    OpenReadWrite,  // existing file, reading and writing
    Create          // new or truncated file, reading and writing
};

// A file named by a std::filesystem::path, so that wide (UTF-16) names work on Windows.
class FileStream : public Stream {
public:
    FileStream(const std::filesystem::path& path, FileMode mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    std::size_t read(void* buffer, std::size_t count) override;
    std::size_t write(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() const override;

private:
    std::FILE* file_ = nullptr;
    bool lastWasWrite_ = false;
    bool lastWasRead_ = false;
};

// Whole-file helpers.
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& data);

}  // namespace fw
