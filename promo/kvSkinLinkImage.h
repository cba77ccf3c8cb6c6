// The promotion banner: a picture control that shows its picture at natural size from its top-left corner and
// opens its link in the web browser when clicked.
#pragma once

#include <functional>
#include <string>

#include "framework/StdControls.h"

namespace fw {
class ClassRegistry;
}

class BlankBitmap;

class TkvSkinLinkImage : public fw::Image {
public:
    // Opens a link (the platform shell's "open" verb by default).
    using LinkOpener = std::function<void(const std::wstring& link)>;

    explicit TkvSkinLinkImage(fw::Component* owner);

    // The address opened on a click; empty: none.
    const std::wstring& URL() const { return url_; }
    void SetURL(std::wstring url) { url_ = std::move(url); }

    // The normal click handling first (the click event), then the link is opened when it is a web address.
    void click() override;

    // The control's own canvas: gives the control a blank bitmap of its current size when its picture is not one
    // already. Call drawn() after drawing so that the control shows it.
    fw::Canvas& Canvas();
    void Drawn();

    // Replaces the way links are opened (tests open nothing).
    void SetLinkOpener(LinkOpener opener) { opener_ = std::move(opener); }

private:
    BlankBitmap* DrawingBitmap();

    std::wstring url_;
    LinkOpener opener_;
};

// Asks the platform shell to open a link with the verb "open", shown normally; the result is ignored.
void ShellOpenLink(const std::wstring& link);

// Lets form descriptions name "TkvSkinLinkImage" with its "URL" property and the properties of the framework's
// picture control ("Image", registered by fw::registerStandardClasses before this call).
void RegisterLinkImageClass(fw::ClassRegistry& registry);
