#pragma once
// The message routines for texts the windows translated: the same routines,
// taking the QString that tr() gives.
#include "core/Messages.h"
#include <QString>

inline void ShowMsg(const QString& text, TMsgKind kind) {
    ShowMsg(text.toStdString(), kind);
}
inline TAnswer AskYesNoCancel(const QString& text, TAnswer defaultAnswer = anYes) {
    return AskYesNoCancel(text.toStdString(), defaultAnswer);
}
inline TAnswer AskOkCancel(const QString& text) {
    return AskOkCancel(text.toStdString());
}
// A plain C string (an exception's what(), a text left untranslated) would
// otherwise fit both.
inline void ShowMsg(const char* text, TMsgKind kind) {
    ShowMsg(std::string(text), kind);
}
inline TAnswer AskYesNoCancel(const char* text, TAnswer defaultAnswer = anYes) {
    return AskYesNoCancel(std::string(text), defaultAnswer);
}
inline TAnswer AskOkCancel(const char* text) {
    return AskOkCancel(std::string(text));
}
