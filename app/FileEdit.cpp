#include "app/FileEdit.h"

#include <commdlg.h>

TFileEdit::TFileEdit(fw::Component* owner) : TkvSkinEdit(owner) {
    SetSkinDataName("buttonedit");
    SetButtonMode(true);
}

void TFileEdit::ButtonClick() {
    Browse();
    TkvSkinEdit::ButtonClick();
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
    std::wstring name = text();
    if (AskForFileName(GetAncestor(handle(), GA_ROOT), filter_, name)) setText(name);
}

bool AskForFileName(HWND owner, const std::wstring& filter, std::wstring& name) {
    wchar_t buffer[MAX_PATH] = {};
    lstrcpynW(buffer, name.c_str(), MAX_PATH);
    const std::wstring platformFilter = PlatformFilter(filter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = platformFilter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn)) return false;
    name = buffer;
    return true;
}
