#pragma once
// The system's date and time conventions as the program's format settings.
#include "core/FormatSettings.h"

class QLocale;

// From QLocale::system(): day and month names, the morning and afternoon
// designators, the time separator, and the short date format built from the
// system's order of day, month and year and its separator. A system short
// format without a numeric separator (the C locale's "d MMM yyyy", say) gives
// year-month-day with "-", and ShortDateFromLocale false.
TFormatSettings SystemFormatSettings();
// The same for any locale (tests use fixed ones).
TFormatSettings LocaleFormatSettings(const QLocale& locale);
