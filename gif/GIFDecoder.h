// LZW decompression of one frame's image data (code size byte and data sub-blocks) into its colour indexes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gif/GIFModel.h"
#include "gif/GIFStream.h"

using GIFWarn = std::function<void(const char* message)>;

// Reads the image data that follows an image descriptor and fills frame.Data, which the caller has sized to
// Width x Height and filled with the value for pixels the data never reaches. Truncated or garbled data never
// fails: decoding ends, a warning is given and the rest keeps its fill value. On return the stream is past the
// data's zero-size terminator (or at its end).
void GIFDecodeImageData(GIFStream& stream, TGIFSubImage& frame, const GIFWarn& warn);
