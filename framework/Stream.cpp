#include "framework/Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "framework/Utf.h"

namespace fw {

void Stream::readBuffer(void* buffer, std::size_t count) {
    if (read(buffer, count) != count) throw StreamError("Stream read error");
}

void Stream::writeBuffer(const void* buffer, std::size_t count) {
    if (write(buffer, count) != count) throw StreamError("Stream write error");
}

std::vector<std::uint8_t> Stream::readAll() {
    std::int64_t left = size() - position();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(std::max<std::int64_t>(left, 0)));
    if (!out.empty()) readBuffer(out.data(), out.size());
    return out;
}

std::int64_t Stream::copyFrom(Stream& src, std::int64_t count) {
    if (count <= 0) count = src.size() - src.position();
    std::uint8_t buf[64 * 1024];
    std::int64_t done = 0;
    while (done < count) {
        auto n = static_cast<std::size_t>(std::min<std::int64_t>(count - done, sizeof buf));
        src.readBuffer(buf, n);
        writeBuffer(buf, n);
        done += static_cast<std::int64_t>(n);
    }
    return done;
}

std::size_t MemoryStream::read(void* buffer, std::size_t count) {
    if (pos_ >= data_.size()) return 0;
    std::size_t n = std::min(count, data_.size() - pos_);
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

std::size_t MemoryStream::write(const void* buffer, std::size_t count) {
    if (count == 0) return 0;
    if (pos_ + count > data_.size()) data_.resize(pos_ + count);  // a gap after a seek past the end is zeroed
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    return count;
}

std::int64_t MemoryStream::seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = origin == SeekOrigin::Begin     ? 0
                        : origin == SeekOrigin::Current ? static_cast<std::int64_t>(pos_)
                                                        : static_cast<std::int64_t>(data_.size());
    std::int64_t p = base + offset;
    if (p < 0) throw StreamError("Stream seek error");
    if (static_cast<std::uint64_t>(p) > std::numeric_limits<std::size_t>::max()) throw StreamError("Stream seek error");
    pos_ = static_cast<std::size_t>(p);
    return p;
}

namespace {
std::FILE* openFile(const std::filesystem::path& path, FileMode mode) {
#ifdef _WIN32
    const wchar_t* m = mode == FileMode::OpenRead ? L"rb" : mode == FileMode::OpenReadWrite ? L"r+b" : L"w+b";
    return _wfopen(path.wstring().c_str(), m);
#else
    const char* m = mode == FileMode::OpenRead ? "rb" : mode == FileMode::OpenReadWrite ? "r+b" : "w+b";
    return std::fopen(path.c_str(), m);
#endif
}

int seekFile(std::FILE* f, std::int64_t offset, int whence) {
#ifdef _WIN32
    return _fseeki64(f, offset, whence);
#else
    return fseeko(f, static_cast<off_t>(offset), whence);
#endif
}

std::int64_t tellFile(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<std::int64_t>(ftello(f));
#endif
}
}  // namespace

FileStream::FileStream(const std::filesystem::path& path, FileMode mode) : file_(openFile(path, mode)) {
    if (!file_) {
        const char* what = mode == FileMode::Create ? "Cannot create file" : "Cannot open file";
        throw StreamError(std::string(what) + " \"" + pathToUtf8(path) + "\"");
    }
}

FileStream::~FileStream() {
    if (file_) std::fclose(file_);
}

std::size_t FileStream::read(void* buffer, std::size_t count) {
    if (lastWasWrite_) seekFile(file_, 0, SEEK_CUR);  // C streams need a seek between writing and reading
    lastWasWrite_ = false;
    lastWasRead_ = true;
    return std::fread(buffer, 1, count, file_);
}

std::size_t FileStream::write(const void* buffer, std::size_t count) {
    if (lastWasRead_) seekFile(file_, 0, SEEK_CUR);
    lastWasRead_ = false;
    lastWasWrite_ = true;
    return std::fwrite(buffer, 1, count, file_);
}

std::int64_t FileStream::seek(std::int64_t offset, SeekOrigin origin) {
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    if (origin == SeekOrigin::Current && offset == 0 && !lastWasWrite_ && !lastWasRead_) return tellFile(file_);
    std::int64_t target = origin == SeekOrigin::Begin     ? offset
                          : origin == SeekOrigin::Current ? tellFile(file_) + offset
                                                          : size() + offset;
    if (target < 0 || seekFile(file_, offset, whence) != 0) throw StreamError("Stream seek error");
    lastWasRead_ = lastWasWrite_ = false;
    return tellFile(file_);
}

std::int64_t FileStream::size() const {
    std::fflush(file_);
    std::int64_t here = tellFile(file_);
    seekFile(file_, 0, SEEK_END);
    std::int64_t end = tellFile(file_);
    seekFile(file_, here, SEEK_SET);
    return end;
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    FileStream f(path, FileMode::OpenRead);
    return f.readAll();
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& data) {
    FileStream f(path, FileMode::Create);
    if (!data.empty()) f.writeBuffer(data.data(), data.size());
}

}  // namespace fw
