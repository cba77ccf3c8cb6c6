// Reads a GIF stream into a header and a list of frames, with the tolerance rules for damaged files.
#pragma once

#include <cstdint>

#include "gif/GIFDecoder.h"
#include "gif/GIFModel.h"
#include "gif/GIFStream.h"

// Limits against decompression bombs: a few bytes can declare a 65535 x 65535 frame, and the tolerance
// rules fill any pixels the data never reaches, so every declared pixel costs memory whatever the data says.
// 16 Mpixel per frame (16 MB of indexes, 64 MB once drawn as a 32-bit bitmap) is far above any banner or
// screen-sized animation; 64 Mpixel over all frames bounds a file of many large frames to 64 MB of indexes.
// A frame or file above the limits fails the load with GIFMessages::ImageTooLarge.
inline constexpr std::int64_t kGIFMaxFramePixels = std::int64_t(1) << 24;
inline constexpr std::int64_t kGIFMaxTotalPixels = std::int64_t(1) << 26;
// The logical screen is not pixel data, but drawing an animation allocates the image's off-screen bitmap and up
// to three work bitmaps of its size, 16 bytes per screen pixel in all. 4 Mpixel (2048 x 2048, or more than a
// 2560 x 1600 desktop) bounds that to 64 MB, far above any banner, where a 65535 x 65535 screen would ask for
// 64 GB. A larger screen fails the load with GIFMessages::ImageTooLarge.
inline constexpr std::int64_t kGIFMaxScreenPixels = std::int64_t(1) << 22;
// Every frame, extension and kept data sub-block becomes an object of its own on the heap, while the file spends as
// little as 2 bytes on one (an empty sub-block, or "!" and a label); a few tens of MB of such records would take
// a good part of the 2 GB address space of a 32-bit program. 65,536 records in all (a few MB of heap) is far
// above any real animation (two records a frame) or comment; a file with more fails the load with
// GIFMessages::TooManyRecords. The image data's sub-blocks are decoded as they come and never kept: they do not count.
inline constexpr std::int64_t kGIFMaxRecords = std::int64_t(1) << 16;

// Replaces header and frames with the content of the stream. On an error (GIFException) the stream is set back
// to where it was, and header and frames keep what was read before the error.
void GIFReadStream(GIFStream& stream, TGIFHeader& header, TGIFImageList& frames, const GIFWarn& warn);
