#pragma once
// The notices and questions of the data commands on a terminal: information
// and warnings on standard output, errors on standard error; a question is
// asked on the terminal when there is one, answered Yes/OK with --yes, and
// otherwise answered No/Cancel, so that a script never deletes or overwrites
// by accident. Tracks what the exit status has to say.
#include "cli/OutputForm.h"
#include "core/Messages.h"
#include <istream>
#include <ostream>

struct TCliStreams {
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
    // Standard input is a terminal: questions are asked there.
    bool Interactive = false;
    TOutputForm Form = TOutputForm::Rows;
    // The width a calendar fills on a terminal.
    int Columns = 80;
};

enum TExitStatus { esDone = 0, esNotDone = 1, esError = 2 };

// Installs itself as the message handlers for its lifetime.
class TTerminalMessages {
public:
    TTerminalMessages(const TCliStreams& io, bool answerYes);
    ~TTerminalMessages();
    TTerminalMessages(const TTerminalMessages&) = delete;
    TTerminalMessages& operator=(const TTerminalMessages&) = delete;

    // esNotDone after a warning or a question not answered Yes/OK, esError
    // after an error notice.
    TExitStatus Status() const { return Worst; }
    void Note(TExitStatus status);

private:
    void Show(const std::string& text, TMsgKind kind);
    // True for Yes/OK.
    bool Answer(const std::string& question, const char* yes, const char* no);

    const TCliStreams& Io;
    bool AnswerYes;
    TExitStatus Worst = esDone;
    TMessageHandlers Previous;
};
