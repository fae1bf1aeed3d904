#pragma once
// The file, folder and printer choices of the windows, behind replaceable
// functions so that tests can answer them without a modal dialog.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

struct TFileDialogRequest {
    QString Title;
    // The folder the dialog opens in; for a save it may end in the name of
    // the file to offer there.
    QString Folder;
    // Filters in Qt's form, "Tickwell File (*.dat)", first one selected.
    QStringList Filters;
    QString DefaultSuffix;
};

struct TFileDialogs {
    // The chosen path, or empty when the user cancelled.
    std::function<QString(QWidget* parent, const TFileDialogRequest&)> Save;
    std::function<QString(QWidget* parent, const TFileDialogRequest&)> Open;
    std::function<QString(QWidget* parent, const QString& title, const QString& folder)> Folder;
};

// Replaces the dialogs; an empty member falls back to Qt's dialog. Returns
// the previous ones.
TFileDialogs SetFileDialogs(TFileDialogs dialogs);

// A file to write. The dialog does not ask about overwriting: the commands
// ask themselves. The default suffix follows the filter the user picks.
QString ChooseSaveFile(QWidget* parent, const TFileDialogRequest& request);
// An existing file in an existing folder.
QString ChooseOpenFile(QWidget* parent, const TFileDialogRequest& request);
QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder);
