#include "macros/MacroEditor.h"

#include <gtest/gtest.h>

#include "MacroEditorFixture.h"

namespace qeltra3k::macros {
namespace {

using testing::Bytes;
using testing::EventRows;
using testing::StoredMacro;

const StoredMacro kClick{"Click", {0xA1, 0xFE, 0x0C, 0x21}};
const Rows kClickRows{"10", "1 LeftKey CODE:00A1", "0 96", "2 LeftKey CODE:0021"};
const std::string kLeftDown = "1 LeftKey CODE:00A1";
const std::string kLeftUp = "2 LeftKey CODE:0021";
const std::string kRightDown = "1 RightKey CODE:00A2";
const std::string kRightUp = "2 RightKey CODE:0022";

constexpr int kA = 0x41;
constexpr int kB = 0x42;
constexpr unsigned kLeftDownMessage = 0x0201;
constexpr unsigned kLeftUpMessage = 0x0202;
constexpr unsigned kRightDownMessage = 0x0204;
constexpr unsigned kRightUpMessage = 0x0205;

class MacroEditorInsert : public testing::MacroEditorTest {
protected:
    RecordingStep Key(TickMs t, int key, bool down)
    {
        return Editor().KeyMessage(t, key, down ? KeyTransition::Down : KeyTransition::Up);
    }
    RecordingStep Tap(TickMs t, int key, TickMs hold)
    {
        Key(t, key, true);
        return Key(t + hold, key, false);
    }
};
INSTANTIATE_TEST_SUITE_P(Layouts, MacroEditorInsert, ::testing::Values(BodyLayout::Eeprom, BodyLayout::Driver),
                         testing::LayoutName);

TEST(MacroEditorInsertPanel, WhatEachChoiceShows)
{
    struct Case {
        InsertChoice choice;
        std::string_view background;
        std::string_view okText;
        bool delay, record, x, y;
    };
    const Case cases[]{
        {InsertChoice::DelayFront, "InsertDelayBase", "Str420", true, false, false, false},
        {InsertChoice::DelayBack, "InsertDelayBase", "Str420", true, false, false, false},
        {InsertChoice::KeyFront, "InsertKeyBase", "Str421", false, true, false, false},
        {InsertChoice::KeyBack, "InsertKeyBase", "Str421", false, true, false, false},
        {InsertChoice::XFront, "InsertDelayBase", "Str420", false, false, true, false},
        {InsertChoice::XBack, "InsertDelayBase", "Str420", false, false, true, false},
        {InsertChoice::YFront, "InsertDelayBase", "Str420", false, false, false, true},
        {InsertChoice::YBack, "InsertDelayBase", "Str420", false, false, false, true},
    };
    for (const Case& c : cases) {
        const InsertPanelView view = DescribeInsertChoice(c.choice);
        SCOPED_TRACE(static_cast<int>(c.choice));
        EXPECT_EQ(view.background, c.background);
        EXPECT_EQ(view.okText, c.okText);
        EXPECT_EQ(view.delayField, c.delay);
        EXPECT_EQ(view.recordControls, c.record);
        EXPECT_EQ(view.xField, c.x);
        EXPECT_EQ(view.yField, c.y);
    }
}

TEST_P(MacroEditorInsert, InsertDelayAndMoveRows)
{
    struct Case {
        InsertChoice choice;
        std::size_t selected;
        const char* typed;
        Rows rows;  // event rows after OK
        std::size_t selection;
    };
    const Case cases[]{
        {InsertChoice::DelayFront, 0, "48", {"0 48", kLeftDown, "0 96", kLeftUp}, 0},
        {InsertChoice::DelayBack, 0, "48", {kLeftDown, "0 48", "0 96", kLeftUp}, 1},
        {InsertChoice::DelayBack, 2, "3000", {kLeftDown, "0 96", kLeftUp, "0 2040"}, 3},
        {InsertChoice::XBack, 2, "-10", {kLeftDown, "0 96", kLeftUp, "4 FBF6"}, 3},
        {InsertChoice::XFront, 0, "0", {"3 FB00", kLeftDown, "0 96", kLeftUp}, 0},
        {InsertChoice::YFront, 1, "300", {kLeftDown, "5 FA7F", "0 96", kLeftUp}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.choice)) + " at " + std::to_string(c.selected));
        MacroEditor& editor = Open({kClick});
        ASSERT_TRUE(editor.SelectRow(c.selected));
        ASSERT_TRUE(editor.OpenInsertPanel());
        EXPECT_EQ(editor.Page().insert.choice, InsertChoice::DelayFront);
        EXPECT_FALSE(editor.StartRecording()) << "the record button is disabled";
        EXPECT_FALSE(editor.ChooseDelayOption(DelayMode::NoDelay)) << "the delay options are hidden";
        ASSERT_TRUE(editor.ChooseInsert(c.choice));
        const InsertPanelView view = DescribeInsertChoice(c.choice);
        if (view.delayField) {
            editor.TypeInsertDelay(c.typed);
        } else if (view.xField) {
            editor.TypeX(c.typed);
        } else {
            editor.TypeY(c.typed);
        }

