#pragma once
// Date to text and text to date in the patterns the program uses:
// d dd ddd dddd ddddd dddddd, m mm mmm mmmm, yy yyyy, h hh n nn s ss, ampm,
// "/" the date separator, ":" the time separator, quoted text literal.
#include "core/DateTime.h"
#include "core/FormatSettings.h"
#include <string>

std::string FormatDateTime(const std::string& pattern, TDateTime d,
                           const TFormatSettings& fs = FormatSettings());
// The date in the short date format.
std::string DateToStr(TDateTime d, const TFormatSettings& fs = FormatSettings());
// Text in the short date format to a date, with the checks of
// IsValidDateString; false when the text is not exactly one valid date.
bool TryStrToDate(const std::string& text, TDateTime& out,
                  const TFormatSettings& fs = FormatSettings());
// "YYYY-MM-DD", the form the command line and JSON use.
std::string IsoDate(TDateTime d);
bool TryParseIsoDate(const std::string& text, TDateTime& out);
// A time of day as the schedule stores it ("07:30", the hours and minutes
// joined by ":" or the system's time separator; seconds may follow) to a day
// fraction. False for anything else, which the schedule treats as off.
bool TryReadTimeOfDay(const std::string& text, TDateTime& out);
