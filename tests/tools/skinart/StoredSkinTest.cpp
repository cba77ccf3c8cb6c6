// The packed program skin, loaded as the program loads it: pictures, frame geometry, frame objects, menus, colours.
#include <gtest/gtest.h>

#include "skin/data/kvCompressedStoredSkin.h"
#include "tests/tools/skinart/StoredSkin.h"

namespace skinart::test {
namespace {

using fw::Point;
using fw::Rect;

TEST(StoredSkin, TheFormPropertyIsTheZlibStreamOfTheSkinFile) {
    const std::vector<std::uint8_t>& raw = programCompressedData();
    ASSERT_GT(raw.size(), 2u);
    EXPECT_EQ(raw[0], 0x78);  // zlib header of level-9 compression
    EXPECT_EQ(raw[1], 0xDA);
    TkvCompressedStoredSkin framed;
    framed.LoadFromCompressedFile(KV_STORED_SKIN_FRAMED_FILE);
    EXPECT_EQ(framed.CompressedData(), raw);
}

TEST(StoredSkin, PicturesComeInPackageOrderWithTheirDepths) {
    const SkinPackage& p = programPackage();
    EXPECT_EQ(p.version, 3);
    struct Want {
        int w, h, bits;
    };
    auto check = [](const BmpImage& img, Want w) {
        EXPECT_EQ(img.width, w.w);
        EXPECT_EQ(img.height, w.h);  // bottom-up
        EXPECT_EQ(img.bitCount, w.bits);
        EXPECT_EQ(img.compression, 0u);
    };
    check(p.picture, {285, 210, 24});
    EXPECT_TRUE(p.inactivePicture.Empty());
    check(p.mask, {285, 210, 8});
    const Want active[] = {{75, 263, 24},  {28, 21, 24},   {93, 55, 24}, {132, 126, 24},
                           {556, 410, 24}, {219, 178, 24}, {93, 55, 4},  {28, 21, 1}};
    ASSERT_EQ(p.activePictures.size(), std::size(active));
    for (std::size_t i = 0; i < std::size(active); ++i) {
        SCOPED_TRACE(i);
        check(p.activePictures[i], active[i]);
    }

    const TkvSkinData& s = programSkin();
    EXPECT_FALSE(s.Empty());
    EXPECT_EQ(s.PictureName, "main.bmp");
    EXPECT_EQ(s.InactivePictureName, "");
    EXPECT_EQ(s.MaskPictureName, "mask.bmp");
    EXPECT_EQ(s.ActivePictureNames,
              (std::vector<std::string>{"active.bmp", "hintwindow.bmp", "pw.bmp", "menuitems.bmp", "controls.bmp",
                                        "mdibg.bmp", "pwmask.bmp", "hintwindowmask.bmp"}));
    EXPECT_TRUE(s.InactiveFramePicture.empty());
}

TEST(StoredSkin, FormInfoGivesTheFrameGeometry) {
    const TkvSkinData& s = programSkin();
    EXPECT_EQ(s.ClientRect, (Rect{4, 27, 281, 206}));
    EXPECT_EQ(s.MaskRectArea, (Rect{4, 3, 282, 206}));
    EXPECT_EQ(s.FormMinWidth, 200);
    EXPECT_EQ(s.BorderWidth, 3);
    EXPECT_FALSE(s.StretchEffect);
    EXPECT_EQ(s.BGPictureIndex, -1);
    EXPECT_FALSE(s.AutoRenderingInActiveImage);
    EXPECT_TRUE(s.ButtonsRect.empty());

    // A 556 x 323 window.
    const int pw = s.FramePicture.width(), ph = s.FramePicture.height();
    const int dx = 556 - pw, dy = 323 - ph;
    const Rect cl = s.ClientRect, cap = s.CaptionRect, mask = s.MaskRectArea;
    EXPECT_EQ((Rect{cl.left, cl.top, cl.right + dx, cl.bottom + dy}), (Rect{4, 27, 552, 319}));
    EXPECT_EQ((Rect{cap.left, cap.top, cap.right + dx, cap.bottom}), (Rect{3, 5, 553, 24}));
    EXPECT_EQ((Rect{mask.left, mask.top, mask.right + dx, mask.bottom + dy}), (Rect{4, 3, 553, 319}));
    // The client background is the main picture's client region; the smallest window is 200 x 31.
    EXPECT_EQ(cl.width(), 277);
    EXPECT_EQ(cl.height(), 179);
    EXPECT_EQ(ph - cl.height(), 31);

    // The corner points already lie inside the client rect, so loading left them as written.
    EXPECT_EQ(s.LeftTopPoint, (Point{30, 27}));
    EXPECT_EQ(s.RightBottomPoint, (Point{255, 206}));
    EXPECT_EQ(s.HitTestLeftTopPoint, s.LeftTopPoint);  // hit-test points default to them
}

// The caption-button layout of the skinned frame, for a window `width` wide whose buttons are all usable
// except the tray button (the main window's border icons).
struct Placed {
    Rect close, max, min, rollup, sysmenu, caption;
    int textLeft = 0;
};

Placed layoutAt(const TkvSkinData& s, int width) {
    const int dx = width - s.FramePicture.width();
    const Rect area{s.CaptionRect.left, s.CaptionRect.top, s.CaptionRect.right + dx, s.CaptionRect.bottom};
    auto button = [&](TkvStdCommand cmd) -> const TkvDataSkinStdButton* {
        for (const auto& o : s.ObjectDescriptions()) {
            auto* b = dynamic_cast<const TkvDataSkinStdButton*>(o.get());
            if (b && !dynamic_cast<const TkvDataSkinMainMenuBarButton*>(b) && b->Command == cmd) return b;
        }
        return nullptr;
    };
    Placed p;
    int x = area.right;
    Rect* slots[] = {&p.close, &p.max, &p.min, &p.rollup};
    const TkvStdCommand cmds[] = {cmclose, cmmaximize, cmminimize, cmrollup};
    for (int i = 0; i < 4; ++i) {
        const auto* b = button(cmds[i]);
        if (!b) throw std::runtime_error("caption button missing");
        const int w = b->SkinRect.width(), h = b->SkinRect.height();
        *slots[i] = {x - w, area.top, x, area.top + h};
        x -= s.ButtonsOffset + w;
    }
    const auto* cap = dynamic_cast<const TkvDataSkinCaption*>(
        s.ObjectDescriptions()[s.GetObjectIndex("caption")].get());
    p.caption = cap->SkinRect;
    p.caption.right = x + s.ButtonsOffset;
    const auto* sys = button(cmsysmenu);
    const int w = sys->SkinRect.width(), h = sys->SkinRect.height();
    const int top = area.top + area.height() / 2 - h / 2;
    p.sysmenu = {area.left, top, area.left + w, top + h};
    p.caption.left = area.left + s.ButtonsOffset + w - s.ButtonsOffset;
    p.textLeft = p.caption.left + cap->TextRect.left;
    return p;
}

TEST(StoredSkin, ThirteenFrameObjectsOfTheirClasses) {
    const TkvSkinData& s = programSkin();
    struct Want {
        const char* name;
        const char* cls;
    };
    const Want want[] = {{"closebutton", "TkvDataSkinStdButton"},
                         {"maxbutton", "TkvDataSkinStdButton"},
                         {"minbutton", "TkvDataSkinStdButton"},
                         {"rollupbutton", "TkvDataSkinStdButton"},
                         {"sysmenubutton", "TkvDataSkinStdButton"},
                         {"caption", "TkvDataSkinCaption"},
                         {"traybutton", "TkvDataSkinStdButton"},
                         {"menuitem", "TkvDataSkinMenuItem"},
                         {"mainmenubaritem", "TkvDataSkinMainMenuBarItem"},
                         {"menubarsysmenubutton", "TkvDataSkinMainMenuBarButton"},
                         {"menubarclosebutton", "TkvDataSkinMainMenuBarButton"},
                         {"menubarmaxbutton", "TkvDataSkinMainMenuBarButton"},
                         {"menubarminbutton", "TkvDataSkinMainMenuBarButton"}};
    ASSERT_EQ(s.ObjectDescriptions().size(), std::size(want));
    for (std::size_t i = 0; i < std::size(want); ++i) {
        EXPECT_EQ(s.ObjectDescriptions()[i]->IDName, want[i].name);
        EXPECT_STREQ(s.ObjectDescriptions()[i]->ClassName(), want[i].cls) << want[i].name;
    }
}

TEST(StoredSkin, CaptionButtonsHaveTheirImagesCommandsAndHints) {
    TkvSkinData& s = programSkin();
    struct Want {
        const char* name;
        TkvStdCommand cmd;
        const char* hint;
        bool restore;
    };
    const Want want[] = {{"closebutton", cmclose, "Close", false},
                         {"maxbutton", cmmaximize, "Maximize", true},
                         {"minbutton", cmminimize, "Minimize", false},
                         {"rollupbutton", cmrollup, "Roll Up", true},
                         {"sysmenubutton", cmsysmenu, "System menu", false},
                         {"traybutton", cmminimizetotray, "Minimize to Tray", false}};
    for (const Want& w : want) {
        SCOPED_TRACE(w.name);
        auto* b = s.ObjectAs<TkvDataSkinStdButton>(s.GetObjectIndex(w.name));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Command, w.cmd);
        EXPECT_EQ(b->Hint, w.hint);
        EXPECT_TRUE(b->SkinRectInAPicture);
        ASSERT_GE(b->ActivePictureIndex, 0);
        const fw::Bitmap& pic = s.ActivePictures.at(static_cast<std::size_t>(b->ActivePictureIndex));
        // Normal, hot and pressed images: same size, inside the picture, all different places.
        for (Rect r : {b->SkinRect, b->ActiveSkinRect, b->DownRect}) {
            EXPECT_FALSE(r.empty());
            EXPECT_EQ(r.intersect(pic.rect()), r);
            EXPECT_EQ(r.width(), b->SkinRect.width());
            EXPECT_EQ(r.height(), b->SkinRect.height());
        }
        EXPECT_NE(b->SkinRect, b->ActiveSkinRect);
        EXPECT_NE(b->ActiveSkinRect, b->DownRect);
        EXPECT_TRUE(b->InactiveSkinRect.empty());  // no inactive images
        EXPECT_FALSE(b->Morphing);
        EXPECT_EQ(!b->RestoreRect.empty(), w.restore);
        if (w.restore) {
            EXPECT_EQ(b->RestoreHint, "Restore");
            EXPECT_FALSE(b->RestoreActiveRect.empty());
            EXPECT_FALSE(b->RestoreDownRect.empty());
        }
    }
}

TEST(StoredSkin, CaptionObjectsSitWhereTheFrameExpectsThem) {
    const Placed p = layoutAt(programSkin(), 556);
    EXPECT_EQ(p.close, (Rect{532, 5, 553, 26}));
    EXPECT_EQ(p.max, (Rect{509, 5, 530, 26}));
    EXPECT_EQ(p.min, (Rect{486, 5, 507, 26}));
    EXPECT_EQ(p.rollup, (Rect{463, 5, 484, 26}));
    EXPECT_EQ(p.sysmenu, (Rect{3, 8, 17, 20}));
    EXPECT_EQ(p.caption, (Rect{17, 4, 463, 24}));
    EXPECT_EQ(p.textLeft, 21);
}

TEST(StoredSkin, CaptionTextLooksAsSpecified) {
    TkvSkinData& s = programSkin();
    auto* c = s.ObjectAs<TkvDataSkinCaption>(s.GetObjectIndex("caption"));
    ASSERT_NE(c, nullptr);
    EXPECT_FALSE(c->SkinRectInAPicture);
    EXPECT_EQ(c->FontName, "Arial");
    EXPECT_EQ(c->FontHeight, 16);
    EXPECT_EQ(c->FontStyle, (TkvFontStyles{true, false, false, false}));
    EXPECT_EQ(c->ActiveFontColor, 11168318u);
    EXPECT_EQ(c->FontColor, 16111036u);
    EXPECT_EQ(c->Alignment, taleftjustify);
    EXPECT_TRUE(c->Shadow);
    EXPECT_EQ(c->ShadowColor, 16777215u);
    EXPECT_EQ(c->ActiveShadowColor, 16777215u);
    EXPECT_FALSE(c->Light);
    EXPECT_FALSE(c->GlowEffect || c->VistaGlowEffect || c->ReflectionEffect || c->Morphing);
    EXPECT_TRUE(c->ActiveSkinRect.empty());
    EXPECT_TRUE(c->AnimateSkinRect.empty());
    EXPECT_TRUE(c->FrameRect.empty());
    // The caption's place in the main picture maps onto the frame: it starts in the left-top corner zone and
    // ends in the right-top one, so it widens with the window.
    const TkvSkinData& m = programSkin();
    EXPECT_TRUE((Rect{0, 0, m.LeftTopPoint.x, m.LeftTopPoint.y}).contains(c->SkinRect.topLeft()));
    EXPECT_TRUE((Rect{m.RightTopPoint.x, 0, m.FramePicture.width(), m.RightTopPoint.y})
                    .contains({c->SkinRect.right, c->SkinRect.bottom}));
}

TEST(StoredSkin, MenuItemsMakeTheSystemMenu95High) {
    TkvSkinData& s = programSkin();
    auto* item = s.ObjectAs<TkvDataSkinMenuItem>(s.GetObjectIndex("menuitem"));
    ASSERT_NE(item, nullptr);
    const int itemH = item->SkinRect.height(), sepH = item->DividerRect.height();
    EXPECT_EQ(itemH, 22);
    EXPECT_EQ(sepH, 3);
    const TkvDataSkinPopupWindow& pw = s.PopupWindow();
    ASSERT_GE(pw.WindowPictureIndex, 0);
    const fw::Bitmap& window = s.ActivePictures.at(static_cast<std::size_t>(pw.WindowPictureIndex));
    EXPECT_EQ(window.width(), 93);
    EXPECT_EQ(pw.MaskPictureIndex, 6);
    const int frame = window.height() + pw.ItemsRect.top - pw.ItemsRect.bottom;
    EXPECT_EQ(4 * itemH + sepH + frame, 95);  // Minimize, Maximize, RollUp, separator, Close
    // Normal and active item images share the size.
    EXPECT_EQ(item->ActiveSkinRect.width(), item->SkinRect.width());
    EXPECT_EQ(item->ActiveSkinRect.height(), itemH);
}

TEST(StoredSkin, SkinColoursAreTheProgramsOwn) {
    TkvSkinData& s = programSkin();
    const TkvSkinColors& c = s.SkinColors();
    EXPECT_EQ(c.CBtnFace, 16641763u);
    EXPECT_EQ(c.CBtnText, 0u);
    EXPECT_EQ(c.CWindow, 16777215u);
    EXPECT_EQ(c.CWindowText, 0u);
    EXPECT_EQ(c.CHighlight, 13668176u);
    EXPECT_EQ(c.CHighlightText, 16777215u);
    EXPECT_EQ(c.CBtnHighlight, 16777215u);
    EXPECT_EQ(c.CBtnShadow, 14401450u);
}

}  // namespace
}  // namespace skinart::test
