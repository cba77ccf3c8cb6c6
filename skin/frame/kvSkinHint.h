// TkvSkinHint: hints drawn from the skin's [HINTWINDOW] picture. While it exists, every hint of the application
// (controls' hints and the caption buttons' hints of frames that link it) shows in its window; without a skin the
// window keeps the platform's plain look.
#pragma once

#include <memory>

#include "framework/Hints.h"
#include "skin/data/kvSkinData.h"
#include "skin/data/kvSkinDataLink.h"

class TkvSkinHint;

class TkvSkinHintWindow : public fw::PlainHintWindow {
public:
    explicit TkvSkinHintWindow(TkvSkinHint& owner) : owner_(owner) {}

protected:
    fw::Size hintSize(const std::wstring& text) override;
    void placed() override;
    void paint(fw::Canvas& canvas) override;

private:
    // The skin's hint description and its pictures, or null when the window is not skinned.
    const TkvDataSkinHintWindow* Skin() const;
    fw::Font TextFont() const;

    TkvSkinHint& owner_;
    fw::Region region_;
};

class TkvSkinHint : public fw::Component {
public:
    explicit TkvSkinHint(fw::Component* owner);
    ~TkvSkinHint() override;

    TkvSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TkvSkinData* d);

    fw::HintWindow& Window() { return *window_; }

private:
    TkvSkinDataLink skinData_;
    std::unique_ptr<TkvSkinHintWindow> window_;
};

namespace fw {
class ClassRegistry;
}
// Registers TkvSkinHint for form descriptions.
void RegisterSkinHintClass(fw::ClassRegistry& classes);
