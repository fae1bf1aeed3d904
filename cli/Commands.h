#pragma once
// The commands of tickwell-cli over a loaded master list. The data commands
// are the store's own (store/DataCommands.h); here they only get their
// operands and their exit status.
#include "cli/CliArgs.h"
#include "cli/TerminalMessages.h"
#include "store/EventBook.h"

struct TCliContext {
    const TCliArgs& Args;
    const TCliStreams& Io;
    TEventBook& Book;
};

// Runs the command; errors that end it are thrown as TTickwellError. The
// result says what the command itself knows about its outcome; the notices
// and questions add theirs through TTerminalMessages.
TExitStatus RunCommand(const TCliContext& c);

// Commands that replace every event, and so may run on a data file that
// could not be read.
bool ReplacesAllEvents(TCliCommand command);
// Commands that may save the data file.
bool WritesEvents(TCliCommand command);
