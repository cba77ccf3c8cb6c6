// The skinned form frame under Wine: the window procedure hook, the non-client size, the painted frame checked
// against the skin picture, the window region, activation, size handling and GDI accounting.
#include <windows.h>

#include <gtest/gtest.h>

#include <typeinfo>

#include "../controls/WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvSkinCtrls.h"
#include "skin/frame/KelvaneForm.h"
#include "skin/imaging/kveffects.h"

namespace {

constexpr wchar_t kCaption[] = L"KovraAccess数据库压缩器 V1.0";

fw::Pixel opaque(fw::Pixel p) { return p | 0xFF000000u; }

// A form with a frame component and the program's skin, as the main window is put together.
struct SkinnedForm {
    fw::Application& app;
    fw::Form& form;
    TkvKelvaneForm* frame;
    TkvCompressedStoredSkin& stored;
    TkvSkinData& model;

    explicit SkinnedForm(fw::Application& a, fw::BorderStyle border = fw::BorderStyle::Single, bool load = true)
        : app(a),
          form(a.createForm<fw::Form>()),
          frame(nullptr),
          stored(form.create<TkvCompressedStoredSkin>()),
          model(form.create<TkvSkinData>()) {
        form.setBorderStyle(border);
        form.setCaption(kCaption);
        form.setClientWidth(546);
        form.setClientHeight(296);
        frame = &form.create<TkvKelvaneForm>();
        frame->SetSkinData(&model);
        if (load) kvtest::LoadEmbeddedSkin(stored, model);
    }

    // The whole frame painted through the private message into a bitmap pre-filled with `fill`.
    fw::Bitmap paintedFrame(fw::Pixel fill = 0xFFFF00FFu) {
        fw::DibSection dib(form.width(), form.height());
        fw::PixelView p = dib.pixels();
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) p.at(x, y) = fill;
        EXPECT_EQ(form.perform(KV_MSG_FRAME_PAINT_TO, reinterpret_cast<WPARAM>(dib.dc()), 0), 0x3233);
        fw::Bitmap out(form.width(), form.height());
        p = dib.pixels();
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) out.at(x, y) = opaque(p.at(x, y));
        return out;
    }
};

fw::Rect regionBox(HRGN r) {
    RECT b{};
    GetRgnBox(r, &b);
    return fw::fromRECT(b);
}

TEST(KelvaneForm, OwnerMustBeAForm) {
    fw::Application app;
    TkvSkinData model(nullptr, nullptr);
    EXPECT_THROW(TkvKelvaneForm frame(&model), std::bad_cast);
}

TEST(KelvaneForm, NonClientSizeWithAndWithoutSkin) {
    fw::Application app;
    SkinnedForm plain(app, fw::BorderStyle::Single, false);
    RECT r{0, 0, 200, 100};
    plain.form.perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(fw::fromRECT(r), (fw::Rect{3, 22, 197, 97})) << "default client origin (3, 22)";

    SkinnedForm tool(app, fw::BorderStyle::ToolWindow, false);
    r = {0, 0, 200, 100};
    tool.form.perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(fw::fromRECT(r), (fw::Rect{3, 18, 197, 97})) << "tool window: (3, 18)";

    SkinnedForm skinned(app);
    r = {100, 100, 656, 423};
    skinned.form.perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(fw::fromRECT(r), (fw::Rect{104, 127, 652, 419}));
    r = {100, 100, 104, 110};  // narrower than the borders
    skinned.form.perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);

    SkinnedForm borderless(app, fw::BorderStyle::None);
    r = {10, 20, 300, 200};
    borderless.form.perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(fw::fromRECT(r), (fw::Rect{10, 20, 300, 200})) << "no border: the whole window is client";
}

