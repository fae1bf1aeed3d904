#pragma once
// Where the program keeps its files. $TICKWELL_HOME, when set, holds both the
// data and the settings (tests and portable use point it at one folder).
#include <string>

// $TICKWELL_HOME, else $XDG_DATA_HOME/tickwell, else ~/.local/share/tickwell;
// created when missing.
std::string DataFolder();
// $TICKWELL_HOME, else $XDG_CONFIG_HOME/tickwell, else ~/.config/tickwell;
// not created here (the settings file creates it on its first write).
std::string ConfigFolder();
// The session's autostart folder: $XDG_CONFIG_HOME/autostart, else
// ~/.config/autostart ($TICKWELL_HOME does not move it); not created here.
std::string AutostartFolder();
// $TICKWELL_HOME, else $XDG_STATE_HOME/tickwell, else
// ~/.local/state/tickwell; not created here.
std::string StateFolder();
// DataFolder() + "/tickwell.dat".
std::string DataFilePath();
// ConfigFolder() + "/registry.reg".
std::string RegistryFilePath();
// "<path>.damaged-YYYYMMDD-HHMMSS" (local time) for keeping a file that
// could not be read; "-1", "-2"... added when that name is already taken.
std::string DamagedCopyName(const std::string& path);
