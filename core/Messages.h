#pragma once
// Every notice and question goes through these three routines. They are
// replaceable so that the windows show boxes, the command line prints and
// asks on the terminal, and tests record the texts and answer.
#include <functional>
#include <stdexcept>
#include <string>

enum TMsgKind { mkInformation = 0, mkError = 1, mkWarning = 2 };
enum TAnswer { anYes, anNo, anCancel, anOk };

// An error that ends a command; its text is shown to the user as it stands.
class TTickwellError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void ShowMsg(const std::string& text, TMsgKind kind);
// Yes, No or Cancel; only Yes lets an operation go on. The default answer is
// what Enter gives: No for a question whose Yes destroys or shifts data.
TAnswer AskYesNoCancel(const std::string& text, TAnswer defaultAnswer = anYes);
// OK or Cancel; only OK lets it go on.
TAnswer AskOkCancel(const std::string& text);

struct TMessageHandlers {
    std::function<void(const std::string&, TMsgKind)> Show;
    std::function<TAnswer(const std::string&)> YesNoCancel;
    std::function<TAnswer(const std::string&)> OkCancel;
    std::function<void()> Beep;
    // Asked when the event list is found broken and the program must end.
    std::function<void()> EndApplication;
    // When set, asked instead of YesNoCancel, with the default answer.
    std::function<TAnswer(const std::string&, TAnswer)> YesNoCancelWithDefault = {};
    // Whether each notice and question beeps first (the user's option);
    // never when unset.
    std::function<bool()> BeepWanted = {};
};

void RequestApplicationEnd();
// The default system beep, whatever BeepWanted says.
void SystemBeep();
// Replaces the handlers; returns the previous ones.
TMessageHandlers SetMessageHandlers(TMessageHandlers handlers);
