#include "engine/core/PageStore.h"

#include "engine/core/Bytes.h"
#include "engine/core/Rc4.h"

#include <array>
#include <algorithm>
#include <cstring>

namespace jet {

void cryptPage(std::uint32_t databaseKey, std::uint32_t pageNumber, std::span<std::uint8_t> page) {
    std::uint32_t k = databaseKey ^ pageNumber;
    std::array<std::uint8_t, 4> key{std::uint8_t(k), std::uint8_t(k >> 8), std::uint8_t(k >> 16),
                                    std::uint8_t(k >> 24)};
    rc4Apply(key, page);
}

void MemoryReader::read(std::uint64_t offset, std::span<std::uint8_t> into) const {
    if (offset > bytes_.size() || into.size() > bytes_.size() - offset) damaged("a read beyond the end of the file");
    if (!into.empty()) std::memcpy(into.data(), bytes_.data() + offset, into.size());
}

namespace {

JetHeader headerOf(const FileReader& file) {
    std::vector<std::uint8_t> first(std::min<std::uint64_t>(file.size(), 4096));
    file.read(0, first);
    return readHeader(first, file.size());
}

// Pages read in one call: a sixteenth of the cache, so that a page stays cached while fifteen other blocks are
// read.
std::uint32_t blockPagesFor(std::size_t cachedPages) {
    return static_cast<std::uint32_t>(std::max<std::size_t>(1, cachedPages / 16));
}

}  // namespace

PageStore::PageStore(std::span<const std::uint8_t> file)
    : memory_(file),
      file_(memory_),
      header_(headerOf(memory_)),
      format_(JetFormat::of(header_.version)),
      cachedPages_(kCachedPages),
      blockPages_(blockPagesFor(cachedPages_)) {
    if (header_.databaseKey == 0) view_ = file;
}

PageStore::PageStore(const FileReader& file, std::size_t cachedPages)
    : memory_({}),
      file_(file),
      header_(headerOf(file)),
      format_(JetFormat::of(header_.version)),
      cachedPages_(std::max<std::size_t>(cachedPages, 1)),
      blockPages_(blockPagesFor(cachedPages_)) {
    if (header_.databaseKey == 0) view_ = file.inMemory();
}

std::span<const std::uint8_t> PageStore::page(std::uint32_t number) const {
    if (number >= header_.pageCount)
        damaged("a reference to page " + std::to_string(number) + " beyond the end of the file (" +
                std::to_string(header_.pageCount) + " pages)");
    if (!view_.empty()) return view_.subspan(std::size_t(number) * format_.pageSize, format_.pageSize);
    return cachedPage(number);
}

std::span<const std::uint8_t> PageStore::cachedPage(std::uint32_t number) const {
    const std::uint32_t block = number / blockPages_;
    const std::size_t at = std::size_t(number % blockPages_) * format_.pageSize;
    // Most work goes through the file in page order: the block last used is the one asked for again.
    if (!cache_.empty() && cache_.front().number == block)
        return cache_.front().page(at, format_.pageSize);
    if (auto it = cached_.find(block); it != cached_.end()) {
        cache_.splice(cache_.begin(), cache_, it->second);
        return cache_.front().page(at, format_.pageSize);
    }
    const std::uint32_t first = block * blockPages_;
    const std::uint32_t count = std::min(blockPages_, header_.pageCount - first);
    Block b{block, std::size_t(count) * format_.pageSize,
            std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(count) * format_.pageSize)};
    file_.read(std::uint64_t(first) * format_.pageSize, b.bytes());
    if (header_.databaseKey != 0)
        for (std::uint32_t i = 0; i < count; ++i)
            if (first + i != 0)
                cryptPage(header_.databaseKey, first + i,
                          b.bytes().subspan(std::size_t(i) * format_.pageSize, format_.pageSize));
    cache_.push_front(std::move(b));
    cached_[block] = cache_.begin();
    while (cache_.size() > 1 && cache_.size() * blockPages_ > cachedPages_) {
        cached_.erase(cache_.back().number);
        cache_.pop_back();
    }
    return cache_.front().page(at, format_.pageSize);
}

bool PageStore::isLongValuePage(std::uint32_t number) const {
    auto p = page(number);
    return p[0] == kPageData && std::memcmp(p.data() + 4, "LVAL", 4) == 0;
}

std::uint32_t PageStore::rowCount(std::uint32_t pageNumber) const {
    auto p = page(pageNumber);
    if (p[0] != kPageData)
        damaged("page " + std::to_string(pageNumber) + " is referenced as a data page but has type " +
                std::to_string(p[0]));
    std::uint32_t count = rd16(p, format_.dataRowCount);
    if (format_.dataRowCount + 2 + 2 * count > format_.pageSize)
        damaged("the row table of page " + std::to_string(pageNumber) + " overruns the page");
    return count;
}

RowSlot PageStore::row(std::uint32_t pageNumber, std::uint32_t rowNumber) const {
    std::uint32_t count = rowCount(pageNumber);
    if (rowNumber >= count)
        damaged("a reference to row " + std::to_string(rowNumber) + " of page " + std::to_string(pageNumber) +
                ", which has " + std::to_string(count) + " rows");
    auto p = page(pageNumber);
    const std::uint32_t table = format_.dataRowCount + 2;
    std::uint16_t raw = rd16(p, table + 2 * rowNumber);
    RowSlot slot;
    slot.begin = raw & 0x1FFF;
    slot.deleted = raw & 0x8000;
    slot.overflow = raw & 0x4000;
    // A row ends where the row before it (in table order) starts; row 0 ends at the page end.
    slot.end = format_.pageSize;
    if (rowNumber > 0) slot.end = rd16(p, table + 2 * (rowNumber - 1)) & 0x1FFF;
    const std::uint32_t tableEnd = table + 2 * count;
    if (slot.begin < tableEnd || slot.begin > slot.end || slot.end > format_.pageSize)
        damaged("row " + std::to_string(rowNumber) + " of page " + std::to_string(pageNumber) +
                " has impossible bounds");
    return slot;
}

}  // namespace jet
