#include "ui/FileDialogs.h"
#include <QFileDialog>
#include <QRegularExpression>
#include <utility>

namespace {

TFileDialogs& Current() {
    static TFileDialogs dialogs;
    return dialogs;
}

// "Comma-delimited Text File (*.csv)" gives "csv".
QString SuffixOfFilter(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString RunFileDialog(QWidget* parent, const TFileDialogRequest& r, bool save) {
    QFileDialog dlg(parent, r.Title, r.Folder);
    dlg.setNameFilters(r.Filters);
    dlg.setDefaultSuffix(r.DefaultSuffix);
    if (save) {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
        QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg](const QString& f) {
            const QString suffix = SuffixOfFilter(f);
            if (!suffix.isEmpty())
                dlg.setDefaultSuffix(suffix);
        });
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

} // namespace

TFileDialogs SetFileDialogs(TFileDialogs dialogs) {
    return std::exchange(Current(), std::move(dialogs));
}

QString ChooseSaveFile(QWidget* parent, const TFileDialogRequest& request) {
    if (Current().Save)
        return Current().Save(parent, request);
    return RunFileDialog(parent, request, true);
}

QString ChooseOpenFile(QWidget* parent, const TFileDialogRequest& request) {
    if (Current().Open)
        return Current().Open(parent, request);
    return RunFileDialog(parent, request, false);
}

QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder) {
    if (Current().Folder)
        return Current().Folder(parent, title, folder);
    return QFileDialog::getExistingDirectory(parent, title, folder);
}
