// The frame values of the program's skin, set straight on a model (no package needed) for native tests.
#pragma once

#include "skin/data/kvSkinData.h"

namespace kvtest {

// The [FORMINFO] values of the program's skin on a main picture of 285 x 210.
inline void programFrame(TkvSkinData& s) {
    s.FramePicture.resize(285, 210);
    s.LeftTopPoint = {30, 27};
    s.RightTopPoint = {255, 27};
    s.LeftBottomPoint = {30, 206};
    s.RightBottomPoint = {255, 206};
    s.ClientRect = {4, 27, 281, 206};
    s.MaskRectArea = {4, 3, 282, 206};
    s.CaptionRect = {3, 5, 282, 24};
    s.ButtonsRect = {};
    s.ButtonsOffset = 2;
    s.FormMinWidth = 200;
    s.HitTestLeftTopPoint = s.LeftTopPoint;
    s.HitTestRightTopPoint = s.RightTopPoint;
    s.HitTestLeftBottomPoint = s.LeftBottomPoint;
    s.HitTestRightBottomPoint = s.RightBottomPoint;
}

}  // namespace kvtest
