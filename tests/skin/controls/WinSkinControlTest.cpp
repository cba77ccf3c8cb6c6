// The windowed skinned control base under Wine: description look-up, default look and size, fitting to the skin,
// painting through one bitmap, the skin-change walk and binding to a model that is still empty.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvGraphicSkinCtrls.h"
#include "skin/controls/kvSkinCtrls.h"
#include "framework/StdControls.h"
#include "skin/controls/ParentImage.h"

namespace {

// A concrete control that counts the operations the base calls.
class CountingControl : public TkvSkinCustomControl {
public:
    explicit CountingControl(fw::Component* owner) : TkvSkinCustomControl(owner) {}
    int changes = 0, regionUpdates = 0, parentImageChanges = 0;
    std::vector<const CountingControl*>* walkOrder = nullptr;  // where ChangeSkinData records this control
    void ChangeSkinData() override {
        ++changes;
        if (walkOrder) walkOrder->push_back(this);
        TkvSkinCustomControl::ChangeSkinData();
    }
    void ParentImageChanged() override {
        ++parentImageChanges;
        TkvSkinCustomControl::ParentImageChanged();
    }
    void UpdateControlRegion() override {
        ++regionUpdates;
        TkvSkinCustomControl::UpdateControlRegion();
    }
    void PaintFor(fw::Canvas& canvas) { paint(canvas); }
    // The control's own paint into an off-screen bitmap, read back as pixels.
    fw::Bitmap paintedImage() {
        fw::DibSection target(width(), height());
        paint(target.canvas());
        fw::Bitmap out(width(), height());
        const fw::PixelView p = target.pixels();
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) out.at(x, y) = p.at(x, y) | 0xFF000000u;
        return out;
    }
};

class SkinControlTest : public ::testing::Test {
protected:
    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();

    CountingControl& control(const std::string& name, int w, int h) {
        auto& c = form.create<CountingControl>();
        c.setParent(&form);
        c.SetSkinDataName(name);
        c.setBounds(10, 10, w, h);
        return c;
    }
};

fw::Pixel opaque(fw::Pixel p) { return p | 0xFF000000u; }

TEST_F(SkinControlTest, UnknownNameGivesTheDefaultLookAndDefaultSize) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("nosuchsection", 50, 30);
    c.SetDefaultWidth(80);
    c.SetDefaultHeight(24);
    c.SetSkinData(&model);
    EXPECT_EQ(c.DescriptionIndex, -1);
    EXPECT_EQ(c.width(), 80);
    EXPECT_EQ(c.height(), 24);
    const fw::Bitmap img = c.paintedImage();
    const fw::Pixel face = opaque(fw::colorToPixel(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(img.at(0, 0), face);
    EXPECT_EQ(img.at(79, 23), face);
}

TEST_F(SkinControlTest, WidthOnlyDescriptionForcesTheSkinHeightAndPaintsTheSkin) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("button", 120, 60);
    c.SetSkinData(&model);
    ASSERT_NE(c.DescriptionIndex, -1);
    EXPECT_EQ(c.SizingMode, 2);
    EXPECT_EQ(c.width(), 120);
    EXPECT_EQ(c.height(), 22) << "the button skin is 22 high";
    c.setBounds(10, 10, 90, 5);
    EXPECT_EQ(c.height(), 22);
    ASSERT_NE(c.SkinPicture, nullptr);
    const fw::Bitmap img = c.paintedImage();
    const fw::Bitmap& pic = *c.SkinPicture;
    const fw::Rect sr = c.SrcSkinRect;
    EXPECT_EQ(img.at(1, 11), opaque(pic.at(sr.left + 1, sr.top + 11))) << "left end copied";
    EXPECT_EQ(img.at(88, 11), opaque(pic.at(sr.right - 2, sr.top + 11))) << "right end copied at the right edge";
}

TEST_F(SkinControlTest, FixedDescriptionTakesTheSkinRectSize) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("updown", 100, 100);
    c.SetSkinData(&model);
    EXPECT_EQ(c.SizingMode, 0);
    EXPECT_EQ(c.width(), 15);
    EXPECT_EQ(c.height(), 21);
}

TEST_F(SkinControlTest, UnchangedBoundsDoNotRecomputeTheRegion) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("panel", 100, 60);
    c.SetSkinData(&model);
    const int before = c.regionUpdates;
    c.setBounds(30, 40, 100, 60);  // moved only
    EXPECT_EQ(c.regionUpdates, before);
    EXPECT_EQ(c.left(), 30);
    c.setBounds(30, 40, 120, 60);
    EXPECT_EQ(c.regionUpdates, before + 1);
}

TEST_F(SkinControlTest, RenamingTakesEffectAtTheNextPaintOnly) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("button", 60, 22);
    c.SetSkinData(&model);
    const int buttonIndex = c.DescriptionIndex;
    c.SetSkinDataName("nosuchsection");
    EXPECT_EQ(c.DescriptionIndex, buttonIndex);
    c.paintedImage();
    EXPECT_EQ(c.DescriptionIndex, -1);
}

