#pragma once
// Windows-1252 <-> UTF-8. Every byte value maps to a code point and back (the
// five bytes the code page leaves undefined map to the C1 controls of the
// same number), so text read from a file writes back byte for byte.
#include <string>
#include <string_view>

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'. maxChars cuts the text
// to that many characters first.
std::string Utf8ToCp1252(std::string_view utf8, size_t maxChars = std::string::npos);
// True when the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view bytes);
// The first character a description cannot hold, named for a message ("the
// control character U+0009"): a control character other than a line break
// (CR, LF), or a byte that is not well-formed UTF-8 (a lone surrogate among
// them). Empty when every character can be stored.
std::string FirstUnstorable(std::string_view utf8);
// Appends one code point as UTF-8 (no check that it is a valid one).
void AppendUtf8(std::string& out, char32_t cp);
// Number of characters (code points) of UTF-8 text.
size_t Utf8Length(std::string_view utf8);
