// Canvas, DIB sections, platform picture formats, timers and GDI handle accounting.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/PlatformPictures.h"
#include "framework/StdControls.h"
#include "framework/Stream.h"
#include "framework/Timer.h"

using namespace fw;

namespace {
// A 24-bit bottom-up .bmp file of w x h pixels; pixel (x, y) from top-left gets colour(x, y).
std::vector<std::uint8_t> makeBmp(int w, int h, Pixel (*colour)(int, int)) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<std::uint8_t> f(54 + static_cast<size_t>(stride) * h);
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<std::uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Pixel p = colour(x, y);
            std::uint8_t* px = &f[54 + static_cast<size_t>(h - 1 - y) * stride + x * 3];
            px[0] = static_cast<std::uint8_t>(pixelB(p));
            px[1] = static_cast<std::uint8_t>(pixelG(p));
            px[2] = static_cast<std::uint8_t>(pixelR(p));
        }
    return f;
}

Pixel gradient(int x, int y) { return makePixel(x * 40, y * 60, 200); }

// A form with one control of each kind and a picture, painted through its paint messages.
void buildPaintAndDestroy(const std::filesystem::path& bmp) {
    Form form;
    form.setBounds(10, 10, 240, 160);
    form.setCaption(L"GDI");
    Panel& panel = form.create<Panel>();
    panel.setAlign(Align::Top);
    panel.setCaption(L"panel");
    panel.setParent(&form);
    Label& label = form.create<Label>();
    label.setCaption(L"标签");
    label.setBounds(5, 50, 80, 20);
    label.font().setStyle({true, false, false, false});  // a font of its own
    label.setParent(&form);
    Edit& edit = form.create<Edit>();
    edit.setBounds(5, 75, 100, 21);
    edit.setParent(&form);
    Button& button = form.create<Button>();
    button.setBounds(110, 75, 75, 25);
    button.setParent(&form);
    Image& image = form.create<Image>();
    image.setBounds(5, 100, 10, 10);
    image.setStretch(true);
    image.picture().loadFromFile(bmp);
    image.setParent(&form);
    form.handle();
    SendMessageW(form.handle(), WM_PAINT, 0, 0);
    SendMessageW(panel.handle(), WM_PAINT, 0, 0);
    DibSection off(50, 20);
    off.canvas().setFont(label.font());
    off.canvas().textOut(0, 0, L"x");
    label.paint(off.canvas());
}
}  // namespace

TEST(Graphics, NoGdiHandlesAreLeftAfterFiftyFormsAreBuiltPaintedAndDestroyed) {
    Application app;  // registers the platform picture formats
    auto bmp = std::filesystem::temp_directory_path() / "fw-gdi-test.bmp";
    writeFile(bmp, makeBmp(5, 3, gradient));
    buildPaintAndDestroy(bmp);  // first run: one-time caches (stock objects, classes)
    const long before = gdiLiveCount();
    for (int i = 0; i < 50; ++i) buildPaintAndDestroy(bmp);
    EXPECT_EQ(gdiLiveCount(), before);
    std::filesystem::remove(bmp);
}