        const ChangeResult result = editor.ConfirmInsert();
        ASSERT_TRUE(result.Saved()) << result.reason;
        EXPECT_FALSE(editor.Page().insert.open);
        EXPECT_EQ(EventRows(editor.RowList()), c.rows);
        EXPECT_EQ(editor.SelectedRow(), c.selection);
        ExpectSaved();
    }
}

TEST_P(MacroEditorInsert, OkWithoutANumberWaits)
{
    MacroEditor& editor = Open({kClick});
    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.OpenInsertPanel());
    ASSERT_TRUE(editor.ChooseInsert(InsertChoice::YBack));
    EXPECT_EQ(editor.TypeY("-"), "-");
    EXPECT_EQ(editor.ConfirmInsert().status, ChangeStatus::Unchanged);
    EXPECT_TRUE(editor.Page().insert.open);
    EXPECT_EQ(editor.RowList(), kClickRows);
    EXPECT_EQ(editor.TypeY("-5"), "-5");
    EXPECT_TRUE(editor.ConfirmInsert().Saved());
    EXPECT_EQ(editor.RowList()[2], "6 FAFB");
}

TEST_P(MacroEditorInsert, InsertRecordingThenOk)
{
    MacroEditor& editor = Open({kClick});
    const Bytes file = Library().FileBytes();
    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.OpenInsertPanel());
    EXPECT_FALSE(editor.StartInsertRecording()) << "only for the key items";
    ASSERT_TRUE(editor.ChooseInsert(InsertChoice::KeyBack));
    EXPECT_EQ(editor.Page().insert.delayMode, DelayMode::RealTime);
    EXPECT_FALSE(editor.InsertDelayFieldEditable());
    ASSERT_TRUE(editor.ChooseInsertDelayOption(DelayMode::DelaySetting));
    EXPECT_TRUE(editor.InsertDelayFieldEditable());
    ASSERT_TRUE(editor.ChooseInsertDelayOption(DelayMode::RealTime));

    ASSERT_TRUE(editor.StartInsertRecording());
    EXPECT_TRUE(editor.Keyboard().Enabled());
    Tap(1000, kB, 80);
    editor.MouseMessage(1160, kRightDownMessage, 0);
    editor.MouseMessage(1200, kRightUpMessage, 0);
    // While it runs, the panel cannot be confirmed, cancelled or switched.
    EXPECT_EQ(editor.ConfirmInsert().status, ChangeStatus::Unchanged);
    EXPECT_FALSE(editor.CancelInsert());
    EXPECT_FALSE(editor.ChooseInsert(InsertChoice::DelayFront));
    ASSERT_TRUE(editor.StopInsertRecording());
    EXPECT_FALSE(editor.Keyboard().Enabled());

    const Rows inserted{kLeftDown, "1 B CODE:8205", "0 80", "2 B CODE:0205", "0 80", "1 RightKey CODE:00A2",
                        "0 40", "2 RightKey CODE:0022", "0 96", kLeftUp};
    EXPECT_EQ(EventRows(editor.RowList()), inserted);
    EXPECT_EQ(Library().FileBytes(), file) << "nothing is saved before OK";
    EXPECT_EQ(editor.SelectedRow(), 7u);
}

TEST_P(MacroEditorInsert, InsertRecordingIsSavedOnOk)
{
    MacroEditor& editor = Open({kClick});
    const Bytes body = Library().Body(0);
    ASSERT_TRUE(editor.SelectRow(2));
    ASSERT_TRUE(editor.OpenInsertPanel());
    ASSERT_TRUE(editor.ChooseInsert(InsertChoice::KeyFront));
    ASSERT_TRUE(editor.StartInsertRecording());
    Tap(1000, kA, 40);
    ASSERT_TRUE(editor.StopInsertRecording());
    EXPECT_EQ(Library().Body(0), body) << "the rows wait for OK";

    const ChangeResult result = editor.ConfirmInsert();
    ASSERT_TRUE(result.Saved()) << result.reason;
    EXPECT_EQ(EventRows(editor.RowList()),
              (Rows{kLeftDown, "0 96", "1 A CODE:8204", "0 40", "2 A CODE:0204", kLeftUp}));
    EXPECT_EQ(editor.SelectedRow(), 5u);
    ExpectSaved();
}

