#include "platform/DamagedCopy.h"
#include "platform/Paths.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

bool SameBytes(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec)
        return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb)
        return false;
    return std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

std::string CopyWithTheSameBytes(const fs::path& file) {
    const std::string prefix = file.filename().string() + ".damaged-";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(file.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && entry.is_regular_file(ec) && SameBytes(file, entry.path()))
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
