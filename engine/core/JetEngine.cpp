#include "engine/core/JetEngine.h"

#include "engine/core/Compactor.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"
#include "engine/core/Verification.h"

namespace jet {

std::vector<std::uint8_t> compactDatabase(std::span<const std::uint8_t> source, std::u16string_view password) {
    PageStore store(source);
    checkPassword(store.header(), password);
    Survey survey = surveyDatabase(store);
    std::vector<std::uint8_t> out = renumberPages(store, survey);
    verifyCompactedCopy(store, survey, out);
    return out;
}

}  // namespace jet
