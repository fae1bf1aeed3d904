#include "cli/CliContext.h"

bool ReplacesAllEvents(TCliCommand command) {
    return command == TCliCommand::Restore || command == TCliCommand::Zap;
}

bool WritesEvents(TCliCommand command) {
    switch (command) {
    case TCliCommand::List:
    case TCliCommand::Due:
    case TCliCommand::Month:
    case TCliCommand::Export:
    case TCliCommand::Backup:
    case TCliCommand::None:
        return false;
    default:
        return true;
    }
}
