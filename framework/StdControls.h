// Plain controls the application needs before (and besides) its skinned ones.
#pragma once

#include "framework/Form.h"
#include "framework/Picture.h"
#include "framework/WindowedControl.h"

namespace fw {

enum class Alignment { LeftJustify, RightJustify, Center };
enum class BevelStyle { None, Lowered, Raised };

// A container with an optional bevel and a centred caption.
class Panel : public CustomControl {
public:
    explicit Panel(Component* owner);
    BevelStyle bevelOuter() const { return bevelOuter_; }
    void setBevelOuter(BevelStyle b);
    bool showCaption() const { return showCaption_; }
    void setShowCaption(bool v);

protected:
    void paint(Canvas& canvas) override;

private:
    BevelStyle bevelOuter_ = BevelStyle::Raised;
    bool showCaption_ = true;
};

// A windowless text.
class Label : public Control {
public:
    explicit Label(Component* owner);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    bool transparent() const { return transparent_; }
    void setTransparent(bool v);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool v);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    // Fits the size to the text now (when autoSize is on this happens on every text or font change).
    void adjustSize();

    void paint(Canvas& canvas) override;

protected:
    void wndProc(Message& m) override;
    // Draws the caption in r with the DrawText flags, or measures it (DT_CALCRECT sets r). Both painting and
    // auto-size come through here, so a label with its own font rules replaces this one operation.
    virtual void drawLabelText(Canvas& canvas, Rect& r, UINT flags);

private:
    Alignment alignment_ = Alignment::LeftJustify;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool autoSize_ = false;
};

// The platform's single-line edit.
class Edit : public WindowedControl {
public:
    explicit Edit(Component* owner);
    // Character shown instead of each typed one (0: none).
    wchar_t passwordChar() const { return passwordChar_; }
    void setPasswordChar(wchar_t c);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool v);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);
    void selectAll();
    bool wantsChars() const override { return true; }

    NotifyEvent onChange;

protected:
    void createParams(CreateParams& p) override;
    void windowCreated() override;
    void windowDestroying() override;
    void wndProc(Message& m) override;

private:
    wchar_t passwordChar_ = 0;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

// The platform's push button. A button with a modal result closes its modal form with it; the default button
// takes Enter and the cancel button Escape anywhere on the form.
class Button : public WindowedControl {
public:
    explicit Button(Component* owner);
    ModalResult modalResult() const { return modalResult_; }
    void setModalResult(ModalResult r) { modalResult_ = r; }
    bool isDefault() const { return default_; }
    void setDefault(bool v);
    bool cancel() const { return cancel_; }
    void setCancel(bool v) { cancel_ = v; }

    void click() override;
    bool dialogKey(WPARAM key, bool isFocused) override;

protected:
    void createParams(CreateParams& p) override;
    void wndProc(Message& m) override;
    bool clicksOnMouseUp() const override { return false; }  // the platform reports clicks

private:
    ModalResult modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
};

// A windowless picture.
class Image : public Control {
public:
    explicit Image(Component* owner);
    Picture& picture() { return picture_; }
    bool stretch() const { return stretch_; }
    void setStretch(bool v);
    bool center() const { return center_; }
    void setCenter(bool v);

    void paint(Canvas& canvas) override;

private:
    Picture picture_;
    bool stretch_ = false;
    bool center_ = false;
};

}  // namespace fw
