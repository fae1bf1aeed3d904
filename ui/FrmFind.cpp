#include "ui/FrmFind.h"
#include "core/Messages.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

TFindDlg::TFindDlg(QWidget* parent, QTreeWidget* list) : QDialog(parent), List(list) {
    setObjectName(QStringLiteral("FindDlg"));
    setWindowTitle(QStringLiteral("Find Text"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    Label1 = new QLabel(QStringLiteral("Enter Search Text"));
    FindText = new QLineEdit;
    FindText->setObjectName(QStringLiteral("FindText"));
    Label1->setBuddy(FindText);
    FindBtn = new QPushButton(QStringLiteral("&Find"));
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    FindBtn->setDefault(true);
    FindBtn->setAutoDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Close"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    connect(FindBtn, &QPushButton::clicked, this, &TFindDlg::FindBtnClick);
    connect(Button2, &QPushButton::clicked, this, &TFindDlg::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(FindText);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(FindBtn);
    right->addWidget(Button2);
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
    FindBtn->setText(QStringLiteral("&Find"));
    FindText->setFocus();
    FromStart = true;
}

void TFindDlg::FindBtnClick() {
    const QString needle = FindText->text().toUpper();
    const int count = List->topLevelItemCount();
    int start = 0;
    if (!FromStart) {
        QTreeWidgetItem* current = nullptr;
        const QList<QTreeWidgetItem*> sel = List->selectedItems();
        if (!sel.isEmpty())
            current = sel.constFirst();
        start = current ? List->indexOfTopLevelItem(current) + 1 : 0;
    }
    // An empty needle is never "contained": nothing to look for.
    QTreeWidgetItem* match = nullptr;
    if (!needle.isEmpty())
        for (int i = start; i < count; ++i) {
            QTreeWidgetItem* row = List->topLevelItem(i);
            if (row->text(0).toUpper().contains(needle)) {
                match = row;
                break;
            }
        }
    if (!match) {
        ShowMsg((needle + QStringLiteral(" not found!")).toStdString(), mkInformation);
        return;
    }
    FromStart = false;
    List->setCurrentItem(match);
    List->clearSelection();
    match->setSelected(true);
    List->scrollToItem(match);
    FindBtn->setText(QStringLiteral("&Find Next"));
}
