#include "engine/core/JetEngine.h"

#include "engine/core/Checker.h"
#include "engine/core/Compactor.h"
#include "engine/core/CopyCheck.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"

namespace jet {
namespace {

// The compacted copy must be sound, hold what the source held, table by table and index by index, and
// differ from it only where renumbering rewrites fields.
void verifyCopy(const PageStore& source, const Survey& before, std::span<const std::uint8_t> copy) {
    PageStore store(copy);
    Survey after = surveyDatabase(store);
    checkOnlyReferencesChanged(source, before, store, after);
    auto problems = checkStructure(store, after);
    if (before.tables.size() != after.tables.size()) problems.push_back("the number of tables changed");
    for (std::size_t i = 0; i < before.tables.size() && i < after.tables.size(); ++i) {
        const auto& a = before.tables[i];
        const auto& b = after.tables[i];
        if (a.name != b.name || a.liveRows != b.liveRows || a.indexes.size() != b.indexes.size())
            problems.push_back("a table's rows or indexes changed");
        for (std::size_t k = 0; k < a.indexes.size() && k < b.indexes.size(); ++k)
            if (a.indexes[k].leafEntries != b.indexes[k].leafEntries)
                problems.push_back("an index lost or gained entries");
    }
    if (!problems.empty())
        throw JetError("the compacted copy failed its check (" + problems.front() + "); nothing was written");
}

}  // namespace

std::vector<std::uint8_t> compactDatabase(std::span<const std::uint8_t> source, std::u16string_view password) {
    PageStore store(source);
    checkPassword(store.header(), password);
    Survey survey = surveyDatabase(store);
    std::vector<std::uint8_t> out = renumberPages(store, survey);
    verifyCopy(store, survey, out);
    return out;
}

}  // namespace jet
