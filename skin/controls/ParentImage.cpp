#include "skin/controls/ParentImage.h"

#include <vector>

#include "skin/imaging/ParentBackground.h"

void PaintParentBackground(fw::WindowedControl& control, HDC dc) {
    fw::WindowedControl* parent = control.parent();
    if (!parent) return;
    std::vector<GraphicSibling> below;
    for (fw::Control* c : parent->controls()) {
        if (c == &control) break;
        if (c->asWindowed()) continue;
        below.push_back({c->boundsRect(), c->visible(), [c](HDC d) {
                             fw::Canvas canvas(d);
                             canvas.setFont(c->font());
                             c->paint(canvas);
                         }});
    }
    PaintParentBackground(control.handle(), dc, below);
}
