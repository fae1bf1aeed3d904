#include "platform/ShellLink.h"

#include "core/TrNoop.h"
#include "platform/Paths.h"
#include "store/AtomicFile.h"
#include <QStandardPaths>
#include <QString>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kGroup = "[Desktop Entry]";
constexpr size_t npos = std::string::npos;

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The escapes of a desktop entry's string values.
std::string EscapeValue(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == ' ' && i == 0)
            out += "\\s";
        else
            out += c;
    }
    return out;
}

std::string UnescapeValue(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return out;
}

// One argument of an Exec line: quoted when it holds a reserved character,
// with the four characters that stay special inside quotes escaped; a
// literal percent sign doubled.
std::string QuoteExecArgument(const std::string& arg) {
    const bool quote = arg.empty() || arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != npos;
    std::string out = quote ? "\"" : "";
    for (const char c : arg) {
        if (quote && std::strchr("\"`$\\", c))
            out += '\\';
        out += c;
        if (c == '%')
            out += '%';
    }
    return quote ? out + "\"" : out;
}

// The words of an Exec line, quotes and escapes undone; field codes (%f,
// %U...) dropped, as an autostart launch has nothing to put there.
std::vector<std::string> SplitExec(const std::string& exec, const std::string& linkFile) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < exec.size()) {
        if (exec[i] == ' ' || exec[i] == '\t') {
            ++i;
            continue;
        }
        std::string word;
        if (exec[i] == '"') {
            for (++i; i < exec.size() && exec[i] != '"'; ++i) {
                if (exec[i] == '\\' && i + 1 < exec.size())
                    ++i;
                word += exec[i];
            }
            if (i == exec.size())
                throw EShellLinkError(linkFile + ": a quote in its Exec line is not closed");
            ++i;
        } else {
            while (i < exec.size() && exec[i] != ' ' && exec[i] != '\t')
                word += exec[i++];
        }
        std::string plain;
        bool fieldCode = false;
        for (size_t k = 0; k < word.size(); ++k) {
            if (word[k] == '%' && k + 1 < word.size()) {
                if (word[++k] == '%')
                    plain += '%';
                else
                    fieldCode = true;
            } else {
                plain += word[k];
            }
        }
        if (!(fieldCode && plain.empty()))
            words.push_back(plain);
    }
    return words;
}

// The lines of a desktop entry, with the keys of its main group reachable
// by name; every other line is kept as it was.
class TDesktopEntry {
public:
    TDesktopEntry() = default;
    TDesktopEntry(const std::string& text, const std::string& linkFile) {
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find('\n', start);
            Lines.push_back(text.substr(start, end == npos ? npos : end - start));
            start = end == npos ? text.size() : end + 1;
        }
        for (size_t i = 0; i < Lines.size(); ++i) {
            const std::string line = Trim(Lines[i]);
            if (line.empty() || line[0] != '[')
                continue;
            if (GroupStart != npos) {
                GroupEnd = i;
                break;
            }
            if (line == kGroup)
                GroupStart = i;
        }
        if (GroupStart == npos)
            throw EShellLinkError(linkFile + " is not a desktop entry");
        if (GroupEnd == npos)
            GroupEnd = Lines.size();
    }

    std::string Get(const char* key) const {
        const size_t i = Find(key);
        return i == npos ? std::string()
                         : UnescapeValue(Trim(Lines[i].substr(Lines[i].find('=') + 1)));
    }
    void Set(const char* key, const std::string& value) {
        const std::string line = std::string(key) + "=" + EscapeValue(value);
        if (const size_t i = Find(key); i != npos) {
            Lines[i] = line;
            return;
        }
        if (GroupStart == npos) {
            Lines.push_back(kGroup);
            GroupStart = Lines.size() - 1;
            GroupEnd = Lines.size();
        }
        // After the group's last key, before any blank lines that part it
        // from the next group.
        size_t at = GroupEnd;
        while (at > GroupStart + 1 && Trim(Lines[at - 1]).empty())
            --at;
        Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        ++GroupEnd;
    }
    void Remove(const char* key) {
        if (const size_t i = Find(key); i != npos) {
            Lines.erase(Lines.begin() + static_cast<std::ptrdiff_t>(i));
            --GroupEnd;
        }
    }
    std::string Text() const {
        std::string out;
        for (const std::string& line : Lines)
            out += line + "\n";
        return out;
    }

