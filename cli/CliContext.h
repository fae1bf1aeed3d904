#pragma once
// What a command of tickwell-cli works on, and what it may do to the data
// file, known to the light program and to the whole one alike.
#include "cli/CliArgs.h"
#include "cli/TerminalMessages.h"
#include "store/EventBook.h"

struct TCliContext {
    const TCliArgs& Args;
    const TCliStreams& Io;
    TEventBook& Book;
};

// Commands that replace every event, and so may run on a data file that
// could not be read.
bool ReplacesAllEvents(TCliCommand command);
// Commands that may save the data file.
bool WritesEvents(TCliCommand command);
