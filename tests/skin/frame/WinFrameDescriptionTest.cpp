// A form read from a description with a frame component, a skin model and the stored skin: the skin loads while
// the form is read and the frame takes it; without a skin the frame paints its plain default frame.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/StandardClasses.h"
#include "skin/data/kvSkinDataClasses.h"
#include "skin/frame/KelvaneForm.h"

namespace {

constexpr char kDescription[] = R"(
TForm frm {
  BorderStyle: bsSingle;
  Caption: "KovraAccess数据库压缩器 V1.0";
  ClientWidth: 546;
  ClientHeight: 296;
  TkvKelvaneForm kvKelvaneForm1 {
    SkinData: &kvSkinData1;
    MenusSkinData: &kvSkinData1;
    BorderIcons: [biSystemMenu, biMinimize, biMaximize, biRollUp];
    DefCaptionFont.Name: "宋体";
    DefCaptionFont.Height: 12;
    DefCaptionFont.Style: [fsBold];
    PositionInMonitor: kvpDefault;
    ClientInActiveEffectType: kvieSemiTransparent;
    TrayIcon: &kvTrayIcon1;
  }
  TkvTrayIcon kvTrayIcon1 {
    Hint: "数据库压缩器";
  }
  TkvSkinData kvSkinData1 {
    SkinnableForm: true;
    CompressedStoredSkin: &kvCompressedStoredSkin1;
  }
  TkvCompressedStoredSkin kvCompressedStoredSkin1 {
    FileName: "skin.ini";
    CompressedData: <include "KVSKIN">;
  }
}
)";

void registerClasses(fw::ClassRegistry& classes) {
    if (!classes.find("TForm")) classes.addAbstract("TForm", "Form");
    if (!classes.find("TkvSkinData")) RegisterSkinDataClasses(classes);
    RegisterKelvaneFormClass(classes);
}

fw::Rect regionBoxOf(const TkvKelvaneForm& f) {
    RECT b{};
    if (f.HasFrameRegion()) GetRgnBox(f.FrameRegionHandle(), &b);
    return fw::fromRECT(b);
}

TkvKelvaneForm* frameOf(fw::Form& f) {
    for (fw::Component* c : f.components())
        if (auto* k = dynamic_cast<TkvKelvaneForm*>(c)) return k;
    return nullptr;
}

TEST(FrameDescription, StoredSkinLoadsWhileTheFormIsReadAndTheFrameTakesIt) {
    fw::Application app;
    registerClasses(app.classes());
    fw::Form& form = app.createForm<fw::Form>();
    fw::loadFormFromText(form, kDescription, app.classes());
    TkvKelvaneForm* frame = frameOf(form);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->SkinReady());
    EXPECT_FALSE(frame->SkinData()->Empty());
    EXPECT_EQ(frame->MenusSkinData(), frame->SkinData());
    EXPECT_FALSE(form.borderIcons().systemMenu) << "the platform's caption buttons are off";
    EXPECT_EQ(frame->DefCaptionFont.name(), L"宋体");
    EXPECT_TRUE(frame->DefCaptionFont.style().bold);
    EXPECT_TRUE(frame->BorderIcons().biRollUp);
    EXPECT_FALSE(frame->BorderIcons().biMinimizeToTray);
    ASSERT_NE(frame->TrayIcon(), nullptr);
    EXPECT_EQ(frame->TrayIcon()->Hint, L"数据库压缩器");
    EXPECT_EQ(frame->TrayIcon()->PopupMenu(), &frame->TrayMenu()) << "linked: the frame's tray menu";
    form.handle();
    EXPECT_EQ(form.width(), 554);
    EXPECT_EQ(form.height(), 327);
    EXPECT_EQ(form.clientWidth(), 546);
    EXPECT_EQ(form.clientHeight(), 296);
    EXPECT_TRUE(frame->HasFrameRegion());
}

TEST(FrameDescription, DefaultFrameWithoutSkin) {
    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    form.setBorderStyle(fw::BorderStyle::Single);
    form.setCaption(L"Plain");
    form.setClientWidth(300);
    form.setClientHeight(200);
    auto& frame = form.create<TkvKelvaneForm>();
    form.handle();
    EXPECT_FALSE(frame.SkinReady());
    EXPECT_EQ(form.width(), 306);
    EXPECT_EQ(form.height(), 225) << "3 + caption 19 + 3 above, 3 below";
    EXPECT_EQ(regionBoxOf(frame), (fw::Rect{0, 0, 306, 225}));

    fw::DibSection dib(form.width(), form.height());
    const fw::Pixel fill = 0xFFFF00FFu;
    fw::PixelView p = dib.pixels();
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.at(x, y) = fill;
    ASSERT_EQ(form.perform(KV_MSG_FRAME_PAINT_TO, reinterpret_cast<WPARAM>(dib.dc()), 0), 0x3233);
    p = dib.pixels();
    auto sys = [](int index) { return fw::colorToPixel(GetSysColor(index)) & 0xFFFFFFu; };
    auto at = [&](int x, int y) { return p.at(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(at(0, 100), sys(COLOR_3DLIGHT));
    EXPECT_EQ(at(305, 100), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(1, 100), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(304, 100), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(at(2, 100), sys(COLOR_BTNFACE));
    // Caption stripes at caption rows 2, 3 (window rows 5, 6) right of the text, clear of the buttons.
    EXPECT_EQ(at(220, 5), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(220, 6), sys(COLOR_BTNSHADOW));
    // The default close button at the right end (286, 4)-(303, 21): its face and the first stroke of its cross.
    EXPECT_EQ(at(290, 5), sys(COLOR_BTNFACE));
    EXPECT_EQ(at(290, 9), sys(COLOR_BTNTEXT));
    EXPECT_EQ(at(240, 5), sys(COLOR_BTNFACE)) << "stripes end before the buttons";
    EXPECT_EQ(p.at(150, 100), fill) << "the client area is excluded";
}

}  // namespace
