#include "app/MessageBoxes.h"

#include "core/Messages.h"
#include "platform/QtMessages.h"
#include "store/BusyCursor.h"
#include "store/Settings.h"
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

namespace {

const char* const kCaption = "Tickwell";

// The log file of the test hook, or empty.
QString MessageLog() {
    return QString::fromLocal8Bit(qgetenv("TICKWELL_MESSAGE_LOG"));
}

// A translated text of the engine, or the same text.
bool Translate(const QString& text, QString& shown) {
    shown = QCoreApplication::translate("Messages", text.toUtf8().constData());
    return shown != text;
}

// One line of a notice: whole, or a translated beginning and end around what
// the engine put between them (a path, a number, a reason).
QString TranslatedLine(const QString& line) {
    QString shown;
    if (line.isEmpty())
        return line;
    if (Translate(line, shown))
        return shown;
    constexpr int kShortest = 6;
    QString head, tail;
    int from = 0;
    for (int n = static_cast<int>(line.size()) - 1; n >= kShortest; --n)
        if (Translate(line.left(n), head)) {
            from = n;
            break;
        }
    int to = static_cast<int>(line.size());
    for (int n = to - from - 1; n >= kShortest; --n)
        if (Translate(line.right(n), tail)) {
            to -= n;
            break;
        }
    if (from == 0 && to == line.size())
        return line;
    return (from ? head : QString()) + line.mid(from, to - from) +
           (to < line.size() ? tail : QString());
}

} // namespace

// The engine's notices are English (core, store and ical know nothing of
// Qt); the texts they are built from are marked with TW_TRANSLATE_NOOP and
// translated here, line by line, as they reach the screen.
QString TranslatedNotice(const std::string& text) {
    const QString english = QString::fromStdString(text);
    QString shown;
    if (Translate(english, shown))
        return shown;
    QStringList lines = english.split('\n');
    for (QString& line : lines)
        line = TranslatedLine(line);
    return lines.join('\n');
}

namespace {

void LogEntry(const QString& log, const char* kind, const std::string& text) {
    QFile f(log);
    if (f.open(QIODevice::Append | QIODevice::WriteOnly)) {
        f.write("[" + QByteArray(kind) + "] " + TranslatedNotice(text).toUtf8() + "\n");
        f.close();
    }
}

QMessageBox::StandardButton Box(QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton, bool foreground) {
    QMessageBox box(icon, kCaption, TranslatedNotice(text), buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    if (foreground)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    if (foreground) {
        box.raise();
        box.activateWindow();
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Show(const std::string& text, TMsgKind kind) {
    static const char* const names[] = {"information", "error", "warning"};
    const QString log = MessageLog();
    if (!log.isEmpty()) {
        LogEntry(log, names[kind >= mkInformation && kind <= mkWarning ? kind : 0], text);
        return;
    }
    const QMessageBox::Icon icon = kind == mkError     ? QMessageBox::Critical
                                   : kind == mkWarning ? QMessageBox::Warning
                                                       : QMessageBox::Information;
    Box(icon, text, QMessageBox::Ok, QMessageBox::Ok, false);
}

TAnswer YesNoCancel(const std::string& text, TAnswer defaultAnswer) {
    const QString log = MessageLog();
    if (!log.isEmpty()) {
        LogEntry(log, "yes-no-cancel", text);
        return anCancel;
    }
    const QMessageBox::StandardButton enter = defaultAnswer == anNo       ? QMessageBox::No
                                              : defaultAnswer == anCancel ? QMessageBox::Cancel
                                                                          : QMessageBox::Yes;
    switch (Box(QMessageBox::Question, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, enter, false)) {
    case QMessageBox::Yes:
        return anYes;
    case QMessageBox::No:
        return anNo;
    default:
        return anCancel;
    }
}

TAnswer OkCancel(const std::string& text) {
    const QString log = MessageLog();
    if (!log.isEmpty()) {
        LogEntry(log, "ok-cancel", text);
        return anCancel;
    }
    return Box(QMessageBox::Question, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
               false) == QMessageBox::Ok
               ? anOk
               : anCancel;
}

void SoundBeep() {
    const QString log = MessageLog();
    if (!log.isEmpty()) {
        LogEntry(log, "beep", "");
        return;
    }
    QApplication::beep();
}

void EndApplication() {
    // Ends the message loop once the current command has unwound.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

} // namespace

void ShowSystemMessage(const std::string& text) {
    const QString log = MessageLog();
    if (!log.isEmpty()) {
        LogEntry(log, "information", text);
        return;
    }
    Box(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok, true);
}

void ShowErrorBox(const std::string& text) {
    const QString log = MessageLog();
    if (!log.isEmpty()) {
        LogEntry(log, "error", text);
        return;
    }
    Box(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok, false);
}

void InstallMessageBoxes() {
    SetMessageHandlers({Show, [](const std::string& text) { return YesNoCancel(text, anYes); },
                        OkCancel, SoundBeep, EndApplication, YesNoCancel,
                        [] { return TSettings().Get(kBeep); }});
    SetBusyCursorHook([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
    });
}
