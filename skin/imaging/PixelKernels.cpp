#include "skin/imaging/PixelKernels.h"

#include <cstdlib>
#include <cstring>

namespace {

bool processorHasAvx2() {
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");  // also checks that the system saves the wide registers
#else
    return false;
#endif
}

const PixelKernels& chooseKernels() {
    const char* forced = std::getenv("KV_PIXEL_KERNELS");
    const bool baselineOnly = forced && std::strcmp(forced, "sse2") == 0;
    if (const PixelKernels* wide = Avx2PixelKernels(); wide && !baselineOnly && processorHasAvx2()) return *wide;
    return Sse2PixelKernels();
}

}  // namespace

const PixelKernels& ActivePixelKernels() {
    static const PixelKernels& chosen = chooseKernels();
    return chosen;
}