TEST_F(SkinControlTest, BindingToAnEmptyModelWaitsForTheChangeWalk) {
    CountingControl& c = control("button", 60, 40);
    c.SetSkinData(&model);
    EXPECT_EQ(c.changes, 0);
    EXPECT_EQ(c.height(), 40);
    // The model is loaded; the form has no frame component, so the walk is run as the frame runs it.
    kvtest::LoadEmbeddedSkin(stored, model);
    EXPECT_EQ(c.changes, 0);
    NotifySkinControls(form, &model, SkinChangeStage::Changed);
    EXPECT_EQ(c.changes, 1);
    EXPECT_EQ(c.height(), 22);
    NotifySkinControls(form, &model, SkinChangeStage::Before);
    EXPECT_EQ(c.DescriptionIndex, -1);
}

TEST_F(SkinControlTest, WalkIsDepthFirstAndSkipsControlsOfAnotherModel) {
    kvtest::LoadEmbeddedSkin(stored, model);
    TkvSkinData& other = form.create<TkvSkinData>();
    CountingControl& outer = control("panel", 100, 80);
    auto& inner = form.create<CountingControl>();
    inner.setParent(&outer);
    inner.SetSkinDataName("button");
    auto& foreign = form.create<CountingControl>();
    foreign.setParent(&form);
    outer.SetSkinData(&model);
    inner.SetSkinData(&model);
    foreign.SetSkinData(&other);
    std::vector<const CountingControl*> order;
    for (CountingControl* c : {&outer, &inner, &foreign}) c->walkOrder = &order;
    NotifySkinControls(form, &model, SkinChangeStage::Changed);
    EXPECT_EQ(order, (std::vector<const CountingControl*>{&outer, &inner}))
        << "a parent, then the children of windowed children; never another model's control";
    order.clear();
    NotifySkinControls(form, nullptr, SkinChangeStage::Changed);
    EXPECT_EQ(order, (std::vector<const CountingControl*>{&outer, &inner, &foreign}))
        << "no sender: every skinned control, a child before its parent's next sibling";
}

TEST_F(SkinControlTest, RemovedModelIsForgotten) {
    kvtest::LoadEmbeddedSkin(stored, model);
    auto& m2 = form.create<TkvSkinData>();
    CountingControl& c = control("button", 60, 22);
    c.SetSkinData(&m2);
    form.destroyComponent(&m2);
    EXPECT_EQ(c.SkinData(), nullptr);
    c.paintedImage();
    EXPECT_EQ(c.DescriptionIndex, -1);
}

TEST_F(SkinControlTest, EraseIsSwallowedAndParentImageMessageIsHandled) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("button", 60, 22);
    c.SetSkinData(&model);
    // The erase reports done and leaves the device context as it was.
    fw::DibSection dc(8, 8);
    dc.pixels().at(3, 3) = fw::makePixel(1, 2, 3);
    EXPECT_EQ(c.perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.dc()), 0), 1);
    GdiFlush();
    EXPECT_EQ(dc.pixels().at(3, 3) & 0xFFFFFF, fw::makePixel(1, 2, 3) & 0xFFFFFF);
    EXPECT_EQ(c.perform(SKIN_MSG_PARENT_IMAGE_CHANGED, 0, 0), 0);
    EXPECT_EQ(c.parentImageChanges, 1);
}

TEST_F(SkinControlTest, PanelsPaintBorderStripsAndTileTheClientStraightOntoTheCanvas) {
    kvtest::LoadEmbeddedSkin(stored, model);
    CountingControl& c = control("panel", 150, 120);
    c.ForceBackgroundPaint = true;
    c.SetSkinData(&model);
    ASSERT_EQ(c.SizingMode, 1);
    ASSERT_NE(c.SkinPicture, nullptr);
    const fw::Bitmap& pic = *c.SkinPicture;
    const fw::Rect sr = c.SrcSkinRect;
    const fw::Rect cl = c.SrcClientRect;  // relative to the skin rect
    fw::Bitmap img = c.paintedImage();
    EXPECT_EQ(img.at(0, 0), opaque(pic.at(sr.left, sr.top))) << "top-left corner";
    EXPECT_EQ(img.at(149, 119), opaque(pic.at(sr.right - 1, sr.bottom - 1))) << "bottom-right corner";
    const int tw = cl.width(), th = cl.height();
    const fw::Rect cur = c.CurClientRect;
    // The client tile starts at the client's top-left and repeats.
    EXPECT_EQ(img.at(cur.left, cur.top), opaque(pic.at(sr.left + cl.left, sr.top + cl.top)));
    EXPECT_EQ(img.at(cur.left + tw + 1, cur.top + th + 2), opaque(pic.at(sr.left + cl.left + 1, sr.top + cl.top + 2)));

    // Without the client background only the border is painted.
    c.PaintClientBackground = false;
    fw::DibSection target(150, 120);
    fw::PixelView p = target.pixels();
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 150; ++x) p.at(x, y) = 0xFFFF00FFu;
    fw::Canvas canvas(target.dc());
    c.PaintFor(canvas);
    p = target.pixels();
    EXPECT_EQ(p.at(75, 60), 0xFFFF00FFu);
    EXPECT_EQ(opaque(p.at(0, 0)), opaque(pic.at(sr.left, sr.top)));
}

