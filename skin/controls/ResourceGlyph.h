// Tool-button glyphs kept as BITMAP resources of the program (the open-file dialog's KV_BACK, KV_UP, KV_NEWFOLDER
// and KV_LVSTYLE), loaded into the pixels a skin button draws its glyph from.
#pragma once

#include "framework/Bitmap.h"

// The BITMAP resource `name` of the program, opaque; empty when the program has no such resource or it cannot be
// read (the button then shows no glyph).
fw::Bitmap LoadResourceGlyph(const wchar_t* name);
