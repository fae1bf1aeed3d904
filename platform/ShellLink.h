#pragma once
// The start-up link: a desktop entry in the session's autostart folder that
// starts the program at login. The desktop entry format has no reader or
// writer in Qt (QSettings would mangle its escapes and its Exec quoting), so
// the few keys used here are read and written by hand, keeping every line
// they do not touch.
#include "core/Messages.h"
#include <string>

// What a link holds. On this platform a link is a desktop entry:
// PathName and Arguments make up its Exec line, Description is its Comment,
// WorkingDirectory its Path and IconLocation its Icon (an icon name).
struct TShellLinkInfo {
    std::string PathName;
    std::string Arguments;
    std::string Description;
    std::string WorkingDirectory;
    std::string IconLocation;
    // False when the user switched the entry off in the session's settings
    // (Hidden=true or X-GNOME-Autostart-enabled=false).
    bool Enabled = true;
};

// A link that cannot be read or written.
class EShellLinkError : public TTickwellError {
public:
    using TTickwellError::TTickwellError;
};

// The name of the start-up link in the autostart folder.
inline constexpr const char* kStartupLinkName = "tickwell.desktop";

// The folder of a special folder name; "Startup" is the autostart folder.
// Throws TTickwellError for any other name.
std::string GetSpecialFolder(const std::string& name);
// GetSpecialFolder("Startup") + "/tickwell.desktop".
std::string StartupLinkPath();

// Makes (or replaces) the link tickwell.desktop in the special folder, which
// is created when missing: the program with no arguments, the description
// and the icon name. Returns the link's full path.
std::string CreateShellLink(const std::string& programPath, const std::string& description,
                            const std::string& specialFolder, const std::string& icon);
// Reads a link. A bare program name in it is looked up on the PATH.
TShellLinkInfo GetShellLinkInfo(const std::string& linkFile);
// Rewrites a link's fields, keeping its other lines.
void SetShellLinkInfo(const std::string& linkFile, const TShellLinkInfo& info);

// Whether two paths name the same program file once symbolic links are
// resolved.
bool SameProgramFile(const std::string& a, const std::string& b);
