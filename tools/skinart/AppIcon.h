// The program's icon: a database drum squeezed by two arrows, drawn at the sizes Windows asks for and written
// as an .ico file (32-bit pictures with alpha, plus the 1-bit masks older shells read).
#pragma once

#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"

namespace skinart {

// The icon drawn at size × size pixels, edges smoothed by 4 × 4 samples per pixel; transparent around it.
fw::Bitmap drawAppIcon(int size);

// An .ico file holding one picture per size.
std::vector<std::uint8_t> encodeIcon(const std::vector<fw::Bitmap>& pictures);

}  // namespace skinart
