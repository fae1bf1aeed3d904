#include "ui/FontSizeDlg.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

TFontSizeDlg::TFontSizeDlg(const QFont& initial, int minPoints, int maxPoints, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Font"));
    Family = new QFontComboBox;
    Family->setCurrentFont(initial);
    Style = new QComboBox;
    Style->addItems({tr("Regular"), tr("Bold"), tr("Italic"), tr("Bold Italic")});
    Style->setCurrentIndex((initial.bold() ? 1 : 0) + (initial.italic() ? 2 : 0));
    Size = new QComboBox;
    for (int points = minPoints; points <= maxPoints; ++points)
        Size->addItem(QString::number(points), points);
    Size->setCurrentIndex(std::clamp(initial.pointSize(), minPoints, maxPoints) - minPoints);
    Strikeout = new QCheckBox(tr("Stri&keout"));
    Strikeout->setChecked(initial.strikeOut());
    Underline = new QCheckBox(tr("&Underline"));
    Underline->setChecked(initial.underline());
    Sample = new QLabel(QStringLiteral("AaBbYyZz"));
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setMinimumHeight(Sample->fontMetrics().height() * 3);

    auto* form = new QFormLayout;
    form->addRow(tr("&Font:"), Family);
    form->addRow(tr("Font st&yle:"), Style);
    form->addRow(tr("&Size:"), Size);
    auto* effects = new QGroupBox(tr("Effects"));
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(Strikeout);
    effectsLayout->addWidget(Underline);
    auto* sample = new QGroupBox(tr("Sample"));
    (new QVBoxLayout(sample))->addWidget(Sample);
    auto* lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sample, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addLayout(lower);
    root->addWidget(buttons);

    connect(Family, &QFontComboBox::currentFontChanged, this, &TFontSizeDlg::ShowSample);
    for (QComboBox* c : {Style, Size})
        connect(c, &QComboBox::currentIndexChanged, this, &TFontSizeDlg::ShowSample);
    for (QCheckBox* c : {Strikeout, Underline})
        connect(c, &QCheckBox::toggled, this, &TFontSizeDlg::ShowSample);
    ShowSample();
}

QFont TFontSizeDlg::ChosenFont() const {
    QFont f = Family->currentFont();
    f.setPointSize(Size->currentData().toInt());
    f.setBold(Style->currentIndex() & 1);
    f.setItalic(Style->currentIndex() & 2);
    f.setStrikeOut(Strikeout->isChecked());
    f.setUnderline(Underline->isChecked());
    return f;
}

void TFontSizeDlg::ShowSample() {
    Sample->setFont(ChosenFont());
}
