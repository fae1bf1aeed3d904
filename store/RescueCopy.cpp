#include "store/RescueCopy.h"
#include "core/Messages.h"
#include "store/AtomicFile.h"
#include "store/Companion.h"
#include "store/DataFile.h"
#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnsaved = "unsaved-";
constexpr const char* kRescued = "rescued-";

// The records of a copy, not the companion beside them.
bool IsRescueCopy(const fs::path& path, const char* prefix) {
    const std::string name = path.filename().string();
    return name.starts_with(prefix) && name.ends_with(".dat");
}

} // namespace

std::string WriteRescueCopy(const TListSorted& list, const std::vector<std::string>& folders,
                            std::string& error) {
    for (const std::string& folder : folders) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) {
            error = ec.message() + ": " + folder;
            continue;
        }
        const std::string path = UnusedStampedPath(folder + "/" + kUnsaved, ".dat");
        try {
            WriteEventsFile(list, path, nullptr);
            // One copy of the same events, however many ends wrote it: the
            // same records with the same ids and texts.
            for (const std::string& any : folders)
                for (const fs::directory_entry& entry : fs::directory_iterator(any, ec)) {
                    const std::string other = entry.path().string();
                    if (other != path && IsRescueCopy(entry.path(), kUnsaved) &&
                        SameFileBytes(other, path) &&
                        SameFileBytes(CompanionPath(other), CompanionPath(path))) {
                        fs::remove(path, ec);
                        fs::remove(CompanionPath(path), ec);
                        return other;
                    }
                }
            return path;
        } catch (const TTickwellError& e) {
            const std::string what = e.what();
            error = what.substr(what.find('\n') + 1);
        }
    }
    return {};
}

std::vector<std::string> TakeRescueCopies(const std::vector<std::string>& folders) {
    std::vector<fs::path> found;
    for (const std::string& folder : folders) {
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
            if (IsRescueCopy(entry.path(), kUnsaved) && entry.is_regular_file(ec))
                found.push_back(entry.path());
        }
    }
    // The stamp in the name sorts by time.
    std::sort(found.begin(), found.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    std::vector<std::string> told;
    for (const fs::path& from : found) {
        const fs::path to =
            from.parent_path() /
            (kRescued + from.filename().string().substr(std::string(kUnsaved).size()));
        std::error_code ec;
        fs::rename(from, to, ec);
        if (ec) {
            told.push_back(from.string());
            continue;
        }
        // Its ids and texts go with it; without them it still holds every
        // event.
        fs::rename(CompanionPath(from.string()), CompanionPath(to.string()), ec);
        told.push_back(to.string());
    }
    return told;
}
