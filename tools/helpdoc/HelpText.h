#pragma once
// A program's --help text read back into its parts. The text follows one
// layout: "Usage: ..." lines, then sections, each a heading at the left
// margin ending in ":" and entries indented by two spaces, an entry's
// description either beside its synopsis (after two or more spaces) or on
// the lines below, indented further. Text at the left margin that is no
// heading is a paragraph of its own.
#include <string>
#include <vector>

struct THelpEntry {
    // "--data FILE", "add --desc TEXT [--start DATE] ...": the synopsis lines
    // joined by single spaces.
    std::string Synopsis;
    std::string Description;

    // The first word: the option or the command.
    std::string Name() const;
};

struct THelpSection {
    // "Options" of "Options (before or after the command):".
    std::string Heading;
    // "before or after the command"; empty when the heading has none.
    std::string Note;
    std::vector<THelpEntry> Entries;
    // Paragraphs at the left margin that follow the entries.
    std::vector<std::string> Paragraphs;
};

struct THelpText {
    // One synopsis per "Usage:" line, without the word "Usage:".
    std::vector<std::string> Usage;
    // Paragraphs before the first section.
    std::vector<std::string> Intro;
    std::vector<THelpSection> Sections;

    // The section whose heading is heading; null when there is none.
    const THelpSection* Find(const std::string& heading) const;
};

THelpText ParseHelpText(const std::string& text);
