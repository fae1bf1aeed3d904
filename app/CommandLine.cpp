#include "app/CommandLine.h"

#ifndef TICKWELL_VERSION
#define TICKWELL_VERSION "0.0.0"
#endif

namespace {

// The manual page's synopsis and options are made from this text: keep its
// layout (entries indented by two spaces, descriptions in one column).
constexpr const char* kUsage =
    "Usage: tickwell [/q | /m | /t | /z]\n"
    "       tickwell --help | --version\n"
    "\n"
    "Only the first argument counts; without a switch, the options choose the\n"
    "window Tickwell opens with.\n"
    "\n"
    "Options:\n"
    "  /q                   quick check: show the events due today, or end at once\n"
    "                       when none is due\n"
    "  /m                   open the main window\n"
    "  /t                   start in the tray, opening the window the options choose\n"
    "                       for it (System page): the main window unless changed,\n"
    "                       none with \"None ( minimized )\"\n"
    "  /z                   show the Zap List command (delete every event) in the\n"
    "                       main window\n"
    "  --help               show this text and end\n"
    "  --version            show the version and end\n";

} // namespace

std::optional<int> AnswerInfoSwitch(const std::string& first, std::ostream& out) {
    if (first == "--help" || first == "-h")
        out << kUsage;
    else if (first == "--version")
        out << "tickwell " TICKWELL_VERSION "\n";
    else
        return std::nullopt;
    out.flush();
    return out ? 0 : 1;
}
