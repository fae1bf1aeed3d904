#include "ui/FrmPrint.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "platform/Paths.h"
#include "platform/QtMessages.h"
#include "store/DataCommands.h"
#include "store/EventBook.h"
#include "ui/EventTableModel.h"
#include "ui/FileDialogs.h"
#include "ui/FontSizeDlg.h"
#include "ui/PrintLayout.h"
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// Re-enables the dialog however the job ends.
class TDisabledWhile {
public:
    explicit TDisabledWhile(QWidget* w) : W(w) { W->setEnabled(false); }
    ~TDisabledWhile() { W->setEnabled(true); }
    TDisabledWhile(const TDisabledWhile&) = delete;
    TDisabledWhile& operator=(const TDisabledWhile&) = delete;

private:
    QWidget* W;
};

QFont StyledFont(const QFont& base) {
    QFont f = base;
    f.setBold(true);
    f.setUnderline(true);
    return f;
}

// A text as it fits its cell: cut short with an ellipsis, clear of the next
// column by a blank's width.
QString FittedText(const QString& text, const QFontMetrics& fm, int width) {
    return fm.elidedText(text, Qt::ElideRight, std::max(0, width - fm.horizontalAdvance(' ')));
}

// Where a PDF goes unless the user says otherwise: the documents folder,
// named after what is printed.
QString SuggestedPdfPath(bool dueOnly) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QString::fromStdString(DataFolder());
    return QDir(folder).filePath(
        dueOnly ? QCoreApplication::translate("TprnMainFrm", "Tickwell due events.pdf")
                : QCoreApplication::translate("TprnMainFrm", "Tickwell events.pdf"));
}

} // namespace

QPrinter& CurrentPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool CheckPrinter(QPrinter& printer) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    }
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            info = QPrinterInfo::availablePrinters().constFirst();
        printer.setPrinterName(info.printerName());
    }
    return printer.isValid();
}

QString PrinterDescription(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QCoreApplication::translate("TprnMainFrm", "a PDF file (no printer is installed)");
    return printer.printerName();
}

void PrintEventsCommand(TEventBook& book, QWidget* parent) {
    if (!HasEvents(book.MasterList))
        return;
    if (!CheckPrinter(CurrentPrinter())) {
        ShowMsg(kPrinterMessage, mkWarning);
        return;
    }
    // So that "Due Tickwells Only" has something to print.
    if (book.DueList.Empty())
        book.Scan();
    TprnMainFrm dlg(book, parent);
    dlg.exec();
}

void PrintSetupCommand(QWidget* parent) {
    QPrinter& printer = CurrentPrinter();
    if (!CheckPrinter(printer)) {
        ShowMsg(kPrinterMessage, mkWarning);
        return;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // No printer to choose: only the paper of the PDF file.
        QPageSetupDialog dlg(&printer, parent);
        dlg.setWindowTitle(QCoreApplication::translate("TprnMainFrm", "Print Setup"));
        dlg.exec();
        return;
    }
    // The print dialog is the one that lets the user pick a printer; here
    // it only sets the printer up, so its button says OK, not Print.
    QPrintDialog dlg(&printer, parent);
    dlg.setWindowTitle(QCoreApplication::translate("TprnMainFrm", "Print Setup"));
    dlg.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto* box = dlg.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(TprnMainFrm::tr("OK"));
    dlg.exec();
}

