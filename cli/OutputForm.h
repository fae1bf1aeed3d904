#pragma once
// Whom the reading commands write for. Scripts, pipes and status bars get
// the tab-separated rows, which never change; a person at a terminal gets
// words, a heading and a calendar.
enum class TOutputForm {
    Rows,
    Words,
    // Words, with overdue events and today in colour.
    ColourWords,
};

// For the standard output: words on a terminal, coloured unless the terminal
// is a dumb one or NO_COLOR is set (https://no-color.org); rows elsewhere.
TOutputForm StandardOutputForm();
// The terminal's width in columns, 80 when it cannot tell.
int StandardOutputColumns();
