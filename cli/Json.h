#pragma once
// Just enough JSON to write the command line's output: strings escaped as
// JSON requires, and objects built member by member in a fixed order.
#include <string>
#include <string_view>

// The UTF-8 text as a JSON string literal, quotes included. Control
// characters become \uXXXX escapes (\n, \r, \t and the like their short form);
// everything else is copied as it is.
std::string JsonString(std::string_view utf8);

class TJsonObject {
public:
    TJsonObject& Add(std::string_view name, std::string_view text);
    TJsonObject& Add(std::string_view name, const char* text) {
        return Add(name, std::string_view(text));
    }
    TJsonObject& Add(std::string_view name, long long number);
    TJsonObject& Add(std::string_view name, int number) {
        return Add(name, static_cast<long long>(number));
    }
    TJsonObject& Add(std::string_view name, bool flag);
    // A value that is already JSON text (an array, say).
    TJsonObject& AddRaw(std::string_view name, std::string_view json);
    std::string Str() const { return Text + "}"; }

private:
    void Name(std::string_view name);
    std::string Text = "{";
};
