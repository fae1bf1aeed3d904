// Reading --help texts back, and what the manual page and the completions
// take from them.
#include "tools/helpdoc/HelpDoc.h"
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const char* const kHelp = "Usage: prog [--data FILE] COMMAND\n"
                          "       prog --help\n"
                          "\n"
                          "Does things.\n"
                          "\n"
                          "Options (before or after the command):\n"
                          "  --data FILE          the data file (default: one in the data\n"
                          "                       folder)\n"
                          "  --date=YYYY-MM-DD    act as if today were that day\n"
                          "  --yes                answer Yes\n"
                          "\n"
                          "Commands:\n"
                          "  list                 every event\n"
                          "  add --desc TEXT [--start DATE] [--keep | --no-keep]\n"
                          "      [--weekday 1..7]\n"
                          "                       add an event; TYPE is one of --once, --daily.\n"
                          "  export FILE.csv      write every event\n"
                          "  backup [FOLDER]      write a backup\n"
                          "  month YYYY-MM        the month\n"
                          "\n"
                          "INDEX counts from 0.\n"
                          ".dot and 'quote\n";

} // namespace

TEST(HelpText, ReadsUsageSectionsEntriesAndParagraphs) {
    const THelpText h = ParseHelpText(kHelp);
    EXPECT_EQ(h.Usage, (std::vector<std::string>{"prog [--data FILE] COMMAND", "prog --help"}));
    EXPECT_EQ(h.Intro, std::vector<std::string>{"Does things."});
    ASSERT_EQ(h.Sections.size(), 2u);
    EXPECT_EQ(h.Sections[0].Heading, "Options");
    EXPECT_EQ(h.Sections[0].Note, "before or after the command");
    const struct {
        const THelpEntry& Entry;
        const char* Synopsis;
        const char* Description;
    } entries[] = {
        {h.Sections[0].Entries.at(0), "--data FILE",
         "the data file (default: one in the data folder)"},
        {h.Sections[1].Entries.at(1),
         "add --desc TEXT [--start DATE] [--keep | --no-keep] [--weekday 1..7]",
         "add an event; TYPE is one of --once, --daily."},
        {h.Sections[1].Entries.at(3), "backup [FOLDER]", "write a backup"},
    };
    for (const auto& e : entries) {
        EXPECT_EQ(e.Entry.Synopsis, e.Synopsis);
        EXPECT_EQ(e.Entry.Description, e.Description);
    }
    EXPECT_EQ(h.Sections[1].Entries.size(), 5u);
    EXPECT_EQ(h.Sections[1].Paragraphs,
              (std::vector<std::string>{"INDEX counts from 0. .dot and 'quote"}));
}

TEST(HelpDoc, CompletionWordsComeFromTheEntries) {
    const THelpText h = ParseHelpText(kHelp);
    const struct {
        const char* Place;
        const char* Words;
    } cases[] = {
        {"{{VALUE_OPTIONS}}", "--data --date --desc --start --weekday"},
        {"{{FILE_COMMANDS}}", "export"},
        {"{{FOLDER_COMMANDS}}", "backup"},
        {"{{BASH_COMMAND_OPTIONS}}",
         "[add]=\"--desc --start --keep --no-keep --weekday --once --daily\""},
        {"{{ZSH_COMMANDS}}", "'list:every event' 'add:add an event' 'export:write every event' "
                             "'backup:write a backup' 'month:the month'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillTemplate(c.Place, h), c.Words) << c.Place;
    EXPECT_THROW(FillTemplate("{{COMMAND}}", h), std::runtime_error);
}

TEST(HelpDoc, ManualPageIsSafeRoff) {
    // The installed pages are rendered and checked for warnings by the install
    // test; here the texts that would break roff.
    const std::string page = FillTemplate("{{SYNOPSIS}}{{SECTIONS}}", ParseHelpText(kHelp));
    EXPECT_NE(page.find(".TP\n\\fBexport\\fR \\fIFILE.csv\\fR\nwrite every event\n"),
              std::string::npos)
        << page;
    const struct {
        const char* Text;
        const char* Roff;
    } escapes[] = {
        {".dot", "\\&.dot"}, {"'quote", "\\&'quote"}, {"a\\b", "a\\eb"}, {"--x", "\\-\\-x"}};
    for (const auto& e : escapes)
        EXPECT_EQ(RoffText(e.Text), e.Roff);
}
