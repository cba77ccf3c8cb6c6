// The skinned push button: drawn from its "button" description in one of five state images, with a hover morph,
// a frame animation and a layered glow frame outside its window; a glyph strip beside its caption; Space, Enter,
// Escape and accelerators; the default and cancel roles of a dialog; toggle groups and auto-repeat.
#pragma once

#include <functional>
#include <memory>

#include "framework/Bitmap.h"
#include "skin/controls/SkinButtonRules.h"
#include "skin/controls/kvSkinCtrls.h"
#include "skin/imaging/kvLayerWindow.h"

enum TkvButtonLayout { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };

// OnPaint(sender, canvas, text area, down, mouse inside, drawDefault): clearing drawDefault leaves out glyph and
// caption.
using TkvButtonPaintEvent = std::function<void(fw::Component* sender, fw::Canvas& canvas, fw::Rect r, bool down,
                                               bool mouseIn, bool& drawDefault)>;

class TkvSkinButton : public TkvSkinCustomControl {
public:
    explicit TkvSkinButton(fw::Component* owner);
    ~TkvSkinButton() override;

    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    bool AlwaysShowLayeredFrame = false;
    int ModalResult = 0;
    bool Cancel = false;
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    TkvButtonPaintEvent OnPaint;

    const fw::Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(fw::Bitmap glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    TkvButtonLayout Layout() const { return layout_; }
    void SetLayout(TkvButtonLayout l);
    int Margin() const { return margin_; }
    void SetMargin(int m);  // values below -1 are ignored
    int Spacing() const { return spacing_; }
    void SetSpacing(int s);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int g);
    // Flat (tool bar) buttons show the skin only while hot, pressed or down; otherwise the parent's background
    // with the glyph and caption over it.
    bool Flat() const { return flat_; }
    void SetFlat(bool v);

    // Run-time state.
    bool MouseInside() const { return mouseInside_; }
    bool ActsOnEnter() const { return actsOnEnter_; }
    double MorphPhase() const { return morphPhase_; }
    int AnimationFrame() const { return animationFrame_; }
    const TkvSkinButtonLook& Look() const { return look_; }
    HWND GlowWindow() const { return glow_ ? glow_->Window() : nullptr; }

    // Sets the parent form's modal result (when focusable) and runs OnClick.
    virtual void PerformClick();
    virtual void DrawButtonState(fw::DibSection& bitmap, fw::Rect source, bool down, bool active);

    void FetchSkinDescription() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void DrawDefaultImage(fw::DibSection& bitmap) override;
    void CalcSkinSize(int& width, int& height) override;

    bool canFocus() const override;
    bool dialogKey(WPARAM key, bool isFocused) override;
    bool dialogChar(wchar_t ch) override;

protected:
    bool PaintsOnErase() const override { return true; }
    void PaintControl(fw::Canvas& canvas) override;
    void wndProc(fw::Message& m) override;
    void windowCreated() override;
    void createParams(CreateParams& p) override;
    bool clicksOnMouseUp() const override { return false; }  // the button clicks itself
    // The flat button at rest: the parent's background, glyph and caption.
    bool FlatAtRest() const;
    virtual void PaintFlat(fw::DibSection& bitmap);

private:
    enum TimerId : UINT_PTR { kMorphTimer = 1, kFrameTimer = 2, kRepeatTimer = 3 };

    bool EffectsOn() const;
    bool MorphOn() const { return EffectsOn() && look_.MorphEnabled; }
    bool FocusLook() const;
    ButtonPaintState PaintState() const;
    void PaintImage(fw::DibSection& bitmap);
    void DrawGlyphAndCaption(fw::DibSection& bitmap, fw::Rect area, const fw::Font& font, fw::Color colour, int cell,
                             bool pressed);

    void MouseDown();
    void MouseUp(bool inside);
    void Enter();
    void Leave();
    void HoverChanged();
    void MorphTick();
    void StartAnimation(bool rising);
    void StopAnimation();
    void FrameTick();
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    void FocusGained();
    void FocusLost();
    void FocusChanged(fw::WindowedControl* focused);
    void ShowGlow();
    void HideGlow();

    TkvSkinButtonLook look_;
    fw::Bitmap glyph_;
    int numGlyphs_ = 1;
    TkvButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 1;
    bool default_ = false;
    bool canFocused_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    bool flat_ = false;

    bool mouseInside_ = false;
    bool mouseButtonHeld_ = false;
    bool actsOnEnter_ = false;
    bool clicksSuppressed_ = false;
    bool allowAllUpArmed_ = false;
    double morphPhase_ = 0;
    bool morphRunning_ = false;
    int animationFrame_ = 0;
    bool animationRising_ = false;
    bool frameRunning_ = false;
    bool repeatRunning_ = false;
    bool repeatFirst_ = false;
    bool spaceDown_ = false;
    std::unique_ptr<TkvLayerManager> glow_;
    fw::Font captionFont_;  // kept between paints, so that its platform font is made once
};