private:
    size_t Find(const char* key) const {
        if (GroupStart == npos)
            return npos;
        for (size_t i = GroupStart + 1; i < GroupEnd; ++i) {
            const size_t eq = Lines[i].find('=');
            if (eq != npos && Lines[i][0] != '#' && Trim(Lines[i].substr(0, eq)) == key)
                return i;
        }
        return npos;
    }

    std::vector<std::string> Lines;
    size_t GroupStart = npos;
    size_t GroupEnd = npos;
};

TDesktopEntry ReadEntry(const std::string& linkFile) {
    TFileBytes bytes;
    std::string error;
    if (!ReadWholeFile(linkFile, bytes, error))
        throw EShellLinkError("Unable to read " + linkFile + ": " + error);
    return TDesktopEntry(std::string(bytes.View()), linkFile);
}

void WriteEntry(const std::string& linkFile, const TDesktopEntry& entry) {
    std::string error;
    if (!WriteFileAtomic(linkFile, entry.Text(), error))
        throw EShellLinkError("Unable to write " + linkFile + ": " + error);
}

void PutLinkInfo(TDesktopEntry& entry, const TShellLinkInfo& info) {
    std::string exec = QuoteExecArgument(info.PathName);
    if (!info.Arguments.empty())
        exec += " " + info.Arguments;
    entry.Set("Comment", info.Description);
    entry.Set("Exec", exec);
    if (info.WorkingDirectory.empty())
        entry.Remove("Path");
    else
        entry.Set("Path", info.WorkingDirectory);
    if (info.IconLocation.empty())
        entry.Remove("Icon");
    else
        entry.Set("Icon", info.IconLocation);
    if (info.Enabled)
        entry.Remove("Hidden");
    entry.Set("X-GNOME-Autostart-enabled", info.Enabled ? "true" : "false");
}

// A bare program name is found as the session would find it, on the PATH.
std::string ProgramFile(const std::string& program) {
    if (program.empty() || program.find('/') != npos)
        return program;
    const QString found = QStandardPaths::findExecutable(QString::fromStdString(program));
    return found.isEmpty() ? program : found.toStdString();
}

} // namespace

std::string GetSpecialFolder(const std::string& name) {
    if (name != "Startup")
        throw TTickwellError("\"" + name +
                             TW_TRANSLATE_NOOP("Messages", "\" item not found in registry"));
    return AutostartFolder();
}

std::string StartupLinkPath() {
    return GetSpecialFolder("Startup") + "/" + kStartupLinkName;
}

std::string CreateShellLink(const std::string& programPath, const std::string& description,
                            const std::string& specialFolder, const std::string& icon) {
    const std::string folder = GetSpecialFolder(specialFolder);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw EShellLinkError("Unable to make the folder " + folder + ": " + ec.message());
    const std::string link = folder + "/" + kStartupLinkName;
    TDesktopEntry entry;
    entry.Set("Type", "Application");
    entry.Set("Name", "Tickwell");
    TShellLinkInfo info;
    info.PathName = programPath;
    info.Description = description;
    info.IconLocation = icon;
    PutLinkInfo(entry, info);
    WriteEntry(link, entry);
    return link;
}

TShellLinkInfo GetShellLinkInfo(const std::string& linkFile) {
    const TDesktopEntry entry = ReadEntry(linkFile);
    const std::vector<std::string> words = SplitExec(entry.Get("Exec"), linkFile);
    if (words.empty())
        throw EShellLinkError(linkFile + " has no program in its Exec line");
    TShellLinkInfo info;
    info.PathName = ProgramFile(words[0]);
    for (size_t i = 1; i < words.size(); ++i)
        info.Arguments += (i > 1 ? " " : "") + words[i];
    info.Description = entry.Get("Comment");
    info.WorkingDirectory = entry.Get("Path");
    info.IconLocation = entry.Get("Icon");
    info.Enabled =
        entry.Get("Hidden") != "true" && entry.Get("X-GNOME-Autostart-enabled") != "false";
    return info;
}

void SetShellLinkInfo(const std::string& linkFile, const TShellLinkInfo& info) {
    TDesktopEntry entry = ReadEntry(linkFile);
    PutLinkInfo(entry, info);
    WriteEntry(linkFile, entry);
}

bool SameProgramFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code ea, eb;
    const fs::path ra = fs::weakly_canonical(ProgramFile(a), ea);
    const fs::path rb = fs::weakly_canonical(ProgramFile(b), eb);
    return !ea && !eb && ra == rb;
}
