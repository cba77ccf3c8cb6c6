#include "skin/controls/kvGraphicSkinCtrls.h"

void TkvGraphicSkinControl::FetchSkinDescription() {
    DescriptionIndex = SkinReady() ? skinData_->GetControlIndex(skinDataName_) : -1;
}

void TkvGraphicSkinControl::SetSkinData(TkvSkinData* data) {
    skinData_.Set(data);
    if (!skinData_) return;
    if (!skinData_->Empty() && !skinData_->Designing()) ChangeSkinData();
}

void TkvGraphicSkinControl::DrawDefaultImage(fw::DibSection& bitmap) {
    fw::Canvas& c = bitmap.canvas();
    c.setBrushColor(fw::clBtnFace);
    c.fillRect(bitmap.rect());
}

void TkvGraphicSkinControl::ChangeSkinData() {
    FetchSkinDescription();
    repaint();
}

void TkvGraphicSkinControl::paint(fw::Canvas& canvas) {
    if (width() <= 0 || height() <= 0) return;
    FetchSkinDescription();
    fw::DibSection bitmap(width(), height());
    if (DescriptionIndex == -1) DrawDefaultImage(bitmap);
    else DrawSkinImage(bitmap);
    if (!bitmap.empty()) bitmap.drawTo(canvas.handle(), 0, 0);
}

void TkvGraphicSkinControl::wndProc(fw::Message& m) {
    if (m.msg == SKIN_MSG_PARENT_IMAGE_CHANGED) {
        ParentImageChanged();
        m.result = 0;
        return;
    }
    fw::Control::wndProc(m);
}

TkvGraphicSkinCustomControl::TkvGraphicSkinCustomControl(fw::Component* owner)
    : TkvGraphicSkinControl(owner), defaultFont_(L"Arial", 14) {
    defaultFont_.onChange = [this] {
        DefaultFontChanged();
        if (DescriptionIndex == -1) invalidate();
    };
}

void TkvGraphicSkinCustomControl::SetDefaultWidth(int w) {
    defaultWidth_ = w;
    if (DescriptionIndex == -1 && w > 0) setWidth(w);
}

void TkvGraphicSkinCustomControl::SetDefaultHeight(int h) {
    defaultHeight_ = h;
    if (DescriptionIndex == -1 && h > 0) setHeight(h);
}

void TkvGraphicSkinCustomControl::FetchSkinDescription() {
    TkvGraphicSkinControl::FetchSkinDescription();
    SkinPicture = nullptr;
    if (DescriptionIndex == -1) return;
    SkinPicture = FetchFitData(*this, *SkinData(), DescriptionIndex).picture;
}

void TkvGraphicSkinCustomControl::DrawSkinImage(fw::DibSection& bitmap) {
    if (!SkinPicture) {
        DrawDefaultImage(bitmap);
        return;
    }
    RefreshCurrentPoints();  // the image is composed at the current points
    fw::Bitmap image;
    ComposeControlImage(image, SkinPicture->view(), SrcSkinRect, *this, bitmap.width(), bitmap.height(), false);
    if (!image.empty()) bitmap.assign(image.view());
}

void TkvGraphicSkinCustomControl::ChangeSkinData() {
    FetchSkinDescription();
    if (DescriptionIndex == -1) {
        if (defaultWidth_ > 0) setWidth(defaultWidth_);
        if (defaultHeight_ > 0) setHeight(defaultHeight_);
    } else {
        int w = width(), h = height();
        CalcSkinSize(w, h);
        if (w != width() || h != height()) setBounds(left(), top(), w, h);
    }
    repaint();
}

void TkvGraphicSkinCustomControl::setControlBounds(int x, int y, int w, int h) {
    FetchSkinDescription();
    if ((w != width() || h != height()) && DescriptionIndex != -1) {
        CalcSkinSize(w, h);
        if (SizingMode == 0) CurClientRect = SrcClientRect;
    }
    TkvGraphicSkinControl::setControlBounds(x, y, w, h);
}
