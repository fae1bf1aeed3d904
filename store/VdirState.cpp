#include "store/VdirState.h"
#include "store/AtomicFile.h"
#include "store/StableDigest.h"
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// tickwell-vdir 1<TAB>folder<TAB>listing print (hex)<TAB>folder inode<TAB>
// folder mtime ns, the last steps' lines, then one line an item:
// name, inode, mtime ns, kind, print (hex), UID, note. Names, UIDs and notes
// hold no tab or line break: the folder's names come from readdir, and the
// writer replaces both in UIDs and notes.
constexpr const char* kHeader = "tickwell-vdir 1";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', from)) {
        out.push_back(line.substr(from, tab - from));
        from = tab + 1;
    }
    out.push_back(line.substr(from));
    return out;
}

template <typename T> bool Number(const std::string& text, T& value, int base = 10) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string Clean(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

std::uint64_t ItemPrint(const char* name, const TItemTag& tag) {
    std::string bytes(name);
    bytes.append(reinterpret_cast<const char*>(&tag.Inode), sizeof tag.Inode);
    bytes.append(reinterpret_cast<const char*>(&tag.ModifiedNs), sizeof tag.ModifiedNs);
    return StableDigest(bytes);
}

std::uint64_t ListingPrint(const TVdirState& state) {
    std::uint64_t sum = 0;
    for (const auto& [name, item] : state.Items)
        sum += ItemPrint(name.c_str(), item.Tag);
    return sum;
}

std::optional<TFolderNote> ReadFolderNote(const std::string& path, const std::string& folder) {
    // Only the first line: a step with nothing to do reads no more.
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    const std::string head = std::string(kHeader) + "\t" + folder + "\t";
    if (line.rfind(head, 0) != 0)
        return std::nullopt;
    const std::vector<std::string> f = Fields(line.substr(head.size()));
    TFolderNote note;
    if (f.size() != 3 || !Number(f[0], note.Listing, 16) || !Number(f[1], note.Tag.Inode) ||
        !Number(f[2], note.Tag.ModifiedNs))
        return std::nullopt;
    return note;
}

std::string VdirStatePath(const std::string& dataFile) {
    return dataFile + ".vdir";
}

TVdirState ReadVdirState(const std::string& path, const std::string& folder) {
    TVdirState state;
    state.Folder = folder;
    TFileBytes bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error))
        return state;
    std::istringstream in{std::string(bytes.View())};
    std::string line;
    const std::string head = std::string(kHeader) + "\t" + folder + "\t";
    if (!std::getline(in, line) || line.rfind(head, 0) != 0)
        return state;
    TVdirState read;
    read.Folder = folder;
    if (!std::getline(in, read.LastIn) || !std::getline(in, read.LastOut))
        return state;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Fields(line);
        TItemState item;
        if (f.size() != 7 || f[0].empty() || !Number(f[1], item.Tag.Inode) ||
            !Number(f[2], item.Tag.ModifiedNs) || f[3].size() != 1 || !Number(f[4], item.Print, 16))
            return state;
        item.Kind = static_cast<TItemKind>(f[3][0]);
        if (item.Kind != TItemKind::Event && item.Kind != TItemKind::Part &&
            item.Kind != TItemKind::NotShown)
            return state;
        item.Uid = f[5];
        item.Note = f[6];
        read.Items[f[0]] = item;
    }
    return read;
}

bool WriteVdirState(const std::string& path, const TVdirState& state, std::string& error) {
    std::ostringstream out;
    out << kHeader << '\t' << state.Folder << '\t' << std::hex << ListingPrint(state) << std::dec
        << '\t' << state.FolderTag.Inode << '\t' << state.FolderTag.ModifiedNs << '\n'
        << Clean(state.LastIn) << '\n'
        << Clean(state.LastOut) << '\n';
    for (const auto& [name, item] : state.Items)
        out << name << '\t' << item.Tag.Inode << '\t' << item.Tag.ModifiedNs << '\t'
            << static_cast<char>(item.Kind) << '\t' << std::hex << item.Print << std::dec << '\t'
            << Clean(item.Uid) << '\t' << Clean(item.Note) << '\n';
    return WriteFileAtomic(path, out.str(), error, kPrivateFileMode);
}
