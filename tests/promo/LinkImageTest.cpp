// The banner on a real window: clicks and cursor through the window messages, and the class in form descriptions.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/ClassRegistry.h"
#include "framework/DescriptionReader.h"
#include "framework/Form.h"
#include "framework/StandardClasses.h"
#include "framework/StdControls.h"
#include "promo/kvSkinLinkImage.h"

TEST(LinkImageClass, FormDescriptionsCreateBannersWithTheirLinksAndEvents) {
    fw::ClassRegistry classes;
    fw::registerStandardClasses(classes);
    RegisterLinkImageClass(classes);
    classes.addAbstract("TfrmBanners", "Form");

    TkvSkinLinkImage* img1 = nullptr;
    TkvSkinLinkImage* img2 = nullptr;
    fw::Panel* top = nullptr;
    int clicks = 0;
    fw::Binder binder;
    binder.field("img1", img1);
    binder.field("img2", img2);
    binder.field("TopPnl", top);
    binder.method("img1Click", [&](fw::Component*) { ++clicks; });

    fw::Form form;
    fw::loadFormFromText(form,
                         "TfrmBanners frmBanners {\n"
                         "  Panel TopPnl {\n"
                         "    Left: 0; Top: 0; Width: 546; Height: 49;\n"
                         "    TkvSkinLinkImage img1 {\n"
                         "      Left: 1; Top: 1; Width: 264; Height: 47;\n"
                         "      URL: \"https://www.kovra.example/\";\n"
                         "      OnClick: @img1Click;\n"
                         "    }\n"
                         "    TkvSkinLinkImage img2 { Left: 265; Top: 1; Width: 280; Height: 47; Stretch: false; }\n"
                         "  }\n"
                         "}\n",
                         classes, &binder);
    ASSERT_NE(img1, nullptr);
    ASSERT_NE(img2, nullptr);
    EXPECT_EQ(img1->parent(), top);
    EXPECT_EQ(img1->URL(), L"https://www.kovra.example/");
    EXPECT_TRUE(img2->URL().empty());
    EXPECT_EQ(img1->width(), 264);
    EXPECT_EQ(img1->cursor(), fw::crHandPoint);

    std::vector<std::wstring> opened;
    img1->SetLinkOpener([&](const std::wstring& link) { opened.push_back(link); });
    img1->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(opened, std::vector<std::wstring>{L"https://www.kovra.example/"});
}

TEST(LinkImageWindow, AMouseClickOnTheBannerOpensItsLinkAndThePointerIsAHand) {
    fw::Form form;
    form.setClientWidth(300);
    form.setClientHeight(100);
    fw::Panel& top = form.create<fw::Panel>();
    top.setParent(&form);
    top.setBounds(0, 0, 300, 49);
    TkvSkinLinkImage& img = form.create<TkvSkinLinkImage>();
    img.setParent(&top);
    img.setBounds(1, 1, 264, 47);
    img.SetURL(L"http://www.kovra.example/");
    std::vector<std::wstring> opened;
    img.SetLinkOpener([&](const std::wstring& link) { opened.push_back(link); });
    form.show();
    HWND panel = top.handle();
    ASSERT_NE(panel, nullptr);

    const LPARAM inside = MAKELPARAM(20, 20), outside = MAKELPARAM(280, 20);
    SendMessageW(panel, WM_MOUSEMOVE, 0, inside);
    SendMessageW(panel, WM_SETCURSOR, reinterpret_cast<WPARAM>(panel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));

    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(panel, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(opened, std::vector<std::wstring>{L"http://www.kovra.example/"});
    // A press and release beside the banner is no click on it.
    SendMessageW(panel, WM_MOUSEMOVE, 0, outside);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, outside);
    SendMessageW(panel, WM_LBUTTONUP, 0, outside);
    EXPECT_EQ(opened.size(), 1u);
}
