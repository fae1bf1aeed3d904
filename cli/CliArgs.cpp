#include "cli/CliArgs.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/Snooze.h"
#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace {

struct TCommandName {
    const char* Name;
    TCliCommand Command;
    // Operands the command takes: at least Min, at most Max.
    int Min;
    int Max;
};

constexpr TCommandName kCommands[] = {
    {"list", TCliCommand::List, 0, 0},         {"due", TCliCommand::Due, 0, 0},
    {"month", TCliCommand::Month, 1, 1},       {"add", TCliCommand::Add, 0, 0},
    {"ack", TCliCommand::Ack, 1, 1},           {"export", TCliCommand::Export, 1, 1},
    {"import", TCliCommand::Import, 1, 1},     {"archive", TCliCommand::Archive, 1, 1},
    {"compress", TCliCommand::Compress, 0, 0}, {"zap", TCliCommand::Zap, 0, 0},
    {"backup", TCliCommand::Backup, 0, 1},     {"restore", TCliCommand::Restore, 0, 0},
    {"merge", TCliCommand::Merge, 1, 1},       {"delete", TCliCommand::Delete, 1, 1},
    {"edit", TCliCommand::Edit, 1, 1},         {"vdir", TCliCommand::Vdir, 0, 2},
    {"snooze", TCliCommand::Snooze, 1, 1},
};

const TCommandName* FindCommand(const std::string& name) {
    for (const TCommandName& c : kCommands)
        if (name == c.Name)
            return &c;
    return nullptr;
}

bool ParseInt(const std::string& text, int& out) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && end == last && first != last;
}

int IntValue(const std::string& option, const std::string& text) {
    int value = 0;
    if (!ParseInt(text, value))
        throw TUsageError(option + " needs a whole number, not \"" + text + "\"");
    return value;
}

// "YYYY-MM" with a month 1..12 and a year 1..9999.
void ParseMonth(const std::string& text, TCliArgs& a) {
    const bool shaped = text.size() == 7 && text[4] == '-' && ParseInt(text.substr(0, 4), a.Year) &&
                        ParseInt(text.substr(5, 2), a.Month);
    if (!shaped || text[0] == '+' || text[5] == '+' || a.Year < kMinYear || a.Year > kMaxYear ||
        a.Month < 1 || a.Month > 12)
        throw TUsageError("month needs YYYY-MM, not \"" + text + "\"");
}

// An event names itself by its id (twelve hexadecimal digits, any case) or
// by its position in the list (a decimal number).
void ParseEvent(const std::string& text, TCliArgs& a) {
    if (LooksLikeEventId(text)) {
        a.Id = text;
        std::transform(a.Id.begin(), a.Id.end(), a.Id.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return;
    }
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
    });
    if (!digits || !ParseInt(text, a.Index))
        throw TUsageError("EVENT must be a position in the list (0, 1, ...) or an id (" +
                          std::to_string(kEventIdLength) + " hexadecimal digits), not \"" + text +
                          "\"");
}

void SetType(TEventOptions& add, int type) {
    if (add.Type && *add.Type != type)
        throw TUsageError("give only one of --once, --daily, --weekly, --monthly-date, "
                          "--monthly-day, --yearly, --accounting");
    add.Type = type;
}

void SetKeep(TEventOptions& add, bool keep) {
    if (add.Keep && *add.Keep != keep)
        throw TUsageError("give only one of --keep and --no-keep");
    add.Keep = keep;
}

void CheckEnd(const TEventOptions& add) {
    if (add.Until && add.NoEnd)
        throw TUsageError("give only one of --until and --no-end");
}

class TParser {
public:
    explicit TParser(const std::vector<std::string>& args) : Args(args) {}

    TCliArgs Run() {
        std::vector<std::string> operands;
        bool optionsEnded = false;
        while (Pos < Args.size()) {
            const std::string arg = Args[Pos++];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                operands.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                Option(arg);
            }
        }
        if (Result.Help || Result.Version)
            return Result;
        Operands(operands);
        CheckRelevance();
        return std::move(Result);
    }

