// The client background of a skinned form: a tile of the skin (the main picture's client part, or a background
// picture) repeated over the client area or stretched by the skin's stretch settings. Portable.
#pragma once

#include "framework/Bitmap.h"
#include "skin/data/kvSkinData.h"

// The background of a client area of clientW x clientH in a window of windowW x windowH, or an empty bitmap when
// the skin gives no tile (the caller then fills with the button-face colour).
fw::Bitmap ComposeClientBackground(const TkvSkinData& skin, int clientW, int clientH, int windowW, int windowH);
