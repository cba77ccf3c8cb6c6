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
    PageStore store(copy, source.cachedPages());
    Survey after = surveyDatabase(store);
    checkOnlyReferencesChanged(source, before, store, after);
    auto problems = checkStructure(store, after);
    if (!problems.empty())
        throw JetError("the compacted copy failed its check (" + problems.front() + "); nothing was written");
    checkSameContent(source, store, pageNumbering(before).newNumber);
}

}  // namespace jet
