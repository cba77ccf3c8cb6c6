#include "engine/core/Verification.h"

#include "engine/core/Checker.h"
#include "engine/core/Compactor.h"
#include "engine/core/ContentCheck.h"
#include "engine/core/CopyCheck.h"
#include "engine/core/JetEngine.h"

#include <optional>

namespace jet {

void verifyCompactedCopy(const PageStore& source, const Survey& before, std::span<const std::uint8_t> copy) {
    verifyCompactedCopy(source, before, MemoryReader(copy, source.readsInPlace()));
}

void verifyCompactedCopy(const PageStore& source, const Survey& before, const FileReader& copy) {
    PageStore store(copy, source.cachedPages());
    std::optional<CopyCheck> bytes;
    {
        // The copy's survey is let go before the content check, which needs none: memory stays bounded.
        const Survey after = surveyDatabase(store);
        bytes.emplace(source, before, store, after);
        auto problems = checkStructure(store, after);
        if (!problems.empty())
            throw JetError("the compacted copy failed its check (" + problems.front() + "); nothing was written");
    }
    // The byte check follows the content check's pass over the rows, reading the pages it has just read.
    checkSameContent(source, store, bytes->numbering().newNumber,
                     [&](std::uint32_t page) { bytes->checkUpTo(page); });
    bytes->finish();
}

}  // namespace jet
