// controls.bmp: every control image of the skin, at the places named in Layout.h.
#include "tools/skinart/ControlParts.h"
#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Pictures.h"

namespace skinart {

namespace L = layout;
namespace T = theme;
using L::State;

namespace {

constexpr Pixel kBarTop = rgb(252, 253, 255), kBarBottom = rgb(221, 232, 248);
constexpr Pixel kLine = T::kFrameInner;

void pushButtons(fw::Bitmap& b) {
    for (int s = L::Normal; s <= L::Disabled; ++s) buttonFace(b, L::button(s), static_cast<State>(s));
    const State flat[] = {State::Normal, State::Hot, State::Down, State::Disabled};
    for (int i = 0; i < 4; ++i) {
        flatFace(b, L::toolButton(i), flat[i], kBarTop, kBarBottom);
        // Tool menu button: a drop-down arrow right of a thin divider.
        const Rect m = L::toolMenuButton(i);
        flatFace(b, m, flat[i], kBarTop, kBarBottom);
        const Pixel glyph = flat[i] == State::Disabled ? T::kDisabled.glyph : T::kNormal.glyph;
        if (flat[i] == State::Hot || flat[i] == State::Down)
            vLine(b, m.left + L::kToolMenuSplit, m.top + 3, m.bottom - 3,
                  flat[i] == State::Hot ? T::kHot.border : T::kDown.border);
        drawArrow(b, {m.left + L::kToolMenuSplit, m.top, m.right, m.bottom}, Arrow::Down, 3, glyph);
        arrowButton(b, L::comboButton(i), flat[i], static_cast<int>(Arrow::Down), 3);
    }
}

void fields(fw::Bitmap& b) {
    for (int slot = 0; slot < 2; ++slot) {
        const bool active = slot == 1;
        fieldFrame(b, L::edit(slot), active);
        fieldFrame(b, L::spinEdit(slot), active);
        // Edit with browse button: the normal button is part of the field image.
        const Rect be = L::buttonEdit(slot);
        fieldFrame(b, be, active);
        const Rect btn = L::kEditButton.offset(be.left, be.top);
        roundBox(b, btn, 2, T::kNormal.border, T::kNormal.top, T::kNormal.bottom);
        drawDots(b, btn, T::kNormal.glyph);
        // Combo box: the same with a drop-down arrow.
        const Rect cb = L::combo(slot);
        fieldFrame(b, cb, active);
        const Rect drop = L::kEditButton.offset(cb.left, cb.top);
        roundBox(b, drop, 2, T::kNormal.border, T::kNormal.top, T::kNormal.bottom);
        drawArrow(b, drop, Arrow::Down, 3, T::kNormal.glyph);
    }
    // Hot, pressed and disabled images of the two small buttons.
    for (int i = 0; i < 3; ++i) {
        const T::Face& f = i == 0 ? T::kHot : i == 1 ? T::kDown : T::kDisabled;
        const int shift = i == 1 ? 1 : 0;
        const Rect eb = L::editButtonImage(i), cbi = L::comboButtonImage(i);
        fill(b, eb, T::kField);
        roundBox(b, eb, 2, f.border, f.top, f.bottom);
        drawDots(b, eb.offset(shift, shift), f.glyph);
        fill(b, cbi, T::kField);
        roundBox(b, cbi, 2, f.border, f.top, f.bottom);
        drawArrow(b, cbi.offset(shift, shift), Arrow::Down, 3, f.glyph);
    }
}

void labelsAndHeaders(fw::Bitmap& b) {
    fill(b, L::label(0), T::kClient);
    const Rect header = L::label(1);
    vGradient(b, header, rgb(234, 241, 251), rgb(222, 233, 248));
    hLine(b, header.left, header.right, header.bottom - 1, kLine);
    const Rect status = L::label(2);
    fill(b, status, T::kClient);
    frame(b, status.inflate(0, -1), kLine);
    const Rect caption = L::label(3);
    vGradient(b, caption, T::kCaptionTop, T::kCaptionBottom);
    hLine(b, caption.left, caption.right, caption.bottom - 1, kLine);

    // List-view column headers: flat bar with a divider at the right.
    const Pixel tops[] = {rgb(255, 255, 255), T::kHot.top, T::kDown.top};
    const Pixel bottoms[] = {rgb(230, 238, 250), T::kHot.bottom, T::kDown.bottom};
    for (int s = 0; s < 3; ++s) {
        const Rect h = L::header(s);
        vGradient(b, h, tops[s], bottoms[s]);
        hLine(b, h.left, h.right, h.bottom - 1, s == 0 ? kLine : T::kHot.border);
        vLine(b, h.right - 1, h.top + 3, h.bottom - 3, kLine);
    }
}

void checksAndRadios(fw::Bitmap& b) {
    fill(b, L::kCheckBack, T::kClient);
    // Order: checked, unchecked, hot checked, hot unchecked, disabled checked, disabled unchecked, grayed, hot grayed.
    for (int slot = 0; slot < 8; ++slot) {
        const bool hot = slot == 2 || slot == 3 || slot == 7, disabled = slot == 4 || slot == 5;
        const bool checked = slot == 0 || slot == 2 || slot == 4, grayed = slot >= 6;
        const T::Face& f = disabled ? T::kDisabled : hot ? T::kHot : T::kNormal;
        const Pixel mark = disabled ? T::kDisabled.glyph : hot ? T::kAccent : T::kText;

        const Rect c = L::checkImage(slot);
        fill(b, c, T::kClient);
        roundBox(b, c, 1, f.border, disabled ? f.top : T::kField,
                 disabled ? f.bottom
                 : hot    ? T::kHot.bottom
                          : T::kField);
        if (checked) drawCheck(b, c, mark);
        if (grayed) fill(b, c.inflate(-3, -3), mix(mark, T::kField, 110));

        const Rect r = L::radioImage(slot);
        fill(b, r, T::kClient);
        disc(b, r, disabled ? f.bottom : hot ? T::kHot.bottom : T::kField);
        ring(b, r, f.border);
        if (checked) disc(b, r.inflate(-4, -4), mark);
        if (grayed) disc(b, r.inflate(-4, -4), mix(mark, T::kField, 110));
    }
}

void tabs(fw::Bitmap& b) {
    fill(b, L::kTabStrip, T::kClient);
    hLine(b, L::kTabStrip.left, L::kTabStrip.right, L::kTabStrip.bottom - 1, kLine);
    for (int slot = 0; slot < 4; ++slot) {
        const Rect t = L::tab(slot);
        const bool selected = slot == 1 || slot == 2;
        fill(b, t, T::kClient);
        // Tabs are boxes whose bottom runs past the image, so only the top corners round.
        const Rect box{t.left, t.top + (selected ? 0 : 2), t.right, t.bottom + 3};
        const Pixel top = selected ? rgb(255, 255, 255) : slot == 3 ? T::kHot.top : rgb(246, 249, 254);
        const Pixel bottom = selected ? rgb(255, 255, 255) : slot == 3 ? T::kHot.bottom : rgb(224, 234, 248);
        roundBox(b, box, 2, slot == 3 ? T::kHot.border : kLine, top, bottom);
        if (selected) hLine(b, t.left + 2, t.right - 2, t.top, T::kHighlight);  // accent on the chosen tab
        if (slot == 2) frame(b, {t.left + 3, t.top + 3, t.right - 3, t.bottom - 2}, T::kFocusRing);
        if (!selected) hLine(b, t.left, t.right, t.bottom - 1, kLine);
    }
    // The page under the tabs.
    fill(b, L::kTabPage, rgb(255, 255, 255));
    frame(b, L::kTabPage, kLine);
}

void gauges(fw::Bitmap& b) {
    fieldFrame(b, L::kGauge, false);
    fieldFrame(b, L::kVGauge, false);
    vGradient(b, L::kGaugeFill, rgb(124, 184, 246), rgb(58, 124, 204));
    hLine(b, L::kGaugeFill.left, L::kGaugeFill.right, L::kGaugeFill.top + 1, rgb(176, 214, 252));
    for (int x = L::kVGaugeFill.left; x < L::kVGaugeFill.right; ++x) {
        const int t = ((x - L::kVGaugeFill.left) * 256) / (L::kVGaugeFill.width() - 1);
        vLine(b, x, L::kVGaugeFill.top, L::kVGaugeFill.bottom, mix(rgb(124, 184, 246), rgb(58, 124, 204), t));
    }
}

void tracks(fw::Bitmap& b) {
    // Grooves on the client colour; thumbs on the key colour so the track shows around them.
    fill(b, L::kHTrack, T::kClient);
    roundBox(b, {L::kHTrack.left + 4, L::kHTrack.top + 9, L::kHTrack.right - 4, L::kHTrack.top + 13}, 1, kLine,
             rgb(226, 234, 246), rgb(244, 247, 252));
    fill(b, L::kVTrack, T::kClient);
    roundBox(b, {L::kVTrack.left + 9, L::kVTrack.top + 4, L::kVTrack.left + 13, L::kVTrack.bottom - 4}, 1, kLine,
             rgb(226, 234, 246), rgb(244, 247, 252));
    for (int slot = 0; slot < 2; ++slot) {
        const T::Face& f = slot ? T::kHot : T::kNormal;
        fill(b, L::hThumb(slot), T::kKey);
        roundBox(b, L::hThumb(slot), 1, f.border, f.top, f.bottom);
        fill(b, L::vThumb(slot), T::kKey);
        roundBox(b, L::vThumb(slot), 1, f.border, f.top, f.bottom);
    }
    fill(b, L::kSliderHRuler, T::kClient);
    roundBox(b, L::kSliderHRuler.inflate(0, -1), 1, kLine, rgb(226, 234, 246), rgb(244, 247, 252));
    fill(b, L::kSliderVRuler, T::kClient);
    roundBox(b, L::kSliderVRuler.inflate(-1, 0), 1, kLine, rgb(226, 234, 246), rgb(244, 247, 252));
    fill(b, L::kSliderHThumb, T::kClient);
    roundBox(b, L::kSliderHThumb, 2, T::kNormal.border, T::kNormal.top, T::kNormal.bottom);
    fill(b, L::kSliderVThumb, T::kClient);
    roundBox(b, L::kSliderVThumb, 2, T::kNormal.border, T::kNormal.top, T::kNormal.bottom);

    fill(b, L::kHGrip, T::kClient);
    drawGrip(b, L::kHGrip, false, T::kNormal.glyph, rgb(255, 255, 255));
    fill(b, L::kVGrip, T::kClient);
    drawGrip(b, L::kVGrip, true, T::kNormal.glyph, rgb(255, 255, 255));
}

void spinButtons(fw::Bitmap& b) {
    const State s[] = {State::Normal, State::Hot, State::Down};
    for (int i = 0; i < 3; ++i) {
        arrowButton(b, L::upButton(i), s[i], static_cast<int>(Arrow::Up), 3);
        arrowButton(b, L::downButton(i), s[i], static_cast<int>(Arrow::Down), 3);
        arrowButton(b, L::hSpin(2 * i), s[i], static_cast<int>(Arrow::Left), 3);
        arrowButton(b, L::hSpin(2 * i + 1), s[i], static_cast<int>(Arrow::Right), 3);
    }
}

void panels(fw::Bitmap& b) {
    fill(b, L::kPanel, T::kClient);
    roundFrame(b, L::kPanel, 2, kLine);
    fill(b, L::kGroupBox, T::kClient);
    roundFrame(b, L::kGroupBox, 2, kLine);
    hLine(b, L::kGroupBox.left + 2, L::kGroupBox.right - 2, L::kGroupBox.top + 1, rgb(255, 255, 255));
    fill(b, L::kCaptionPanel, T::kClient);
    vGradient(b, {L::kCaptionPanel.left, L::kCaptionPanel.top, L::kCaptionPanel.right, L::kCaptionPanel.top + 20},
              T::kCaptionTop, T::kCaptionBottom);
    hLine(b, L::kCaptionPanel.left, L::kCaptionPanel.right, L::kCaptionPanel.top + 20, kLine);
    roundFrame(b, L::kCaptionPanel, 2, kLine);

    vGradient(b, L::kToolPanel, kBarTop, kBarBottom);
    hLine(b, L::kToolPanel.left, L::kToolPanel.right, L::kToolPanel.bottom - 1, kLine);
    vGradient(b, L::kStatusPanel, rgb(236, 242, 251), rgb(222, 233, 248));
    hLine(b, L::kStatusPanel.left, L::kStatusPanel.right, L::kStatusPanel.top, kLine);
    hLine(b, L::kStatusPanel.left, L::kStatusPanel.right, L::kStatusPanel.top + 1, rgb(255, 255, 255));

    vGradient(b, L::kControlBar, kBarTop, kBarBottom);
    vGradient(b, L::kControlBarItem, kBarTop, kBarBottom);
    roundFrame(b, L::kControlBarItem, 2, kLine);
    vGradient(b, L::kBarHGrip, kBarTop, kBarBottom);
    drawGrip(b, L::kBarHGrip, true, T::kNormal.glyph, rgb(255, 255, 255));
    vGradient(b, L::kBarVGrip, kBarTop, kBarBottom);
    drawGrip(b, L::kBarVGrip, false, T::kNormal.glyph, rgb(255, 255, 255));
    vGradient(b, L::kMenuBar, kBarTop, kBarBottom);
    hLine(b, L::kMenuBar.left, L::kMenuBar.right, L::kMenuBar.bottom - 1, kLine);

    fieldFrame(b, L::kListFrame, false);
    fieldFrame(b, L::kScrollBox, false);
    fieldFrame(b, L::memo(0), false);
    fieldFrame(b, L::memo(1), true);
}

void listsAndGrids(fw::Bitmap& b) {
    fill(b, L::listItem(0), T::kField);
    for (int slot = 1; slot < 3; ++slot) {
        const Rect r = L::listItem(slot);
        fill(b, r, T::kField);
        roundBox(b, r, 1, rgb(64, 124, 196), rgb(104, 162, 222), rgb(72, 132, 202));
        if (slot == 2) frame(b, r.inflate(-1, -1), rgb(150, 196, 240));
    }
    vGradient(b, L::gridCell(0), rgb(255, 255, 255), rgb(226, 236, 250));
    hLine(b, L::gridCell(0).left, L::gridCell(0).right, L::gridCell(0).bottom - 1, kLine);
    vLine(b, L::gridCell(0).right - 1, L::gridCell(0).top, L::gridCell(0).bottom, kLine);
    vGradient(b, L::gridCell(1), rgb(104, 162, 222), rgb(72, 132, 202));
    vGradient(b, L::gridCell(2), rgb(104, 162, 222), rgb(72, 132, 202));
    frame(b, L::gridCell(2), rgb(40, 92, 160));
}

void scrollBars(fw::Bitmap& b) {
    const State s[] = {State::Normal, State::Hot, State::Down};
    const Pixel trackA = rgb(232, 238, 247), trackB = rgb(244, 247, 252);
    // Whole bars: button, track, button.
    const Rect v = L::kVScroll, h = L::kHScroll;
    for (int x = v.left; x < v.right; ++x)
        vLine(b, x, v.top, v.bottom, mix(trackA, trackB, ((x - v.left) * 256) / (v.width() - 1)));
    vGradient(b, h, trackA, trackB);
    arrowButton(b, Rect::fromSize(v.left, v.top, 19, 19), State::Normal, static_cast<int>(Arrow::Up), 4);
    arrowButton(b, Rect::fromSize(v.left, v.bottom - 19, 19, 19), State::Normal, static_cast<int>(Arrow::Down), 4);
    arrowButton(b, Rect::fromSize(h.left, h.top, 19, 19), State::Normal, static_cast<int>(Arrow::Left), 4);
    arrowButton(b, Rect::fromSize(h.right - 19, h.top, 19, 19), State::Normal, static_cast<int>(Arrow::Right), 4);
    for (int i = 0; i < 3; ++i) {
        arrowButton(b, L::vScrollUp(i), s[i], static_cast<int>(Arrow::Up), 4);
        arrowButton(b, L::vScrollDown(i), s[i], static_cast<int>(Arrow::Down), 4);
        arrowButton(b, L::hScrollLeft(i), s[i], static_cast<int>(Arrow::Left), 4);
        arrowButton(b, L::hScrollRight(i), s[i], static_cast<int>(Arrow::Right), 4);
        const T::Face& f = i == 0 ? T::kNormal : i == 1 ? T::kHot : T::kDown;
        const Rect vt = L::vScrollThumb(i), ht = L::hScrollThumb(i);
        fill(b, vt, trackA);
        roundBox(b, vt.inflate(-1, 0), 2, f.border, f.top, f.bottom);
        fill(b, ht, trackA);
        roundBox(b, ht.inflate(0, -1), 2, f.border, f.top, f.bottom);
    }
    fill(b, L::kVScrollGrip, T::kNormal.bottom);
    for (int i = 0; i < 3; ++i)
        hLine(b, L::kVScrollGrip.left + 1, L::kVScrollGrip.right - 1, L::kVScrollGrip.top + 1 + 2 * i,
              T::kNormal.glyph);
    fill(b, L::kHScrollGrip, T::kNormal.bottom);
    for (int i = 0; i < 3; ++i)
        vLine(b, L::kHScrollGrip.left + 1 + 2 * i, L::kHScrollGrip.top + 1, L::kHScrollGrip.bottom - 1,
              T::kNormal.glyph);
}

}  // namespace

fw::Bitmap controlsPicture() {
    fw::Bitmap b(L::kControlsW, L::kControlsH, T::kClient);
    pushButtons(b);
    fields(b);
    labelsAndHeaders(b);
    checksAndRadios(b);
    tabs(b);
    gauges(b);
    tracks(b);
    spinButtons(b);
    panels(b);
    listsAndGrids(b);
    scrollBars(b);
    return b;
}

}  // namespace skinart
