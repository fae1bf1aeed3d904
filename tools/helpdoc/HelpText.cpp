#include "tools/helpdoc/HelpText.h"
#include <sstream>

namespace {

size_t Indent(const std::string& line) {
    const size_t n = line.find_first_not_of(' ');
    return n == std::string::npos ? line.size() : n;
}

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

void Append(std::string& to, const std::string& text) {
    if (!to.empty() && !text.empty())
        to += ' ';
    to += text;
}

bool IsHeading(const std::string& line) {
    return !line.empty() && line[0] != ' ' && line.back() == ':' && line.rfind("Usage:", 0) != 0;
}

THelpSection Section(const std::string& line) {
    THelpSection s;
    const std::string text = line.substr(0, line.size() - 1);
    const size_t open = text.find(" (");
    if (open != std::string::npos && text.back() == ')') {
        s.Heading = text.substr(0, open);
        s.Note = text.substr(open + 2, text.size() - open - 3);
    } else {
        s.Heading = text;
    }
    return s;
}

class TReader {
public:
    THelpText Read(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            Line(line);
        }
        EndParagraph();
        return std::move(Result);
    }

private:
    void Line(const std::string& line) {
        const size_t indent = Indent(line);
        if (indent == line.size()) {
            EndParagraph();
            InUsage = false;
            Entry = nullptr;
            return;
        }
        if (line.rfind("Usage:", 0) == 0) {
            EndParagraph();
            UsageColumn = Indent(line.substr(6)) + 6;
            Result.Usage.push_back(Trim(line.substr(6)));
            InUsage = true;
            return;
        }
        if (InUsage && indent == UsageColumn) {
            Result.Usage.push_back(Trim(line));
            return;
        }
        InUsage = false;
        if (IsHeading(line)) {
            EndParagraph();
            Result.Sections.push_back(Section(line));
            Entry = nullptr;
            DescriptionColumn = 0;
            return;
        }
        if (indent == 0 || Result.Sections.empty()) {
            Entry = nullptr;
            Append(Paragraph, Trim(line));
            return;
        }
        if (indent == 2) {
            StartEntry(line);
            return;
        }
        if (Entry) {
            // Deeper than the entries: the synopsis goes on, or the
            // description does once it has begun or the line reaches the
            // description column.
            if (!Entry->Description.empty() || (DescriptionColumn && indent >= DescriptionColumn))
                Append(Entry->Description, Trim(line));
            else
                Append(Entry->Synopsis, Trim(line));
            return;
        }
        Append(Paragraph, Trim(line));
    }

    void StartEntry(const std::string& line) {
        EndParagraph();
        THelpSection& section = Result.Sections.back();
        section.Entries.emplace_back();
        Entry = &section.Entries.back();
        const size_t gap = line.find("  ", 2);
        const size_t desc =
            gap == std::string::npos ? std::string::npos : Indent(line.substr(gap)) + gap;
        if (desc == std::string::npos || desc >= line.size()) {
            Entry->Synopsis = Trim(line);
            return;
        }
        Entry->Synopsis = Trim(line.substr(0, gap));
        Entry->Description = Trim(line.substr(desc));
        if (!DescriptionColumn)
            DescriptionColumn = desc;
    }

    void EndParagraph() {
        if (Paragraph.empty())
            return;
        if (Result.Sections.empty())
            Result.Intro.push_back(Paragraph);
        else
            Result.Sections.back().Paragraphs.push_back(Paragraph);
        Paragraph.clear();
    }

    THelpText Result;
    THelpEntry* Entry = nullptr;
    std::string Paragraph;
    bool InUsage = false;
    size_t UsageColumn = 0;
    size_t DescriptionColumn = 0;
};

} // namespace

std::string THelpEntry::Name() const {
    return Synopsis.substr(0, Synopsis.find(' '));
}

const THelpSection* THelpText::Find(const std::string& heading) const {
    for (const THelpSection& s : Sections)
        if (s.Heading == heading)
            return &s;
    return nullptr;
}

THelpText ParseHelpText(const std::string& text) {
    return TReader().Read(text);
}
