#include "framework/Handles.h"

namespace fw {

std::atomic<long>& gdiLiveCounter() {
    static std::atomic<long> counter{0};
    return counter;
}

}  // namespace fw
