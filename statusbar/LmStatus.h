// The status bar and its panes: fixed texts, a clock refreshed by one timer shared by every clock of the process,
// and a pane that shows one field of a program's version resource. Panes are windowless controls painted by the
// bar; everything is drawn in the platform's classic style and takes no part in the skin.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "framework/Timer.h"
#include "statusbar/LmPanel.h"
#include "statusbar/LmStatusText.h"

class TLmStatusBar;

// One pane: a frame and a caption.
class TLmCustomStatusPane : public fw::Control {
public:
    explicit TLmCustomStatusPane(fw::Component* owner);

    // The caption is the control's text: a different one repaints the pane, and re-sizes it when it sizes
    // itself.
    std::wstring Caption() const { return text(); }
    void SetCaption(std::wstring t) { setText(std::move(t)); }
    fw::Alignment Alignment() const { return alignment_; }
    void SetAlignment(fw::Alignment a);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int v);
    int CaptionOffset() const { return captionOffset_; }
    void SetCaptionOffset(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TFrameStyleEx FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyleEx v);
    fw::Color FlatColor() const { return flatColor_; }
    void SetFlatColor(fw::Color c);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    void SetFlatColorAdjustment(int v);
    // The fill behind the caption; it follows the pane's colour while ParentFillColor is on.
    fw::Color FillColor() const { return parentFillColor_ ? color() : fillColor_; }
    void SetFillColor(fw::Color c);
    bool ParentFillColor() const { return parentFillColor_; }
    void SetParentFillColor(bool v);
    // Blinking is kept for descriptions that set it; the program never blinks a pane.
    bool Blinking() const { return blinking_; }
    void SetBlinking(bool v) { blinking_ = v; }
    fw::Color BlinkColor() const { return blinkColor_; }
    void SetBlinkColor(fw::Color c) { blinkColor_ = c; }
    int BlinkIntervalOn() const { return blinkIntervalOn_; }
    void SetBlinkIntervalOn(int v) { blinkIntervalOn_ = v; }
    int BlinkIntervalOff() const { return blinkIntervalOff_; }
    void SetBlinkIntervalOff(int v) { blinkIntervalOff_ = v; }

    // The frame colour of fsFlat: FlatColor lightened (or darkened) by FlatColorAdjustment.
    fw::Color FlatFrameColor() const;
    // The bar this pane sits on, if any.
    TLmStatusBar* StatusBar() const;
    // The pane's right edge reaches the right edge of a bar that keeps a size-grip corner.
    bool AtGripCorner() const;

    // The width that fits the caption (AutoSize).
    virtual int AutoSizeWidth();
    // Where the caption goes, in the pane's own coordinates.
    virtual fw::Rect TextRect();
    virtual void DrawCaption(fw::Canvas& canvas);
    virtual void DrawFrame(fw::Canvas& canvas);
    // Takes the frame look of another controller; panes of this program have none.
    virtual void AssignFrameController(fw::Component* controller) {}
    virtual void ToggleBlinkState() { blinkOn_ = !blinkOn_; }

    void paint(fw::Canvas& canvas) override;
    bool hitTest(fw::Point p) const override;
    void loaded() override;

protected:
    void wndProc(fw::Message& m) override;
    // Fits the width to the caption when AutoSize is on.
    void AdjustWidth();
    // The text colour now: the font's, or BlinkColor during a blink.
    fw::Color TextColor() const;
    // Draws text at x (left edge) on the caption's line of textRect, clipped to it.
    void DrawText(fw::Canvas& canvas, const fw::Rect& textRect, int x, const std::wstring& text, fw::Color color);

private:
    fw::Alignment alignment_ = fw::Alignment::LeftJustify;
    bool autoSize_ = false;
    int defaultWidth_ = 40;
    int captionOffset_ = 2;
    int borderWidth_ = 1;
    TFrameStyleEx frameStyle_ = TFrameStyleEx::fsFlat;
    fw::Color flatColor_ = fw::clBtnShadow;
    int flatColorAdjustment_ = 30;
    fw::Color fillColor_ = fw::clBtnFace;
    bool parentFillColor_ = true;
    bool blinking_ = false;
    fw::Color blinkColor_ = fw::clHighlight;
    int blinkIntervalOn_ = 500;
    int blinkIntervalOff_ = 500;
    bool blinkOn_ = false;
};

// A plain text pane.
class TLmStatusPane : public TLmCustomStatusPane {
public:
    using TLmCustomStatusPane::TLmCustomStatusPane;
};

// A pane refreshed by the process's one polling timer.
class TLmPollingStatus : public TLmCustomStatusPane {
public:
    explicit TLmPollingStatus(fw::Component* owner);
    ~TLmPollingStatus() override;

    // Both act on the one timer that every polling pane shares: they are process-wide.
    static bool Active();
    static void SetActive(bool v);
    static unsigned Interval();
    static void SetInterval(unsigned ms);

    // A tick of the shared timer reached this (visible) pane.
    virtual void TimerExpired() {}
};

// The one polling list of the process: every polling pane and the timer that refreshes them. It exists from the
// first polling pane to the last.
class TLmPollingList {
public:
    static TLmPollingList* Instance();
    static void Add(TLmPollingStatus* pane);
    static void Remove(TLmPollingStatus* pane);

    fw::Timer& Timer() { return timer_; }
    const std::vector<TLmPollingStatus*>& Panes() const { return panes_; }
    // One tick: every visible pane in the list gets TimerExpired.
    void Tick();

    // Made by Add for the first pane only.
    TLmPollingList();

private:
    std::vector<TLmPollingStatus*> panes_;
    fw::Timer timer_;
};

