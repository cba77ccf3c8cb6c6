// The file-name field: a skinned edit in button mode whose browse button opens an open-file dialog with the
// field's filter and puts the chosen name into the field.
#pragma once

#include <string>

#include "skin/controls/kvSkinEdit.h"

class TFileEdit : public TkvSkinEdit {
public:
    explicit TFileEdit(fw::Component* owner);

    // "Description|*.ext|Description|*.ext..." as the open-file dialog shows it.
    const std::wstring& Filter() const { return filter_; }
    void SetFilter(std::wstring f) { filter_ = std::move(f); }

    // Opens the open-file dialog; on OK the chosen name becomes the field's text, on Cancel nothing changes.
    void Browse();

protected:
    void ButtonClick() override;

private:
    std::wstring filter_;
};

// The platform's filter text ("a|b|c|d" -> "a\0b\0c\0d\0\0").
std::wstring PlatformFilter(const std::wstring& filter);

// Asks the user for an existing file, starting from `name`; true with the chosen name in `name` on OK.
bool AskForFileName(HWND owner, const std::wstring& filter, std::wstring& name);
