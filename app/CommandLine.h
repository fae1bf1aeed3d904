#pragma once
// The switches the program answers on the terminal instead of starting:
// --help (also -h) and --version. They work without a display.
#include <optional>
#include <ostream>
#include <string>

// The exit status when first (the first argument) is one of them, after
// printing the answer to out; nothing otherwise.
std::optional<int> AnswerInfoSwitch(const std::string& first, std::ostream& out);