// The current local date and time, formatted by Format or by the locale.
class TLmClockStatus : public TLmPollingStatus {
public:
    explicit TLmClockStatus(fw::Component* owner);

    std::wstring Format() const { return format_; }
    // Re-formats at once and repaints.
    void SetFormat(std::wstring format);
    // May replace the moment before it is formatted.
    std::function<void(TLmClockStatus* sender, TLmDateTime& moment)> OnGetDateTime;

    // Takes the time now and shows it when its text differs from the last one shown.
    virtual void UpdateTime();
    // The text for a moment, as the clock would show it.
    std::wstring TimeText(const TLmDateTime& moment) const;
    // How many times the caption has been drawn because the time text changed.
    int TextChanges() const { return textChanges_; }

    void TimerExpired() override { UpdateTime(); }
    fw::Rect TextRect() override;
    void loaded() override;

private:
    std::wstring format_;
    int textChanges_ = 0;
};

enum class TLmVersionInfoField {
    vifCompanyName,
    vifFileDescription,
    vifFileVersion,
    vifInternalName,
    vifCopyright,
    vifTrademarks,
    vifOriginalFilename,
    vifProductName,
    vifProductVersion,
    vifComments
};
inline constexpr int kVersionInfoFieldCount = 10;

class TLmVersionInfoStatus;

// The texts of a file's version resource (the running program's when FilePath is empty). Without a version
// resource every text is "Value Not Available".
class TLmVersionInfo : public fw::Component {
public:
    explicit TLmVersionInfo(fw::Component* owner);
    ~TLmVersionInfo() override;

    std::wstring FilePath() const { return filePath_; }
    // Reads the file's version resource again and tells every pane that shows it.
    void SetFilePath(std::wstring path);
    std::wstring Value(TLmVersionInfoField field) const { return values_[static_cast<int>(field)]; }
    void Reload();

    void Attach(TLmVersionInfoStatus* pane);
    void Detach(TLmVersionInfoStatus* pane);
    void notification(fw::Component* c, fw::Operation op) override;

private:
    std::wstring filePath_;
    std::array<std::wstring, kVersionInfoFieldCount> values_;
    std::vector<TLmVersionInfoStatus*> panes_;
};

// A pane with an optional label before its text.
class TLmCustomFieldStatus : public TLmCustomStatusPane {
public:
    using TLmCustomStatusPane::TLmCustomStatusPane;

    std::wstring FieldLabel() const { return fieldLabel_; }
    void SetFieldLabel(std::wstring label);
    fw::Color FieldLabelColor() const { return fieldLabelColor_; }
    void SetFieldLabelColor(fw::Color c);

    fw::Rect TextRect() override;
    void DrawCaption(fw::Canvas& canvas) override;
    int AutoSizeWidth() override;

private:
    int LabelWidth();
    std::wstring fieldLabel_;
    fw::Color fieldLabelColor_ = fw::clHighlight;
};

// One field of a version-information component.
class TLmVersionInfoStatus : public TLmCustomFieldStatus {
public:
    explicit TLmVersionInfoStatus(fw::Component* owner);
    ~TLmVersionInfoStatus() override;

    TLmVersionInfo* VersionInfo() const { return versionInfo_; }
    void SetVersionInfo(TLmVersionInfo* info);
    TLmVersionInfoField Field() const { return field_; }
    void SetField(TLmVersionInfoField f);
    // The component's texts changed: show the field again (nothing without a component).
    void UpdateField();

    void notification(fw::Component* c, fw::Operation op) override;

private:
    TLmVersionInfo* versionInfo_ = nullptr;
    TLmVersionInfoField field_ = TLmVersionInfoField::vifProductVersion;
};

// The bar: a bordered panel at the bottom of its form holding the panes, with a size grip in its corner when the
// form can be sized.
class TLmStatusBar : public TLmCustomPanel {
public:
    explicit TLmStatusBar(fw::Component* owner);

    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool v) { autoStyle_ = v; }
    bool ShowSizeGrip() const { return showSizeGrip_; }
    void SetShowSizeGrip(bool v);
    bool SimpleStatus() const { return simpleStatus_; }
    void SetSimpleStatus(bool v);
    TFrameStyleEx SimpleFrameStyle() const { return simpleFrameStyle_; }
    void SetSimpleFrameStyle(TFrameStyleEx v);
    std::wstring SimpleCaption() const { return simpleCaption_; }
    void SetSimpleCaption(std::wstring text);
    bool AutoScalePanes() const { return autoScalePanes_; }
    void SetAutoScalePanes(bool v) { autoScalePanes_ = v; }
    bool ThemeAware() const { return themeAware_; }
    void SetThemeAware(bool v) { themeAware_ = v; }

    // The grip shows (and sizes the form) only when ShowSizeGrip is on and the form is sizeable and not maximised.
    bool SizeGripShown() const;
    // Panes align in the client area less the top pixel and one pixel beyond the other three edges.
    fw::Rect alignRect() const override;

    static constexpr int kGripWidth = 13;      // the corner that sizes the form
    static constexpr int kGripPassWidth = 12;  // how much of a pane at that corner is left to the bar

protected:
    void paint(fw::Canvas& canvas) override;
    void wndProc(fw::Message& m) override;

private:
    void DrawSizeGrip(fw::Canvas& canvas);

    bool autoStyle_ = true;
    bool showSizeGrip_ = true;
    bool simpleStatus_ = false;
    TFrameStyleEx simpleFrameStyle_ = TFrameStyleEx::fsFlat;
    std::wstring simpleCaption_;
    bool autoScalePanes_ = false;
    bool themeAware_ = true;
};

// Makes the status bar and its panes known to form descriptions.
void RegisterStatusBarClasses(fw::ClassRegistry& classes);
