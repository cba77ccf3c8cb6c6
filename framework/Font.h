// A font description (name, height, style, character set, colour) that creates its platform font on first use.
// Height follows the platform: negative = character height in pixels, positive = cell height.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Colors.h"
#include "framework/Handles.h"

namespace fw {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

class Font {
public:
    Font() = default;
    Font(std::wstring name, int height, FontStyle style = {}, int charset = DEFAULT_CHARSET, Color color = clWindowText)
        : name_(std::move(name)), height_(height), style_(style), charset_(charset), color_(color) {}
    // Copies the description, and shares the platform font made for it (listeners are not copied).
    Font(const Font& o)
        : name_(o.name_), height_(o.height_), style_(o.style_), charset_(o.charset_), color_(o.color_),
          handle_(o.handle_) {}
    Font& operator=(const Font& o) {
        assign(o);
        return *this;
    }

    const std::wstring& name() const { return name_; }
    int height() const { return height_; }
    const FontStyle& style() const { return style_; }
    int charset() const { return charset_; }
    Color color() const { return color_; }

    void setName(std::wstring v);
    void setHeight(int v);
    void setStyle(FontStyle v);
    void setCharset(int v);
    void setColor(Color v);
    // Takes every value of another font; one change notification.
    void assign(const Font& o);

    // The platform font, created when first asked for and again after a change.
    HFONT handle() const;
    // Same description (handle and listeners ignored).
    bool sameAs(const Font& o) const { return sameFace(o) && color_ == o.color_; }
    // Same platform font: everything but the colour.
    bool sameFace(const Font& o) const {
        return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && charset_ == o.charset_;
    }

    // Called after every change (controls repaint, "parent font" is dropped).
    std::function<void()> onChange;

private:
    void changed();

    std::wstring name_ = L"MS Sans Serif";
    int height_ = -11;
    FontStyle style_;
    int charset_ = DEFAULT_CHARSET;
    Color color_ = clWindowText;
    // Shared by copies of one description: a control that copies its font for each paint makes no new platform
    // font, which is costly to make and to select on some systems.
    mutable std::shared_ptr<const FontHandle> handle_;
};

}  // namespace fw
