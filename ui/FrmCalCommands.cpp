// The calendar window's commands: adding, editing, deleting and
// acknowledging events from either view and the due list, choosing among a
// day's events, the fonts and colours of both views, and the window, help,
// close and exit commands.
#include "core/EventLists.h"
#include "core/Messages.h"
#include "platform/QtMessages.h"
#include "store/BusyCursor.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include "ui/CalDueList.h"
#include "ui/CalWeekPage.h"
#include "ui/ClockCommands.h"
#include "ui/FontSizeDlg.h"
#include "ui/FrmAbt.h"
#include "ui/FrmCal.h"
#include "ui/FrmEdit.h"
#include "ui/FrmHelp.h"
#include "ui/MyCal.h"
#include "ui/Theme.h"
#include "ui/ToolbarArt.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QToolButton>
#include <algorithm>
#include <unordered_set>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

bool ChooseFont(QWidget* parent, QFont& font, int minPoints, int maxPoints) {
    TFontSizeDlg dlg(font, minPoints, maxPoints, parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    font = dlg.ChosenFont();
    return true;
}

bool ChooseColour(QWidget* parent, const QColor& initial, QColor& out) {
    QColorDialog dlg(initial, parent);
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    out = dlg.selectedColor();
    return true;
}

} // namespace

// ---- events: add, edit, delete, acknowledge ---------------------------------

void TCalFrm::AddBtnClick() {
    EditEvent(Book, false, nullptr);
}

TTickwellItem* TCalFrm::ChosenEvent(bool edit) {
    const QString nothing = edit ? tr("Nothing to Edit") : tr("Nothing to Delete");
    if (MonthShown()) {
        const std::vector<TTickwellItem*>& cell = DayCellEvents(Cal->Col(), Cal->Row());
        if (cell.size() > 1) {
            QMenu* chooser = edit ? EditMnu : DelMnu;
            FillChooser(chooser, edit);
            PopUpChooser(chooser, edit ? EdToolButton : DelToolButton);
            return nullptr;
        }
        if (cell.empty()) {
            ShowMsg(nothing, mkInformation);
            return nullptr;
        }
        return cell.front();
    }
    const int day = WeekPage->DayOf(focusWidget());
    TTickwellItem* e = day ? WeekPage->SelectedEvent(day) : nullptr;
    if (!e)
        ShowMsg(nothing, mkInformation);
    return e;
}

void TCalFrm::EdBtnClick() {
    if (TTickwellItem* e = ChosenEvent(true))
        EditChosen(e);
}

void TCalFrm::DelBtnClick() {
    if (BusyCursorShowing())
        return;
    if (TTickwellItem* e = ChosenEvent(false))
        DeleteChosen(e);
}

void TCalFrm::FillChooser(QMenu* chooser, bool edit) {
    const std::vector<TTickwellItem*>& cell = DayCellEvents(Cal->Col(), Cal->Row());
    const QList<QAction*> entries = chooser->actions();
    const QFontMetrics fm(chooser->font());
    for (int i = 0; i < kChooserEntries; ++i) {
        QAction* a = entries[i];
        const bool used = i < static_cast<int>(cell.size());
        a->setVisible(used);
        if (!used)
            continue;
        TTickwellItem* e = cell[static_cast<size_t>(i)];
        const QString text = fm.elidedText(Q(FirstLine(e->Description)), Qt::ElideRight, 400);
        a->setText(QStringLiteral("%1. %2").arg(i + 1).arg(QString(text).replace('&', "&&")));
        a->setData(QVariant::fromValue(reinterpret_cast<quintptr>(e)));
    }
    const int more = static_cast<int>(cell.size()) - kChooserEntries;
    entries[kChooserEntries]->setVisible(more > 0);
    entries[kChooserEntries]->setText(tr("…and %1 more").arg(more));
    if (QToolButton* b = edit ? EdToolButton : DelToolButton)
        b->setMenu(chooser);
}

