#include "store/ReadOnlyMode.h"
#include "core/Messages.h"
#include <utility>

namespace {

struct TState {
    TReadOnlyCause Cause = TReadOnlyCause::None;
    std::string Reason;
    TReadOnlyHook Hook;
};

TState& State() {
    static TState state;
    return state;
}

} // namespace

TReadOnlyCause ReadOnlyCause() {
    return State().Cause;
}

const std::string& ReadOnlyReason() {
    return State().Reason;
}

void SetReadOnly(TReadOnlyCause cause, const std::string& reason) {
    TState& s = State();
    const bool changed = s.Cause != cause || s.Reason != reason;
    s.Cause = cause;
    s.Reason = cause == TReadOnlyCause::None ? std::string() : reason;
    if (changed && s.Hook)
        s.Hook();
}

TReadOnlyHook SetReadOnlyHook(TReadOnlyHook hook) {
    return std::exchange(State().Hook, std::move(hook));
}

std::string KeepWholeEventsQuestion(int count) {
    return std::to_string(count) + (count == 1 ? " event" : " events") +
           " could be read whole from the damaged file. Keep " + (count == 1 ? "it" : "them") +
           " and let Tickwell save over the damaged file? Cancel leaves the file as it is, so "
           "that you can restore a backup.";
}

bool ChangesOffered() {
    const TReadOnlyCause cause = State().Cause;
    return cause == TReadOnlyCause::None || cause == TReadOnlyCause::Damaged;
}

bool RefuseChange() {
    if (State().Cause == TReadOnlyCause::None)
        return false;
    if (State().Cause == TReadOnlyCause::Damaged) {
        if (AskOkCancel(State().Reason) != anOk)
            return true;
        EndReadOnly();
        return false;
    }
    ShowMsg(std::string(kReadOnlyText) + "\n" + State().Reason, mkWarning);
    return true;
}
