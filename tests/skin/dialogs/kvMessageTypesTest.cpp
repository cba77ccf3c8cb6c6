#include "skin/dialogs/kvMessageTypes.h"

#include <gtest/gtest.h>

namespace {

constexpr TkvMessageButtons kOkCancel = buttonBit(mbOK) | buttonBit(mbCancel);

TEST(MessageButtons, DefaultAndCancelFollowTheirPreferenceOrder) {
    EXPECT_EQ(defaultMessageButton(kOkCancel), mbOK);
    EXPECT_EQ(cancelMessageButton(kOkCancel), mbCancel);
    EXPECT_EQ(defaultMessageButton(buttonBit(mbYes) | buttonBit(mbNo)), mbYes);
    EXPECT_EQ(cancelMessageButton(buttonBit(mbYes) | buttonBit(mbNo)), mbNo);
    EXPECT_EQ(defaultMessageButton(buttonBit(mbRetry) | buttonBit(mbAbort)), mbRetry);
    EXPECT_EQ(cancelMessageButton(buttonBit(mbRetry) | buttonBit(mbAbort)), -1);
    EXPECT_EQ(cancelMessageButton(buttonBit(mbOK)), mbOK);  // a lone OK is also the cancel button
    EXPECT_EQ(defaultMessageButton(buttonBit(mbHelp)), -1);
}

TEST(MessageButtons, TableMatchesModalResultsAndCaptions) {
    EXPECT_EQ(kMessageButtonTable[mbOK].modalResult, 1);
    EXPECT_EQ(kMessageButtonTable[mbCancel].modalResult, 2);
    EXPECT_EQ(kMessageButtonTable[mbYes].modalResult, 6);
    EXPECT_EQ(kMessageButtonTable[mbNoToAll].modalResult, 9);
    EXPECT_EQ(kMessageButtonTable[mbHelp].modalResult, 0);
    EXPECT_EQ(kMessageButtonTable[mbOK].caption, u"OK");
    EXPECT_EQ(kMessageButtonTable[mbNoToAll].caption, u"N&oToAll");
    EXPECT_EQ(messageKindInfo(TkvMessageKind::mtWarning).caption, u"Warning");
    EXPECT_EQ(messageKindInfo(TkvMessageKind::mtError).caption, u"Error");
    EXPECT_EQ(messageKindInfo(TkvMessageKind::mtInformation).caption, u"Information");
    EXPECT_EQ(messageKindInfo(TkvMessageKind::mtConfirmation).caption, u"Confirm");
}

TEST(MessageLayout, ShortMessageWithThreeButtonsIsTheRowWide) {
    MessageLayoutInput in;
    in.labelWidth = 20;
    in.labelHeight = 13;
    in.buttons = buttonBit(mbYes) | buttonBit(mbNo) | buttonBit(mbCancel);
    MessageLayout l = layoutMessageBox(in);
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
    MessageLayout l = layoutMessageBox(in);
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
    EXPECT_EQ(layoutMessageBox(in).icon, fw::Rect::fromSize(5, 10, 32, 32));
    in.labelHeight = 65;  // five lines
    EXPECT_EQ(layoutMessageBox(in).icon, fw::Rect::fromSize(5, 15 + 32 - 16, 32, 32));
}

TEST(MessageLayout, EmptySetStillReservesTheButtonRow) {
    MessageLayoutInput in;
    in.labelWidth = 10;
    in.labelHeight = 13;
    MessageLayout l = layoutMessageBox(in);
    EXPECT_TRUE(l.buttons.empty());
    EXPECT_EQ(l.clientHeight, 25 + 50 + 13);
    EXPECT_EQ(l.clientWidth, 40 + 60);
}

TEST(MessageLayout, CheckBoxAddsHeightAndMayWiden) {
    MessageLayoutInput in;
    in.labelWidth = 10;
    in.labelHeight = 13;
    in.buttons = buttonBit(mbOK);
    in.showAgain = true;
    in.checkCaptionWidth = 200;
    MessageLayout l = layoutMessageBox(in);
    EXPECT_EQ(l.clientHeight, 25 + 50 + 13 + 40);
    EXPECT_EQ(l.clientWidth, 260);
    EXPECT_EQ(l.checkBox, fw::Rect::fromSize(5, l.clientHeight - 25 - 50, 255, 30));
}

TEST(MessageLayout, WidthIsLimitedToTheScreen) {
    MessageLayoutInput in;
    in.labelWidth = 3000;
    in.labelHeight = 13;
    in.buttons = buttonBit(mbOK);
    in.maxClientWidth = 1000;
    MessageLayout l = layoutMessageBox(in);
    EXPECT_EQ(l.clientWidth, 1000);
    EXPECT_EQ(l.buttons[0].bounds.left, (1000 - 70) / 2);
}

}  // namespace
