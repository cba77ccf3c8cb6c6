#include "engine/core/Verification.h"

#include "engine/core/Checker.h"
#include "engine/core/Compactor.h"
#include "engine/core/ContentCheck.h"
#include "engine/core/CopyCheck.h"
#include "engine/core/JetEngine.h"

namespace jet {

void verifyCompactedCopy(const PageStore& source, const Survey& before, std::span<const std::uint8_t> copy) {
    verifyCompactedCopy(source, before, MemoryReader(copy, source.readsInPlace()));
}

void verifyCompactedCopy(const PageStore& source, const Survey& before, const FileReader& copy) {
    if (before.content.unplaced) refuseUnplacedData(before.content);
    PageStore store(copy, source.cachedPages());
    CopyCheck bytes(source, before, store);
    // One pass over the copy: its survey and its content, with the byte check following the survey's reads of
    // the copy's data pages while they are still cached.
    const Survey after = surveyDatabase(store, {before.content.key,
                                                [&](std::uint32_t page) { bytes.checkUpToCopyPage(page); }});
    auto problems = checkStructure(store, after);
    if (!problems.empty())
        throw JetError("the compacted copy failed its check (" + problems.front() + "); nothing was written");
    checkSameContent(before.content, after.content, bytes.numbering().newNumber);
    bytes.finish();
}

}  // namespace jet
