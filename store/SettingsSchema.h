#pragma once
// Every setting of the program: its section, value name, type and default,
// written down once here and read or written only through these descriptors.
#include "core/DateTime.h"
#include "store/Registry.h"
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

struct TBoolSetting {
    const char* Section;
    const char* Name;
    bool Default;
};
// A number outside Min..Max (one the program has no use for) reads as the
// default.
struct TIntSetting {
    const char* Section;
    const char* Name;
    std::int32_t Default;
    std::int32_t Min = INT32_MIN;
    std::int32_t Max = INT32_MAX;
};
// A colour as 0x00BBGGRR, or 0x80000000 plus a system colour index.
struct TColorSetting {
    const char* Section;
    const char* Name;
    std::uint32_t Default;
};
// A text Usable refuses reads as the default; Form says what it takes.
struct TStringSetting {
    const char* Section;
    const char* Name;
    const char* Default;
    bool (*Usable)(const std::string& text) = nullptr;
    const char* Form = nullptr;
};

// Empty (off), or a time of day such as 07:30.
bool IsScheduleTime(const std::string& text);
// A date (day count); the default depends on the day, so the caller gives it.
struct TDateSetting {
    const char* Section;
    const char* Name;
};
// A text whose default is a folder only known at run time.
struct TFolderSetting {
    const char* Section;
    const char* Name;
};

// ---- Options ----
inline constexpr TBoolSetting kShowNoEventsMsg{"Options", "ShowNoEventsMsg", true};
inline constexpr TBoolSetting kTrayIcon{"Options", "TrayIcon", false};
inline constexpr TIntSetting kMainWindow{"Options", "MainWindow", 0};
inline constexpr TBoolSetting kEventDeleteConfirm{"Options", "EventDeleteConfirm", true};
inline constexpr TBoolSetting kAutoBackup{"Options", "AutoBackup", true};
inline constexpr TBoolSetting kBeep{"Options", "Beep", false};
inline constexpr TBoolSetting kOnceDaily{"Options", "OnceDaily", false};
inline constexpr TBoolSetting kSunStartWeek{"Options", "SunStartWeek", false};
inline constexpr TBoolSetting kPlayWav{"Options", "PlayWav", false};
inline constexpr TStringSetting kWavFile{"Options", "WavFile", ""};
inline constexpr TBoolSetting kWinExShow{"Options", "WinExShow", false};
inline constexpr TIntSetting kTrayWindow{"Options", "TrayWindow", 0};
inline constexpr TBoolSetting kShowClock{"Options", "ShowClock", false};
inline constexpr TBoolSetting kFilterMain{"Options", "FilterMain", false};
// Written by the options dialog; nothing reads it back.
inline constexpr TBoolSetting kFilterPast{"Options", "FilterPast", false};
// The options dialog's ranges. (A type its list cannot show is kept, and
// written back as it was.)
inline constexpr TIntSetting kDfltNotice{"Options", "DfltNotice", 7, 1, 365};
inline constexpr TIntSetting kDfltInterval{"Options", "DfltInterval", 1, 1, 52};
inline constexpr TIntSetting kDfltEventType{"Options", "DfltEventType", 0};
inline constexpr TBoolSetting kDfltKeepFlag{"Options", "DfltKeepFlag", true};
// A desktop notification as well when a schedule time opens the due events.
inline constexpr TBoolSetting kNotify{"Options", "Notify", true};
// How long Snooze puts a reminder off, in minutes; 0 until the next day.
inline constexpr TIntSetting kSnoozeMinutes{"Options", "SnoozeMinutes", 60, 0, 7 * 24 * 60};
// Set once the user has been told that the desktop has no tray.
inline constexpr TBoolSetting kNoTrayTold{"Options", "NoTrayTold", false};

// ---- Settings ----
// Default: the data folder.
inline constexpr TFolderSetting kBackupDest{"Settings", "BackupDest"};
// Why the backup made when the program last ended failed; told at the next
// start, then removed.
inline constexpr TStringSetting kExitBackupFailed{"Settings", "ExitBackupFailed", ""};

// A calendar folder (one .ics file for each event) kept in step with the
// events, for vdirsyncer to carry to other machines; empty when off.
inline constexpr TStringSetting kSyncFolder{"Settings", "SyncFolder", ""};

