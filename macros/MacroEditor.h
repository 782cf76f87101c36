#pragma once
// The macro page as plain data and its operations: select a macro, set its play options,
// edit, delete and insert rows, record and insert-record. The widgets only show the model
// and call these operations.
//
// Every change of the rows is encoded into the selected macro's body and the library file is
// written at once. A change the body cannot take (more event bytes than it holds) or a file
// that cannot be written is refused as a whole: rows, body and file stay as they were, and
// the result says why.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "macros/KeyboardHook.h"
#include "macros/MacroEditorStore.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroRows.h"

namespace qeltra3k::macros {

// --- Results -------------------------------------------------------------------------------

enum class ChangeStatus {
    Saved,         // encoded into the body and written to the library file
    Unchanged,     // nothing to do: no macro or row, an empty or unusable dialog result, ...
    TooLong,       // the rows need more event bytes than the body holds
    BadRow,        // a row that is no event row
    BadLoopCount,  // a counted repeat outside 1 .. 255
    SaveFailed,    // the library file could not be written
};

struct ChangeResult {
    ChangeStatus status = ChangeStatus::Unchanged;
    std::string reason;  // why, for anything but Saved
    bool Saved() const { return status == ChangeStatus::Saved; }
};

// --- The insert panel -----------------------------------------------------------------------

// The items of the insert choice, in their order.
enum class InsertChoice { DelayFront, DelayBack, KeyFront, KeyBack, XFront, XBack, YFront, YBack };

// What the panel shows for an insert choice.
struct InsertPanelView {
    std::string_view background;  // picture resource
    std::string_view okText;      // language key of the OK button
    bool delayField;              // the delay field with its "Delay Time" and "ms" labels, editable
    bool recordControls;          // the insert delay options, the insert-record button and the
                                  // delay field, read-only until "Delay Setting" is chosen
    bool xField;
    bool yField;
};
InsertPanelView DescribeInsertChoice(InsertChoice choice);

inline constexpr std::string_view kDefaultInsertDelayText = "50";
inline constexpr std::string_view kDefaultMoveText = "12";

struct InsertPanel {
    bool open = false;
    InsertChoice choice = InsertChoice::DelayFront;
    DelayMode delayMode = DelayMode::RealTime;  // of an insert recording
    std::string delayText{kDefaultInsertDelayText};
    std::string xText{kDefaultMoveText};
    std::string yText{kDefaultMoveText};
    // The row list as it was when the panel opened, for Cancel.
    std::size_t rememberedTopRow = 0;
    std::optional<std::size_t> rememberedSelectedRow;
};

// --- The page -------------------------------------------------------------------------------

struct MacroPage {
    std::optional<std::size_t> selectedMacro;  // position in the macro list = record number
    MacroOptions options;                      // release, repeat and delay options and fields
    bool loopCountEnabled = false;             // Edt_Circle_Times
    std::size_t topRow = 0;                    // first visible entry of the row list, kept by the view
    InsertPanel insert;
};

// The dialog Edit opens for a row, by the row's kind.
enum class EditDialog { Delay, Key, MoveX, MoveY, RepeatCount };

struct EditRequest {
    EditDialog dialog = EditDialog::Delay;
    bool press = false;        // Key: the row is a press (else a release)
    std::size_t position = 0;  // list position of the row
};

// What a recorded event did; `stop` tells how the automatic stop of a normal recording
// was saved (with outcome Stopped).
struct RecordingStep {
    RecordOutcome outcome = RecordOutcome::Ignored;
    ChangeResult stop;
};

class MacroEditor {
public:
    explicit MacroEditor(MacroBodyStore& store);

    const MacroPage& Page() const { return page_; }
    // The rows of the selected macro, header first; the recorder's while a recording runs.
    const Rows& RowList() const;
    // Selected entry of the row list (row index - 1).
    std::optional<std::size_t> SelectedRow() const;
    bool Recording() const { return recorder_.Recording(); }
    bool InsertRecording() const { return recorder_.InsertRecording(); }
    const MacroRecorder& Recorder() const { return recorder_; }
    // The keyboard component; enabled exactly while a recording runs.
    const KeyboardHook& Keyboard() const { return keyboard_; }

