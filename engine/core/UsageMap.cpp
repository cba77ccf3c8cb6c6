#include "engine/core/UsageMap.h"

#include "engine/core/Bytes.h"

namespace jet {

UsageMap readUsageMap(const PageStore& store, std::uint32_t rowPointer) {
    UsageMap m;
    m.rowPointer = rowPointer;
    if (rowPointer == 0) return m;
    const std::uint32_t page = rowPointer >> 8, rowNumber = rowPointer & 0xFF;
    RowSlot slot = store.row(page, rowNumber);
    auto row = store.page(page).subspan(slot.begin, slot.end - slot.begin);
    const std::string which = "usage map at page " + std::to_string(page) + " row " + std::to_string(rowNumber);
    if (row.size() < 1) damaged(which + " is empty");
    m.kind = row[0];
    if (m.kind == 0) {
        if (row.size() < 5) damaged(which + " is too short");
        const std::uint32_t start = m.start = rd32(row, 1);
        for (std::uint32_t i = 0; i < (row.size() - 5) * 8; ++i) {
            m.bitsBeyondEnd += std::uint64_t(start) + i >= store.pageCount();
            if ((row[5 + i / 8] >> (i % 8)) & 1) {
                std::uint64_t p = std::uint64_t(start) + i;
                if (p >= store.pageCount()) ++m.beyondEnd;
                else m.pages.push_back(static_cast<std::uint32_t>(p));
            }
        }
        return m;
    }
    if (m.kind == 1) {
        const std::uint32_t per = pagesPerMapPage(store.pageSize());
        for (std::uint32_t k = 0; 1 + 4 * (k + 1) <= row.size(); ++k) {
            std::uint32_t mp = rd32(row, 1 + 4 * k);
            if (!namesPage(mp)) mp = 0;  // a slot that names no page has no bitmap page
            m.mapPages.push_back(mp);
            if (mp == 0) continue;
            auto bits = store.page(mp);
            if (bits[0] != kPageUsageMap)
                damaged(which + " names page " + std::to_string(mp) + " of type " + std::to_string(bits[0]) +
                        " as a bitmap page");
            for (std::uint32_t i = 0; i < per; ++i) {
                m.bitsBeyondEnd += std::uint64_t(k) * per + i >= store.pageCount();
                if ((bits[4 + i / 8] >> (i % 8)) & 1) {
                    std::uint64_t p = std::uint64_t(k) * per + i;
                    if (p >= store.pageCount()) ++m.beyondEnd;
                    else m.pages.push_back(static_cast<std::uint32_t>(p));
                }
            }
        }
        return m;
    }
    throw JetError("unsupported usage map kind " + std::to_string(m.kind) + " (" + which + ")");
}

}  // namespace jet
