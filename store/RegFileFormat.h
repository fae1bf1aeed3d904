#pragma once
// The text form of the settings registry: the format of registry export
// files, version 4 ("REGEDIT4"), so the file can be read and edited by hand.
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\software\VELTRA\Tickwell\Options]
//   "MainWindow"=dword:00000001
//   "WavFile"="/home/ann/chime.wav"
#include "store/Registry.h"
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kRegFileHeader = "REGEDIT4";
inline constexpr const char* kRegFileHive = "HKEY_CURRENT_USER";

// A line of the file that could not be read: where, as written (its first
// line when it spans several), and why.
struct TRegFileSkip {
    int Line;
    std::string Text;
    std::string Why;
};

// False (with a reason naming the line) when the text is no such file at all:
// it does not begin with REGEDIT4. Otherwise every value that cannot be read
// (and every key, with the values below it) is left out and listed in
// skipped, and all the rest is read.
bool ParseRegFile(std::string_view text, TRegData& out, std::vector<TRegFileSkip>& skipped,
                  std::string& error);
std::string FormatRegFile(const TRegData& data);
