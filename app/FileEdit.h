// The file-name field: the platform's edit with a browse button inside its right edge that opens the
// platform's open-file dialog with the field's filter.
#pragma once

#include <string>

#include "framework/StdControls.h"

class TFileEdit : public fw::Edit {
public:
    explicit TFileEdit(fw::Component* owner);

    // "Description|*.ext|Description|*.ext..." as the open-file dialog shows it.
    const std::wstring& Filter() const { return filter_; }
    void SetFilter(std::wstring f) { filter_ = std::move(f); }

    fw::Button& BrowseButton() { return *button_; }
    // Opens the open-file dialog; on OK the chosen name becomes the field's text.
    void Browse();

protected:
    void windowCreated() override;
    void resized() override;

private:
    void PlaceButton();

    std::wstring filter_;
    fw::Button* button_ = nullptr;  // owned by this component
};

// The platform's filter text ("a|b|c|d" -> "a\0b\0c\0d\0\0").
std::wstring PlatformFilter(const std::wstring& filter);
