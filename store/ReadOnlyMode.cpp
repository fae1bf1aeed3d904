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

bool RefuseChange() {
    if (State().Cause == TReadOnlyCause::None)
        return false;
    ShowMsg(std::string(kReadOnlyText) + "\n" + State().Reason, mkWarning);
    return true;
}
