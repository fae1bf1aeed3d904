#pragma once
// tickwell-cli as a function, so that tests can drive it with string
// streams: arguments without the program name; returns the exit status.
#include "cli/OutputForm.h"
#include <istream>
#include <ostream>
#include <string>
#include <vector>

// interactive: questions are asked on `in` (standard input is a terminal).
// form: how list, due and month write (the program: for its standard
// output), a calendar as wide as columns. The caller sets the format
// settings (the program: from the system locale).
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive = false, TOutputForm form = TOutputForm::Rows,
           int columns = 80);
