#include "core/Messages.h"
#include <iostream>
#include <utility>

namespace {

// Until a front end installs its own, notices go to stderr and every question
// is answered in the way that changes nothing.
TMessageHandlers& Handlers() {
    static TMessageHandlers h{
        [](const std::string& text, TMsgKind) { std::cerr << text << '\n'; },
        [](const std::string&) { return anCancel; },
        [](const std::string&) { return anCancel; },
        [] {},
        [] {},
    };
    return h;
}

void BeepFirst() {
    if (Handlers().BeepWanted && Handlers().BeepWanted() && Handlers().Beep)
        Handlers().Beep();
}

} // namespace

void ShowMsg(const std::string& text, TMsgKind kind) {
    BeepFirst();
    if (Handlers().Show)
        Handlers().Show(text, kind);
}

TAnswer AskYesNoCancel(const std::string& text, TAnswer defaultAnswer) {
    BeepFirst();
    if (Handlers().YesNoCancelWithDefault)
        return Handlers().YesNoCancelWithDefault(text, defaultAnswer);
    return Handlers().YesNoCancel ? Handlers().YesNoCancel(text) : anCancel;
}

TAnswer AskOkCancel(const std::string& text) {
    BeepFirst();
    return Handlers().OkCancel ? Handlers().OkCancel(text) : anCancel;
}

void RequestApplicationEnd() {
    if (Handlers().EndApplication)
        Handlers().EndApplication();
}

void SystemBeep() {
    if (Handlers().Beep)
        Handlers().Beep();
}

TMessageHandlers SetMessageHandlers(TMessageHandlers handlers) {
    return std::exchange(Handlers(), std::move(handlers));
}
