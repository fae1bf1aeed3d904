// helpdoc PROGRAM TEMPLATE OUTPUT: runs "PROGRAM --help" and writes TEMPLATE
// to OUTPUT with its {{NAME}} places filled from that text.
#include "tools/helpdoc/HelpDoc.h"
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace {

std::string ShellQuoted(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string HelpOf(const std::string& program) {
    const std::string command = ShellQuoted(program) + " --help";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(command + " failed");
    if (text.find("Usage:") == std::string::npos)
        throw std::runtime_error(command + " printed no usage");
    return text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: helpdoc PROGRAM TEMPLATE OUTPUT\n";
        return 2;
    }
    try {
        const std::string text = FillTemplate(ReadFile(argv[2]), ParseHelpText(HelpOf(argv[1])));
        std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            throw std::runtime_error(std::string("cannot write ") + argv[3]);
    } catch (const std::exception& e) {
        std::cerr << "helpdoc: " << e.what() << "\n";
        std::remove(argv[3]);
        return 1;
    }
    return 0;
}
