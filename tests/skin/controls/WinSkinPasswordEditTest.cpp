// The password field under Wine with the program's skin, driven by the key and character messages a user's
// keyboard sends: glyphs instead of characters, the editing limits, keyboard selection, paste without copy or cut,
// and case conversion.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "WinTestSkin.h"
#include "framework/Application.h"
#include "framework/DibSection.h"
#include "framework/Form.h"
#include "skin/controls/kvSkinBoxCtrls.h"

namespace {

class SkinPasswordEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        kvtest::LoadEmbeddedSkin(stored, model);
        form.setBounds(100, 100, 300, 200);
        edit.setParent(&form);
        edit.setBounds(10, 10, 121, 40);
        edit.SetSkinData(&model);
        edit.handle();
    }
    void TearDown() override { setModifiers({}); }

    // Holds exactly the given modifier keys (as GetKeyState sees them) for the following messages.
    static void setModifiers(std::initializer_list<int> keys) {
        BYTE state[256] = {};
        for (int k : keys) state[k] = 0x80;
        SetKeyboardState(state);
    }
    void key(WPARAM vk, std::initializer_list<int> modifiers = {}) {
        setModifiers(modifiers);
        edit.perform(WM_KEYDOWN, vk, 0);
        setModifiers({});
    }
    void type(const std::wstring& s) {
        for (wchar_t ch : s) edit.perform(WM_CHAR, ch, 0);
    }
    static void setClipboard(const std::wstring& s) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(h), s.c_str(), (s.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(h);
        SetClipboardData(CF_UNICODETEXT, h);
        CloseClipboard();
    }
    static std::wstring clipboard() {
        std::wstring out;
        if (!OpenClipboard(nullptr)) return out;
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            out = static_cast<const wchar_t*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return out;
    }
    // Separate runs of the glyph colour along the middle row of the text area, as painted.
    int glyphRuns() {
        fw::DibSection target(edit.width(), edit.height());
        edit.perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.dc()), 0);
        fw::Rect area;
        edit.GetTextArea(area);
        const int y = (area.top + area.bottom) / 2;
        const fw::Pixel glyph = fw::colorToPixel(edit.SkinFontColor) & 0xFFFFFFu;
        int runs = 0;
        bool inside = false;
        for (int x = 0; x < edit.width(); ++x) {
            const bool on = (target.pixels().at(x, y) & 0xFFFFFFu) == glyph;
            if (on && !inside) ++runs;
            inside = on;
        }
        return runs;
    }

    fw::Application app;
    fw::Form& form = app.createForm<fw::Form>();
    TkvCompressedStoredSkin& stored = form.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = form.create<TkvSkinData>();
    TkvSkinPasswordEdit& edit = form.create<TkvSkinPasswordEdit>();
};

TEST_F(SkinPasswordEditTest, TakesTheSkinHeightAndDrawsOneGlyphPerCharacter) {
    EXPECT_EQ(edit.height(), 21);
    EXPECT_EQ(edit.GlyphCellWidth(), 10);
    EXPECT_EQ(glyphRuns(), 0);
    type(L"abc");
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(glyphRuns(), 3);

    // A password longer than the field scrolls so the caret stays in view, and no glyph crosses the right edge.
    edit.SetText(std::wstring(40, L'x'));
    edit.SetCaretIndex(40);
    fw::Rect area;
    edit.GetTextArea(area);
    EXPECT_GT(edit.FirstVisibleChar(), 1);
    EXPECT_EQ(glyphRuns(), area.width() / edit.GlyphCellWidth());
}

TEST_F(SkinPasswordEditTest, BackspaceAtTheStartAndDeleteAtTheEndDoNothing) {
    edit.SetText(L"abcd");
    edit.SetCaretIndex(0);
    key(VK_BACK);
    EXPECT_EQ(edit.Text(), L"abcd");
    key(VK_DELETE);
    EXPECT_EQ(edit.Text(), L"bcd");
    key(VK_END);
    key(VK_DELETE);
    EXPECT_EQ(edit.Text(), L"bcd");
    key(VK_BACK);
    EXPECT_EQ(edit.Text(), L"bc");
    EXPECT_EQ(edit.CaretIndex(), 2);
}

