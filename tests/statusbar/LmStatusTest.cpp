// The status bar on real windows: the main window's pane layout read from a description, the flat frame and text
// drawn by a pane, the shared clock timer and the version pane.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "framework/StandardClasses.h"
#include "statusbar/LmStatus.h"

namespace {

// The main window's bar and panes, as its description writes them.
constexpr char kMainBar[] = R"(TTestForm f {
  ClientWidth: 546;
  ClientHeight: 296;
  TLmStatusBar LmStatusBar1 {
    Left: 0; Top: 277; Width: 546; Height: 19; Align: alBottom;
    BorderInner: fsNone; BorderOuter: fsNone; BorderSides: [sdLeft, sdTop, sdRight, sdBottom]; BorderWidth: 0;
    TLmClockStatus LmClockStatus1 { Left: 203; Top: 0; Height: 19; Align: alRight; }
    TLmVersionInfoStatus LmVersionInfoStatus1 { Left: 103; Top: 0; Height: 19; Align: alRight;
      Field: vifProductVersion; }
    TLmStatusPane LmStatusPane1 { Left: 353; Top: 0; Width: 193; Height: 19; Align: alRight;
      Caption: "官方Email:support@example.com"; }
    TLmStatusPane LmStatusPane2 { Left: 0; Top: 0; Width: 169; Height: 19; Align: alLeft;
      Caption: "www.example.com"; }
  }
})";

struct MainBar {
    fw::Application app;
    fw::Form form;
    TLmStatusBar* bar = nullptr;
    MainBar() {
        fw::ClassRegistry& classes = app.classes();
        classes.addAbstract("TTestForm", "Form");
        RegisterStatusBarClasses(classes);
        form.setBorderStyle(fw::BorderStyle::Single);
        fw::loadFormFromText(form, kMainBar, classes);
        bar = dynamic_cast<TLmStatusBar*>(form.findComponent("LmStatusBar1"));
        form.handle();
    }
    template <class T>
    T& pane(const char* name) {
        return *dynamic_cast<T*>(form.findComponent(name));
    }
};

TEST(StatusBar, MainWindowPanesOverlapAsDescribed) {
    MainBar m;
    ASSERT_NE(m.bar, nullptr);
    EXPECT_EQ(m.bar->boundsRect(), (fw::Rect{0, 277, 546, 296}));
    // Panes align in the client area less its top pixel and one pixel beyond the other edges; the right-aligned
    // ones stack from the right in the order of their positions.
    EXPECT_EQ(m.pane<TLmStatusPane>("LmStatusPane1").boundsRect(), (fw::Rect{354, 1, 547, 20}));
    EXPECT_EQ(m.pane<TLmClockStatus>("LmClockStatus1").boundsRect(), (fw::Rect{204, 1, 354, 20}));
    EXPECT_EQ(m.pane<TLmVersionInfoStatus>("LmVersionInfoStatus1").boundsRect(), (fw::Rect{104, 1, 204, 20}));
    EXPECT_EQ(m.pane<TLmStatusPane>("LmStatusPane2").boundsRect(), (fw::Rect{-1, 1, 168, 20}));
    // The clock shows the time from the start; the version pane without a component stays empty.
    EXPECT_FALSE(m.pane<TLmClockStatus>("LmClockStatus1").Caption().empty());
    EXPECT_EQ(m.pane<TLmVersionInfoStatus>("LmVersionInfoStatus1").Caption(), L"");
    // A fixed border shows no size grip, and a pane at the corner keeps all of its area.
    EXPECT_FALSE(m.bar->SizeGripShown());

    // Painted: the left pane lies over the version pane; both frames are the flat colour with bare corners.
    fw::DibSection dib(546, 19);
    m.bar->paintTo(dib.dc());
    const fw::ConstPixelView dibPixels = dib.pixels();
    auto px = [&](int x, int y) { return fw::pixelToColor(dibPixels.at(x, y)); };
    const fw::Color flat = AdjustLightness(fw::resolveColor(fw::clBtnShadow), 30);
    const fw::Color face = fw::resolveColor(fw::clBtnFace);
    EXPECT_EQ(px(166, 10), flat) << "left pane's right edge";
    EXPECT_EQ(px(169, 10), face) << "gap between the left pane and the version pane's text";
    EXPECT_EQ(px(202, 10), flat) << "version pane's right edge";
    EXPECT_NE(px(105, 10), flat) << "the version pane's left edge lies under the left pane";
    EXPECT_EQ(px(205, 2), face) << "a flat frame leaves its corner pixel";
    EXPECT_EQ(px(206, 2), flat);
    bool textDrawn = false;
    for (int x = 4; x < 160 && !textDrawn; ++x)
        for (int y = 4; y < 16 && !textDrawn; ++y) textDrawn = px(x, y) != face;
    EXPECT_TRUE(textDrawn) << "the host name's text";
}

