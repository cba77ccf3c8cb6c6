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
      format_(JetFormat::of(header_)),
      cachedPages_(kCachedPages),
      blockPages_(blockPagesFor(cachedPages_)) {
    if (header_.databaseKey == 0) view_ = file;
}

PageStore::PageStore(const FileReader& file, std::size_t cachedPages)
    : memory_({}),
      file_(file),
      header_(headerOf(file)),
      format_(JetFormat::of(header_)),
      cachedPages_(std::max<std::size_t>(cachedPages, 1)),
      blockPages_(blockPagesFor(cachedPages_)) {
    if (header_.databaseKey == 0) view_ = file.inMemory();
}

std::span<const std::uint8_t> PageStore::uncachedPage(std::uint32_t number) const {
    if (number >= header_.pageCount)
        damaged("a reference to page " + std::to_string(number) + " beyond the end of the file (" +
                std::to_string(header_.pageCount) + " pages)");
    if (!view_.empty()) return view_.subspan(std::size_t(number) * format_.pageSize, format_.pageSize);
    return cachedPage(number, false);
}

std::span<const std::uint8_t> PageStore::pageAlone(std::uint32_t number) const {
    if (number >= header_.pageCount || !view_.empty()) return uncachedPage(number);
    return cachedPage(number, true);
}

std::span<const std::uint8_t> PageStore::cachedPage(std::uint32_t number, bool alone) const {
    const std::uint32_t block = number / blockPages_;
    const std::uint32_t at = number % blockPages_;
    if (auto it = cached_.find(block); it != cached_.end()) {
        cache_.splice(cache_.begin(), cache_, it->second);
    } else {
        const std::uint32_t first = block * blockPages_;
        const std::uint32_t count = std::min(blockPages_, header_.pageCount - first);
        Block b{block, std::size_t(count) * format_.pageSize,
                std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(count) * format_.pageSize),
                std::vector<bool>(count, false)};
        cache_.push_front(std::move(b));
        cached_[block] = cache_.begin();
        while (cache_.size() > 1 && cache_.size() * blockPages_ > cachedPages_) {
            cached_.erase(cache_.back().number);
            cache_.pop_back();
        }
    }
    Block& b = cache_.front();
    if (!b.read[at]) fill(b, alone ? at : 0, alone ? at + 1 : std::uint32_t(b.read.size()));
    // The block asked for next is most often this one again.
    front_ = b.complete ? Front{b.data.get(), block * blockPages_, std::uint32_t(b.read.size())} : Front{};
    return b.page(std::size_t(at) * format_.pageSize, format_.pageSize);
}

void PageStore::fill(Block& b, std::uint32_t from, std::uint32_t to) const {
    const std::uint32_t first = b.number * blockPages_;
    // Each run of pages not read yet in one call; pages read already are not touched, as views of them may be
    // held.
    for (std::uint32_t i = from; i < to;) {
        if (b.read[i]) {
            ++i;
            continue;
        }
        std::uint32_t end = i;
        while (end < to && !b.read[end]) ++end;
        auto bytes = b.bytes().subspan(std::size_t(i) * format_.pageSize, std::size_t(end - i) * format_.pageSize);
        file_.read(std::uint64_t(first + i) * format_.pageSize, bytes);
        for (std::uint32_t k = i; k < end; ++k) {
            if (header_.databaseKey != 0 && first + k != 0)
                cryptPage(header_.databaseKey, first + k,
                          b.bytes().subspan(std::size_t(k) * format_.pageSize, format_.pageSize));
            b.read[k] = true;
        }
        i = end;
    }
    b.complete = std::all_of(b.read.begin(), b.read.end(), [](bool r) { return r; });
}

bool PageStore::isLongValuePage(std::uint32_t number) const {
    auto p = page(number);
    return p[0] == kPageData && std::memcmp(p.data() + 4, "LVAL", 4) == 0;
}

namespace {

// The row count of a data page, checked to leave room for its row table.
std::uint32_t rowCountOf(std::span<const std::uint8_t> p, std::uint32_t pageNumber, const JetFormat& f) {
    if (p[0] != kPageData)
        damaged("page " + std::to_string(pageNumber) + " is referenced as a data page but has type " +
                std::to_string(p[0]));
    std::uint32_t count = rd16(p, f.dataRowCount);
    if (f.dataRowCount + 2 + 2 * count > f.pageSize)
        damaged("the row table of page " + std::to_string(pageNumber) + " overruns the page");
    return count;
}

}  // namespace

std::uint32_t PageStore::rowCount(std::uint32_t pageNumber) const {
    return rowCountOf(page(pageNumber), pageNumber, format_);
}

void PageStore::badRow(std::uint32_t pageNumber, std::uint32_t rowNumber) const {
    auto p = page(pageNumber);
    const std::uint32_t count = rowCountOf(p, pageNumber, format_);
    if (rowNumber >= count)
        damaged("a reference to row " + std::to_string(rowNumber) + " of page " + std::to_string(pageNumber) +
                ", which has " + std::to_string(count) + " rows");
    damaged("row " + std::to_string(rowNumber) + " of page " + std::to_string(pageNumber) + " has impossible bounds");
}

std::uint64_t PageStore::rowBits(std::uint32_t pageNumber, std::uint32_t rowNumber) const {
    const std::uint8_t* p = page(pageNumber).data();
    const std::uint32_t pageSize = format_.pageSize;
    const std::uint32_t table = format_.dataRowCount + 2;
    const std::uint32_t count = p[format_.dataRowCount] | p[format_.dataRowCount + 1] << 8;
    // A data page whose row table fits the page, and a row of it: the reads below stay inside the page.
    if (p[0] != kPageData || table + 2 * count > pageSize || rowNumber >= count) badRow(pageNumber, rowNumber);
    const std::uint32_t raw = p[table + 2 * rowNumber] | p[table + 2 * rowNumber + 1] << 8;
    const std::uint32_t begin = raw & 0x1FFF;
    // A row ends where the row before it (in table order) starts; row 0 ends at the page end.
    const std::uint32_t end = rowNumber > 0
                                  ? (p[table + 2 * rowNumber - 2] | p[table + 2 * rowNumber - 1] << 8) & 0x1FFFu
                                  : pageSize;
    if (begin < table + 2 * count || begin > end || end > pageSize) badRow(pageNumber, rowNumber);
    return begin | std::uint64_t(end) << 16 | std::uint64_t(raw >> 15 & 1) << 32 | std::uint64_t(raw >> 14 & 1) << 33;
}

}  // namespace jet