TEST_F(SkinControlTest, MaskGivesTheWindowItsRegionAlsoWhenTheWindowComesLater) {
    kvtest::LoadEmbeddedSkin(stored, model);
    auto* d = model.ControlAs<TkvDataSkinCustomControl>(model.GetControlIndex("button"));
    ASSERT_NE(d, nullptr);
    fw::Bitmap mask(d->SkinRect.width(), d->SkinRect.height(), fw::makePixel(0, 0, 0));
    mask.at(0, 0) = fw::makePixel(255, 255, 255);
    model.ActivePictures.push_back(mask);
    d->MaskPictureIndex = static_cast<int>(model.ActivePictures.size()) - 1;

    CountingControl& c = control("button", 100, 22);
    c.SetSkinData(&model);
    ASSERT_NE(c.SkinMaskPicture, nullptr);
    EXPECT_TRUE(c.HasWindowRegion());
    ASSERT_FALSE(c.handleAllocated());
    form.handle();  // makes the control's window too
    fw::Region r(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(c.handle(), r.get()), ERROR);
    EXPECT_FALSE(PtInRegion(r.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(r.get(), 1, 0));
    EXPECT_TRUE(PtInRegion(r.get(), 99, 21));

    d->MaskPictureIndex = -1;
    c.ChangeSkinData();
    EXPECT_FALSE(c.HasWindowRegion());
    EXPECT_EQ(GetWindowRgn(c.handle(), r.get()), ERROR) << "no mask: the region is removed";
}

TEST_F(SkinControlTest, GraphicTwinFitsItsSizeLikeTheWindowedOne) {
    kvtest::LoadEmbeddedSkin(stored, model);
    auto& g = form.create<TkvGraphicSkinCustomControl>();
    g.setParent(&form);
    g.SetSkinDataName("button");
    g.setBounds(0, 0, 70, 70);
    g.SetSkinData(&model);
    EXPECT_EQ(g.height(), 22);
    NotifySkinControls(form, &model, SkinChangeStage::Before);
    EXPECT_EQ(g.DescriptionIndex, -1);
}

// A windowless child that fills itself with one colour and counts its paints.
class Swatch : public fw::Control {
public:
    Swatch(fw::Component* owner, COLORREF c) : fw::Control(owner), colour(c) {}
    COLORREF colour;
    int paints = 0;
    void paint(fw::Canvas& canvas) override {
        ++paints;
        canvas.setBrushColor(colour);
        canvas.fillRect({0, 0, width(), height()});
    }
};

TEST_F(SkinControlTest, ParentBackgroundOfAFrameworkParentHasOnlyTheSiblingsBelowOnce) {
    auto& panel = form.create<fw::Panel>();
    panel.setParent(&form);
    panel.setBounds(0, 0, 100, 60);
    panel.setBevelOuter(fw::BevelStyle::None);
    panel.setShowCaption(false);
    panel.setColor(RGB(0, 0, 200));
    auto makeSwatch = [&](COLORREF c, int x) -> Swatch& {
        auto& s = form.create<Swatch>(c);
        s.setParent(&panel);
        s.setBounds(x, 10, 10, 10);
        return s;
    };
    Swatch& below = makeSwatch(RGB(200, 0, 0), 10);
    Swatch& hidden = makeSwatch(RGB(0, 200, 0), 30);
    hidden.setVisible(false);
    auto& c = form.create<CountingControl>();
    c.setParent(&panel);
    c.setBounds(5, 5, 50, 30);
    Swatch& above = makeSwatch(RGB(200, 200, 0), 40);
    fw::DibSection target(50, 30);
    PaintParentBackground(c, target.dc());
    auto at = [&](int x, int y) { return target.pixels().at(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(below.paints, 1);
    EXPECT_EQ(hidden.paints, 0);
    EXPECT_EQ(above.paints, 0) << "a sibling after the control lies above it";
    EXPECT_EQ(at(5, 5), opaque(fw::colorToPixel(RGB(200, 0, 0))) & 0xFFFFFFu);  // panel (10, 10)
    EXPECT_EQ(at(0, 0), opaque(fw::colorToPixel(RGB(0, 0, 200))) & 0xFFFFFFu);
    EXPECT_EQ(at(36, 6), opaque(fw::colorToPixel(RGB(0, 0, 200))) & 0xFFFFFFu) << "the later sibling's place";
}

}  // namespace
