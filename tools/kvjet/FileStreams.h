#pragma once
// Database files read and written a page at a time through the standard file streams, so that compacting a
// large file keeps only a few of its pages in memory.
#include "engine/core/FileReader.h"
#include "engine/core/PageSink.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace kvjet {

// A path for messages, as UTF-8 (never throws for characters the narrow code page lacks).
std::string shown(const std::filesystem::path& p);

class FileInput : public jet::FileReader {
public:
    explicit FileInput(const std::filesystem::path& path);  // throws JetError when it cannot be opened
    std::uint64_t size() const override { return size_; }
    void read(std::uint64_t offset, std::span<std::uint8_t> into) const override;

private:
    std::filesystem::path path_;
    static constexpr std::uint64_t kUnknownPosition = ~std::uint64_t(0);
    mutable std::ifstream in_;
    mutable std::uint64_t position_ = kUnknownPosition;  // where the stream reads next
    std::uint64_t size_ = 0;
};

class FileOutput : public jet::PageSink {
public:
    explicit FileOutput(const std::filesystem::path& path);  // creates or empties the file
    void write(std::span<const std::uint8_t> page) override;
    const jet::FileReader& written() override;  // flushes what was written and opens it for reading
    void close();                               // throws JetError when the file could not be completed

private:
    std::filesystem::path path_;
    // Pages are written a block at a time: one call per page would cost a system call each.
    static constexpr std::size_t kWriteBlock = std::size_t(1) << 20;
    void flushPending();

    std::ofstream out_;
    std::vector<std::uint8_t> pending_;
    std::optional<FileInput> readBack_;
};

}  // namespace kvjet
