#include "engine/core/JetEngine.h"

#include "engine/core/JetHeader.h"

namespace jet {

std::vector<std::uint8_t> compactDatabase(std::span<const std::uint8_t> source, std::u16string_view password)
{
    JetHeader header = readHeader(source);
    checkPassword(header, password);
    return {source.begin(), source.end()};
}

} // namespace jet