TprnMainFrm::TprnMainFrm(TEventBook& book, QWidget* parent) : QDialog(parent), Book(book) {
    setObjectName(QStringLiteral("prnMainFrm"));
    setWindowTitle(tr("Print"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    ChoiceGroup = new QGroupBox(tr("Print:"));
    DueItem = new QRadioButton(tr("Due Tickwells Only"));
    AllItem = new QRadioButton(tr("All Tickwells"));
    auto* radios = new QVBoxLayout(ChoiceGroup);
    radios->addWidget(DueItem);
    radios->addWidget(AllItem);
    AllItem->setChecked(true);

    ToLabel = new QLabel(tr("To:"));
    PrinterLabel = new QLabel;
    PrinterLabel->setObjectName(QStringLiteral("PrinterLabel"));
    PrinterLabel->setTextFormat(Qt::PlainText);
    PrinterLabel->setText(PrinterDescription(CurrentPrinter()));
    TitleLabel = new QLabel;
    TitleLabel->setVisible(false);

    PrintBtn = new QPushButton(tr("Print"));
    PrintBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("Cancel"));
    FontBtn = new QPushButton(tr("Font..."));
    connect(PrintBtn, &QPushButton::clicked, this, [this] {
        try {
            // Printed, the dialog has done its job.
            if (PrintBtnClick())
                accept();
        } catch (const std::exception& e) {
            ShowMsg(e.what(), mkError);
        }
    });
    connect(CancelBtn, &QPushButton::clicked, this, &TprnMainFrm::reject);
    connect(FontBtn, &QPushButton::clicked, this, &TprnMainFrm::FontBtnClick);

    // The page font: the system's own at the largest size the font choice
    // offers.
    PrintFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    PrintFont.setPointSize(12);

    auto* to = new QHBoxLayout;
    to->addWidget(ToLabel);
    to->addWidget(PrinterLabel, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(ChoiceGroup);
    left->addLayout(to);
    left->addWidget(TitleLabel);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(PrintBtn);
    right->addWidget(CancelBtn);
    right->addWidget(FontBtn);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ChoiceGroup->setMinimumWidth(220);
}

bool TprnMainFrm::DueOnly() const {
    return DueItem->isChecked();
}

void TprnMainFrm::SetDueOnly(bool dueOnly) {
    (dueOnly ? DueItem : AllItem)->setChecked(true);
}

void TprnMainFrm::FontBtnClick() {
    TFontSizeDlg dlg(PrintFont, 8, 12, this);
    if (dlg.exec() == QDialog::Accepted)
        PrintFont = dlg.ChosenFont();
}

bool TprnMainFrm::PrintBtnClick() {
    QPrinter& printer = CurrentPrinter();
    if (!CheckPrinter(printer)) {
        ShowMsg(kPrinterMessage, mkWarning);
        return false;
    }
    if (DueOnly() && Book.DueList.Empty()) {
        ShowMsg(tr("No events to print!"), mkInformation);
        return false;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString path = ChooseSaveFile(this, {tr("Print to PDF File"),
                                                   SuggestedPdfPath(DueOnly()),
                                                   {tr("PDF Files (*.pdf)")},
                                                   QStringLiteral("pdf")});
        if (path.isEmpty())
            return false;
        printer.setOutputFileName(path);
    }
    return RunJob(printer);
}

bool TprnMainFrm::RunJob(QPrinter& printer) {
    const bool dueOnly = DueOnly();
    const TListSorted& source =
        dueOnly ? static_cast<const TListSorted&>(Book.DueList) : Book.MasterList;
    const QString title = PrintTitle(dueOnly, Book.DueList.DateFormat);
    TitleLabel->setText(title);
    const TDisabledWhile disabled(this);

    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMsg(kPrinterMessage, mkWarning);
        return false;
    }
    // The chosen point size, at the printer's resolution.
    const QFont plain(PrintFont, &printer);
    const QFont styled(StyledFont(PrintFont), &printer);
    const QFontMetrics plainMetrics(plain, &printer);
    const QFontMetrics styledMetrics(styled, &printer);

    TPrintMetrics m;
    m.PixX = printer.logicalDpiX();
    m.PixY = printer.logicalDpiY();
    m.PageWidth = printer.width();
    m.PageHeight = printer.height();
    m.TextHeight = plainMetrics.height();
    m.TitleWidth = styledMetrics.horizontalAdvance(title);
    QApplication::processEvents();

    // The events as the job starts; one freed while it runs leaves the rows.
    const std::unique_ptr<TEventTableModel> rows = PrintRows(source, dueOnly);
    int first = 0;
    // A page is only begun for a row that is left to print, so a list that
    // just fills its page ends without a page of headings alone.
    for (bool started = false; !started || first < rows->rowCount(); started = true) {
        if (started)
            printer.newPage();
        for (const TPrintRun& run : LayoutPage(title, *rows, first, m)) {
            const QFont& font = run.Styled ? styled : plain;
            const QFontMetrics& fm = run.Styled ? styledMetrics : plainMetrics;
            painter.setFont(font);
            painter.setClipRect(run.Clip, run.Clip.isEmpty() ? Qt::NoClip : Qt::ReplaceClip);
            const QString text =
                run.Clip.isEmpty() ? run.Text : FittedText(run.Text, fm, run.Clip.width());
            painter.drawText(run.Origin + QPoint(0, fm.ascent()), text);
        }
        // Keep the program answering during a long job.
        const QPersistentModelIndex next = rows->index(first, 0);
        QApplication::processEvents();
        first = next.isValid() ? next.row() : std::min(first, rows->rowCount());
    }
    painter.end();
    return true;
}
