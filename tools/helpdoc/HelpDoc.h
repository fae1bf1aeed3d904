#pragma once
// What a program's manual page and shell completions take from its --help
// text, filled into hand-written templates at the places marked {{NAME}}:
//
//   SYNOPSIS, SECTIONS     the manual page's SYNOPSIS, and one section per
//                          help section (roff)
//   COMMANDS               the command words of the "Commands" section
//   GLOBAL_OPTIONS         the options of the "Options" section
//   VALUE_OPTIONS          every option that takes a value
//   FILE_OPTIONS, FOLDER_OPTIONS     options whose value names a file/folder
//   FILE_COMMANDS, FOLDER_COMMANDS   commands whose first operand does
//   BASH_COMMAND_OPTIONS   [cmd]="--a --b" pairs of a bash associative array
//   ZSH_COMMAND_OPTIONS    cmd '--a --b' pairs of a zsh associative array
//   ZSH_COMMANDS, ZSH_GLOBAL_OPTIONS 'name:what it does' items for _describe
#include "tools/helpdoc/HelpText.h"
#include <string>

// Text as roff: backslashes and minus signs escaped, a leading control
// character made literal.
std::string RoffText(const std::string& text);

// Fills every {{NAME}} in templ; an unknown name throws std::runtime_error,
// so that a misspelt placeholder fails the build instead of reaching a page.
std::string FillTemplate(const std::string& templ, const THelpText& help);
