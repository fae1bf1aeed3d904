#pragma once
// list, due and month: the commands the light program runs itself, in rows
// or JSON for scripts and in words for a person at a terminal.
#include "cli/CliContext.h"

bool IsReadingCommand(TCliCommand command);
TExitStatus RunReadingCommand(const TCliContext& c);
