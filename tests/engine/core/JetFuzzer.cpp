// Damaged files must end in JetError or in a copy that passes the structural check: never in a crash,
// a hang, an out-of-bounds read or any other exception.
#include "engine/core/Checker.h"
#include "engine/core/JetEngine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> file(data, size);
    try {
        auto out = jet::compactDatabase(file, u"");
        if (!jet::checkDatabase(out).empty()) std::abort();
    } catch (const jet::JetError&) {}
    jet::checkDatabase(file);
    return 0;
}
