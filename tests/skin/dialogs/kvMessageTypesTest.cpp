#include "skin/dialogs/kvMessageTypes.h"

#include <gtest/gtest.h>

namespace {

constexpr TkvMessageButtons kOkCancel = ButtonBit(mbOK) | ButtonBit(mbCancel);

TEST(MessageButtons, DefaultAndCancelFollowTheirPreferenceOrder) {
    EXPECT_EQ(DefaultMessageButton(kOkCancel), mbOK);
    EXPECT_EQ(CancelMessageButton(kOkCancel), mbCancel);
    EXPECT_EQ(DefaultMessageButton(ButtonBit(mbYes) | ButtonBit(mbNo)), mbYes);
    EXPECT_EQ(CancelMessageButton(ButtonBit(mbYes) | ButtonBit(mbNo)), mbNo);
    EXPECT_EQ(DefaultMessageButton(ButtonBit(mbRetry) | ButtonBit(mbAbort)), mbRetry);
    EXPECT_EQ(CancelMessageButton(ButtonBit(mbRetry) | ButtonBit(mbAbort)), -1);
    EXPECT_EQ(CancelMessageButton(ButtonBit(mbOK)), mbOK);  // a lone OK is also the cancel button
    EXPECT_EQ(DefaultMessageButton(ButtonBit(mbHelp)), -1);
}

TEST(MessageButtons, TableMatchesModalResultsAndCaptions) {
    EXPECT_EQ(kMessageButtonTable[mbOK].modalResult, 1);
    EXPECT_EQ(kMessageButtonTable[mbCancel].modalResult, 2);
    EXPECT_EQ(kMessageButtonTable[mbYes].modalResult, 6);
    EXPECT_EQ(kMessageButtonTable[mbNoToAll].modalResult, 9);
    EXPECT_EQ(kMessageButtonTable[mbHelp].modalResult, 0);
    EXPECT_EQ(kMessageButtonTable[mbOK].caption, u"OK");
    EXPECT_EQ(kMessageButtonTable[mbNoToAll].caption, u"N&oToAll");
    EXPECT_EQ(MessageKindInfoOf(TkvMessageKind::mtWarning).caption, u"Warning");
    EXPECT_EQ(MessageKindInfoOf(TkvMessageKind::mtError).caption, u"Error");
    EXPECT_EQ(MessageKindInfoOf(TkvMessageKind::mtInformation).caption, u"Information");
    EXPECT_EQ(MessageKindInfoOf(TkvMessageKind::mtConfirmation).caption, u"Confirm");
}

TEST(MessageLayout, ShortMessageWithThreeButtonsIsTheRowWide) {
    MessageLayoutInput in;
    in.labelWidth = 20;
    in.labelHeight = 13;
    in.buttons = ButtonBit(mbYes) | ButtonBit(mbNo) | ButtonBit(mbCancel);
    MessageLayout l = LayoutMessageBox(in);
    EXPECT_EQ(l.clientWidth, 270);
    EXPECT_EQ(l.clientHeight, 25 + 50 + 13);
    ASSERT_EQ(l.buttons.size(), 3u);
    EXPECT_EQ(l.buttons[0].button, mbYes);
    EXPECT_EQ(l.buttons[0].bounds, fw::Rect::fromSize(20, 88 - 25 - 10, 70, 25));
    EXPECT_EQ(l.buttons[1].bounds.left, 100);
    EXPECT_EQ(l.buttons[2].button, mbCancel);
    EXPECT_EQ(l.buttons[2].bounds.left, 180);
}

TEST(MessageLayout, LongMessageWidensAndButtonsCentre) {
    MessageLayoutInput in;
    in.labelWidth = 401;
    in.labelHeight = 13;
    in.buttons = kOkCancel;
    in.buttonHeight = 22;
    MessageLayout l = LayoutMessageBox(in);
    EXPECT_EQ(l.clientWidth, 50 + 401 + 40);
    EXPECT_EQ(l.label, fw::Rect::fromSize(50, 15, 401, 13));
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[0].bounds.left, (491 - 150) / 2);  // truncated toward zero
    EXPECT_EQ(l.buttons[0].bounds.height(), 22);
    EXPECT_EQ(l.buttons[0].bounds.top, l.clientHeight - 22 - 10);
}

TEST(MessageLayout, IconCentresOnTheLabelButNeverAboveTen) {
    MessageLayoutInput in;
    in.labelWidth = 100;
    in.labelHeight = 13;
    EXPECT_EQ(LayoutMessageBox(in).icon, fw::Rect::fromSize(5, 10, 32, 32));
    in.labelHeight = 65;  // five lines
    EXPECT_EQ(LayoutMessageBox(in).icon, fw::Rect::fromSize(5, 15 + 32 - 16, 32, 32));
}

TEST(MessageLayout, EmptySetStillReservesTheButtonRow) {
    MessageLayoutInput in;
    in.labelWidth = 10;
    in.labelHeight = 13;
    MessageLayout l = LayoutMessageBox(in);
    EXPECT_TRUE(l.buttons.empty());
    EXPECT_EQ(l.clientHeight, 25 + 50 + 13);
    EXPECT_EQ(l.clientWidth, 40 + 60);
}

TEST(MessageLayout, CheckBoxAddsHeightAndMayWiden) {
    MessageLayoutInput in;
    in.labelWidth = 10;
    in.labelHeight = 13;
    in.buttons = ButtonBit(mbOK);
    in.showAgain = true;
    in.checkCaptionWidth = 200;
    MessageLayout l = LayoutMessageBox(in);
    EXPECT_EQ(l.clientHeight, 25 + 50 + 13 + 40);
    EXPECT_EQ(l.clientWidth, 260);
    EXPECT_EQ(l.checkBox, fw::Rect::fromSize(5, l.clientHeight - 25 - 50, 255, 30));
}

TEST(MessageLayout, WidthIsLimitedToTheScreen) {
    MessageLayoutInput in;
    in.labelWidth = 3000;
    in.labelHeight = 13;
    in.buttons = ButtonBit(mbOK);
    in.maxClientWidth = 1000;
    MessageLayout l = LayoutMessageBox(in);
    EXPECT_EQ(l.clientWidth, 1000);
    EXPECT_EQ(l.buttons[0].bounds.left, (1000 - 70) / 2);
}

}  // namespace
