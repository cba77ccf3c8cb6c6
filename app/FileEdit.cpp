#include "app/FileEdit.h"

#include <commdlg.h>

namespace {
constexpr int kBrowseButtonWidth = 18;
}

TFileEdit::TFileEdit(fw::Component* owner) : fw::Edit(owner) {
    button_ = &create<fw::Button>();
    button_->setName("Button");
    button_->setCaption(L"...");
    button_->setTabStop(false);
    button_->setParent(this);
    button_->onClick = [this](fw::Component*) { Browse(); };
}

void TFileEdit::windowCreated() {
    fw::Edit::windowCreated();
    PlaceButton();
}

void TFileEdit::resized() {
    fw::Edit::resized();
    PlaceButton();
}

void TFileEdit::PlaceButton() {
    if (!handleAllocated()) return;
    RECT client{};
    GetClientRect(handle(), &client);
    const int width = std::min<int>(kBrowseButtonWidth, client.right);
    button_->setBounds(client.right - width, 0, width, client.bottom);
    // Typed text stops short of the button.
    SendMessageW(handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

std::wstring PlatformFilter(const std::wstring& filter) {
    std::wstring out = filter;
    for (wchar_t& c : out) {
        if (c == L'|') c = L'\0';
    }
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

void TFileEdit::Browse() {
    wchar_t name[MAX_PATH] = {};
    lstrcpynW(name, text().c_str(), MAX_PATH);
    const std::wstring platformFilter = PlatformFilter(filter_);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetAncestor(handle(), GA_ROOT);
    ofn.lpstrFilter = platformFilter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameW(&ofn)) setText(name);
}
