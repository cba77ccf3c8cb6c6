#include "engine/core/Digest.h"

#include <random>

namespace jet {

DigestKey randomDigestKey() {
    std::random_device random;
    auto draw64 = [&] { return std::uint64_t(random()) << 32 ^ random(); };
    return {draw64(), draw64()};
}

}  // namespace jet