private:
    // The option's value: after "=" in the same argument, else the next one.
    std::string Value(const std::string& name, const std::optional<std::string>& inline_) {
        if (inline_)
            return *inline_;
        if (Pos >= Args.size())
            throw TUsageError(name + " needs a value");
        return Args[Pos++];
    }

    void Option(const std::string& arg) {
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        const auto flag = [&] {
            if (inlineValue)
                throw TUsageError(name + " takes no value");
        };
        TEventOptions& add = Result.Event;
        if (name == "--help" || name == "-h") {
            flag();
            Result.Help = true;
        } else if (name == "--version") {
            flag();
            Result.Version = true;
        } else if (name == "--json") {
            flag();
            Result.Json = true;
        } else if (name == "--tsv") {
            flag();
            Result.Tsv = true;
        } else if (name == "--yes" || name == "-y") {
            flag();
            Result.Yes = true;
        } else if (name == "--data") {
            Result.DataFile = Value(name, inlineValue);
            if (Result.DataFile.empty())
                throw TUsageError("--data needs a file name");
        } else if (name == "--date") {
            const std::string text = Value(name, inlineValue);
            TDateTime day = 0;
            if (!TryParseIsoDate(text, day))
                throw TUsageError("--date needs YYYY-MM-DD, not \"" + text + "\"");
            Result.Today = day;
        } else if (name == "--for") {
            Result.SnoozeFor = IntValue(name, Value(name, inlineValue));
            if (*Result.SnoozeFor < 1)
                throw TUsageError("--for needs a number of minutes from 1");
        } else if (name == "--off") {
            flag();
            Result.Off = true;
        } else if (name == "--resolve") {
            flag();
            Result.Resolve = true;
        } else if (name == "--pre4") {
            flag();
            Result.Pre4 = true;
            PreFourGiven = true;
        } else if (name == "--desc") {
            add.Description = Value(name, inlineValue);
            EventGiven = true;
        } else if (name == "--start") {
            add.Start = Value(name, inlineValue);
            EventGiven = true;
        } else if (name == "--until") {
            add.Until = Value(name, inlineValue);
            CheckEnd(add);
            EventGiven = true;
        } else if (name == "--no-end") {
            flag();
            add.NoEnd = true;
            CheckEnd(add);
            EventGiven = true;
        } else if (name == "--interval") {
            add.Interval = IntValue(name, Value(name, inlineValue));
            EventGiven = true;
        } else if (name == "--rank") {
            add.Rank = IntValue(name, Value(name, inlineValue));
            EventGiven = true;
        } else if (name == "--weekday") {
            add.Weekday = IntValue(name, Value(name, inlineValue));
            EventGiven = true;
        } else if (name == "--notice") {
            add.Notice = IntValue(name, Value(name, inlineValue));
            EventGiven = true;
        } else if (name == "--keep" || name == "--no-keep") {
            flag();
            SetKeep(add, name == "--keep");
            EventGiven = true;
        } else if (const int type = TypeFlag(name); type != kNoType) {
            flag();
            SetType(add, type);
            EventGiven = true;
        } else {
            throw TUsageError("unknown option " + name);
        }
    }

    static constexpr int kNoType = -2;
    static int TypeFlag(const std::string& name) {
        static const std::pair<const char*, int> flags[] = {
            {"--once", -1},       {"--daily", 0},  {"--weekly", 1},     {"--monthly-date", 2},
            {"--monthly-day", 3}, {"--yearly", 4}, {"--accounting", 5},
        };
        for (const auto& [flagName, type] : flags)
            if (name == flagName)
                return type;
        return kNoType;
    }

    void Operands(const std::vector<std::string>& operands) {
        // A status bar or a prompt runs the program bare: what is due.
        const TCommandName* c = FindCommand(operands.empty() ? "due" : operands[0]);
        if (!c)
            throw TUsageError("unknown command " + operands[0]);
        Result.Command = c->Command;
        const int n = std::max(static_cast<int>(operands.size()) - 1, 0);
        if (n < c->Min)
            throw TUsageError(std::string(c->Name) + " needs an argument");
        if (n > c->Max)
            throw TUsageError("too many arguments for " + std::string(c->Name));
        if (c->Command == TCliCommand::Vdir && (n == 2) != Result.Resolve)
            throw TUsageError(Result.Resolve ? "vdir --resolve needs the two items"
                                             : "too many arguments for vdir");
        if (n == 2)
            Result.Other = operands[2];
        if (n == 0)
            return;
        const std::string& operand = operands[1];
        switch (c->Command) {
        case TCliCommand::Month:
            ParseMonth(operand, Result);
            break;
        case TCliCommand::Ack:
        case TCliCommand::Snooze:
        case TCliCommand::Delete:
        case TCliCommand::Edit:
            ParseEvent(operand, Result);
            break;
        default:
            if (operand.empty())
                throw TUsageError(std::string(c->Name) + " needs a file or folder name");
            Result.Path = operand;
            break;
        }
    }

    // snooze takes --until as a moment, not as the end date of an event.
    void SnoozeOptions() {
        const bool snooze = Result.Command == TCliCommand::Snooze;
        if (Result.SnoozeFor && !snooze)
            throw TUsageError("--for belongs to the snooze command");
        if (!snooze)
            return;
        TEventOptions& e = Result.Event;
        if (!e.Until)
            return;
        const std::string text = *e.Until;
        e.Until.reset();
        if (!(e == TEventOptions{}))
            throw TUsageError("event options such as --desc belong to the add and edit commands");
        if (Result.SnoozeFor)
            throw TUsageError("give only one of --for and --until");
        TDateTime until = 0;
        if (!TryParseSnoozeEnd(text, until))
            throw TUsageError("--until needs YYYY-MM-DDTHH:MM, not \"" + text + "\"");
        Result.SnoozeUntil = until;
        EventGiven = false;
    }

    void CheckRelevance() {
        SnoozeOptions();
        if (Result.Json && Result.Tsv)
            throw TUsageError("give only one of --json and --tsv");
        const bool takesEvent =
            Result.Command == TCliCommand::Add || Result.Command == TCliCommand::Edit;
        if (EventGiven && !takesEvent)
            throw TUsageError("event options such as --desc belong to the add and edit commands");
        if (!EventGiven && Result.Command == TCliCommand::Edit)
            throw TUsageError("edit needs the fields to change, such as --desc TEXT");
        if (PreFourGiven && Result.Command != TCliCommand::Merge)
            throw TUsageError("--pre4 belongs to the merge command");
        if (Result.Off && (Result.Command != TCliCommand::Vdir || !Result.Path.empty()))
            throw TUsageError("--off belongs to the vdir command, without a folder");
        if (Result.Resolve && (Result.Command != TCliCommand::Vdir || Result.Off))
            throw TUsageError("--resolve belongs to the vdir command, with two items");
    }

    const std::vector<std::string>& Args;
    size_t Pos = 0;
    TCliArgs Result;
    bool EventGiven = false;
    bool PreFourGiven = false;
};

} // namespace

