#include "tools/kvjet/FileStreams.h"

#include "engine/core/JetEngine.h"

namespace kvjet {

std::string shown(const std::filesystem::path& p) {
    auto u = p.u8string();
    return std::string(u.begin(), u.end());
}

FileInput::FileInput(const std::filesystem::path& path) : path_(path), in_(path, std::ios::binary) {
    if (!in_) throw jet::JetError("cannot open " + shown(path));
    in_.seekg(0, std::ios::end);
    const auto end = in_.tellg();
    if (end < 0) throw jet::JetError("cannot read " + shown(path));
    size_ = static_cast<std::uint64_t>(end);
}

void FileInput::read(std::uint64_t offset, std::span<std::uint8_t> into) const {
    if (offset > size_ || into.size() > size_ - offset) throw jet::JetError("a read beyond the end of " + shown(path_));
    // Most reads follow the one before: a seek would cost a system call each and throw away what the stream
    // has buffered.
    if (offset != position_) {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
    }
    in_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    if (!in_) {
        position_ = kUnknownPosition;
        throw jet::JetError("cannot read " + shown(path_));
    }
    position_ = offset + into.size();
}

FileOutput::FileOutput(const std::filesystem::path& path)
    : path_(path), out_(path, std::ios::binary | std::ios::trunc) {
    if (!out_) throw jet::JetError("cannot write " + shown(path));
    pending_.reserve(kWriteBlock);
}

void FileOutput::write(std::span<const std::uint8_t> page) {
    readBack_.reset();
    if (pending_.size() + page.size() > kWriteBlock) flushPending();
    pending_.insert(pending_.end(), page.begin(), page.end());
}

void FileOutput::flushPending() {
    out_.write(reinterpret_cast<const char*>(pending_.data()), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
    if (!out_) throw jet::JetError("cannot write " + shown(path_));
}

const jet::FileReader& FileOutput::written() {
    flushPending();
    out_.flush();
    if (!out_) throw jet::JetError("cannot write " + shown(path_));
    return readBack_.emplace(path_);
}

void FileOutput::close() {
    readBack_.reset();
    flushPending();
    out_.close();
    if (!out_) throw jet::JetError("cannot write " + shown(path_));
}

}  // namespace kvjet
