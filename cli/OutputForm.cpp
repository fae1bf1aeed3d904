#include "cli/OutputForm.h"
#include <cstdlib>
#include <cstring>
#include <sys/ioctl.h>
#include <unistd.h>

TOutputForm StandardOutputForm() {
    if (isatty(STDOUT_FILENO) != 1)
        return TOutputForm::Rows;
    const char* noColour = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    const bool colours = (!noColour || !*noColour) && term && *term && std::strcmp(term, "dumb");
    return colours ? TOutputForm::ColourWords : TOutputForm::Words;
}

int StandardOutputColumns() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}
