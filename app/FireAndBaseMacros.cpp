// The fire macro writes of the engineer page and the fire macro page, and the base macro
// import: the model halves are the fire and macros modules'; here they get the device frame.
#include "app/Controller.h"
#include "app/ControllerSteps.h"

namespace qeltra3k::app {

namespace {

struct FrameOutcome {
    device::WriteFrameOutcome frame;
    Outcome outcome;
};
constexpr std::array<FrameOutcome, 4> kFrameOutcomes{{
    {device::WriteFrameOutcome::Written, Outcome::Done},
    {device::WriteFrameOutcome::Stopped, Outcome::NoAnswer},
    {device::WriteFrameOutcome::MemoryNotReady, Outcome::NotReady},
    {device::WriteFrameOutcome::WriteFailed, Outcome::TransferFailed},
}};

Outcome OutcomeOf(device::WriteFrameOutcome frame)
{
    for (const auto& entry : kFrameOutcomes)
        if (entry.frame == frame)
            return entry.outcome;
    return Outcome::TransferFailed;
}

}  // namespace

Outcome Controller::FireWriteFrame(const std::function<device::WriteFrameResult()>& frame)
{
    SetDevTimer(false);
    view_.ShowLoadingWindow();
    waiting_.ProcessPendingMessages();
    const device::WriteFrameResult result = frame();
    if (result.outcome != device::WriteFrameOutcome::Stopped) {
        memoryReady_ = result.memoryReady;
        chipCode_ = result.chipCode;
    }
    view_.HideLoadingWindow();
    waiting_.ProcessPendingMessages();
    SetDevTimerFirst(false);
    SetDevTimer(true);
    return OutcomeOf(result.outcome);
}

Outcome Controller::TLFireMarcoParameter(int kind)
{
    view_.CloseMenus();
    if (!fire::LoadFireMacroPreset(fireMacros_, kind))
        return Outcome::BadFile;
    view_.Refresh(RefreshRequest::FireMacros);
    return FireWriteFrame([this] { return fire::WriteFireMacroBlock(protocol_, fireMacros_.Block()); });
}

Outcome Controller::ImportGunMacro(const std::optional<std::filesystem::path>& chosen)
{
    view_.CloseMenus();
    if (!chosen)
        return Outcome::Cancelled;
    const fire::GunMacroImport import = fire::ImportGunMacroFile(fireMacros_, *chosen);
    if (!import.imported) {
        ShowMessage(MessageStyle::Box, {"Str102"}, chosen->string());
        return Outcome::BadFile;
    }
    view_.Refresh(RefreshRequest::FireMacros);
    return FireWriteFrame([this] { return fire::WriteFireMacroBlock(protocol_, fireMacros_.Block()); });
}

Outcome Controller::ConfirmFireMacros()
{
    return FireWriteFrame([this] { return fire::ConfirmFireMacros(protocol_, fireMacros_, dataBuf_); });
}

Outcome Controller::ImportBaseMacro(const std::optional<std::filesystem::path>& chosen)
{
    if (!chosen)
        return Outcome::Cancelled;
    if (!macros::ImportBaseMacroFile(*chosen, deviceImage_, deviceSlots_)) {
        ShowMessage(MessageStyle::Box, {"Str102"}, chosen->string());
        return Outcome::BadFile;
    }
    macroNameList_ = deviceSlots_.Names();
    view_.Refresh(RefreshRequest::MacroView);

    BusyFrameStart();
    const Outcome outcome = OutcomeOf(macros::WriteBaseMacroBlock(protocol_, deviceImage_).outcome);
    BusyFrameEnd();
    return outcome;
}

}  // namespace qeltra3k::app
