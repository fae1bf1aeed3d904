#include "store/RegFileFormat.h"

#include <cstdio>

namespace {

// ---- parsing ----

class TRegParser {
public:
    explicit TRegParser(std::string_view text) : Text(text) {}

    bool Run(TRegData& out, std::vector<TRegFileSkip>& skipped, std::string& error) {
        try {
            Header();
        } catch (const std::string& e) {
            error = "line " + std::to_string(Line) + ": " + e;
            return false;
        }
        Body(out, skipped);
        return true;
    }

private:
    std::string_view Text;
    size_t Pos = 0;
    int Line = 1;

    bool AtEnd() const { return Pos >= Text.size(); }
    char Peek() const { return AtEnd() ? '\0' : Text[Pos]; }
    char Next() {
        char c = Text[Pos++];
        if (c == '\n')
            ++Line;
        return c;
    }
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t'))
            ++Pos;
    }
    bool AtLineEnd() const {
        return AtEnd() || Peek() == '\n' ||
               (Peek() == '\r' && Pos + 1 < Text.size() && Text[Pos + 1] == '\n') ||
               (Peek() == '\r' && Pos + 1 == Text.size());
    }
    // Past blanks to the end of the line and over it; anything else is an error.
    void EndLine() {
        SkipBlanks();
        if (!AtLineEnd())
            throw std::string("unexpected text after the value");
        SkipLineBreak();
    }
    void SkipLineBreak() {
        if (Peek() == '\r')
            ++Pos;
        if (Peek() == '\n')
            Next();
    }
    std::string_view RestOfLine() {
        size_t start = Pos;
        while (!AtLineEnd())
            ++Pos;
        std::string_view line = Text.substr(start, Pos - start);
        SkipLineBreak();
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        return line;
    }

    void Header() {
        if (Text.substr(0, 3) == "\xEF\xBB\xBF")
            Pos = 3;
        // The header comes first, after blank lines at most.
        std::string_view first;
        while (!AtEnd() && (first = RestOfLine()).empty()) {
        }
        if (first != kRegFileHeader)
            throw std::string("the file does not begin with REGEDIT4");
    }

    // Past a line, and the lines a backslash at its end continues it on.
    void SkipLine() {
        std::string_view line;
        do
            line = RestOfLine();
        while (!AtEnd() && !line.empty() && line.back() == '\\');
    }