TEST_P(MacroEditorInsert, CancelAfterInsertRecordingLeavesTheMacroAsItWas)
{
    MacroEditor& editor = Open({kClick});
    const Bytes body = Library().Body(0);
    const Bytes file = Library().FileBytes();
    editor.SetTopRow(1);
    ASSERT_TRUE(editor.SelectRow(2));
    ASSERT_TRUE(editor.OpenInsertPanel());
    ASSERT_TRUE(editor.ChooseInsert(InsertChoice::KeyFront));
    ASSERT_TRUE(editor.StartInsertRecording());
    Tap(1000, kA, 40);
    ASSERT_TRUE(editor.StopInsertRecording());
    editor.SetTopRow(3);
    ASSERT_NE(editor.RowList(), kClickRows);

    ASSERT_TRUE(editor.CancelInsert());
    EXPECT_FALSE(editor.Page().insert.open);
    EXPECT_EQ(editor.RowList(), kClickRows);
    EXPECT_EQ(editor.SelectedRow(), 2u);
    EXPECT_EQ(editor.Page().topRow, 1u);
    EXPECT_EQ(Library().Body(0), body);
    EXPECT_EQ(Library().FileBytes(), file);
}

// An insert recording that ran full leaves a stop request; after OK or Cancel the next one
// starts again.
TEST_P(MacroEditorInsert, AFullInsertRecordingDoesNotBlockTheNext)
{
    Bytes moves;
    while (moves.size() + 2 < Describe(GetParam()).recordingBudget - 12) {
        moves.push_back(0xFB);
        moves.push_back(0x01);
    }
    MacroEditor& editor = Open({{"Long", moves}});
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(editor.SelectRow(0));
        ASSERT_TRUE(editor.OpenInsertPanel());
        ASSERT_TRUE(editor.ChooseInsert(InsertChoice::KeyBack));
        ASSERT_TRUE(editor.StartInsertRecording());
        TickMs t = 0;
        RecordingStep step;
        for (int key = kA; key <= 0x5A && step.outcome != RecordOutcome::Stopped; ++key) {
            Key(t += 40, key, true);
            step = Key(t += 40, key, false);
        }
        if (step.outcome != RecordOutcome::Stopped)
            step = Tap(t + 40, kB, 40);  // the refused key's own release did not stop it
        EXPECT_EQ(step.outcome, RecordOutcome::Stopped);
        EXPECT_FALSE(editor.InsertRecording());
        EXPECT_TRUE(editor.Page().insert.open) << "the rows wait for OK or Cancel";
        if (round == 0) {
            ASSERT_TRUE(editor.CancelInsert());
        } else {
            ASSERT_TRUE(editor.ConfirmInsert().Saved());
        }
    }
    ExpectSaved();
}

TEST_P(MacroEditorInsert, RecordingIsEncodedAndSaved)
{
    struct Case {
        DelayMode mode;
        const char* delay;
        Rows rows;
        Bytes events;
    };
    const Case cases[]{
        {DelayMode::RealTime, "32",
         {"10", kLeftDown, "0 80", kLeftUp, "0 296", "1 A CODE:8204", "0 72", "2 A CODE:0204", "0 152", kRightDown,
          "0 24", kRightUp},
         {0xA1, 0xFE, 0x0A, 0x21, 0xFE, 0x25, 0x82, 0x04, 0xFE, 0x09, 0x02, 0x04, 0xFE, 0x13, 0xA2, 0xFE, 0x03, 0x22}},
        {DelayMode::DelaySetting, "48",
         {"0148", kLeftDown, "0 48", kLeftUp, "0 48", "1 A CODE:8204", "0 48", "2 A CODE:0204", "0 48", kRightDown,
          "0 48", kRightUp},
         {0xA1, 0xFE, 0x06, 0x21, 0xFE, 0x06, 0x82, 0x04, 0xFE, 0x06, 0x02, 0x04, 0xFE, 0x06, 0xA2, 0xFE, 0x06, 0x22}},
        {DelayMode::NoDelay, "32", {"00", kLeftDown, kLeftUp, "1 A CODE:8204", "2 A CODE:0204", kRightDown, kRightUp},
         {0xA1, 0x21, 0x82, 0x04, 0x02, 0x04, 0xA2, 0x22}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows[0]);
        MacroEditor& editor = Open({kClick, {"Other", {0xA2, 0x22}}}, 1);
        ASSERT_TRUE(editor.ChooseDelayOption(c.mode));
        editor.TypeDelay(c.delay);
        ASSERT_TRUE(editor.StartRecording());
        EXPECT_TRUE(editor.RowList().empty());
        EXPECT_TRUE(editor.Keyboard().Enabled());
        // What the page disables while recording.
        EXPECT_FALSE(editor.SelectMacro(0));
        EXPECT_FALSE(editor.ChooseDelayOption(DelayMode::RealTime));
        EXPECT_EQ(editor.DeleteRow().status, ChangeStatus::Unchanged);
        EXPECT_FALSE(editor.StartRecording());

        editor.MouseMessage(1000, kLeftDownMessage, 0);
        editor.MouseMessage(1080, kLeftUpMessage, 0);
        Tap(1376, kA, 72);
        editor.MouseMessage(1600, kRightDownMessage, 0);
        editor.MouseMessage(1624, kRightUpMessage, 0);
        EXPECT_EQ(editor.RowList().size(), c.rows.size()) << "the rows show while they are recorded";
        const ChangeResult result = editor.StopRecording();
        ASSERT_TRUE(result.Saved()) << result.reason;
        EXPECT_FALSE(editor.Keyboard().Enabled());
        EXPECT_EQ(editor.RowList(), c.rows);
        EXPECT_EQ(editor.SelectedRow(), c.rows.size() - 2);
        EXPECT_EQ(Library().Body(1), BuildBody(kStopAfterMacro, c.events, GetParam()).value());
        ExpectSaved();
        MacroOptions decoded;
        EXPECT_EQ(DecodeRows(Library().Body(1), GetParam(), decoded), c.rows) << "header included";
        EXPECT_EQ(decoded.delayMode, c.mode);
    }
}