TEST(Graphics, BmpFilesLoadThroughThePictureLoaderTopRowFirst) {
    Application app;
    auto path = std::filesystem::temp_directory_path() / "fw-load-test.BMP";
    writeFile(path, makeBmp(5, 3, gradient));
    Picture p;
    p.loadFromFile(path);
    ASSERT_EQ(p.width(), 5);
    ASSERT_EQ(p.height(), 3);
    auto* g = dynamic_cast<BitmapGraphic*>(p.graphic());
    ASSERT_NE(g, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(g->bitmap().at(x, y), gradient(x, y)) << x << "," << y;

    // Damaged files raise an error instead of reading past their end.
    std::vector<std::uint8_t> cut = makeBmp(5, 3, gradient);
    cut.resize(cut.size() - 4);
    writeFile(path, cut);
    EXPECT_THROW(p.loadFromFile(path), PictureError);
    std::vector<std::uint8_t> huge = makeBmp(5, 3, gradient);
    huge[18] = 0xFF;
    huge[19] = 0xFF;
    huge[20] = 0xFF;  // width 16 M
    writeFile(path, huge);
    EXPECT_ANY_THROW(p.loadFromFile(path));
    EXPECT_EQ(p.width(), 5);  // the picture keeps what it had
    std::filesystem::remove(path);
}

// A control paints through one section kept between paints: the same size again must be a fresh section.
TEST(Graphics, ResizingADibSectionToItsSizeGivesItBackAsNew) {
    DibSection dib(8, 8);
    HDC dc = dib.dc();
    dib.canvas().setBrushColor(rgb(255, 0, 0));
    dib.canvas().fillRect({0, 0, 8, 8});
    IntersectClipRect(dc, 0, 0, 2, 2);  // raw state a painter may leave behind
    SetTextColor(dc, RGB(0, 255, 0));
    dib.resize(8, 8);
    EXPECT_EQ(dib.dc(), dc) << "the section is reused";
    EXPECT_EQ(dib.pixels().at(7, 7) & 0xFFFFFF, 0u) << "zeroed";
    EXPECT_EQ(GetTextColor(dib.dc()), RGB(0, 0, 0)) << "the DC's state as made";
    dib.canvas().setBrushColor(rgb(0, 0, 255));
    dib.canvas().fillRect({0, 0, 8, 8});
    EXPECT_EQ(dib.pixels().at(7, 7) & 0xFFFFFF, 0x0000FFu) << "no clipping left over";
}

TEST(Graphics, CanvasAndPixelCodeDrawIntoTheSameDibSection) {
    DibSection dib(20, 10);
    Canvas& c = dib.canvas();
    c.setBrushColor(rgb(255, 0, 0));
    c.fillRect({2, 2, 6, 6});
    c.setBrushColor(clBlack);
    c.frameRect({10, 0, 20, 10});
    c.setPenColor(rgb(0, 0, 255));
    c.moveTo(0, 9);
    c.lineTo(5, 9);
    PixelView px = dib.pixels();
    EXPECT_EQ(px.at(2, 2) & 0xFFFFFF, 0xFF0000u);  // fillRect covers left/top...
    EXPECT_EQ(px.at(5, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(px.at(6, 6) & 0xFFFFFF, 0u);  // ...but not right/bottom
    EXPECT_EQ(px.at(4, 9) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(px.at(5, 9) & 0xFFFFFF, 0u);  // the end point of a line is not drawn
    EXPECT_EQ(c.pixel(2, 2), rgb(255, 0, 0));

    // Pixel code writes; GDI reads the same memory.
    px.at(15, 5) = makePixel(1, 2, 3);
    EXPECT_EQ(c.pixel(15, 5), rgb(1, 2, 3));

    // Copy and alpha-blend of a pixel view onto the canvas.
    Bitmap src(4, 4, makePixel(0, 255, 0, 255));
    src.at(1, 1) = makePixel(0, 0, 0, 0);          // fully transparent
    src.at(2, 2) = makePixel(255, 255, 255, 128);  // half white
    dib.resize(4, 4);
    dib.canvas().setBrushColor(clBlack);
    dib.canvas().fillRect({0, 0, 4, 4});
    alphaBlendPixels(dib.dc(), 0, 0, src.view(), src.rect());
    PixelView out = dib.pixels();
    EXPECT_EQ(out.at(0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(out.at(1, 1) & 0xFFFFFF, 0u);
    EXPECT_NEAR(pixelR(out.at(2, 2)), 128, 2);
    drawPixels(dib.dc(), 1, 0, src.view(), {2, 2, 3, 3});  // one pixel, clipped copy
    EXPECT_EQ(dib.pixels().at(1, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Graphics, TextIsMeasuredAndDrawnWithTheCanvasFont) {
    DibSection dib(200, 40);
    Canvas& c = dib.canvas();
    c.setBrushColor(clWhite);
    c.fillRect(dib.rect());
    Font big(L"Arial", -24);
    Font small(L"Arial", -10);
    c.setFont(small);
    Size s1 = c.textExtent(L"Kovra");
    c.setFont(big);
    Size s2 = c.textExtent(L"Kovra");
    EXPECT_GT(s2.width, s1.width);
    EXPECT_GT(s2.height, s1.height);
    c.font().setColor(clBlack);
    Rect r = dib.rect();
    c.drawText(L"KKKK", r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    int dark = 0;
    ConstPixelView px = dib.pixels();
    for (int y = 0; y < px.height; ++y)
        for (int x = 0; x < px.width; ++x) dark += (px.at(x, y) & 0xFFFFFF) == 0;
    EXPECT_GT(dark, 20);
}

TEST(Graphics, CopiesOfAFontShareOnePlatformFontUntilTheirFaceDiffers) {
    Font a(L"Arial", -12);
    const HFONT h = a.handle();
    Font copy(a), assigned;
    assigned.assign(a);
    EXPECT_EQ(copy.handle(), h);
    EXPECT_EQ(assigned.handle(), h);
    copy.setColor(clRed);  // the colour is not part of the platform font
    EXPECT_EQ(copy.handle(), h);
    copy.setCharset(GB2312_CHARSET);
    EXPECT_NE(copy.handle(), h);
    EXPECT_EQ(a.handle(), h);
    {
        Font maker(L"Arial", -14);
        maker.handle();
        assigned.assign(maker);
    }
    LOGFONTW lf{};  // the shared platform font outlives the font that made it
    ASSERT_EQ(GetObjectW(assigned.handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -14);
}

TEST(Graphics, TimersFireWhileEnabledOnly) {
    Timer t(nullptr, 10);
    int fired = 0;
    t.onTimer = [&](Component*) { ++fired; };
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 100) processMessages();
    EXPECT_EQ(fired, 0);
    t.setEnabled(true);
    start = GetTickCount();
    while (fired < 2 && GetTickCount() - start < 2000) {
        processMessages();
        Sleep(1);
    }
    EXPECT_GE(fired, 2);
    t.setEnabled(false);
    int now = fired;
    start = GetTickCount();
    while (GetTickCount() - start < 100) processMessages();
    EXPECT_EQ(fired, now);
}

TEST(Graphics, WindowlessChildrenPaintAtTheirPlaceAndInsideTheirBounds) {
    Application app;
    Form form;
    form.setBorderStyle(BorderStyle::None);
    form.setBounds(0, 0, 60, 40);
    form.setColor(rgb(0, 0, 255));
    Label& label = form.create<Label>();
    label.setParent(&form);
    label.setBounds(10, 5, 20, 10);
    label.setColor(rgb(255, 0, 0));
    label.setCaption({});
    Image& image = form.create<Image>();
    image.setParent(&form);
    image.setBounds(40, 20, 10, 10);
    image.setStretch(true);
    auto g = std::make_unique<BitmapGraphic>();
    g->setBitmap(Bitmap(2, 2, makePixel(0, 255, 0)));
    image.picture().setGraphic(std::move(g));
    DibSection dib(60, 40);
    SendMessageW(form.handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT);
    EXPECT_EQ(dib.pixels().at(10, 5) & 0xFFFFFF, 0x0000FFu) << "without PRF_CHILDREN only the form itself";
    SendMessageW(form.handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dib.dc()), PRF_CLIENT | PRF_CHILDREN);
    ConstPixelView px = dib.pixels();
    auto at = [&](int x, int y) { return px.at(x, y) & 0xFFFFFF; };
    EXPECT_EQ(at(5, 5), 0x0000FFu);    // form background
    EXPECT_EQ(at(10, 5), 0xFF0000u);   // label's top-left
    EXPECT_EQ(at(29, 14), 0xFF0000u);  // label's bottom-right
    EXPECT_EQ(at(30, 5), 0x0000FFu);   // just right of the label
    EXPECT_EQ(at(10, 15), 0x0000FFu);  // just below the label
    EXPECT_EQ(at(40, 20), 0x00FF00u);  // the picture stretched over the image's bounds
    EXPECT_EQ(at(49, 29), 0x00FF00u);
    EXPECT_EQ(at(50, 30), 0x0000FFu);
    // A hidden child is not painted.
    label.setVisible(false);
    form.paintTo(dib.dc());
    EXPECT_EQ(dib.pixels().at(15, 8) & 0xFFFFFF, 0x0000FFu);
}

namespace {

// A control that fills itself with its colour and counts its paints.
class CountingControl : public CustomControl {
public:
    using CustomControl::CustomControl;
    int paints = 0;

protected:
    void paint(Canvas& canvas) override {
        ++paints;
        canvas.setBrushColor(color());
        canvas.fillRect(clientRect());
    }
};

}  // namespace

TEST(Graphics, AKeptPictureIsCopiedUntilTheControlOrAWindowlessChildChanges) {
    Application app;
    Form form;
    form.setBorderStyle(BorderStyle::None);
    form.setBounds(0, 0, 80, 40);
    CountingControl& c = form.create<CountingControl>();
    c.setParent(&form);
    c.setBounds(0, 0, 40, 20);
    c.setColor(rgb(0, 0, 255));
    c.setKeepsImage(true);
    Label& child = form.create<Label>();
    child.setParent(&c);
    child.setBounds(20, 0, 10, 10);
    child.setColor(rgb(255, 0, 0));
    child.setCaption({});
    form.handle();  // windows made first: their making alone draws anew
    DibSection dib(40, 20);
    auto paintAndRead = [&](int x, int y) {
        c.paintTo(dib.dc());
        return dib.pixels().at(x, y) & 0xFFFFFF;
    };
    EXPECT_EQ(paintAndRead(25, 5), 0xFF0000u);
    EXPECT_EQ(paintAndRead(5, 5), 0x0000FFu);
    EXPECT_EQ(c.paints, 1) << "the second paint copies the kept picture";
    child.setColor(rgb(0, 255, 0));
    EXPECT_EQ(paintAndRead(25, 5), 0x00FF00u) << "a windowless child's change is drawn";
    c.setColor(rgb(255, 255, 0));
    EXPECT_EQ(paintAndRead(5, 5), 0xFFFF00u) << "the control's own change is drawn";
    EXPECT_EQ(c.paints, 3);
    c.setBounds(0, 0, 30, 20);
    paintAndRead(5, 5);
    EXPECT_EQ(c.paints, 4) << "a new size is drawn anew";
    SendMessageW(form.handle(), WM_SYSCOLORCHANGE, 0, 0);
    paintAndRead(5, 5);
    EXPECT_EQ(c.paints, 5) << "new system colours, which only the top window hears of, are drawn anew";
    c.setKeepsImage(false);
    paintAndRead(5, 5);
    paintAndRead(5, 5);
    EXPECT_EQ(c.paints, 7);
}
