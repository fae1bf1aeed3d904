#include "tools/helpdoc/HelpDoc.h"
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <stdexcept>

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '[' || c == ']' || c == '|' || c == '{' || c == '}';
}

bool IsOption(const std::string& token) {
    return token.size() >= 2 && (token[0] == '-' || token[0] == '/') &&
           (std::isalnum(static_cast<unsigned char>(token[1])) || token[1] == '-');
}

// FILE, YYYY-MM-DD, FILE.csv: a value the user supplies.
bool IsPlaceholder(const std::string& token) {
    const std::string stem = token.substr(0, token.find('.'));
    return std::any_of(stem.begin(), stem.end(), [](char c) { return std::isupper(c); }) &&
           std::none_of(stem.begin(), stem.end(), [](char c) { return std::islower(c); });
}

// Words and the separators between them, in order.
std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size();) {
        size_t j = i;
        if (IsSeparator(text[i]))
            ++j;
        else
            while (j < text.size() && !IsSeparator(text[j]))
                ++j;
        out.push_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

bool IsWord(const std::string& token) {
    return !token.empty() && !IsSeparator(token[0]);
}

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return std::toupper(c); });
    return s;
}

std::string Join(const std::vector<std::string>& items, const std::string& sep = " ") {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : sep) + item;
    return out;
}

void AddOnce(std::vector<std::string>& to, const std::string& item) {
    if (std::find(to.begin(), to.end(), item) == to.end())
        to.push_back(item);
}

// A synopsis with its first word and options in bold, placeholders in
// italics.
std::string RoffSynopsis(const std::string& synopsis) {
    std::string out;
    bool first = true;
    for (const std::string& token : Tokens(synopsis)) {
        if (!IsWord(token)) {
            out += RoffText(token);
            continue;
        }
        const std::string text = RoffText(token);
        if (first || IsOption(token))
            out += "\\fB" + text + "\\fR";
        else if (IsPlaceholder(token))
            out += "\\fI" + text + "\\fR";
        else
            out += text;
        first = false;
    }
    return out;
}

std::string Capitalised(std::string s) {
    if (!s.empty())
        s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

std::string ManSynopsis(const THelpText& help) {
    std::string out = ".SH SYNOPSIS\n";
    for (size_t i = 0; i < help.Usage.size(); ++i)
        out += (i ? ".br\n" : "") + RoffSynopsis(help.Usage[i]) + "\n";
    return out;
}

std::string ManSections(const THelpText& help) {
    std::string out;
    for (const std::string& p : help.Intro)
        out += ".PP\n" + RoffText(p) + "\n";
    for (const THelpSection& s : help.Sections) {
        out += ".SH " + RoffText(Upper(s.Heading)) + "\n";
        if (!s.Note.empty())
            out += ".PP\n" + RoffText(Capitalised(s.Note)) + ".\n";
        for (const THelpEntry& e : s.Entries)
            out += ".TP\n" + RoffSynopsis(e.Synopsis) + "\n" + RoffText(e.Description) + "\n";
        for (const std::string& p : s.Paragraphs)
            out += ".PP\n" + RoffText(p) + "\n";
    }
    return out;
}

// What completion needs to know of the options and commands.
struct TFacts {
    std::vector<std::string> Commands, GlobalOptions, ValueOptions, FileOptions, FolderOptions,
        FileCommands, FolderCommands;
    // Options named in a command's entry that are not global.
    std::map<std::string, std::vector<std::string>> CommandOptions;
    std::map<std::string, std::string> Summary;
};

enum class TValueKind { Other, File, Folder };

TValueKind KindOf(const std::string& placeholder) {
    if (placeholder.find("FILE") != std::string::npos)
        return TValueKind::File;
    if (placeholder.find("FOLDER") != std::string::npos ||
        placeholder.find("DIR") != std::string::npos)
        return TValueKind::Folder;
    return TValueKind::Other;
}

// The first clause of a description: "the data file" of "the data file
// (default: ...)".
std::string Summary(const std::string& description) {
    return description.substr(0, std::min(description.find(" ("), description.find("; ")));
}

// Walks a synopsis: each option with the value it takes (empty for a flag),
// and each operand that is no option's value.
void Walk(const std::string& synopsis,
          const std::function<void(const std::string&, const std::string&)>& option,
          const std::function<void(const std::string&)>& operand) {
    std::vector<std::string> words;
    for (const std::string& t : Tokens(synopsis))
        if (t != " ")
            words.push_back(t);
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (IsOption(w)) {
            const size_t eq = w.find('=');
            if (eq != std::string::npos)
                option(w.substr(0, eq), w.substr(eq + 1));
            else if (i + 1 < words.size() && IsWord(words[i + 1]) && !IsOption(words[i + 1]))
                option(w, words[++i]);
            else
                option(w, "");
        } else if (IsWord(w)) {
            operand(w);
        }
    }
}

