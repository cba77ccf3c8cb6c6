#include "framework/Font.h"

namespace fw {

void Font::setName(std::wstring v) {
    if (v == name_) return;
    name_ = std::move(v);
    changed();
}
void Font::setHeight(int v) {
    if (v == height_) return;
    height_ = v;
    changed();
}
void Font::setStyle(FontStyle v) {
    if (v == style_) return;
    style_ = v;
    changed();
}
void Font::setCharset(int v) {
    if (v == charset_) return;
    charset_ = v;
    changed();
}
void Font::setColor(Color v) {
    if (v == color_) return;
    color_ = v;
    if (onChange) onChange();  // the handle does not depend on the colour
}

void Font::assign(const Font& o) {
    if (sameAs(o)) return;
    const bool sameFace = this->sameFace(o);
    name_ = o.name_;
    height_ = o.height_;
    style_ = o.style_;
    charset_ = o.charset_;
    color_ = o.color_;
    if (!sameFace) handle_ = o.handle_;  // o's platform font, or none yet
    if (onChange) onChange();
}

void Font::changed() {
    handle_.reset();
    if (onChange) onChange();
}

HFONT Font::handle() const {
    if (!handle_ || !*handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.italic;
        lf.lfUnderline = style_.underline;
        lf.lfStrikeOut = style_.strikeOut;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = std::make_shared<const FontHandle>(CreateFontIndirectW(&lf));
    }
    return handle_->get();
}

}  // namespace fw
