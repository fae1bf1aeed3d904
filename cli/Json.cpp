#include "cli/Json.h"

namespace {

// JsonString appended to a text being built, with no string of its own.
void AppendJsonString(std::string& out, std::string_view utf8) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    // Runs of characters that need no escape are copied whole.
    size_t plain = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(utf8, plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    out.append(utf8, plain);
    out += '"';
}

} // namespace

std::string JsonString(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    AppendJsonString(out, utf8);
    return out;
}

void TJsonObject::Name(std::string_view name) {
    if (Text.size() > 1)
        Text += ',';
    AppendJsonString(Text, name);
    Text += ':';
}

TJsonObject& TJsonObject::Add(std::string_view name, std::string_view text) {
    Name(name);
    AppendJsonString(Text, text);
    return *this;
}

TJsonObject& TJsonObject::Add(std::string_view name, long long number) {
    Name(name);
    Text += std::to_string(number);
    return *this;
}

TJsonObject& TJsonObject::Add(std::string_view name, bool flag) {
    Name(name);
    Text += flag ? "true" : "false";
    return *this;
}

TJsonObject& TJsonObject::AddRaw(std::string_view name, std::string_view json) {
    Name(name);
    Text += json;
    return *this;
}