void TCalFrm::HideChoosers() {
    for (QMenu* chooser : {EditMnu, DelMnu})
        for (QAction* a : chooser->actions())
            a->setVisible(false);
    for (QToolButton* b : {EdToolButton, DelToolButton})
        if (b)
            b->setMenu(nullptr);
}

void TCalFrm::PopUpChooser(QMenu* chooser, QToolButton* button) {
    QPoint at;
    if (button && button->isVisible())
        at = button->mapToGlobal(button->rect().bottomLeft());
    else
        at = Cal->mapToGlobal(Cal->CellRect(Cal->Col(), Cal->Row()).bottomLeft());
    chooser->popup(at);
}

void TCalFrm::EdBtnMouseDown() {
    if (MonthShown() && DayCellEvents(Cal->Col(), Cal->Row()).size() > 1)
        FillChooser(EditMnu, true);
    else
        HideChoosers();
}

void TCalFrm::DelBtnMouseDown() {
    if (MonthShown() && DayCellEvents(Cal->Col(), Cal->Row()).size() > 1)
        FillChooser(DelMnu, false);
    else
        HideChoosers();
}

void TCalFrm::ChooserEntryClick(QAction* entry, bool edit) {
    auto* e = reinterpret_cast<TTickwellItem*>(entry->data().value<quintptr>());
    HideChoosers();
    // Only an event the cell still holds: a refresh while the menu was open
    // may have let go of the one the entry was made for.
    const std::vector<TTickwellItem*>& cell = DayCellEvents(Cal->Col(), Cal->Row());
    if (!MonthShown() || std::find(cell.begin(), cell.end(), e) == cell.end())
        return;
    if (edit)
        EditChosen(e);
    else if (!BusyCursorShowing())
        DeleteChosen(e);
}

void TCalFrm::EditChosen(TTickwellItem* e) {
    EditEvent(Book, true, e);
}

void TCalFrm::DeleteChosen(TTickwellItem* e) {
    if (BusyCursorShowing())
        return;
    const TBusyCursor busy;
    Book.Delete(e, true);
}

void TCalFrm::EventsFreeing(const std::vector<TTickwellItem*>& events) {
    const std::unordered_set<const TTickwellItem*> gone(events.begin(), events.end());
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 7; ++r) {
            std::vector<TTickwellItem*>& cell =
                CellEvents[static_cast<size_t>(c)][static_cast<size_t>(r)];
            if (std::erase_if(cell,
                              [&gone](const TTickwellItem* e) { return gone.count(e) > 0; }) &&
                cell.empty()) {
                Cal->SetMark(c, r, false);
                DayCal->SetMark(c, r, false);
            }
        }
    Cal->update();
    DayCal->update();
    for (int day = 1; day <= 7; ++day)
        WeekPage->Model(day)->Forget(gone);
}

void TCalFrm::WeekEditClick() {
    EdBtnClick();
}

void TCalFrm::WeekDeleteClick() {
    DelBtnClick();
}

void TCalFrm::WeekPopShowing() {
    const int day = PopupOverList ? WeekPage->DayOf(focusWidget()) : 0;
    const bool selected = day && WeekPage->SelectedEvent(day);
    WeekEditAction->setEnabled(selected);
    WeekDeleteAction->setEnabled(selected);
}

void TCalFrm::CalListViewDblClick() {
    TTickwellItem* e = DueEvents->SelectedEvent();
    if (!e) {
        ShowMsg(tr("Nothing to Edit"), mkInformation);
        return;
    }
    EditChosen(e);
}

void TCalFrm::DueDeleteClick() {
    if (BusyCursorShowing())
        return;
    TTickwellItem* e = DueEvents->SelectedEvent();
    if (!e) {
        ShowMsg(tr("Nothing to Delete"), mkInformation);
        return;
    }
    DeleteChosen(e);
}

void TCalFrm::AcknowledgeClick() {
    if (RefuseChange())
        return;
    TTickwellItem* e = DueEvents->SelectedEvent();
    if (!e) {
        ShowMsg(tr("Nothing to Acknowledge"), mkInformation);
        return;
    }
    Book.Acknowledge(e);
}