TEST(StatusBar, SizeGripOnlyOnASizeableFormAndItsCornerBelongsToTheBar) {
    MainBar m;
    m.form.setBorderStyle(fw::BorderStyle::Sizeable);
    EXPECT_TRUE(m.bar->SizeGripShown());
    TLmStatusPane& corner = m.pane<TLmStatusPane>("LmStatusPane1");
    EXPECT_FALSE(corner.hitTest({corner.width() - 5, 5}));
    EXPECT_TRUE(corner.hitTest({corner.width() - 13, 5}));
    m.bar->SetShowSizeGrip(false);
    EXPECT_FALSE(m.bar->SizeGripShown());
    EXPECT_TRUE(corner.hitTest({corner.width() - 5, 5}));
}

TEST(ClockStatus, ChangesOncePerSecondAndShowsTheDateAloneAtMidnight) {
    MainBar m;
    TLmClockStatus& clock = m.pane<TLmClockStatus>("LmClockStatus1");
    TLmDateTime fixed{2026, 12, 9, 3, 10, 20, 30, 0};
    clock.OnGetDateTime = [&](TLmClockStatus*, TLmDateTime& t) { t = fixed; };
    ASSERT_NE(TLmPollingList::Instance(), nullptr);
    EXPECT_EQ(TLmPollingStatus::Interval(), 500u);
    const int before = clock.TextChanges();
    TLmPollingList::Instance()->Tick();
    fixed.millisecond = 500;  // the next tick, half a second later: same text, no redraw
    TLmPollingList::Instance()->Tick();
    EXPECT_EQ(clock.TextChanges(), before + 1);
    const std::wstring withTime = clock.Caption();
    fixed = {2026, 12, 10, 4, 0, 0, 0, 0};
    TLmPollingList::Instance()->Tick();
    EXPECT_EQ(clock.TextChanges(), before + 2);
    EXPECT_EQ(clock.Caption().find(L' '), std::wstring::npos)
        << "date alone: " << std::string(clock.Caption().begin(), clock.Caption().end());
    EXPECT_NE(withTime.find(L' '), std::wstring::npos);
    clock.SetFormat(L"yyyy-mm-dd hh:nn:ss");
    EXPECT_EQ(clock.Caption(), L"2026-12-10 00:00:00");
}

TEST(ClockStatus, TheSharedTimerLivesFromTheFirstClockToTheLast) {
    fw::Form form;
    auto& first = form.create<TLmClockStatus>();
    ASSERT_NE(TLmPollingList::Instance(), nullptr);
    auto& second = form.create<TLmClockStatus>();
    EXPECT_EQ(TLmPollingList::Instance()->Panes().size(), 2u);
    form.destroyComponent(&first);
    ASSERT_NE(TLmPollingList::Instance(), nullptr);
    form.destroyComponent(&second);
    EXPECT_EQ(TLmPollingList::Instance(), nullptr);
}

TEST(VersionInfoStatus, ShowsTheFieldOrValueNotAvailable) {
    MainBar m;
    TLmVersionInfoStatus& pane = m.pane<TLmVersionInfoStatus>("LmVersionInfoStatus1");
    // A file without a version resource.
    wchar_t temp[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    GetTempFileNameW(temp, L"lmv", 0, path);
    auto& info = m.form.create<TLmVersionInfo>();
    info.SetFilePath(path);
    pane.SetVersionInfo(&info);
    EXPECT_EQ(pane.Caption(), L"Value Not Available");
    // A system file that has one: the field follows the choice.
    GetSystemDirectoryW(temp, MAX_PATH);
    info.SetFilePath(std::wstring(temp) + L"\\kernel32.dll");
    pane.SetField(TLmVersionInfoField::vifOriginalFilename);
    EXPECT_NE(pane.Caption(), L"Value Not Available");
    EXPECT_FALSE(pane.Caption().empty());
    // The component going away leaves the pane as it was, without a dangling reference.
    m.form.destroyComponent(&info);
    EXPECT_EQ(pane.VersionInfo(), nullptr);
    DeleteFileW(path);
}

}  // namespace
