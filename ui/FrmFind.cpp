#include "ui/FrmFind.h"
#include "core/Messages.h"
#include "platform/QtMessages.h"
#include "ui/EventTableModel.h"
#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <string_view>

namespace {

// A needle already in upper case, for texts upper-cased as they are read.
// Most descriptions are plain ASCII: those are compared byte by byte, with
// no copy, which keeps a search over a million rows quick. Any other text
// goes through QString's upper case, the same for both.
class TUpperNeedle {
public:
    explicit TUpperNeedle(const QString& upper)
        : Upper(upper), Utf8(upper.toStdString()),
          Ascii(std::all_of(Utf8.begin(), Utf8.end(), [](char c) { return IsAscii(c); })) {}

    // Whether the text upper-cased holds the needle; an empty needle is
    // never "contained".
    bool In(std::string_view text) const {
        if (Utf8.empty())
            return false;
        if (!std::all_of(text.begin(), text.end(), IsAscii))
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                .toUpper()
                .contains(Upper);
        // An ASCII text stays ASCII in upper case.
        if (!Ascii)
            return false;
        return std::search(text.begin(), text.end(), Utf8.begin(), Utf8.end(), [](char a, char b) {
                   return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
               }) != text.end();
    }

private:
    static bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }
    QString Upper;
    std::string Utf8;
    bool Ascii;
};

// The first row from `start` on whose first column, upper-cased, holds the
// needle; -1 when none does. A list of events shows the first line of each
// description there, read here straight from the event.
int FindUpper(const QAbstractItemModel& rows, const QString& needle, int start) {
    const TUpperNeedle upper(needle);
    if (const auto* events = qobject_cast<const TEventTableModel*>(&rows)) {
        const std::vector<TTickwellItem*>& all = events->Events();
        for (size_t row = static_cast<size_t>(std::max(start, 0)); row < all.size(); ++row) {
            const std::string_view description(all[row]->Description);
            if (upper.In(description.substr(0, description.find("\r\n"))))
                return static_cast<int>(row);
        }
        return -1;
    }
    for (int row = std::max(start, 0); row < rows.rowCount(); ++row)
        if (upper.In(rows.index(row, 0).data().toString().toStdString()))
            return row;
    return -1;
}

} // namespace

TFindDlg::TFindDlg(QWidget* parent, QAbstractItemView* list) : QDialog(parent), List(list) {
    setObjectName(QStringLiteral("FindDlg"));
    setWindowTitle(tr("Find Text"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    FindTextLabel = new QLabel(tr("Enter Search Text"));
    FindText = new QLineEdit;
    FindText->setObjectName(QStringLiteral("FindText"));
    FindTextLabel->setBuddy(FindText);
    FindBtn = new QPushButton(tr("&Find"));
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    FindBtn->setDefault(true);
    FindBtn->setAutoDefault(true);
    CloseBtn = new QPushButton(tr("&Close"));
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setAutoDefault(false);
    connect(FindBtn, &QPushButton::clicked, this, &TFindDlg::FindBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TFindDlg::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(FindTextLabel);
    left->addWidget(FindText);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(FindBtn);
    right->addWidget(CloseBtn);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    FindText->setMinimumWidth(220);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFindDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFindDlg::FormShow() {
    FindBtn->setText(tr("&Find"));
    FindText->setFocus();
    FromStart = true;
}

void TFindDlg::FindBtnClick() {
    const QString needle = FindText->text().toUpper();
    const QAbstractItemModel* rows = List->model();
    int start = 0;
    if (!FromStart) {
        const QModelIndexList selected = List->selectionModel()->selectedIndexes();
        start = selected.isEmpty() ? 0 : selected.constFirst().row() + 1;
    }
    const int match = FindUpper(*rows, needle, start);
    if (match < 0) {
        ShowMsg((needle + tr(" not found!")).toStdString(), mkInformation);
        return;
    }
    FromStart = false;
    const QModelIndex index = rows->index(match, 0);
    List->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    List->scrollTo(index);
    FindBtn->setText(tr("&Find Next"));
}