TEST(KelvaneForm, PrivateLookMessagesAndRestoredProcedure) {
    fw::Application app;
    SkinnedForm s(app);
    EXPECT_EQ(s.form.perform(KV_MSG_FRAME_QUERY, 0, 0), 0x3235);
    fw::DibSection dib(s.form.width(), s.form.height());
    EXPECT_EQ(s.form.perform(KV_MSG_FRAME_PAINT_ALT, reinterpret_cast<WPARAM>(dib.dc()), 0x41A2), 0x41A2);
    HWND h = s.form.handle();
    ASSERT_NE(GetWindowRgn(h, fw::Region(CreateRectRgn(0, 0, 0, 0)).get()), ERROR);
    s.form.destroyComponent(s.frame);
    EXPECT_EQ(s.form.perform(KV_MSG_FRAME_QUERY, 0, 0), 0) << "the form's own procedure is back";
    EXPECT_EQ(GetWindowRgn(h, fw::Region(CreateRectRgn(0, 0, 0, 0)).get()), ERROR) << "and no frame region";
    RECT r{0, 0, 200, 100};
    s.form.handle();
    s.form.perform(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_NE(fw::fromRECT(r), (fw::Rect{4, 27, 196, 96}));
}

TEST(KelvaneForm, SkinChangeAppliesClientSizeOnlyWhenSet) {
    fw::Application app;
    SkinnedForm s(app, fw::BorderStyle::Single, false);
    kvtest::LoadEmbeddedSkin(s.stored, s.model);  // while the form is read: before its window exists
    EXPECT_TRUE(s.frame->SkinReady());
    s.form.handle();
    EXPECT_EQ(s.form.clientWidth(), 546) << "ClientWidth 0 keeps the designed client size";
    EXPECT_EQ(s.form.clientHeight(), 296);
    s.frame->ClientWidth = 300;
    s.frame->ClientHeight = 200;
    s.frame->ChangeSkinData();
    EXPECT_EQ(s.form.clientWidth(), 300);
    EXPECT_EQ(s.form.clientHeight(), 200);
    EXPECT_EQ(s.form.width(), 308);
    EXPECT_EQ(s.form.height(), 231);
}

TEST(KelvaneForm, SkinLoadReachesTheFormsSkinnedControlsThroughTheFrame) {
    fw::Application app;
    SkinnedForm s(app, fw::BorderStyle::Single, false);
    auto& button = s.form.create<TkvSkinCustomControl>();
    button.setParent(&s.form);
    button.SetSkinDataName("button");
    button.setBounds(10, 10, 100, 60);
    button.SetSkinData(&s.model);  // still empty: nothing happens yet
    EXPECT_EQ(button.height(), 60);
    kvtest::LoadEmbeddedSkin(s.stored, s.model);
    EXPECT_NE(button.DescriptionIndex, -1);
    EXPECT_EQ(button.height(), 22);
    s.form.perform(SKIN_MSG_BEFORE_CHANGE, reinterpret_cast<WPARAM>(&s.model), kSkinMessageParam);
    EXPECT_EQ(button.DescriptionIndex, -1);
}

TEST(KelvaneForm, BeforeChangeForgetsTheSkinUntilTheChange) {
    fw::Application app;
    SkinnedForm s(app);
    ASSERT_TRUE(s.frame->SkinReady());
    ASSERT_EQ(s.frame->Objects().size(), 1u) << "the caption object";
    s.form.perform(SKIN_MSG_BEFORE_CHANGE, reinterpret_cast<WPARAM>(&s.model), kSkinMessageParam);
    EXPECT_FALSE(s.frame->SkinReady());
    EXPECT_TRUE(s.frame->SkinChanging());
    EXPECT_TRUE(s.frame->Objects().empty());
    s.form.perform(SKIN_MSG_CHANGED, reinterpret_cast<WPARAM>(&s.model), kSkinMessageParam);
    EXPECT_TRUE(s.frame->SkinReady());
    EXPECT_FALSE(s.frame->SkinChanging());
    TkvSkinData other(nullptr, nullptr);
    s.form.perform(SKIN_MSG_BEFORE_CHANGE, reinterpret_cast<WPARAM>(&other), kSkinMessageParam);
    EXPECT_TRUE(s.frame->SkinReady()) << "another model's change is not ours";
}

TEST(KelvaneForm, CaptionTextFrameIsDrawnBehindTheText) {
    fw::Application app;
    SkinnedForm s(app);
    TkvDataSkinCaption* caption = nullptr;
    for (const auto& d : s.model.ObjectDescriptions())
        if (auto* c = dynamic_cast<TkvDataSkinCaption*>(d.get())) caption = c;
    ASSERT_NE(caption, nullptr);
    // A frame picture of colours the skin does not use: green edges, a blue middle.
    fw::Bitmap framePic(20, 10, fw::makePixel(0, 0, 250));
    for (int y = 0; y < 10; ++y)
        for (int x : {0, 1, 2, 17, 18, 19}) framePic.at(x, y) = fw::makePixel(0, 250, 0);
    s.model.ActivePictures.push_back(framePic);
    caption->ActivePictureIndex = static_cast<int>(s.model.ActivePictures.size()) - 1;
    caption->FrameRect = {0, 0, 20, 10};
    caption->FrameTextRect = {2, 2, 18, 8};
    caption->FrameLeftOffset = 3;
    caption->FrameRightOffset = 3;
    s.frame->ChangeSkinData();
    const fw::Bitmap img = s.paintedFrame();
    // The text moves in by the frame's text offsets (x = 17 + 4 + 2); the frame starts 2 pixels left of it and
    // 2 above it, 10 rows high.
    int found = 0;
    for (int y = 0; y < 30; ++y)
        if (img.at(21, y) == 0xFF00FA00u) ++found;
    EXPECT_EQ(found, 10);
}

TEST(KelvaneForm, CaptionAnimationStepsThroughItsFramesOnTheTimer) {
    fw::Application app;
    SkinnedForm s(app);
    s.form.handle();
    TkvDataSkinCaption* caption = nullptr;
    for (const auto& d : s.model.ObjectDescriptions())
        if (auto* c = dynamic_cast<TkvDataSkinCaption*>(d.get())) caption = c;
    ASSERT_NE(caption, nullptr);
    // Two frames side by side, as wide as the caption's skin rect: green, then blue.
    const int w = caption->SkinRect.width(), h = caption->SkinRect.height();
    fw::Bitmap frames(2 * w, h, fw::makePixel(0, 250, 0));
    for (int y = 0; y < h; ++y)
        for (int x = w; x < 2 * w; ++x) frames.at(x, y) = fw::makePixel(0, 0, 250);
    s.model.ActivePictures.push_back(frames);
    caption->ActivePictureIndex = static_cast<int>(s.model.ActivePictures.size()) - 1;
    caption->AnimateSkinRect = {0, 0, 2 * w, h};
    caption->FrameCount = 2;
    caption->AnimateInterval = 25;
    s.frame->ChangeSkinData();

    s.form.perform(WM_ACTIVATE, WA_INACTIVE, 0);
    s.form.perform(WM_ACTIVATE, WA_ACTIVE, 0);  // the caption becomes active: frame 1
    const fw::Rect placed = s.frame->Objects()[0]->PlacedRect;
    EXPECT_EQ(s.paintedFrame().at(placed.left + 1, placed.top + 1), 0xFF00FA00u);
    s.form.perform(WM_TIMER, kCaptionAnimationTimer, 0);
    EXPECT_EQ(s.paintedFrame().at(placed.left + 1, placed.top + 1), 0xFF0000FAu) << "frame 2";
    s.form.perform(WM_TIMER, kCaptionAnimationTimer, 0);
    const fw::Pixel after = s.paintedFrame().at(placed.left + 1, placed.top + 1);
    EXPECT_NE(after, 0xFF00FA00u) << "past the last frame: the normal image again";
    EXPECT_NE(after, 0xFF0000FAu);
}

// One shown window for the checks that need a real frame (showing and hiding windows is slow under Wine).
TEST(KelvaneForm, ShownMainWindowFrame) {
    fw::Application app;
    SkinnedForm s(app);
    s.form.setPosition(fw::FormPosition::DesktopCenter);
    s.form.show();
    HWND h = s.form.handle();

    // The designed client area under the skinned border.
    EXPECT_EQ(s.form.width(), 554);
    EXPECT_EQ(s.form.height(), 327);
    EXPECT_EQ(s.form.clientWidth(), 546);
    EXPECT_EQ(s.form.clientHeight(), 296);
    RECT wr{};
    GetWindowRect(h, &wr);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    EXPECT_EQ(origin.x - wr.left, 4);
    EXPECT_EQ(origin.y - wr.top, 27);

    // Geometry and region at 556 x 323.
    s.form.setBounds(s.form.left(), s.form.top(), 556, 323);
    const TkvStretchedGeometry& g = s.frame->Geometry();
    EXPECT_EQ(g.StretchedClientRect, (fw::Rect{4, 27, 552, 319}));
    EXPECT_EQ(g.StretchedCaptionRect, (fw::Rect{3, 5, 553, 24}));
    EXPECT_EQ(g.StretchedMaskRect, (fw::Rect{4, 3, 553, 319}));
    ASSERT_TRUE(s.frame->HasFrameRegion());
    fw::Region windowRegion(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(h, windowRegion.get()), ERROR);
    EXPECT_TRUE(EqualRgn(windowRegion.get(), s.frame->FrameRegionHandle()));
    EXPECT_EQ(regionBox(windowRegion.get()), (fw::Rect{0, 0, 556, 323}));
    const fw::Bitmap& mask = s.model.FrameMask;
    const bool cornerInMask = mask.at(0, 0) == fw::makePixel(0, 0, 0) || (mask.at(0, 0) & 0xFFFFFF) == 0;
    EXPECT_EQ(PtInRegion(windowRegion.get(), 0, 0) != 0, cornerInMask) << "the corner follows the mask";
    EXPECT_TRUE(PtInRegion(windowRegion.get(), 300, 200));

    // Without a mask picture the region is the plain window rectangle.
    fw::Bitmap keptMask = s.model.FrameMask;
    s.model.FrameMask = fw::Bitmap();
    s.frame->UpdateRegion(true);
    EXPECT_EQ(regionBox(s.frame->FrameRegionHandle()), (fw::Rect{0, 0, 556, 323}));
    fw::Region full(CreateRectRgn(0, 0, 556, 323));
    EXPECT_TRUE(EqualRgn(full.get(), s.frame->FrameRegionHandle()));
    s.model.FrameMask = std::move(keptMask);
    s.frame->UpdateRegion(true);

    // The painted frame against the skin picture: corners copied, edges repeated, client area left alone.
    const fw::Pixel fill = 0xFFFF00FFu;
    fw::Bitmap img = s.paintedFrame(fill);
    const fw::Bitmap& pic = s.model.FramePicture;
    const int W = 556, H = 323;
    EXPECT_EQ(img.at(2, 2), opaque(pic.at(2, 2)));
    EXPECT_EQ(img.at(W - 3, 2), opaque(pic.at(282, 2)));
    EXPECT_EQ(img.at(2, H - 2), opaque(pic.at(2, 208)));
    EXPECT_EQ(img.at(W - 2, H - 2), opaque(pic.at(283, 208)));
    EXPECT_EQ(img.at(1, 150), opaque(pic.at(1, 150)));
    EXPECT_EQ(img.at(W - 2, 100), opaque(pic.at(283, 100)));
    EXPECT_EQ(img.at(300, 200), fill) << "the client area is excluded";
    EXPECT_EQ(img.at(4, 27), fill);
    EXPECT_NE(img.at(3, 26), fill);

    // The caption text in the caption font's colour with its white shadow, from x = 21 on.
    const bool active = s.frame->IsFrameActive();
    const fw::Pixel textColour = opaque(fw::colorToPixel(active ? 11168318u : 16111036u));
    int textPixels = 0, shadowPixels = 0, leftOfText = 0;
    for (int y = 4; y < 24; ++y)
        for (int x = 17; x < 400; ++x) {
            if (img.at(x, y) == textColour) {
                ++textPixels;
                if (x < 21) ++leftOfText;
            }
            if (img.at(x, y) == 0xFFFFFFFFu && opaque(pic.at(std::min(x, 250), y)) != 0xFFFFFFFFu) ++shadowPixels;
        }
    EXPECT_GT(textPixels, 40);
    EXPECT_GT(shadowPixels, 20);
    EXPECT_EQ(leftOfText, 0);

    // An inactive frame with automatic inactive rendering is darkened; the client area still untouched.
    s.model.AutoRenderingInActiveImage = true;
    s.model.InactiveEffect = iedarkness;
    s.form.perform(WM_ACTIVATE, WA_INACTIVE, 0);
    ASSERT_FALSE(s.frame->IsFrameActive());
    img = s.paintedFrame(fill);
    fw::Bitmap one(1, 1, pic.at(2, 2));
    TkvEffectBmp dark(one.view());
    dark.ApplyDarkness(0.3);
    EXPECT_EQ(img.at(2, 2), opaque(dark.Image().at(0, 0)));
    EXPECT_NE(img.at(2, 2), opaque(pic.at(2, 2)));
    EXPECT_EQ(img.at(300, 200), fill);
    s.model.AutoRenderingInActiveImage = false;

    // A long caption ends with an ellipsis inside the caption (nothing drawn past the text rectangle).
    s.form.setCaption(std::wstring(200, L'W'));
    img = s.paintedFrame(fill);
    int beyond = 0;
    for (int y = 4; y < 24; ++y)
        for (int x = 553; x < 556; ++x)
            if (img.at(x, y) != opaque(pic.at(x - 271, y))) ++beyond;
    EXPECT_EQ(beyond, 0);

    // 200 repaints and resizes leave no GDI handle behind.
    for (int i = 0; i < 5; ++i) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const long before = fw::gdiLiveCount();
    for (int i = 0; i < 200; ++i) {
        s.form.setBounds(s.form.left(), s.form.top(), 500 + (i % 7) * 10, 300 + (i % 5) * 10);
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    EXPECT_EQ(fw::gdiLiveCount(), before);
}

}  // namespace
