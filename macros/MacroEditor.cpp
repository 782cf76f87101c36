#include "macros/MacroEditor.h"

#include <algorithm>
#include <utility>

#include "config/KeyboardFunction.h"
#include "macros/MacroEditorFields.h"
#include "macros/MacroEvents.h"

namespace qeltra3k::macros {

namespace {

constexpr InsertPanelView kDelayView{"InsertDelayBase", "Str420", true, false, false, false};
constexpr InsertPanelView kKeyView{"InsertKeyBase", "Str421", false, true, false, false};
constexpr InsertPanelView kXView{"InsertDelayBase", "Str420", false, false, true, false};
constexpr InsertPanelView kYView{"InsertDelayBase", "Str420", false, false, false, true};

// Indexed by InsertChoice: each kind of row comes as "Front" and "Back".
constexpr std::array<InsertPanelView, 8> kInsertViews{kDelayView, kDelayView, kKeyView, kKeyView,
                                                      kXView,     kXView,     kYView,   kYView};

bool IsFront(InsertChoice choice) { return static_cast<std::size_t>(choice) % 2 == 0; }

// The selection kept inside the row list: nothing when there are no event rows.
std::optional<std::size_t> ClampSelection(const Rows& rows, std::optional<std::size_t> position)
{
    if (!position || rows.size() <= 1)
        return std::nullopt;
    return std::min(*position, rows.size() - 2);
}

bool IsKeyRow(std::string_view row)
{
    const std::optional<int> kind = RowKind(row);
    return kind == row_kind::Press || kind == row_kind::Release;
}

// Event bytes a repeat option adds around the events.
std::size_t RepeatEventBytes(const MacroOptions& options)
{
    if (options.repeat == RepeatMode::Off)
        return 0;
    return FindEvent(event::RepeatStart)->size + FindEvent(event::RepeatEnd)->size;
}

ChangeResult Unchanged(std::string reason) { return {ChangeStatus::Unchanged, std::move(reason)}; }

}  // namespace

InsertPanelView DescribeInsertChoice(InsertChoice choice) { return kInsertViews[static_cast<std::size_t>(choice)]; }

MacroEditor::MacroEditor(MacroBodyStore& store) : store_(store) {}

const Rows& MacroEditor::RowList() const { return recorder_.Recording() ? recorder_.RowList() : rows_; }

std::optional<std::size_t> MacroEditor::SelectedRow() const
{
    return recorder_.Recording() ? recorder_.SelectedPosition() : selectedRow_;
}

// --- Encoding and saving -------------------------------------------------------------------

ChangeResult MacroEditor::Commit(Rows next, std::optional<std::size_t> selection)
{
    if (!page_.selectedMacro)
        return Unchanged("no macro is selected");
    const EncodeResult encoded = EncodeRows(next, page_.options, store_.Layout());
    switch (encoded.status) {
    case EncodeStatus::Ok:
        break;
    case EncodeStatus::TooLong:
        return {ChangeStatus::TooLong, "the macro would need " + std::to_string(encoded.eventBytes) +
                                           " event bytes; its body holds at most " + std::to_string(encoded.capacity)};
    case EncodeStatus::BadRow:
        return {ChangeStatus::BadRow, "row " + std::to_string(encoded.badRow) + " is no event row"};
    case EncodeStatus::BadLoopCount:
        return {ChangeStatus::BadLoopCount, "the loop count must be 1 to 255"};
    }
    FileResult saved = store_.SaveBody(*page_.selectedMacro, encoded.body);
    if (!saved)
        return {ChangeStatus::SaveFailed, std::move(saved.error)};
    rows_ = std::move(next);
    selectedRow_ = ClampSelection(rows_, selection);
    return {ChangeStatus::Saved, {}};
}

void MacroEditor::Redecode()
{
    rows_.clear();
    selectedRow_.reset();
    if (!page_.selectedMacro)
        return;
    rows_ = DecodeRows(store_.Body(*page_.selectedMacro), store_.Layout(), page_.options);
    // An empty body leaves the options, and so the field, as they were.
    if (!rows_.empty())
        page_.loopCountEnabled = page_.options.repeat == RepeatMode::Count;
}

// --- Macro list ------------------------------------------------------------------------------

bool MacroEditor::SelectMacro(std::optional<std::size_t> position)
{
    // The recorder writes into the macro that was selected when it started.
    if (Recording())
        return false;
    edit_.reset();
    page_.selectedMacro = position && *position < store_.Count() ? position : std::nullopt;
    Redecode();
    return true;
}

// --- Options -----------------------------------------------------------------------------------

void MacroEditor::ChooseRelease(bool stopOnRelease)
{
    page_.options.stopOnRelease = stopOnRelease;
    if (page_.selectedMacro)
        store_.SetStopFlag(*page_.selectedMacro, stopOnRelease ? kStopOnRelease : kStopAfterMacro);
}

void MacroEditor::ClickRepeatOption(RepeatMode option)
{
    RepeatMode& repeat = page_.options.repeat;
    if (option == RepeatMode::Count) {
        const bool select = repeat != RepeatMode::Count;
        repeat = select ? RepeatMode::Count : RepeatMode::Off;
        page_.loopCountEnabled = select;
    } else if (option == RepeatMode::Infinite) {
        // The loop count field keeps its state.
        repeat = repeat == RepeatMode::Infinite ? RepeatMode::Off : RepeatMode::Infinite;
    }
}

std::string MacroEditor::TypeLoopCount(std::string_view text)
{
    std::string corrected = CorrectLoopCountText(text);
    page_.options.loopCount = LoopCountValue(corrected);
    return corrected;
}

bool MacroEditor::ChooseDelayOption(DelayMode mode)
{
    if (Recording() || page_.insert.open)
        return false;
    page_.options.delayMode = mode;
    return true;
}

std::string MacroEditor::TypeDelay(std::string_view text)
{
    std::string corrected = CorrectDelayText(text);
    page_.options.delayMs = DelayValue(corrected);
    return corrected;
}

bool MacroEditor::DelayFieldEditable() const
{
    return page_.options.delayMode == DelayMode::DelaySetting && !Recording();
}

// --- Rows --------------------------------------------------------------------------------------

bool MacroEditor::SelectRow(std::optional<std::size_t> position)
{
    if (Recording())
        return false;
    selectedRow_ = position && *position + 1 < rows_.size() ? position : std::nullopt;
    return true;
}

std::optional<EditRequest> MacroEditor::BeginEdit()
{
    edit_.reset();
    if (Recording() || !page_.selectedMacro || !selectedRow_)
        return std::nullopt;
    const std::size_t position = *selectedRow_;
    const std::string& row = rows_[position + 1];
    EditRequest request;
    request.position = position;
    switch (RowKind(row).value_or(-1)) {
    case row_kind::Delay:
        request.dialog = EditDialog::Delay;
        break;
    case row_kind::Press:
    case row_kind::Release:
        request.dialog = EditDialog::Key;
        request.press = RowKind(row) == row_kind::Press;
        break;
    case row_kind::MoveXPlus:
    case row_kind::MoveXMinus:
        request.dialog = EditDialog::MoveX;
        break;
    case row_kind::MoveYPlus:
    case row_kind::MoveYMinus:
        request.dialog = EditDialog::MoveY;
        break;
    case row_kind::RepeatStart:
        request.dialog = EditDialog::RepeatCount;
        break;
    default:
        return std::nullopt;  // a repeat end has nothing to edit
    }
    edit_ = PendingEdit{request.dialog, *page_.selectedMacro, position, row};
    return request;
}

// The edit a dialog result belongs to, if that row is still there as it was when the
// dialog opened: a result never lands on another row or another macro.
std::optional<MacroEditor::PendingEdit> MacroEditor::TakeEdit(std::initializer_list<EditDialog> dialogs)
{
    std::optional<PendingEdit> edit = std::exchange(edit_, std::nullopt);
    if (!edit || std::find(dialogs.begin(), dialogs.end(), edit->dialog) == dialogs.end())
        return std::nullopt;
    if (Recording() || page_.selectedMacro != edit->macro || edit->position + 1 >= rows_.size() ||
        rows_[edit->position + 1] != edit->row)
        return std::nullopt;
    return edit;
}

ChangeResult MacroEditor::ReplaceEditedRow(const PendingEdit& edit, std::string row)
{
    Rows next = rows_;
    next[edit.position + 1] = std::move(row);
    return Commit(std::move(next), edit.position);
}

ChangeResult MacroEditor::FinishEditDelay(std::string_view text)
{
    const std::optional<PendingEdit> edit = TakeEdit({EditDialog::Delay});
    if (!edit)
        return Unchanged("no delay row is being edited");
    if (text.empty())
        return Unchanged("no delay was given");
    return ReplaceEditedRow(*edit, DelayRow(DelayValue(text)));
}

ChangeResult MacroEditor::FinishEditKey(std::optional<int> virtualKey)
{
    const std::optional<PendingEdit> edit = TakeEdit({EditDialog::Key});
    if (!edit)
        return Unchanged("no key row is being edited");
    if (!virtualKey)
        return Unchanged("no key was captured");
    const bool press = RowKind(edit->row) == row_kind::Press;
    return ReplaceEditedRow(*edit, KeyRow(press, config::VirtualKeyName(*virtualKey),
                                          press ? event::KeyDown : event::KeyUp,
                                          config::VirtualKeyToUsage(*virtualKey)));
}

ChangeResult MacroEditor::FinishEditValue(std::string_view text)
{
    const std::optional<PendingEdit> edit = TakeEdit({EditDialog::MoveX, EditDialog::MoveY, EditDialog::RepeatCount});
    if (!edit)
        return Unchanged("no move or repeat row is being edited");
    if (text.empty())
        return Unchanged("no value was given");
    if (edit->dialog == EditDialog::RepeatCount) {
        const std::optional<int> count = RepeatCountValue(text);
        if (!count)
            return Unchanged("a repeat count must be 1 to 255");
        return ReplaceEditedRow(*edit, RepeatStartRow(*count));
    }
    const std::optional<int> value = MoveValue(text);
    if (!value)
        return Unchanged("the value is not a number");
    return ReplaceEditedRow(*edit, edit->dialog == EditDialog::MoveX ? MoveXRow(*value) : MoveYRow(*value));
}

ChangeResult MacroEditor::DeleteRow()
{
    if (Recording() || !page_.selectedMacro || !selectedRow_)
        return Unchanged("no row is selected");
    const std::size_t position = *selectedRow_;
    const std::size_t index = position + 1;
    Rows next = rows_;
    const std::string_view row = rows_[index];
    const std::optional<int> kind = RowKind(row);
    const auto partnerOf = [&row](const std::string& other) {
        return IsKeyRow(other) && RowName(other) == RowName(row);
    };
    const std::size_t previous = position == 0 ? 0 : position - 1;
    std::size_t selection = previous;

    std::optional<std::size_t> partner;
    if (kind == row_kind::Press) {
        // The first following key row of the same name goes with it.
        for (std::size_t i = index + 1; i < next.size() && !partner; ++i) {
            if (partnerOf(next[i]))
                partner = i;
        }
    } else if (kind == row_kind::Release) {
        // The nearest preceding key row of the same name goes with it (never the header).
        for (std::size_t i = index; i-- > 1 && !partner;) {
            if (partnerOf(next[i]))
                partner = i;
        }
        if (partner)
            selection = position <= 1 ? 0 : position - 2;
    }
    // The later of the two first, so the other keeps its index.
    next.erase(next.begin() + static_cast<std::ptrdiff_t>(std::max(index, partner.value_or(0))));
    if (partner)
        next.erase(next.begin() + static_cast<std::ptrdiff_t>(std::min(index, *partner)));
    return Commit(std::move(next), selection);
}

// --- Insert panel --------------------------------------------------------------------------------

bool MacroEditor::OpenInsertPanel()
{
    if (Recording() || page_.insert.open || !page_.selectedMacro || !selectedRow_)
        return false;
    InsertPanel& panel = page_.insert;
    panel.rememberedTopRow = page_.topRow;
    panel.rememberedSelectedRow = selectedRow_;
    panel.open = true;
    return ChooseInsert(InsertChoice::DelayFront);
}

bool MacroEditor::ChooseInsert(InsertChoice choice)
{
    InsertPanel& panel = page_.insert;
    if (!panel.open || InsertRecording())
        return false;
    panel.choice = choice;
    if (DescribeInsertChoice(choice).recordControls)
        panel.delayMode = DelayMode::RealTime;
    return true;
}

bool MacroEditor::ChooseInsertDelayOption(DelayMode mode)
{
    InsertPanel& panel = page_.insert;
    if (!panel.open || InsertRecording() || !DescribeInsertChoice(panel.choice).recordControls)
        return false;
    panel.delayMode = mode;
    return true;
}

bool MacroEditor::InsertDelayFieldEditable() const
{
    const InsertPanel& panel = page_.insert;
    if (!panel.open || InsertRecording())
        return false;
    const InsertPanelView view = DescribeInsertChoice(panel.choice);
    return view.delayField || (view.recordControls && panel.delayMode == DelayMode::DelaySetting);
}

std::string MacroEditor::TypeInsertDelay(std::string_view text)
{
    return page_.insert.delayText = CorrectDelayText(text);
}

std::string MacroEditor::TypeX(std::string_view text) { return page_.insert.xText = CorrectMoveText(text); }
std::string MacroEditor::TypeY(std::string_view text) { return page_.insert.yText = CorrectMoveText(text); }

ChangeResult MacroEditor::ConfirmInsert()
{
    InsertPanel& panel = page_.insert;
    if (!panel.open || Recording())
        return Unchanged("the insert panel is not waiting for OK");
    const InsertPanelView view = DescribeInsertChoice(panel.choice);

    std::optional<std::string> newRow;
    if (view.delayField) {
        newRow = DelayRow(DelayValue(panel.delayText));
    } else if (view.xField || view.yField) {
        const std::optional<int> value = MoveValue(view.xField ? panel.xText : panel.yText);
        if (!value)
            return Unchanged("the value is not a number");
        newRow = view.xField ? MoveXRow(*value) : MoveYRow(*value);
    }

    Rows next = rows_;
    std::optional<std::size_t> selection = selectedRow_;
    if (newRow) {
        if (!selectedRow_)
            return Unchanged("no row is selected");
        const std::size_t index = *selectedRow_ + (IsFront(panel.choice) ? 1 : 2);
        next.insert(next.begin() + static_cast<std::ptrdiff_t>(index), std::move(*newRow));
        selection = index - 1;
    }
    ChangeResult result = Commit(std::move(next), selection);
    if (!result.Saved())
        return result;
    CloseInsertPanel();
    recorder_.ClearStopRequest();
    return result;
}

bool MacroEditor::CancelInsert()
{
    const InsertPanel& panel = page_.insert;
    if (!panel.open || Recording())
        return false;
    CloseInsertPanel();
    Redecode();
    page_.topRow = panel.rememberedTopRow;
    selectedRow_ = ClampSelection(rows_, panel.rememberedSelectedRow);
    // A stop request left by an insert recording would keep the next one from starting.
    recorder_.ClearStopRequest();
    return true;
}

void MacroEditor::CloseInsertPanel() { page_.insert.open = false; }

// --- Recording ---------------------------------------------------------------------------------

bool MacroEditor::StartRecording()
{
    if (Recording() || page_.insert.open || !page_.selectedMacro)
        return false;
    const MacroOptions& options = page_.options;
    if (!recorder_.Start({store_.Layout(), options.delayMode, options.delayMs, RepeatEventBytes(options)}))
        return false;
    edit_.reset();
    keyboard_.SetEnabled(true);
    return true;
}

ChangeResult MacroEditor::StopRecording()
{
    if (!Recording() || InsertRecording())
        return Unchanged("no recording runs");
    keyboard_.SetEnabled(false);
    recorder_.Stop();
    return FinishRecording();
}

ChangeResult MacroEditor::FinishRecording()
{
    ChangeResult result = Commit(recorder_.RowList(), recorder_.SelectedPosition());
    // Refused: the body did not change, so the page shows it again.
    if (!result.Saved())
        Redecode();
    return result;
}

bool MacroEditor::StartInsertRecording()
{
    const InsertPanel& panel = page_.insert;
    if (Recording() || !panel.open || !page_.selectedMacro || !selectedRow_)
        return false;
    if (!DescribeInsertChoice(panel.choice).recordControls)
        return false;
    const BodyLayout layout = store_.Layout();
    // The rows already there (with the repeat pair) stay in the body beside the new ones.
    const std::size_t rowBytes = EncodeRows(rows_, page_.options, layout).eventBytes;
    const RecorderOptions options{layout, panel.delayMode, DelayValue(panel.delayText), rowBytes};
    const InsertSide side = IsFront(panel.choice) ? InsertSide::Front : InsertSide::Back;
    const std::size_t bodyLength = BodyLength(store_.Body(*page_.selectedMacro), layout);
    if (!recorder_.StartInsert(rows_, *selectedRow_, side, bodyLength, options))
        return false;
    edit_.reset();
    keyboard_.SetEnabled(true);
    return true;
}

bool MacroEditor::StopInsertRecording()
{
    if (!InsertRecording())
        return false;
    keyboard_.SetEnabled(false);
    recorder_.Stop();
    rows_ = recorder_.RowList();
    selectedRow_ = recorder_.SelectedPosition();
    return true;
}

RecordingStep MacroEditor::AfterRecorded(RecordOutcome outcome, bool wasInsert)
{
    RecordingStep step{outcome, {}};
    if (outcome != RecordOutcome::Stopped)
        return step;
    keyboard_.SetEnabled(false);
    if (wasInsert) {
        rows_ = recorder_.RowList();
        selectedRow_ = recorder_.SelectedPosition();
    } else {
        step.stop = FinishRecording();
    }
    return step;
}

RecordingStep MacroEditor::KeyMessage(TickMs now, int virtualKey, KeyTransition transition)
{
    const std::optional<KeyReceive> told = keyboard_.HandleKey(virtualKey, transition);
    if (!told)
        return {};
    return KeyEvent(now, told->key, told->state);
}

RecordingStep MacroEditor::KeyEvent(TickMs now, int virtualKey, KeyboardHookState state)
{
    if (!Recording())
        return {};
    const bool wasInsert = InsertRecording();
    return AfterRecorded(recorder_.KeyEvent(now, virtualKey, state), wasInsert);
}

RecordingStep MacroEditor::MouseMessage(TickMs now, unsigned message, std::uint32_t mouseData)
{
    return {recorder_.MouseMessage(now, message, mouseData), {}};
}

}  // namespace qeltra3k::macros
