#include "engine/core/JetEngine.h"

#include "engine/core/Bytes.h"
#include "engine/core/Compactor.h"
#include "engine/core/ContentCheck.h"
#include "engine/core/PageStore.h"
#include "engine/core/Survey.h"
#include "engine/core/Verification.h"

namespace jet {

void damaged(const std::string& what) { throw JetError("damaged database: " + what); }

void outsidePage(const char* what) { damaged(std::string(what) + " lies outside its page"); }

std::vector<std::uint8_t> compactDatabase(std::span<const std::uint8_t> source, std::u16string_view password) {
    MemoryReader reader(source);
    return compactDatabase(reader, password, kCachedPages);
}

std::vector<std::uint8_t> compactDatabase(const FileReader& source, std::u16string_view password,
                                          std::size_t cachedPages) {
    MemorySink out(!source.inMemory().empty());
    compactDatabase(source, password, out, cachedPages);
    return std::move(out.bytes);
}

void compactDatabase(const FileReader& source, std::u16string_view password, PageSink& out, std::size_t cachedPages) {
    PageStore store(source, cachedPages);
    checkPassword(store.header(), password);
    Survey survey = surveyDatabase(store);
    if (survey.content.unplaced) refuseUnplacedData(survey.content);  // before anything is written
    renumberPages(store, survey, out);
    verifyCompactedCopy(store, survey, out.written());
}

}  // namespace jet
