#include "macros/MacroEditor.h"

#include <gtest/gtest.h>

#include "MacroEditorFixture.h"
#include "macros/MacroEditorFields.h"

namespace qeltra3k::macros {
namespace {

using testing::Bytes;
using testing::EventRows;
using testing::StoredMacro;

const StoredMacro kClick{"Click", {0xA1, 0xFE, 0x0C, 0x21}};
const Rows kClickRows{"10", "1 LeftKey CODE:00A1", "0 96", "2 LeftKey CODE:0021"};

class MacroEditorRows : public testing::MacroEditorTest {};
INSTANTIATE_TEST_SUITE_P(Layouts, MacroEditorRows, ::testing::Values(BodyLayout::Eeprom, BodyLayout::Driver),
                         testing::LayoutName);

TEST_P(MacroEditorRows, SelectingAMacroDecodesItsBody)
{
    const StoredMacro keys{"Keys", {0xFD, 0x07, 0x82, 0x04, 0x02, 0x04, 0xFC}, kStopOnRelease};
    MacroEditor& editor = Open({kClick, keys, {"Empty", {}}});
    EXPECT_EQ(editor.RowList(), kClickRows);
    EXPECT_FALSE(editor.SelectedRow());
    EXPECT_FALSE(editor.Page().options.stopOnRelease);
    EXPECT_EQ(editor.Page().options.repeat, RepeatMode::Off);
    EXPECT_EQ(editor.Page().options.delayMode, DelayMode::RealTime);

    ASSERT_TRUE(editor.SelectMacro(1));
    EXPECT_EQ(editor.RowList(), (Rows{"00", "1 A CODE:8204", "2 A CODE:0204"}));
    EXPECT_TRUE(editor.Page().options.stopOnRelease);
    EXPECT_EQ(editor.Page().options.repeat, RepeatMode::Count);
    EXPECT_EQ(editor.Page().options.loopCount, 8);
    EXPECT_TRUE(editor.Page().loopCountEnabled);
    EXPECT_EQ(editor.Page().options.delayMode, DelayMode::NoDelay);

    // An empty body shows no rows and leaves the options as they were.
    ASSERT_TRUE(editor.SelectMacro(2));
    EXPECT_EQ(editor.Page().selectedMacro, 2u);
    EXPECT_TRUE(editor.RowList().empty());
    EXPECT_TRUE(editor.Page().options.stopOnRelease);
    EXPECT_EQ(editor.Page().options.repeat, RepeatMode::Count);

    // A click below the last entry.
    ASSERT_TRUE(editor.SelectMacro(3));
    EXPECT_FALSE(editor.Page().selectedMacro);
    EXPECT_TRUE(editor.RowList().empty());
}

TEST_P(MacroEditorRows, DeleteTakesThePartnerKeyRow)
{
    struct Case {
        const char* what;
        Bytes events;
        std::size_t position;
        Rows rows;  // after the delete, event rows only
        std::optional<std::size_t> selection;
    };
    const Bytes tapA{0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04};
    const Case cases[]{
        {"a press takes its release", tapA, 0, {"0 96"}, 0},
        {"a release takes its press", tapA, 2, {"0 96"}, 0},
        {"a delay goes alone", tapA, 1, {"1 A CODE:8204", "2 A CODE:0204"}, 0},
        {"a doubled press takes the second press", {0x82, 0x04, 0x82, 0x04, 0x02, 0x04}, 0, {"2 A CODE:0204"}, 0},
        {"a release without its press goes alone", {0x02, 0x05, 0xA1, 0x21}, 0,
         {"1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"}, 0},
        {"the nearest press before a release", {0x82, 0x04, 0xA1, 0x21, 0x02, 0x04, 0xFE, 0x01}, 3,
         {"1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "0 8"}, 1},
        // A key without a name must not take a delay row, whose name part is empty too.
        {"a nameless key's partner is a key row", {0x82, 0x00, 0xFE, 0x06, 0x02, 0x00}, 0, {"0 48"}, 0},
        {"the last row leaves the macro empty", {0xA1}, 0, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MacroEditor& editor = Open({{"M", c.events}});
        ASSERT_TRUE(editor.SelectRow(c.position));
        const ChangeResult result = editor.DeleteRow();
        ASSERT_TRUE(result.Saved()) << result.reason;
        EXPECT_EQ(EventRows(editor.RowList()), c.rows);
        EXPECT_EQ(editor.SelectedRow(), c.selection);
        ExpectSaved();
    }
}

TEST_P(MacroEditorRows, EditByRowKind)
{
    // Rows: X move, Y move, delay, press, release.
    const StoredMacro macro{"M", {0xFB, 0x0C, 0xFA, 0x05, 0xFE, 0x0C, 0x82, 0x04, 0x02, 0x04}};
    struct Case {
        std::size_t position;
        EditDialog dialog;
        const char* text;
        std::optional<std::string> row;  // nothing: the row stays as it was
        const char* shown = "";
    };
    const Case cases[]{
        {0, EditDialog::MoveX, "-10", "4 FBF6", "X-Axis  -10"},
        {0, EditDialog::MoveX, "0", "3 FB00", "X-Axis  0"},
        {0, EditDialog::MoveX, "-200", "4 FB80", "X-Axis  -128"},
        {0, EditDialog::MoveX, "300", "3 FB7F", "X-Axis  127"},
        {0, EditDialog::MoveX, "-", std::nullopt},
        {0, EditDialog::MoveX, "", std::nullopt},
        {1, EditDialog::MoveY, "-1", "6 FAFF", "Y-Axis  -1"},
        {2, EditDialog::Delay, "3000", "0 2040", "2040 ms"},
        {2, EditDialog::Delay, "0", "0 0", "0 ms"},
        {2, EditDialog::Delay, "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("row ") + std::to_string(c.position) + " <- '" + c.text + "'");
        MacroEditor& editor = Open({macro});
        const Rows before = editor.RowList();
        const Bytes file = Library().FileBytes();
        ASSERT_TRUE(editor.SelectRow(c.position));
        const std::optional<EditRequest> request = editor.BeginEdit();
        ASSERT_TRUE(request);
        EXPECT_EQ(request->dialog, c.dialog);
        const ChangeResult result =
            c.dialog == EditDialog::Delay ? editor.FinishEditDelay(c.text) : editor.FinishEditValue(c.text);
        if (!c.row) {
            EXPECT_EQ(result.status, ChangeStatus::Unchanged);
            EXPECT_EQ(editor.RowList(), before);
            EXPECT_EQ(Library().FileBytes(), file);
            continue;
        }
        ASSERT_TRUE(result.Saved()) << result.reason;
        EXPECT_EQ(editor.RowList()[c.position + 1], *c.row);
        EXPECT_EQ(RowDisplayText(*c.row), c.shown);
        EXPECT_EQ(editor.SelectedRow(), c.position);
        ExpectSaved();
    }
}

TEST_P(MacroEditorRows, EditKeyRowsKeepTheirKind)
{
    struct Case {
        std::size_t position;
        bool press;
        std::optional<int> virtualKey;
        std::optional<std::string> row;
    };
    const Case cases[]{
        {0, true, 0x42, "1 B CODE:8205"},
        {1, false, 0x10, "2 Shift CODE:02E1"},  // a modifier from the key dialog is a key event
        {1, false, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        MacroEditor& editor = Open({{"M", {0x82, 0x04, 0x02, 0x04}}});
        const Rows before = editor.RowList();
        ASSERT_TRUE(editor.SelectRow(c.position));
        const std::optional<EditRequest> request = editor.BeginEdit();
        ASSERT_TRUE(request);
        EXPECT_EQ(request->dialog, EditDialog::Key);
        EXPECT_EQ(request->press, c.press);
        const ChangeResult result = editor.FinishEditKey(c.virtualKey);
        if (!c.row) {
            EXPECT_EQ(result.status, ChangeStatus::Unchanged);
            EXPECT_EQ(editor.RowList(), before);
            continue;
        }
        ASSERT_TRUE(result.Saved()) << result.reason;
        EXPECT_EQ(editor.RowList()[c.position + 1], *c.row);
        ExpectSaved();
    }
}

// A dialog's result goes to the row it was opened for, or nowhere.
TEST_P(MacroEditorRows, StaleEditResultsAreDropped)
{
    MacroEditor& editor = Open({{"M", {0xFB, 0x0C, 0xFB, 0x0D}}, {"N", {0xFB, 0x0C}}});
    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.BeginEdit());
    ASSERT_TRUE(editor.DeleteRow().Saved());
    const Rows afterDelete = editor.RowList();
    EXPECT_EQ(editor.FinishEditValue("5").status, ChangeStatus::Unchanged);
    EXPECT_EQ(editor.RowList(), afterDelete);

    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.BeginEdit());
    ASSERT_TRUE(editor.SelectMacro(1));
    EXPECT_EQ(editor.FinishEditValue("5").status, ChangeStatus::Unchanged);
    EXPECT_EQ(editor.RowList()[1], "3 FB0C");

    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.BeginEdit());
    EXPECT_EQ(editor.FinishEditDelay("5").status, ChangeStatus::Unchanged) << "a move row gets no delay";
    EXPECT_EQ(editor.FinishEditValue("5").status, ChangeStatus::Unchanged) << "one result per dialog";
    EXPECT_EQ(editor.RowList()[1], "3 FB0C");
}

TEST_P(MacroEditorRows, ReleaseOptionGoesStraightIntoTheBody)
{
    MacroEditor& editor = Open({kClick});
    const Bytes body = Library().Body(0);
    const Bytes file = Library().FileBytes();
    editor.ChooseRelease(true);
    EXPECT_TRUE(editor.Page().options.stopOnRelease);
    Bytes expected = body;
    expected[StopFlagOffset] = kStopOnRelease;
    EXPECT_EQ(Library().Body(0), expected) << "only the stop flag changes; the checksum does not cover it";
    EXPECT_EQ(Library().FileBytes(), file) << "saved with the next change";

    ASSERT_TRUE(editor.SelectRow(1));
    ASSERT_TRUE(editor.DeleteRow().Saved());
    EXPECT_EQ(Library().Body(0)[StopFlagOffset], kStopOnRelease);
    ExpectSaved();
}

TEST_P(MacroEditorRows, RepeatOptionReachesTheBodyAtTheNextChange)
{
    MacroEditor& editor = Open({kClick});
    // Clicking the selected option deselects it; only "Insert loop count" moves the field.
    struct Click {
        RepeatMode clicked;
        RepeatMode repeat;
        bool fieldEnabled;
    };
    const Click clicks[]{
        {RepeatMode::Count, RepeatMode::Count, true},       {RepeatMode::Count, RepeatMode::Off, false},
        {RepeatMode::Infinite, RepeatMode::Infinite, false}, {RepeatMode::Count, RepeatMode::Count, true},
        {RepeatMode::Infinite, RepeatMode::Infinite, true},  {RepeatMode::Infinite, RepeatMode::Off, true},
        {RepeatMode::Count, RepeatMode::Count, true},
    };
    const Bytes body = Library().Body(0);
    for (const Click& click : clicks) {
        editor.ClickRepeatOption(click.clicked);
        EXPECT_EQ(editor.Page().options.repeat, click.repeat);
        EXPECT_EQ(editor.Page().loopCountEnabled, click.fieldEnabled);
    }
    EXPECT_EQ(editor.TypeLoopCount("300"), "255");
    EXPECT_EQ(editor.TypeLoopCount("8"), "8");
    EXPECT_EQ(Library().Body(0), body) << "the option alone changes no body";

    ASSERT_TRUE(editor.SelectRow(1));
    ASSERT_TRUE(editor.DeleteRow().Saved());
    const Bytes saved = Library().Body(0);
    const auto events = BodyEvents(saved, GetParam());
    EXPECT_EQ(Bytes(events.begin(), events.end()), (Bytes{0xFD, 0x07, 0xA1, 0x21, 0xFC}));
    ExpectSaved();
}

TEST_P(MacroEditorRows, DelayOptions)
{
    MacroEditor& editor = Open({kClick});
    EXPECT_FALSE(editor.DelayFieldEditable());
    ASSERT_TRUE(editor.ChooseDelayOption(DelayMode::DelaySetting));
    EXPECT_TRUE(editor.DelayFieldEditable());
    EXPECT_EQ(editor.TypeDelay("3000"), "2040");
    EXPECT_EQ(editor.Page().options.delayMs, 2040);
    EXPECT_EQ(editor.TypeDelay(""), "0");
    EXPECT_EQ(editor.Page().options.delayMs, 0);
    ASSERT_TRUE(editor.ChooseDelayOption(DelayMode::NoDelay));
    EXPECT_FALSE(editor.DelayFieldEditable());
}

// A change the body cannot hold is refused whole: rows, body and file stay as they were.
TEST_P(MacroEditorRows, ChangesThatOverflowTheBodyAreRefused)
{
    const std::size_t limit = Describe(GetParam()).encodeLimit;
    Bytes moves;
    while (moves.size() + 2 <= limit) {
        moves.push_back(0xFB);
        moves.push_back(0x01);
    }
    MacroEditor& editor = Open({{"Full", moves}});
    const Rows rows = editor.RowList();
    const Bytes body = Library().Body(0);
    const Bytes file = Library().FileBytes();
    const auto expectUnchanged = [&] {
        EXPECT_EQ(editor.RowList(), rows);
        EXPECT_EQ(Library().Body(0), body);
        EXPECT_EQ(Library().FileBytes(), file);
    };

    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.OpenInsertPanel());
    ChangeResult result = editor.ConfirmInsert();
    EXPECT_EQ(result.status, ChangeStatus::TooLong);
    EXPECT_NE(result.reason.find(std::to_string(limit)), std::string::npos) << result.reason;
    EXPECT_TRUE(editor.Page().insert.open) << "the panel waits for Cancel";
    expectUnchanged();
    ASSERT_TRUE(editor.CancelInsert());

    // The repeat pair needs three bytes more.
    editor.ClickRepeatOption(RepeatMode::Infinite);
    ASSERT_TRUE(editor.SelectRow(0));
    ASSERT_TRUE(editor.BeginEdit());
    EXPECT_EQ(editor.FinishEditValue("2").status, ChangeStatus::TooLong);
    expectUnchanged();
    editor.ClickRepeatOption(RepeatMode::Infinite);
    ASSERT_TRUE(editor.BeginEdit());
    EXPECT_TRUE(editor.FinishEditValue("2").Saved());
}

TEST_P(MacroEditorRows, FailedSaveChangesNothing)
{
    MacroEditor& editor = Open({kClick});
    const Bytes body = Library().Body(0);
    const Bytes file = Library().FileBytes();
    Library().BlockWrites();
    ASSERT_TRUE(editor.SelectRow(1));
    const ChangeResult result = editor.DeleteRow();
    EXPECT_EQ(result.status, ChangeStatus::SaveFailed);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(editor.RowList(), kClickRows);
    EXPECT_EQ(editor.SelectedRow(), 1u);
    EXPECT_EQ(Library().Body(0), body);
    EXPECT_EQ(Library().FileBytes(), file);
}

TEST_P(MacroEditorRows, RowCommandsNeedAMacroAndARow)
{
    MacroEditor& editor = Open({kClick}, std::nullopt);
    EXPECT_EQ(editor.DeleteRow().status, ChangeStatus::Unchanged);
    EXPECT_FALSE(editor.BeginEdit());
    EXPECT_FALSE(editor.OpenInsertPanel());
    EXPECT_FALSE(editor.StartRecording());

    ASSERT_TRUE(editor.SelectMacro(0));
    ASSERT_TRUE(editor.SelectRow(5));  // below the last entry
    EXPECT_FALSE(editor.SelectedRow());
    EXPECT_EQ(editor.DeleteRow().status, ChangeStatus::Unchanged);
    EXPECT_FALSE(editor.BeginEdit());
    EXPECT_FALSE(editor.OpenInsertPanel());
    EXPECT_EQ(editor.RowList(), kClickRows);
}

TEST(MacroEditorFields, Corrections)
{
    struct Case {
        std::string (*correct)(std::string_view);
        const char* field;
        const char* typed;
        const char* shown;
    };
    const Case cases[]{
        {CorrectDelayText, "delay", "", "0"},          {CorrectDelayText, "delay", "-5", "0"},
        {CorrectDelayText, "delay", "2040", "2040"},   {CorrectDelayText, "delay", "2041", "2040"},
        {CorrectDelayText, "delay", "99999999999", "2040"},
        {CorrectLoopCountText, "loop", "", "1"},       {CorrectLoopCountText, "loop", "0", "1"},
        {CorrectLoopCountText, "loop", "255", "255"},  {CorrectLoopCountText, "loop", "256", "255"},
        {CorrectMoveText, "move", "-", "-"},           {CorrectMoveText, "move", "", "0"},
        {CorrectMoveText, "move", "127", "127"},       {CorrectMoveText, "move", "128", "127"},
        {CorrectMoveText, "move", "-128", "-128"},     {CorrectMoveText, "move", "-129", "-128"},
        {CorrectMoveText, "move", "1-", "0"},
        {CorrectRepeatCountText, "repeat", "-", "-"},  {CorrectRepeatCountText, "repeat", "", "0"},
        {CorrectRepeatCountText, "repeat", "-3", "0"}, {CorrectRepeatCountText, "repeat", "256", "255"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.correct(c.typed), c.shown) << c.field << " '" << c.typed << "'";

    EXPECT_EQ(DelayValue("3000"), 2040);
    EXPECT_EQ(LoopCountValue("0"), 1);
    EXPECT_EQ(MoveValue("-200"), -128);
    EXPECT_EQ(MoveValue("-"), std::nullopt);
    EXPECT_EQ(RepeatCountValue("300"), 255);
    EXPECT_EQ(RepeatCountValue("0"), std::nullopt) << "a stretch played no times";
    EXPECT_EQ(RepeatCountValue("-"), std::nullopt);
}

}  // namespace
}  // namespace qeltra3k::macros
