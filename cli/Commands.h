#pragma once
// The commands of tickwell-cli over a loaded master list. The data commands
// are the store's own (store/DataCommands.h); here they only get their
// operands and their exit status.
#include "cli/CliContext.h"

// Runs the command; errors that end it are thrown as TTickwellError. The
// result says what the command itself knows about its outcome; the notices
// and questions add theirs through TTerminalMessages.
TExitStatus RunCommand(const TCliContext& c);