TEST_F(SkinPasswordEditTest, MaxLengthRefusesTheFifthCharacterAndDropsTheSelection) {
    edit.SetMaxLength(4);
    type(L"abcde");
    EXPECT_EQ(edit.Text(), L"abcd");
    key(VK_LEFT, {VK_SHIFT});
    ASSERT_EQ(edit.SelectionLength(), 1);
    setClipboard(L"xy");  // would make five
    key('V', {VK_CONTROL});
    EXPECT_EQ(edit.Text(), L"abcd");
    EXPECT_EQ(edit.SelectionLength(), 0);
}

TEST_F(SkinPasswordEditTest, ShiftArrowsSelectFromTheCaret) {
    type(L"abcd");
    key(VK_LEFT, {VK_SHIFT});
    key(VK_LEFT, {VK_SHIFT});
    EXPECT_EQ(edit.SelectionStart(), 2);
    EXPECT_EQ(edit.SelectionLength(), 2);
    key(VK_RIGHT, {VK_SHIFT});
    EXPECT_EQ(edit.SelectionStart(), 3);
    EXPECT_EQ(edit.SelectionLength(), 1);
    key(VK_HOME);
    EXPECT_EQ(edit.SelectionLength(), 0);
    EXPECT_EQ(edit.CaretIndex(), 0);
}

TEST_F(SkinPasswordEditTest, PastesButNeverCopiesOrCutsOrTellsItsText) {
    type(L"secret");
    edit.SelectAllText();
    setClipboard(L"clip");
    key('C', {VK_CONTROL});
    key('X', {VK_CONTROL});
    key(VK_INSERT, {VK_CONTROL});
    EXPECT_EQ(clipboard(), L"clip");
    EXPECT_EQ(edit.Text(), L"secret");
    wchar_t buf[32] = L"unchanged";
    EXPECT_EQ(SendMessageW(edit.handle(), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(buf)), 0);
    EXPECT_EQ(std::wstring(buf), L"");

    edit.setText(L"framework");  // the framework's text goes to the password only
    EXPECT_EQ(edit.Text(), L"framework");
    EXPECT_EQ(SendMessageW(edit.handle(), WM_GETTEXTLENGTH, 0, 0), 0);
    edit.SelectAllText();

    key('V', {VK_CONTROL});  // replaces the selection
    EXPECT_EQ(edit.Text(), L"clip");
    EXPECT_EQ(edit.CaretIndex(), 4);
    key(VK_HOME);
    key(VK_INSERT, {VK_SHIFT});
    EXPECT_EQ(edit.Text(), L"clipclip");
}

TEST_F(SkinPasswordEditTest, FocusSelectsAllAndAClickOrADragSelectsAnew) {
    edit.SetText(L"abcd");
    form.show();
    edit.setFocus();
    fw::processMessages();
    ASSERT_EQ(GetFocus(), edit.handle());
    EXPECT_EQ(edit.SelectionStart(), 0);
    EXPECT_EQ(edit.SelectionLength(), 4);
    EXPECT_EQ(edit.CaretIndex(), 0);

    fw::Rect area;
    edit.GetTextArea(area);
    const int cw = edit.GlyphCellWidth();
    edit.perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(area.left + cw + 1, 10));
    EXPECT_EQ(edit.CaretIndex(), 1);
    EXPECT_EQ(edit.SelectionLength(), 0);
    edit.perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(area.left + 3 * cw + 1, 10));
    edit.perform(WM_LBUTTONUP, 0, MAKELPARAM(area.left + 3 * cw + 1, 10));
    EXPECT_EQ(edit.SelectionStart(), 1);
    EXPECT_EQ(edit.SelectionLength(), 2);
    EXPECT_EQ(edit.Text(), L"abcd");
}

TEST_F(SkinPasswordEditTest, UpperCaseStoresUpperCase) {
    edit.SetCharCase(ecUpperCase);
    edit.SetText(L"abc");
    EXPECT_EQ(edit.Text(), L"ABC");
    key(VK_END);  // setting the text leaves the caret where it was
    type(L"d");
    EXPECT_EQ(edit.Text(), L"ABCD");
}

}  // namespace
