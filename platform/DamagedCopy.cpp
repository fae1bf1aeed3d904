#include "platform/DamagedCopy.h"
#include "platform/Paths.h"
#include "store/AtomicFile.h"
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string CopyWithTheSameBytes(const fs::path& file) {
    const std::string prefix = file.filename().string() + ".damaged-";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && entry.is_regular_file(ec) &&
            SameFileBytes(file.string(), entry.path().string()))
            return entry.path().string();
    }
    return {};
}

} // namespace

std::string KeepDamagedCopy(const std::string& path, std::string& error) {
    const fs::path file = fs::absolute(path);
    if (std::string kept = CopyWithTheSameBytes(file); !kept.empty())
        return kept;
    const std::string copy = DamagedCopyName(file.string());
    std::error_code ec;
    if (!fs::copy_file(file, copy, fs::copy_options::none, ec)) {
        error = ec ? ec.message() : "the copy was not made";
        return {};
    }
    return copy;
}
