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

inline constexpr const char* kRegFileHeader = "REGEDIT4";
inline constexpr const char* kRegFileHive = "HKEY_CURRENT_USER";

// False (with a reason naming the line) when the text is not such a file.
bool ParseRegFile(std::string_view text, TRegData& out, std::string& error);
std::string FormatRegFile(const TRegData& data);