TEST_P(MacroEditorInsert, BudgetRunningOutStopsAndSaves)
{
    MacroEditor& editor = Open({kClick});
    ASSERT_TRUE(editor.StartRecording());
    TickMs t = 0;
    RecordingStep step;
    while ((step = Tap(t, kA, 40)).outcome == RecordOutcome::Recorded)
        t += 80;
    EXPECT_TRUE(editor.Recording());
    step = Tap(t + 100, kB, 40);
    ASSERT_EQ(step.outcome, RecordOutcome::Stopped);
    ASSERT_TRUE(step.stop.Saved()) << step.stop.reason;
    EXPECT_FALSE(editor.Recording());
    EXPECT_FALSE(editor.Keyboard().Enabled());
    EXPECT_LE(BodyLength(Library().Body(0), GetParam()) - 1, Describe(GetParam()).recordingBudget);
    EXPECT_EQ(editor.RowList().back(), "2 A CODE:0204");
    ExpectSaved();
}

// The repeat pair is part of the body too. In driver mode a recording may reach the body's
// limit; with a repeat selected it stops three bytes short of it, so it still saves.
TEST_P(MacroEditorInsert, RecordingLeavesRoomForTheRepeat)
{
    MacroEditor& editor = Open({kClick});
    editor.ClickRepeatOption(RepeatMode::Infinite);
    ASSERT_TRUE(editor.StartRecording());
    // 1958 event bytes in driver mode: 4 for the first click, 6 for each further click with
    // its two short delays, 8 for each tap, and then a click after long pauses.
    TickMs t = 0;
    editor.MouseMessage(t, kLeftDownMessage, 0);
    editor.MouseMessage(t += 8, kLeftUpMessage, 0);
    for (int i = 0; i < 323; ++i) {
        editor.MouseMessage(t += 8, kLeftDownMessage, 0);
        editor.MouseMessage(t += 8, kLeftUpMessage, 0);
    }
    Tap(t += 8, kA, 8);
    Tap(t += 16, kA, 8);
    t += 8;
    if (GetParam() == BodyLayout::Driver) {
        EXPECT_EQ(editor.Recorder().ByteCount(), 1958u);
    }
    editor.MouseMessage(t += 10200, kLeftDownMessage, 0);
    editor.MouseMessage(t += 10200, kLeftUpMessage, 0);

    const ChangeResult result = editor.StopRecording();
    ASSERT_TRUE(result.Saved()) << result.reason;
    const Bytes body = Library().Body(0);
    const auto events = BodyEvents(body, GetParam());
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], 0xFD);
    EXPECT_EQ(events[1], 0xFF);
    EXPECT_EQ(events.back(), 0xFC);
    if (GetParam() == BodyLayout::Driver) {
        const Rows& rows = editor.RowList();
        EXPECT_EQ(Rows(rows.end() - 3, rows.end()), (Rows{"0 2040", kLeftDown, kLeftUp}));
    }
    ExpectSaved();
}

}  // namespace
}  // namespace qeltra3k::macros