// ---- QuickMode ----
// Default: today minus one day.
inline constexpr TDateSetting kLastRun{"QuickMode", "LastRun"};

// ---- Forms (pixels) ----
inline constexpr TIntSetting kFormsHm{"Forms", "hm", 406};
inline constexpr TIntSetting kFormsWm{"Forms", "wm", 558};
inline constexpr TBoolSetting kDetailPane{"Forms", "DetailPane", false};
inline constexpr TBoolSetting kFullRowSelect{"Forms", "FullRowSelect", true};
inline constexpr TBoolSetting kGridLines{"Forms", "GridLines", false};
inline constexpr TIntSetting kFormsHs{"Forms", "hs", 345};
inline constexpr TIntSetting kFormsWs{"Forms", "ws", 490};
inline constexpr TIntSetting kFormsLs{"Forms", "ls", -1};
inline constexpr TIntSetting kFormsTs{"Forms", "ts", -1};
inline constexpr TIntSetting kFormsHc{"Forms", "hc", 530};
inline constexpr TIntSetting kFormsWc{"Forms", "wc", 660};

// ---- Scan Options ----
inline constexpr TBoolSetting kUseIcons{"Scan Options", "UseIcons", true};
inline constexpr TBoolSetting kShowDate{"Scan Options", "ShowDate", true};
inline constexpr TBoolSetting kDateStyle{"Scan Options", "DateStyle", true};
inline constexpr TBoolSetting kHeader{"Scan Options", "Header", true};
inline constexpr TBoolSetting kBriefDays{"Scan Options", "BriefDays", true};
// Written by the due-events window; nothing reads it back.
inline constexpr TBoolSetting kGrey{"Scan Options", "Grey", false};

// ---- Calendar ----
inline constexpr TBoolSetting kCalMonth{"Calendar", "Month", true};
inline constexpr TBoolSetting kCalWrap{"Calendar", "Wrap", true};
inline constexpr TBoolSetting kCalToolbar{"Calendar", "Toolbar", true};
inline constexpr TBoolSetting kCalBoldMarkedDate{"Calendar", "BoldMarkedDate", true};
inline constexpr TStringSetting kCalFontName{"Calendar", "Font Name", "MS Sans Serif"};
inline constexpr TIntSetting kCalFontSize{"Calendar", "Font Size", 8};
inline constexpr TColorSetting kCalFontColor{"Calendar", "Font Color", 0x80000008u};
inline constexpr TColorSetting kCalBlankCell{"Calendar", "BlankCell", 0x80000018u};
inline constexpr TColorSetting kCalMarkedBrushColor{"Calendar", "MarkedBrushColor", 0x00FFFBF0u};
inline constexpr TColorSetting kCalMarkedPenColor{"Calendar", "MarkedPenColor", 0x000000FFu};
inline constexpr TColorSetting kCalLBFontColor{"Calendar", "LB Font Color", 0x80000008u};
inline constexpr TStringSetting kCalLBFontName{"Calendar", "LB Font Name", "MS Sans Serif"};
inline constexpr TColorSetting kCalDTFontColor{"Calendar", "DT Font Color", 0x80000008u};
inline constexpr TStringSetting kCalDTFontName{"Calendar", "DT Font Name", "MS Sans Serif"};

// ---- AlarmForm ----
inline constexpr const char* kScheduleTimeForm = "a time of day such as 07:30, or empty";
inline constexpr TStringSetting kAlarm0{"AlarmForm", "alarm0", "", IsScheduleTime,
                                        kScheduleTimeForm};
inline constexpr TStringSetting kAlarm1{"AlarmForm", "alarm1", "", IsScheduleTime,
                                        kScheduleTimeForm};
inline constexpr TStringSetting kAlarm2{"AlarmForm", "alarm2", "", IsScheduleTime,
                                        kScheduleTimeForm};
