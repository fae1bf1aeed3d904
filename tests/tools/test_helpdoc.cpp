// What the manual page and the completions take from a --help text.
#include "tools/helpdoc/HelpDoc.h"
#include <gtest/gtest.h>

TEST(HelpDoc, ManualPageAndCompletionsComeFromTheHelpText) {
    const THelpText h = ParseHelpText("Usage: prog COMMAND\n"
                                      "\n"
                                      "Options (before or after the command):\n"
                                      "  --data FILE          the data file (default: one in the\n"
                                      "                       data folder)\n"
                                      "\n"
                                      "Commands:\n"
                                      "  export FILE.csv      write every event\n"
                                      "  add --desc TEXT [--keep | --no-keep]\n"
                                      "      [--weekday 1..7]\n"
                                      "                       add an event\n"
                                      "\n"
                                      ".dot and 'quote\n");
    const struct {
        const char* Place;
        const char* Text;
    } cases[] = {
        {"{{VALUE_OPTIONS}}", "--data --desc --weekday"},
        {"{{FILE_COMMANDS}}", "export"},
        {"{{BASH_COMMAND_OPTIONS}}", "[add]=\"--desc --keep --no-keep --weekday\""},
        {"{{ZSH_COMMANDS}}", "'export:write every event' 'add:add an event'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillTemplate(c.Place, h), c.Text) << c.Place;
    // Text that would break roff: the install test renders the real pages.
    const std::string page = FillTemplate("{{SECTIONS}}", h);
    EXPECT_NE(page.find(".TP\n\\fBexport\\fR \\fIFILE.csv\\fR\nwrite every event\n"),
              std::string::npos)
        << page;
    EXPECT_NE(page.find("\\&.dot and 'quote"), std::string::npos) << page;
    EXPECT_EQ(RoffText("'q a\\b --x"), "\\&'q a\\eb \\-\\-x");
}