    // --- Macro list ------------------------------------------------------------------------
    // Decodes the macro at `position` into rows and options; a position past the last macro
    // (a click below the entries) clears the selection and the rows. Refused while recording.
    bool SelectMacro(std::optional<std::size_t> position);

    // --- Options ---------------------------------------------------------------------------
    void ChooseRelease(bool stopOnRelease);
    // A click on "Insert loop count" (Count) or "Infinite loop" (Infinite): the selected one
    // is deselected, the other one selected. The body gets it at the next encoding.
    void ClickRepeatOption(RepeatMode option);
    std::string TypeLoopCount(std::string_view text);  // returns the corrected text
    bool ChooseDelayOption(DelayMode mode);            // refused while recording or inserting
    std::string TypeDelay(std::string_view text);
    bool DelayFieldEditable() const;

    // --- Rows --------------------------------------------------------------------------------
    // A click in the row list; a position past the last entry clears the selection.
    bool SelectRow(std::optional<std::size_t> position);
    void SetTopRow(std::size_t topRow) { page_.topRow = topRow; }

    // Edit: the dialog to open for the selected row; the result goes to that row. Nothing
    // without a selected row, while recording, or for a row no dialog edits.
    std::optional<EditRequest> BeginEdit();
    ChangeResult FinishEditDelay(std::string_view text);
    ChangeResult FinishEditKey(std::optional<int> virtualKey);  // nothing: no key captured
    ChangeResult FinishEditValue(std::string_view text);        // move or repeat count
    void CancelEdit() { edit_.reset(); }

    // Delete: the selected row, with its partner press or release.
    ChangeResult DeleteRow();

    // --- Insert panel ------------------------------------------------------------------------
    bool OpenInsertPanel();
    bool ChooseInsert(InsertChoice choice);
    bool ChooseInsertDelayOption(DelayMode mode);
    bool InsertDelayFieldEditable() const;
    std::string TypeInsertDelay(std::string_view text);
    std::string TypeX(std::string_view text);
    std::string TypeY(std::string_view text);
    // OK: adds the delay or move row (key rows came from insert recording), encodes and
    // saves, and closes the panel. A refused change keeps the panel open.
    ChangeResult ConfirmInsert();
    // Cancel: closes the panel and decodes the unchanged body again, dropping rows an insert
    // recording added.
    bool CancelInsert();

    // --- Recording ---------------------------------------------------------------------------
    bool StartRecording();
    ChangeResult StopRecording();  // encodes and saves the recorded rows
    bool StartInsertRecording();
    bool StopInsertRecording();    // the rows wait for OK or Cancel

    void SetRecordButtonHover(bool hover) { recorder_.SetRecordButtonHover(hover); }
    // A raw keyboard message: through the keyboard component to the recorder.
    RecordingStep KeyMessage(TickMs now, int virtualKey, KeyTransition transition);
    // A key event as the keyboard component tells it.
    RecordingStep KeyEvent(TickMs now, int virtualKey, KeyboardHookState state);
    RecordingStep MouseMessage(TickMs now, unsigned message, std::uint32_t mouseData);

private:
    struct PendingEdit {
        EditDialog dialog;
        std::size_t macro;
        std::size_t position;
        std::string row;
    };

    ChangeResult Commit(Rows next, std::optional<std::size_t> selection);
    void Redecode();
    void CloseInsertPanel();
    ChangeResult FinishRecording();
    std::optional<PendingEdit> TakeEdit(std::initializer_list<EditDialog> dialogs);
    ChangeResult ReplaceEditedRow(const PendingEdit& edit, std::string row);
    RecordingStep AfterRecorded(RecordOutcome outcome, bool wasInsert);

    MacroBodyStore& store_;
    MacroPage page_;
    Rows rows_;
    std::optional<std::size_t> selectedRow_;
    std::optional<PendingEdit> edit_;
    MacroRecorder recorder_;
    KeyboardHook keyboard_;
};

}  // namespace qeltra3k::macros