inline constexpr TStringSetting kClockFontName{"AlarmForm", "fontname", "Arial"};
inline constexpr TIntSetting kClockFontSize{"AlarmForm", "fontsize", 10};
inline constexpr TColorSetting kClockFontCol{"AlarmForm", "fontcol", 0x00000000u};
inline constexpr TColorSetting kClockColor{"AlarmForm", "color", 0x00FFFFFFu};
inline constexpr TBoolSetting kClockBold{"AlarmForm", "bold", true};
inline constexpr TBoolSetting kClockItalic{"AlarmForm", "italic", false};
inline constexpr TIntSetting kClockLeft{"AlarmForm", "wleft", 0};
inline constexpr TIntSetting kClockTop{"AlarmForm", "wtop", 0};
inline constexpr TBoolSetting kClockOnTop{"AlarmForm", "On Top", true};
inline constexpr TBoolSetting kClock24Hour{"AlarmForm", "24hour", true};

// ---- typed access (TWinRegistry) ----
bool ReadSetting(const TWinRegistry& reg, const TBoolSetting& s);
std::int32_t ReadSetting(const TWinRegistry& reg, const TIntSetting& s);
std::uint32_t ReadSetting(const TWinRegistry& reg, const TColorSetting& s);
std::string ReadSetting(const TWinRegistry& reg, const TStringSetting& s);
TDateTime ReadSetting(const TWinRegistry& reg, const TDateSetting& s, TDateTime def);
std::string ReadSetting(const TWinRegistry& reg, const TFolderSetting& s, const std::string& def);

void WriteSetting(TWinRegistry& reg, const TBoolSetting& s, bool value);
void WriteSetting(TWinRegistry& reg, const TIntSetting& s, std::int32_t value);
void WriteSetting(TWinRegistry& reg, const TColorSetting& s, std::uint32_t value);
void WriteSetting(TWinRegistry& reg, const TStringSetting& s, const std::string& value);
void WriteSetting(TWinRegistry& reg, const TDateSetting& s, TDateTime value);
void WriteSetting(TWinRegistry& reg, const TFolderSetting& s, const std::string& value);

// One value on its own: opens the root, reads or writes, closes.
inline bool ReadSetting(const TBoolSetting& s) {
    return ReadSetting(TWinRegistry(), s);
}
inline std::int32_t ReadSetting(const TIntSetting& s) {
    return ReadSetting(TWinRegistry(), s);
}
inline std::uint32_t ReadSetting(const TColorSetting& s) {
    return ReadSetting(TWinRegistry(), s);
}
inline std::string ReadSetting(const TStringSetting& s) {
    return ReadSetting(TWinRegistry(), s);
}
template <class TSetting, class TValue> void WriteSetting(const TSetting& s, const TValue& value) {
    TWinRegistry reg;
    WriteSetting(reg, s, value);
}

// The stored settings the program cannot use, for one notice: each as
// `Options "DfltNotice" is 400, not from 1 to 365`. Values of the wrong
// kind are left to the reader, which tells them.
std::vector<std::string> SettingsOutOfRange(const TRegData& data);

// QuickMode/LastRun with its default, today minus one day.
TDateTime ReadLastRun(const TWinRegistry& reg);

// ---- list-view keys (all-text style, TRegIniFile) ----
inline constexpr const char* kMainListKey = "Software\\Veltra\\Tickwell\\Main";
inline constexpr const char* kCalendarListKey = "Software\\Veltra\\Tickwell\\Calendar";
inline constexpr const char* kDueListKey = "Software\\Veltra\\Tickwell\\Tickwells Window";
inline constexpr const char* kColumnsSection = "Columns";
inline constexpr const char* kSizesValue = "Sizes";
inline constexpr const char* kOrderValue = "Order";
inline constexpr const char* kSortSection = "Sort";
inline constexpr const char* kAscendingValue = "Ascending";
inline constexpr bool kAscendingDefault = true;
inline constexpr const char* kSortColValue = "SortCol";
inline constexpr std::int32_t kSortColDefault = 0;

struct TListViewSettings {
    // Empty when missing (or unreadable): the list view's built-in widths.
    std::vector<std::int32_t> Sizes;
    // Empty when missing: the natural order.
    std::vector<std::int32_t> Order;
    bool Ascending = kAscendingDefault;
    std::int32_t SortCol = kSortColDefault;
};

TListViewSettings ReadListViewSettings(const char* key);
void WriteListViewSettings(const char* key, const TListViewSettings& settings);

// "120,80,200" to numbers; empty when the text is empty or any item is not a
// number. And back, with no spaces.
std::vector<std::int32_t> ParseIntList(const std::string& text);
std::string FormatIntList(const std::vector<std::int32_t>& values);
