#pragma once
// The light tickwell-cli runs list, due and month itself and hands every
// other command to the whole program, which links Qt and libical, by
// executing it in its own place: same arguments, streams and exit status.
#include <string>
#include <vector>

// The commands the light program runs for these arguments itself: the usage
// errors, --help and --version, and list, due and month unless the settings
// name a sync folder (which needs libical to be taken in first) or hold a
// value that may read otherwise in the system's locale.
bool LightProgramRuns(const std::vector<std::string>& args);

// Does not return unless the whole program cannot be started; returns the
// exit status then, after saying why.
int ExecWholeProgram(char** argv);