// ---- fonts and colours ------------------------------------------------------

void TCalFrm::CalendarFontClick() {
    QFont f = Cal->font();
    if (!ChooseFont(this, f, 8, 10))
        return;
    Cal->setFont(f);
    Cal->update();
}

void TCalFrm::EventTextColourClick() {
    QColor c;
    if (ChooseColour(this, Cal->Colour(Cal->FontColor()), c))
        Cal->SetFontColor(StoredColourValue(c));
}

void TCalFrm::MarkedDayColourClick() {
    QColor c;
    if (ChooseColour(this, Cal->MarkedBackground(), c))
        Cal->SetMarkedBrushColor(StoredColourValue(c));
}

void TCalFrm::MarkedDateColourClick() {
    QColor c;
    if (!ChooseColour(this, Cal->Colour(Cal->MarkedPenColor()), c))
        return;
    Cal->SetMarkedPenColor(StoredColourValue(c));
    DayCal->SetMarkedPenColor(StoredColourValue(c));
}

void TCalFrm::BlankCellColourClick() {
    QColor c;
    if (!ChooseColour(this, Cal->Colour(Cal->BlankCellColor()), c))
        return;
    Cal->SetBlankCellColor(StoredColourValue(c));
    Cal->update();
}

void TCalFrm::ResetDefaultsClick() {
    Cal->SetMarkedPenColor(TMarkedCalendar::kDefaultPen);
    Cal->SetBlankCellColor(kClInfoBk);
    Cal->SetMarkedBrushColor(TMarkedCalendar::kDefaultBrush);
    // The classic font's name, which stands for the desktop's font.
    QFont f = QApplication::font();
    f.setPointSize(kCalFontSize.Default);
    Cal->setFont(f);
    CalFontName = kCalFontName.Default;
    Cal->SetFontColor(kClWindowText);
}

void TCalFrm::BoldMarkedDateClick() {
    Cal->SetBoldMarkedDate(BoldMarkedDateAction->isChecked());
}

void TCalFrm::WeekFontClick() {
    if (PopupOverList) {
        QFont f = WeekPage->List(1)->font();
        if (ChooseFont(this, f, 8, 10))
            WeekPage->SetListFont(f);
        return;
    }
    QFont f = WeekPage->DayNumber(1)->font();
    if (!ChooseFont(this, f, 8, 8))
        return;
    WeekPage->SetHeadingFamily(f.family());
    for (QLabel* l : {PeriodLabel, YearLabel}) {
        QFont header = l->font();
        header.setFamily(f.family());
        l->setFont(header);
    }
}

void TCalFrm::WeekTextColourClick() {
    QColor c;
    if (PopupOverList) {
        if (!ChooseColour(this, StoredColour(ListColour, palette()), c))
            return;
        ListColour = StoredColourValue(c);
        WeekPage->SetListColour(c);
        return;
    }
    if (!ChooseColour(this, StoredColour(DayLabelColour, palette()), c))
        return;
    DayLabelColour = StoredColourValue(c);
    SetupWeek();
    FillWeek();
}

void TCalFrm::WrapTextClick() {
    Cal->update();
}

void TCalFrm::ToolbarClick() {
    ToolBar->setVisible(ToolbarAction->isChecked());
}

// ---- other commands -----------------------------------------------------------

void TCalFrm::MainWindowClick() {
    RunClockCommand(&TClockLinks::ShowMainWindow);
}

void TCalFrm::DueWindowClick() {
    RunClockCommand(&TClockLinks::ShowDueWindow);
}

void TCalFrm::CalendarHelpClick() {
    ShowHelpContext(72);
}

void TCalFrm::HelpContentsClick() {
    ShowHelpContents();
}

void TCalFrm::AboutClick() {
    if (EditFrm)
        return;
    TAboutDlg dlg(this);
    dlg.exec();
}

void TCalFrm::CloseClick() {
    close();
}

void TCalFrm::ExitBtnClick() {
    if (StartMode != smCalendar)
        ExitByStartMode();
}
