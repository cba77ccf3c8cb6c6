#include "tests/engine/core/IoFloor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jettest {
namespace {

constexpr std::size_t kBlock = 64 * 1024;  // one block of the compactor's page cache
constexpr std::size_t kPage = 4096;
constexpr std::size_t kWriteBlock = 1 << 20;  // what the compactor gathers before writing

class Fd {
public:
    Fd(const std::filesystem::path& path, int flags) : fd_(::open(path.c_str(), flags, 0644)) {
        if (fd_ < 0) throw std::runtime_error("cannot open " + path.string());
    }
    ~Fd() { ::close(fd_); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    std::size_t size() const {
        struct stat st {};
        ::fstat(fd_, &st);
        return static_cast<std::size_t>(st.st_size);
    }

private:
    int fd_;
};

// Blocks of a file in order, through read() or through mapped windows.
class BlockSource {
public:
    BlockSource(const std::filesystem::path& path, std::size_t window)
        : fd_(path, O_RDONLY), size_(fd_.size()), window_(window), buffer_(window ? 0 : kBlock) {}
    ~BlockSource() { unmap(); }
    BlockSource(const BlockSource&) = delete;
    BlockSource& operator=(const BlockSource&) = delete;
    std::size_t size() const { return size_; }

    // The bytes [offset, offset + n), n at most a block, within one window.
    const std::uint8_t* at(std::size_t offset, std::size_t n) {
        if (window_ == 0) {
            for (std::size_t done = 0; done < n;) {
                const ssize_t got = ::pread(fd_.get(), buffer_.data() + done, n - done, off_t(offset + done));
                if (got <= 0) throw std::runtime_error("read failed");
                done += std::size_t(got);
            }
            return buffer_.data();
        }
        if (map_ == nullptr || offset < mapAt_ || offset + n > mapAt_ + mapBytes_) {
            unmap();
            mapAt_ = offset / window_ * window_;
            mapBytes_ = std::min(window_, size_ - mapAt_);
            void* p = ::mmap(nullptr, mapBytes_, PROT_READ, MAP_SHARED | MAP_POPULATE, fd_.get(), off_t(mapAt_));
            if (p == MAP_FAILED) throw std::runtime_error("mmap failed");
            map_ = static_cast<const std::uint8_t*>(p);
        }
        return map_ + (offset - mapAt_);
    }

private:
    void unmap() {
        if (map_) ::munmap(const_cast<std::uint8_t*>(map_), mapBytes_);
        map_ = nullptr;
    }
    Fd fd_;
    std::size_t size_, window_;
    std::vector<std::uint8_t> buffer_;
    const std::uint8_t* map_ = nullptr;
    std::size_t mapAt_ = 0, mapBytes_ = 0;
};

// A word of every page, so that no page goes unread.
std::uint64_t touch(const std::uint8_t* p, std::size_t n) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i + 8 <= n; i += kPage) {
        std::uint64_t v;
        std::memcpy(&v, p + i, 8);
        sum += v;
    }
    return sum;
}

}  // namespace

std::uint64_t ioFloor(const std::filesystem::path& source, const std::filesystem::path& copy, std::size_t windowBytes) {
    std::uint64_t sum = 0;
    {
        BlockSource in(source, windowBytes);
        for (std::size_t at = 0; at < in.size(); at += kBlock) {
            const std::size_t n = std::min(kBlock, in.size() - at);
            sum += touch(in.at(at, n), n);
        }
    }
    {
        BlockSource in(source, windowBytes);
        Fd out(copy, O_WRONLY | O_CREAT | O_TRUNC);
        std::vector<std::uint8_t> pending;
        pending.reserve(kWriteBlock);
        auto flush = [&] {
            if (::write(out.get(), pending.data(), pending.size()) != ssize_t(pending.size()))
                throw std::runtime_error("write failed");
            pending.clear();
        };
        for (std::size_t at = 0; at < in.size(); at += kBlock) {
            const std::size_t n = std::min(kBlock, in.size() - at);
            if (pending.size() + n > kWriteBlock) flush();
            const std::uint8_t* p = in.at(at, n);
            pending.insert(pending.end(), p, p + n);
        }
        flush();
    }
    {
        BlockSource in(source, windowBytes), back(copy, windowBytes);
        for (std::size_t at = 0; at < in.size(); at += kBlock) {
            const std::size_t n = std::min(kBlock, in.size() - at);
            sum += touch(back.at(at, n), n) ^ touch(in.at(at, n), n);
        }
    }
    return sum;
}

}  // namespace jettest