TCliArgs ParseCliArgs(const std::vector<std::string>& args) {
    return TParser(args).Run();
}

const std::string& UsageText() {
    static const std::string text =
        "Usage: tickwell-cli [--data FILE] [--date YYYY-MM-DD] [--json | --tsv] [--yes]\n"
        "       tickwell-cli [OPTIONS] COMMAND\n"
        "Without a command, tickwell-cli shows what due shows.\n"
        "\n"
        "Options (before or after the command):\n"
        "  --data FILE          the data file (default: tickwell.dat in the data folder:\n"
        "                       $TICKWELL_HOME, else $XDG_DATA_HOME/tickwell, else\n"
        "                       ~/.local/share/tickwell)\n"
        "  --date YYYY-MM-DD    act as if today were that day\n"
        "  --json               machine-readable output (list, due, month, add, edit,\n"
        "                       ack, snooze, delete)\n"
        "  --tsv                tab-separated lines from list, due and month on a\n"
        "                       terminal too, where they otherwise show words, a\n"
        "                       heading and a calendar (in a pipe they always are)\n"
        "  --yes                answer Yes (or OK) to every question\n"
        "  --help               show this text\n"
        "  --version            show the program's version\n"
        "\n"
        "Commands:\n"
        "  list                 every event, in list order, each with its index and id\n"
        "  due                  the events due today, in due-list order (the command\n"
        "                       when none is given); on a terminal and in --json the\n"
        "                       snoozed ones follow, with the end of their snooze\n"
        "  month YYYY-MM        the events that occur on each day of the month\n"
        "  add --desc TEXT [--start DATE] [TYPE] [--interval N] [--rank N]\n"
        "      [--weekday 1..7] [--until DATE | --no-end] [--notice N]\n"
        "      [--keep | --no-keep]\n"
        "                       add an event; TYPE is one of --once, --daily, --weekly,\n"
        "                       --monthly-date, --monthly-day, --yearly, --accounting\n"
        "  edit EVENT [--desc TEXT] [--start DATE] [TYPE] [--interval N] [--rank N]\n"
        "      [--weekday 1..7] [--until DATE | --no-end] [--notice N]\n"
        "      [--keep | --no-keep]\n"
        "                       change the fields given of an event, checked as add\n"
        "                       checks them; TYPE as for add (--once, --daily,\n"
        "                       --weekly, --monthly-date, --monthly-day, --yearly,\n"
        "                       --accounting). The event keeps its id; its\n"
        "                       acknowledgement is cleared, as in the editor\n"
        "  ack EVENT            acknowledge a due event\n"
        "  snooze EVENT [--for MINUTES | --until YYYY-MM-DDTHH:MM]\n"
        "                       leave an event out of the due list until then (by\n"
        "                       default for the snooze period of the options); due\n"
        "                       lists it after the due events, with its end\n"
        "  delete EVENT         delete an event\n"
        "  export FILE          write every event to FILE (a name ending in .csv gets\n"
        "                       comma-separated text with a header line, one ending\n"
        "                       in .ics an iCalendar file for other calendars)\n"
        "  import FILE          add the events of a comma-separated text file (.csv),\n"
        "                       or of an iCalendar file (.ics), updating the events\n"
        "                       already in the list instead of adding them again\n"
        "  archive FOLDER       move the expired events to FOLDER/archive.csv\n"
        "  compress             delete the expired events\n"
        "  zap                  delete every event\n"
        "  backup [FOLDER]      write backup.dat to FOLDER (remembered as the backup\n"
        "                       folder) or to the backup folder\n"
        "  restore              replace the events by those of the backup\n"
        "  merge FILE [--pre4]  add the events of another data file (--pre4: a file\n"
        "                       of a version before 4.0)\n"
        "  vdir [FOLDER | --off | --resolve ITEM ITEM]\n"
        "                       keep FOLDER, a calendar folder with one .ics file for\n"
        "                       each event (a vdir, as vdirsyncer syncs with a CalDAV\n"
        "                       server), in step with the events: every command first\n"
        "                       takes in what changed there and writes what it\n"
        "                       changes; --off stops that; without either, show the\n"
        "                       folder, the last steps and the items not shown;\n"
        "                       --resolve makes two versions of an item one that\n"
        "                       keeps both (vdirsyncer's conflict_resolution command)\n"
        "\n"
        "EVENT is an event's id as `list` and `due` show it (twelve hexadecimal\n"
        "digits; it stays with the event for life, through edits), or its index\n"
        "there, counting from 0 (events with equal dates may swap places at any save,\n"
        "so an index is only good for the list just shown). Dates are YYYY-MM-DD.\n"
        "Questions are asked on the terminal; without one they are answered No unless\n"
        "--yes is given.\n"
        "Exit status: 0 done; 1 not done (a question answered No, a warning, nothing\n"
        "to acknowledge or edit); 2 an error or bad arguments.\n";
    return text;
}

std::string VersionText() {
    return std::string("tickwell-cli ") + TICKWELL_VERSION + "\n";
}
