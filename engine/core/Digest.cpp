#include "engine/core/Digest.h"

#include "engine/core/JetEngine.h"

#include <exception>
#include <random>

namespace jet {

DigestKey randomDigestKey() {
    // Without a key nobody can know, the content check would prove less: refuse rather than guess one.
    try {
        std::random_device random;
        auto draw64 = [&] { return std::uint64_t(random()) << 32 ^ random(); };
        return {draw64(), draw64()};
    } catch (const std::exception&) {
        throw JetError("the system gave no random numbers for checking the copy; nothing was written");
    }
}

}  // namespace jet
