// The imaging services every skinned element uses: composition of skin images, regions from masks, glyph and
// caption placement, the dotted focus rectangle, and on Windows the platform region, the parent background and
// the glow layer windows.
#pragma once

#include "skin/imaging/FocusRect.h"
#include "skin/imaging/GlyphLayout.h"
#include "skin/imaging/MaskRegion.h"
#include "skin/imaging/SkinCompose.h"

#ifdef _WIN32
#include "skin/imaging/GlyphCaption.h"
#include "skin/imaging/ParentBackground.h"
#include "skin/imaging/PlatformRegion.h"
#include "skin/imaging/kvLayerWindow.h"
#endif
