// Opening a GIF held in memory with giflib, the independent decoder the tests and benchmark compare against.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace giftest {

struct GiflibMemory {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos = 0;
};

inline int GiflibReadMemory(GifFileType* gif, GifByteType* buf, int n) {
    auto* m = static_cast<GiflibMemory*>(gif->UserData);
    const std::size_t take = std::min<std::size_t>(n, m->bytes->size() - m->pos);
    std::copy_n(m->bytes->data() + m->pos, take, buf);
    m->pos += take;
    return static_cast<int>(take);
}

// Opens and reads the whole file; null when giflib cannot even open it. `ok` tells whether the read succeeded.
// The memory must outlive the returned handle; close it with DGifCloseFile.
inline GifFileType* GiflibSlurp(GiflibMemory& mem, bool& ok) {
    int error = 0;
    GifFileType* gif = DGifOpen(&mem, GiflibReadMemory, &error);
    ok = gif != nullptr && DGifSlurp(gif) == GIF_OK;
    return gif;
}

}  // namespace giftest
