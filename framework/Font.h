// A font description (name, height, style, character set, colour) that creates its platform font on first use.
// Height follows the platform: negative = character height in pixels, positive = cell height.
#pragma once

#include <windows.h>

#include <functional>
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
    // Copies the description only; the handle is made again on demand.
    Font(const Font& o)
        : name_(o.name_), height_(o.height_), style_(o.style_), charset_(o.charset_), color_(o.color_) {}
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
    bool sameAs(const Font& o) const {
        return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && charset_ == o.charset_ &&
               color_ == o.color_;
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
    mutable FontHandle handle_;
};

}  // namespace fw
