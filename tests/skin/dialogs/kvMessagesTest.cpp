// The plain message box driven as a user would: keys posted to it while it runs its modal loop.
#include "skin/dialogs/kvMessages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

BOOL CALLBACK matchOwnDialog(HWND h, LPARAM lp) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    if (IsWindowVisible(h) && lstrcmpW(name, kMessageFormClass) == 0) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

// The visible message box of this thread (tests of other programs may show theirs at the same time).
HWND ownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &matchOwnDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs `action` on the dialog once it is showing (from a timer inside the dialog's own modal loop).
class WhileShown {
public:
    explicit WhileShown(std::function<void(HWND)> action) {
        current() = this;
        action_ = std::move(action);
        timer_ = SetTimer(nullptr, 0, 30, &WhileShown::tick);
    }
    ~WhileShown() {
        KillTimer(nullptr, timer_);
        current() = nullptr;
    }
    WhileShown(const WhileShown&) = delete;
    WhileShown& operator=(const WhileShown&) = delete;
    bool ran() const { return ran_; }

private:
    static WhileShown*& current() {
        static WhileShown* c = nullptr;  // the one pending action of this test thread
        return c;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        WhileShown* self = current();
        if (self == nullptr || self->ran_) return;
        HWND dialog = ownDialog();
        if (dialog == nullptr) return;
        self->ran_ = true;
        self->action_(dialog);
    }
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

void pressKey(WPARAM key) {
    HWND target = GetFocus() != nullptr ? GetFocus() : ownDialog();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

std::wstring text(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

constexpr TkvMessageButtons kOkCancel = ButtonBit(mbOK) | ButtonBit(mbCancel);

TEST(SkinMessage, WarningWithOkCancelAnswersEnterAndEscape) {
    TkvSkinMessage box;
    std::wstring caption, ok, cancel;
    HWND icon = nullptr;
    {
        WhileShown w([&](HWND d) {
            caption = text(d);
            ok = text(GetDlgItem(d, kMessageButtonIdBase + mbOK));
            cancel = text(GetDlgItem(d, kMessageButtonIdBase + mbCancel));
            icon = GetDlgItem(d, kMessageIconId);
            pressKey(VK_RETURN);
        });
        EXPECT_EQ(box.ShowMessageBox(u"Compact now?", TkvMessageKind::mtWarning, kOkCancel, 0), mrOk);
        EXPECT_TRUE(w.ran());
    }
    EXPECT_EQ(caption, L"Warning");
    EXPECT_EQ(ok, L"OK");
    EXPECT_EQ(cancel, L"Cancel");
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(ownDialog(), nullptr) << "the dialog must be destroyed after the call";

    WhileShown w([](HWND) { pressKey(VK_ESCAPE); });
    EXPECT_EQ(box.ShowMessageBox(u"Compact now?", TkvMessageKind::mtWarning, kOkCancel, 0), mrCancel);
}

TEST(SkinMessage, EnterPressesTheFocusedButtonAndClosingGivesCancel) {
    TkvSkinMessage box;
    {
        WhileShown w([](HWND d) {
            SetFocus(GetDlgItem(d, kMessageButtonIdBase + mbNo));
            pressKey(VK_RETURN);
        });
        EXPECT_EQ(box.ShowMessageBox(u"Save?", TkvMessageKind::mtConfirmation, ButtonBit(mbYes) | ButtonBit(mbNo), 0),
                  mrNo);
    }
    {
        WhileShown w([](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); });
        EXPECT_EQ(box.ShowMessageBox(u"Done", TkvMessageKind::mtInformation, ButtonBit(mbOK), 0), mrCancel);
    }
    {
        // No cancel button: Escape closes nothing; the Retry button (the default) then answers.
        WhileShown w([](HWND d) {
            pressKey(VK_ESCAPE);
            PostMessageW(GetDlgItem(d, kMessageButtonIdBase + mbAbort), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(box.ShowMessageBox(u"Failed", TkvMessageKind::mtError, ButtonBit(mbAbort) | ButtonBit(mbRetry), 0),
                  mrAbort);
    }
}

TEST(SkinMessage, DialogHasTheLaidOutClientSizeAndButtonPositions) {
    TkvSkinMessage box;
    std::unique_ptr<TkvMessageForm> form = box.CreateSkinMessageForm(
        u"x", TkvMessageKind::mtConfirmation, ButtonBit(mbYes) | ButtonBit(mbNo) | ButtonBit(mbCancel), -10001, -10001);
    ASSERT_NE(form->Handle(), nullptr);
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 270);
    EXPECT_EQ(client.bottom, form->Layout().clientHeight);
    HWND yes = GetDlgItem(form->Handle(), kMessageButtonIdBase + mbYes);
    RECT r{};
    GetWindowRect(yes, &r);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.right - r.left, 70);
    EXPECT_EQ(r.bottom, client.bottom - 10);
    EXPECT_EQ(text(yes), L"&Yes");
    EXPECT_EQ(text(form->Handle()), L"Confirm");
    // Centred on the screen.
    RECT outer{};
    GetWindowRect(form->Handle(), &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
}

TEST(SkinMessage, CustomKindUsesTheApplicationTitleAndNoIcon) {
    TkvSkinMessage box;
    box.ApplicationTitle = L"KovraAccess数据库压缩器 V1.0";
    auto form = box.CreateSkinMessageForm(u"hi", TkvMessageKind::mtCustom, ButtonBit(mbOK), -10001, -10001);
    EXPECT_EQ(text(form->Handle()), L"KovraAccess数据库压缩器 V1.0");
    EXPECT_EQ(GetDlgItem(form->Handle(), kMessageIconId), nullptr);
}

TEST(SkinMessage, ShowAgainCheckBoxReportsTheOppositeOfItsState) {
    TkvSkinMessage box;
    box.ShowAgainFlag = true;
    box.ShowAgainFlagValue = false;
    bool startedChecked = false;
    WhileShown w([&](HWND d) {
        HWND check = GetDlgItem(d, kMessageCheckBoxId);
        startedChecked = SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
        PostMessageW(GetDlgItem(d, kMessageButtonIdBase + mbOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(box.ShowMessageBox(u"Note", TkvMessageKind::mtInformation, ButtonBit(mbOK), 0), mrOk);
    EXPECT_TRUE(startedChecked);
    EXPECT_TRUE(box.ShowAgainFlagValue);
}

}  // namespace
