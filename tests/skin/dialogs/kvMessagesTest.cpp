// The skinned message box driven as a user would: keys posted to it while it runs its modal loop.
#include "skin/dialogs/kvMessages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../controls/WinTestSkin.h"
#include "framework/Application.h"
#include "skin/controls/kvSkinButton.h"
#include "skin/controls/kvSkinStdLabel.h"
#include "skin/data/kvResourceStrData.h"

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

TkvMessageForm* formOf(HWND dialog) { return dynamic_cast<TkvMessageForm*>(fw::WindowedControl::fromHandle(dialog)); }

std::wstring text(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

constexpr TkvMessageButtons kOkCancel = ButtonBit(mbOK) | ButtonBit(mbCancel);

class SkinMessage : public ::testing::Test {
protected:
    fw::Application app;
};

TEST_F(SkinMessage, WarningWithOkCancelAnswersEnterAndEscape) {
    TkvSkinMessage box;
    std::wstring caption, ok, cancel;
    bool icon = false;
    {
        WhileShown w([&](HWND d) {
            caption = text(d);
            ok = text(GetDlgItem(d, kMessageButtonIdBase + mbOK));
            cancel = text(GetDlgItem(d, kMessageButtonIdBase + mbCancel));
            icon = formOf(d) && formOf(d)->HasIcon();
            pressKey(VK_RETURN);
        });
        EXPECT_EQ(box.ShowMessageBox(u"Compact now?", TkvMessageKind::mtWarning, kOkCancel, 0), mrOk);
        EXPECT_TRUE(w.ran());
    }
    EXPECT_EQ(caption, L"Warning");
    EXPECT_EQ(ok, L"OK");
    EXPECT_EQ(cancel, L"Cancel");
    EXPECT_TRUE(icon);
    EXPECT_EQ(ownDialog(), nullptr) << "the dialog must be destroyed after the call";

    WhileShown w([](HWND) { pressKey(VK_ESCAPE); });
    EXPECT_EQ(box.ShowMessageBox(u"Compact now?", TkvMessageKind::mtWarning, kOkCancel, 0), mrCancel);
}

TEST_F(SkinMessage, EnterPressesTheFocusedButtonAndClosingGivesCancel) {
    TkvSkinMessage box;
    {
        WhileShown w([](HWND d) {
            formOf(d)->Button(mbNo)->setFocus();
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

TEST_F(SkinMessage, DialogHasTheLaidOutClientSizeAndButtonPositions) {
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

TEST_F(SkinMessage, CustomKindUsesTheApplicationTitleAndNoIcon) {
    TkvSkinMessage box;
    box.ApplicationTitle = L"KovraAccess数据库压缩器 V1.0";
    auto form = box.CreateSkinMessageForm(u"hi", TkvMessageKind::mtCustom, ButtonBit(mbOK), -10001, -10001);
    EXPECT_EQ(text(form->Handle()), L"KovraAccess数据库压缩器 V1.0");
    EXPECT_FALSE(form->HasIcon());
    EXPECT_EQ(form->findComponent("Image"), nullptr);
}

TEST_F(SkinMessage, ShowAgainCheckBoxReportsTheOppositeOfItsState) {
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

TEST_F(SkinMessage, SkinnedDialogTakesButtonHeightAndTextsFromTheModel) {
    TkvCompressedStoredSkin& stored = app.create<TkvCompressedStoredSkin>();
    TkvSkinData& model = app.create<TkvSkinData>();
    kvtest::LoadEmbeddedSkin(stored, model);
    TkvSkinMessage box;
    box.SetSkinData(&model);
    box.SetCtrlSkinData(&model);
    auto form = box.CreateSkinMessageForm(u"Compact now?", TkvMessageKind::mtWarning, kOkCancel, -10001, -10001);
    ASSERT_NE(form->Button(mbOK), nullptr);
    EXPECT_EQ(form->Button(mbOK)->height(), 22) << "the button description's height";
    EXPECT_NE(form->Button(mbOK)->DescriptionIndex, -1);
    EXPECT_EQ(form->MessageLabel->name(), "Message");
    EXPECT_NE(form->MessageLabel->DescriptionIndex, -1) << "the message is a skinned standard label";
    EXPECT_TRUE(form->Button(mbOK)->Default());
    EXPECT_TRUE(form->Button(mbCancel)->Cancel);
    EXPECT_EQ(text(form->Handle()), L"Warning") << "no resource strings attached: the built-in texts";

    // Attached resource strings replace the texts; a key they do not name gives an empty caption.
    TkvResourceStrData& strings = app.create<TkvResourceStrData>();
    strings.SetResStrings({"MSG_BTN_OK=Go", "MSG_CAP_WARNING=Careful"});
    model.SetResourceStrData(&strings);
    auto second = box.CreateSkinMessageForm(u"x", TkvMessageKind::mtWarning, kOkCancel, -10001, -10001);
    EXPECT_EQ(text(second->Handle()), L"Careful");
    EXPECT_EQ(second->Button(mbOK)->caption(), L"Go");
    EXPECT_EQ(second->Button(mbCancel)->caption(), L"");
}

TEST_F(SkinMessage, EmptyButtonSetShowsNoButtonsAndCopiesItsTexts) {
    TkvSkinMessage box;
    auto form = box.CreateSkinMessageForm(u"Nothing to press", TkvMessageKind::mtInformation, 0, -10001, -10001);
    EXPECT_TRUE(form->Layout().buttons.empty());
    EXPECT_EQ(form->findComponent("OK"), nullptr);
    EXPECT_EQ(form->clientHeight(), kMsgDefaultButtonHeight + 50 + form->MessageLabel->height());
    EXPECT_NE(form->CopyText().find(L"Information\r\n"), std::wstring::npos);
    EXPECT_NE(form->CopyText().find(L"Nothing to press"), std::wstring::npos);
}

}  // namespace
