#include "cli/TerminalMessages.h"
#include "store/Settings.h"
#include <string>

namespace {

bool IsYes(std::string reply) {
    while (!reply.empty() && (reply.back() == ' ' || reply.back() == '\r'))
        reply.pop_back();
    while (!reply.empty() && reply.front() == ' ')
        reply.erase(reply.begin());
    return reply == "y" || reply == "Y" || reply == "yes" || reply == "Yes" || reply == "YES";
}

} // namespace

TTerminalMessages::TTerminalMessages(const TCliStreams& io, bool answerYes)
    : Io(io), AnswerYes(answerYes) {
    Previous = SetMessageHandlers({
        [this](const std::string& text, TMsgKind kind) { Show(text, kind); },
        [this](const std::string& q) { return Answer(q, "Yes", "No") ? anYes : anNo; },
        [this](const std::string& q) { return Answer(q, "OK", "Cancel") ? anOk : anCancel; },
        [this] {
            if (Io.Interactive)
                Io.Err << '\a' << std::flush;
        },
        [] {},
        {},
        [] { return TSettings().Get(kBeep); },
    });
}

TTerminalMessages::~TTerminalMessages() {
    SetMessageHandlers(std::move(Previous));
}

void TTerminalMessages::Note(TExitStatus status) {
    if (status > Worst)
        Worst = status;
}

void TTerminalMessages::Show(const std::string& text, TMsgKind kind) {
    if (kind == mkError) {
        Io.Err << text << '\n' << std::flush;
        Note(esError);
        return;
    }
    Io.Out << text << '\n' << std::flush;
    if (kind == mkWarning)
        Note(esNotDone);
}

bool TTerminalMessages::Answer(const std::string& question, const char* yes, const char* no) {
    bool granted = AnswerYes;
    if (!AnswerYes) {
        if (Io.Interactive) {
            Io.Err << question << " [y/N] " << std::flush;
            std::string reply;
            granted = static_cast<bool>(std::getline(Io.In, reply)) && IsYes(reply);
            if (!Io.In)
                Io.Err << '\n';
        } else {
            Io.Err << question << "\n(answered " << no << "; --yes answers " << yes << ")\n"
                   << std::flush;
        }
    }
    if (!granted)
        Note(esNotDone);
    return granted;
}
