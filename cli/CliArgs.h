#pragma once
// The command line of tickwell-cli: global options, the command and its
// operands, and the usage text. Parsing only checks the form of the
// arguments; what the values mean is checked by the commands.
#include "core/DateTime.h"
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

enum class TCliCommand {
    None,
    List,
    Due,
    Month,
    Add,
    Ack,
    Export,
    Import,
    Archive,
    Compress,
    Zap,
    Backup,
    Restore,
    Merge,
    Delete,
    Edit,
    Vdir,
    Snooze,
};

// The event's fields given to `add` or `edit`. Dates stay text so that they
// are checked in the editor's order, with its messages.
struct TEventOptions {
    std::optional<std::string> Description;
    std::optional<std::string> Start;
    // -1 once only, else the repeat type code 0..5.
    std::optional<int> Type;
    std::optional<int> Interval;
    std::optional<int> Rank;
    std::optional<int> Weekday;
    std::optional<std::string> Until;
    bool NoEnd = false;
    std::optional<int> Notice;
    std::optional<bool> Keep;
    bool operator==(const TEventOptions&) const = default;
};

struct TCliArgs {
    // Empty: tickwell.dat in the data folder.
    std::string DataFile;
    std::optional<TDateTime> Today;
    bool Json = false;
    // Tab-separated rows even on a terminal.
    bool Tsv = false;
    bool Yes = false;
    bool Help = false;
    bool Version = false;
    TCliCommand Command = TCliCommand::None;
    // The file or folder operand (export, import, archive, backup, merge).
    std::string Path;
    // The event operand (ack, snooze, delete, edit): a master-list index, or else an id
    // (lowercase).
    int Index = -1;
    std::string Id;
    // The month operand.
    int Year = 0;
    int Month = 0;
    bool Pre4 = false;
    // vdir --off
    bool Off = false;
    // vdir --resolve ITEM ITEM: Path and Other.
    bool Resolve = false;
    std::string Other;
    // snooze --for MINUTES, --until YYYY-MM-DDTHH:MM; neither: the period
    // the options give.
    std::optional<int> SnoozeFor;
    std::optional<TDateTime> SnoozeUntil;
    TEventOptions Event;
};

// Arguments that do not form a command line; the text says what is wrong.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// args without the program name. Throws TUsageError.
TCliArgs ParseCliArgs(const std::vector<std::string>& args);

const std::string& UsageText();
// "tickwell-cli" and the program's version.
std::string VersionText();
