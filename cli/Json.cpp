#include "cli/Json.h"

std::string JsonString(std::string_view utf8) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
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
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

void TJsonObject::Name(std::string_view name) {
    if (Text.size() > 1)
        Text += ',';
    Text += JsonString(name);
    Text += ':';
}

TJsonObject& TJsonObject::Add(std::string_view name, std::string_view text) {
    Name(name);
    Text += JsonString(text);
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