    // Every line that cannot be read is passed over and listed, so one slip
    // in a hand-edited file costs that value alone. A key that cannot be read
    // takes the values below it along: they are read, to know where they
    // end, into a registry of their own that is thrown away.
    void Body(TRegData& out, std::vector<TRegFileSkip>& skipped) {
        std::string key;
        bool haveKey = false;
        TRegData unkeyed;
        size_t badKey = 0; // 1 + the listed key whose values go unread
        int unread = 0;
        const auto endBadKey = [&] {
            if (badKey && unread)
                skipped[badKey - 1].Why +=
                    unread == 1 ? std::string("; the line below it was not read either")
                                : "; the " + std::to_string(unread) +
                                      " lines below it were not read either";
            badKey = 0;
            unread = 0;
        };
        while (!AtEnd()) {
            SkipBlanks();
            if (AtLineEnd()) {
                SkipLineBreak();
                continue;
            }
            if (Peek() == ';') {
                RestOfLine();
                continue;
            }
            const size_t start = Pos;
            const int startLine = Line;
            const bool keyLine = Peek() == '[';
            if (keyLine)
                endBadKey();
            try {
                if (keyLine) {
                    haveKey = ParseKeyHeader(out, key);
                } else if (badKey) {
                    ++unread;
                    ParseValue(unkeyed, &key);
                } else {
                    if (Peek() != '"' && Peek() != '@')
                        throw std::string("a value line must begin with a quoted name or @");
                    ParseValue(out, haveKey ? &key : nullptr);
                }
            } catch (const std::string& why) {
                Pos = start;
                Line = startLine;
                SkipLine();
                if (badKey)
                    continue;
                std::string_view text = Text.substr(start, Pos - start);
                text = text.substr(0, text.find('\n'));
                while (!text.empty() &&
                       (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
                    text.remove_suffix(1);
                skipped.push_back({startLine, std::string(text), why});
                if (keyLine) {
                    badKey = skipped.size();
                    key = "unread";
                }
            }
        }
        endBadKey();
    }

    // True when the header opens a key (false for a removal "[-...]").
    bool ParseKeyHeader(TRegData& out, std::string& key) {
        std::string_view line = RestOfLine();
        if (line.size() < 2 || line.back() != ']')
            throw std::string("a key line must end with ]");
        line = line.substr(1, line.size() - 2);
        bool remove = !line.empty() && line.front() == '-';
        if (remove)
            line.remove_prefix(1);
        const std::string_view hive = kRegFileHive;
        if (line.size() <= hive.size() + 1 || !SameRegName(line.substr(0, hive.size()), hive) ||
            line[hive.size()] != '\\')
            throw std::string("the key is not below ") + kRegFileHive;
        std::string_view path = line.substr(hive.size() + 1);
        if (path.empty() || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
            throw std::string("the key name is not valid");
        if (remove) {
            out.RemoveKey(path);
            return false;
        }
        key = out.CreateKey(path).Path;
        return true;
    }

    std::string QuotedString() {
        if (Peek() != '"')
            throw std::string("a quoted text was expected");
        Next();
        std::string s;
        while (true) {
            if (AtEnd())
                throw std::string("a quoted text is not closed");
            char c = Next();
            if (c == '"')
                return s;
            if (c == '\\' && !AtEnd() && (Peek() == '\\' || Peek() == '"')) {
                s += Next();
                continue;
            }
            // Any other backslash is kept as it stands, as hand-written
            // paths tend to have them.
            s += c;
        }
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    bool TakeWord(std::string_view word) {
        if (Text.size() - Pos >= word.size() && SameRegName(Text.substr(Pos, word.size()), word)) {
            Pos += word.size();
            return true;
        }
        return false;
    }

    std::vector<std::uint8_t> HexBytes() {
        std::vector<std::uint8_t> bytes;
        while (true) {
            SkipBlanks();
            // A backslash at the end of a line continues the list on the next.
            if (Peek() == '\\') {
                ++Pos;
                SkipBlanks();
                if (!AtLineEnd())
                    throw std::string("text after a line continuation");
                SkipLineBreak();
                continue;
            }
            if (AtLineEnd())
                break;
            int hi = HexDigit(Peek());
            int lo = Pos + 1 < Text.size() ? HexDigit(Text[Pos + 1]) : -1;
            if (hi < 0 || lo < 0)
                throw std::string("a byte must be two hexadecimal digits");
            Pos += 2;
            bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
            SkipBlanks();
            if (Peek() == ',')
                ++Pos;
            else if (Peek() != '\\' && !AtLineEnd())
                throw std::string("bytes must be separated by commas");
        }
        SkipLineBreak();
        return bytes;
    }

    void ParseValue(TRegData& out, const std::string* key) {
        std::string name;
        if (Peek() == '@')
            Next();
        else
            name = QuotedString();
        if (!key)
            throw std::string("a value comes before any key");
        SkipBlanks();
        if (Peek() != '=')
            throw std::string("= expected after the value name");
        Next();
        SkipBlanks();
        if (Peek() == '"') {
            std::string text = QuotedString();
            EndLine();
            out.Set(*key, name, TRegValue::String(std::move(text)));
        } else if (Peek() == '-') {
            Next();
            EndLine();
            out.Remove(*key, name);
        } else if (TakeWord("dword:")) {
            std::uint32_t v = 0;
            int digits = 0;
            while (HexDigit(Peek()) >= 0) {
                if (++digits > 8)
                    throw std::string("a dword has at most 8 hexadecimal digits");
                v = v * 16 + static_cast<std::uint32_t>(HexDigit(Next()));
            }
            if (digits == 0)
                throw std::string("a dword needs hexadecimal digits");
            EndLine();
            out.Set(*key, name, TRegValue::Number(v));
        } else if (TakeWord("hex(")) {
            std::uint32_t type = 0;
            int digits = 0;
            while (HexDigit(Peek()) >= 0 && digits < 8) {
                type = type * 16 + static_cast<std::uint32_t>(HexDigit(Next()));
                ++digits;
            }
            if (digits == 0 || !TakeWord("):"))
                throw std::string("hex(type): expected");
            out.Set(*key, name, TRegValue::Raw(type, HexBytes()));
        } else if (TakeWord("hex:")) {
            out.Set(*key, name, TRegValue::Binary(HexBytes()));
        } else {
            throw std::string("unknown kind of value");
        }
    }
};

// ---- writing ----

std::string Quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string HexList(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i)
            out += ',';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string FormatValue(const TRegValue& v) {
    char buf[32];
    switch (v.Form) {
    case TRegValue::fText:
        return Quote(v.Text);
    case TRegValue::fNumber:
        std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(v.Dword));
        return buf;
    case TRegValue::fBytes:
        break;
    }
    if (v.Type == rtBinary)
        return "hex:" + HexList(v.Bytes);
    std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.Type));
    return buf + HexList(v.Bytes);
}

} // namespace

bool ParseRegFile(std::string_view text, TRegData& out, std::vector<TRegFileSkip>& skipped,
                  std::string& error) {
    TRegData data;
    std::vector<TRegFileSkip> passed;
    if (!TRegParser(text).Run(data, passed, error))
        return false;
    out = std::move(data);
    skipped = std::move(passed);
    return true;
}

std::string FormatRegFile(const TRegData& data) {
    std::string out = std::string(kRegFileHeader) + "\n\n";
    for (const TRegData::TKey& key : data.Keys()) {
        out += "[" + std::string(kRegFileHive) + "\\" + key.Path + "]\n";
        for (const auto& [name, value] : key.Values)
            out +=
                (name.empty() ? std::string("@") : Quote(name)) + "=" + FormatValue(value) + "\n";
        out += "\n";
    }
    return out;
}
