#pragma once
// RC4 stream cipher, used by the file format to scramble its header (and the pages of encrypted databases).
#include <cstdint>
#include <span>

namespace jet {

// XORs data in place with the RC4 key stream of key (1..256 bytes).
void rc4Apply(std::span<const std::uint8_t> key, std::span<std::uint8_t> data);

}  // namespace jet