// Options named in running text, without the punctuation around them.
std::vector<std::string> OptionsIn(const std::string& text) {
    std::vector<std::string> out;
    for (std::string w : Tokens(text)) {
        while (!w.empty() && std::string("(,.;:)").find(w.back()) != std::string::npos)
            w.pop_back();
        while (!w.empty() && w.front() == '(')
            w.erase(0, 1);
        if (w.size() > 2 && w.rfind("--", 0) == 0)
            out.push_back(w);
    }
    return out;
}

TFacts Facts(const THelpText& help) {
    TFacts f;
    auto noteValue = [&f](const std::string& name, const std::string& value) {
        if (value.empty())
            return;
        AddOnce(f.ValueOptions, name);
        if (KindOf(value) == TValueKind::File)
            AddOnce(f.FileOptions, name);
        else if (KindOf(value) == TValueKind::Folder)
            AddOnce(f.FolderOptions, name);
    };
    if (const THelpSection* options = help.Find("Options"))
        for (const THelpEntry& e : options->Entries)
            Walk(
                e.Synopsis,
                [&](const std::string& name, const std::string& value) {
                    AddOnce(f.GlobalOptions, name);
                    f.Summary.emplace(name, Summary(e.Description));
                    noteValue(name, value);
                },
                [](const std::string&) {});
    if (const THelpSection* commands = help.Find("Commands"))
        for (const THelpEntry& e : commands->Entries) {
            const std::string command = e.Name();
            AddOnce(f.Commands, command);
            f.Summary.emplace(command, Summary(e.Description));
            std::vector<std::string>& own = f.CommandOptions[command];
            auto addOwn = [&](const std::string& name) {
                if (std::find(f.GlobalOptions.begin(), f.GlobalOptions.end(), name) ==
                    f.GlobalOptions.end())
                    AddOnce(own, name);
            };
            int operands = 0;
            Walk(
                e.Synopsis,
                [&](const std::string& name, const std::string& value) {
                    addOwn(name);
                    noteValue(name, value);
                },
                [&](const std::string& word) {
                    // The first word is the command itself.
                    if (operands++ != 1)
                        return;
                    if (KindOf(word) == TValueKind::File)
                        AddOnce(f.FileCommands, command);
                    else if (KindOf(word) == TValueKind::Folder)
                        AddOnce(f.FolderCommands, command);
                });
            for (const std::string& name : OptionsIn(e.Description))
                addOwn(name);
        }
    return f;
}

// A zsh word in single quotes.
std::string ZshQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string ZshDescribed(const std::vector<std::string>& names, const TFacts& f) {
    std::vector<std::string> items;
    for (const std::string& name : names) {
        const auto s = f.Summary.find(name);
        items.push_back(ZshQuoted(name + (s == f.Summary.end() ? "" : ":" + s->second)));
    }
    return Join(items);
}

std::string Placeholder(const std::string& name, const THelpText& help, const TFacts& f) {
    if (name == "SYNOPSIS")
        return ManSynopsis(help);
    if (name == "SECTIONS")
        return ManSections(help);
    const std::map<std::string, const std::vector<std::string>*> lists = {
        {"COMMANDS", &f.Commands},
        {"GLOBAL_OPTIONS", &f.GlobalOptions},
        {"VALUE_OPTIONS", &f.ValueOptions},
        {"FILE_OPTIONS", &f.FileOptions},
        {"FOLDER_OPTIONS", &f.FolderOptions},
        {"FILE_COMMANDS", &f.FileCommands},
        {"FOLDER_COMMANDS", &f.FolderCommands},
    };
    if (const auto list = lists.find(name); list != lists.end())
        return Join(*list->second);
    if (name == "BASH_COMMAND_OPTIONS" || name == "ZSH_COMMAND_OPTIONS") {
        std::vector<std::string> pairs;
        for (const auto& [command, options] : f.CommandOptions)
            if (!options.empty())
                pairs.push_back(name[0] == 'B' ? "[" + command + "]=\"" + Join(options) + "\""
                                               : command + " " + ZshQuoted(Join(options)));
        return Join(pairs);
    }
    if (name == "ZSH_COMMANDS")
        return ZshDescribed(f.Commands, f);
    if (name == "ZSH_GLOBAL_OPTIONS")
        return ZshDescribed(f.GlobalOptions, f);
    throw std::runtime_error("unknown placeholder {{" + name + "}}");
}

} // namespace

std::string RoffText(const std::string& text) {
    std::string out;
    if (!text.empty() && (text[0] == '.' || text[0] == '\''))
        out = "\\&";
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string FillTemplate(const std::string& templ, const THelpText& help) {
    const TFacts facts = Facts(help);
    std::string out;
    size_t pos = 0;
    for (size_t open; (open = templ.find("{{", pos)) != std::string::npos;) {
        const size_t close = templ.find("}}", open);
        if (close == std::string::npos)
            break;
        out += templ.substr(pos, open - pos);
        out += Placeholder(templ.substr(open + 2, close - open - 2), help, facts);
        pos = close + 2;
    }
    return out + templ.substr(pos);
}
