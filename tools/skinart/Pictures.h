// The pictures of the program's skin, each drawn from nothing into a bitmap. Masks are black (inside) and
// white (outside); the writer turns them into indexed pictures.
#pragma once

#include "framework/Bitmap.h"

namespace skinart {

fw::Bitmap mainPicture();      // main.bmp: the window frame
fw::Bitmap mainMask();         // mask.bmp: rounds the window's top corners
fw::Bitmap captionButtons();   // active.bmp: caption, menu-bar and system-menu button images
fw::Bitmap hintPicture();      // hintwindow.bmp
fw::Bitmap hintMask();         // hintwindowmask.bmp
fw::Bitmap popupPicture();     // pw.bmp: the popup-menu window
fw::Bitmap popupMask();        // pwmask.bmp
fw::Bitmap menuItems();        // menuitems.bmp
fw::Bitmap controlsPicture();  // controls.bmp
fw::Bitmap mdiBackground();    // mdibg.bmp

}  // namespace skinart
