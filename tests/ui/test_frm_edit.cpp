// The event editor driven through its widgets: generated rule texts, the
// remembered index, the checks of OK, the stored fields, the description box.
#include "UiTestEnv.h"
#include "core/HalvaneDates.h"
#include "store/SettingsSchema.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/FrmEdit.h"
#include "ui/WindowLinks.h"
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <memory>

namespace {

// Types text the way a keyboard with those keys would, one key each.
void Type(QWidget* w, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, one);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, one);
        QApplication::sendEvent(w, &release);
    }
}

// Selects what the box holds and types the text over it.
void TypeDate(QWidget* box, const QString& text) {
    Press(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

} // namespace

class TestFrmEdit : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

    // A shown dialog for a new event, repeating, of the given type.
    std::unique_ptr<TEditFrm> NewRepeating(int type, int interval) {
        auto f = std::make_unique<TEditFrm>();
        f->show();
        Press(f->Rept);
        f->TypeCombo->setCurrentIndex(type);
        f->Spin1->setValue(interval);
        return f;
    }

    TTickwellItem* RunEditor(bool isEdit, TTickwellItem* e, std::function<void(TEditFrm&)> fill) {
        TTickwellItem* result = nullptr;
        WithEditor([&] { result = EditEvent(isEdit, e); }, fill);
        return result;
    }

private slots:
    void init() { Env.Reset(); }

    // The rule texts offered for each type and interval: their number,
    // the first and the last.
    void SpecificallyTexts_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QStringList>("texts");
        auto row = [](const char* tag, int type, int n, QStringList texts) {
            QTest::newRow(tag) << type << n << texts;
        };
        row("daily 1", 0, 1, {"1", "Every day"});
        row("daily 2", 0, 2, {"1", "Every 2 days"});
        row("weekly 2", 1, 2, {"1", "Every 2 weeks on Tuesday"});
        row("yearly 1", 4, 1, {"1", "Every year on the same date"});
        row("yearly 2", 4, 2, {"1", "Every 2 years on the same date"});
        row("accounting 2", 5, 2, {"1", "Accounting Period End"});
        row("monthly date 1", 2, 1,
            {"24", "On the same day every month", "On the twenty second Working Day every month",
             "On the last Working day every month"});
        row("monthly date 10", 2, 10,
            {"24", "On the same day every 10 months", "On the first Working Day every 10 months",
             "On the last Working day every 10 months"});
        row("monthly day 2", 3, 2,
            {"5", "On the first Tuesday every 2 months", "On the fourth Tuesday every 2 months",
             "On the Last Tuesday every 2 months"});
    }

    void SpecificallyTexts() {
        QFETCH(int, type);
        QFETCH(int, interval);
        QFETCH(QStringList, texts);
        auto f = NewRepeating(type, interval);
        QCOMPARE(f->Combo->count(), texts[0].toInt());
        QCOMPARE(f->Combo->itemText(0), texts[1]);
        for (const QString& t : texts.mid(2))
            QVERIFY2(f->Combo->findText(t) >= 0, qPrintable(t));
        QCOMPARE(f->Combo->itemText(f->Combo->count() - 1), texts.last());
        QCOMPARE(f->DayIndex->isEnabled(), type == 3);
        QCOMPARE(f->Spin1->isEnabled(), type != 5);
    }

    void RememberedIndex() {
        auto f = NewRepeating(2, 1);
        f->Combo->setCurrentIndex(7);
        f->TypeCombo->setCurrentIndex(3);
        QCOMPARE(f->Combo->currentIndex(), 0);
        f->TypeCombo->setCurrentIndex(2);
        f->Combo->setCurrentIndex(3);
        f->TypeCombo->setCurrentIndex(3);
        QCOMPARE(f->Combo->currentIndex(), 3);
        f->TypeCombo->setCurrentIndex(2);
        f->Combo->setCurrentIndex(23);
        f->Spin1->setValue(4);
        QCOMPARE(f->Combo->currentText(), QString("On the last Working day every 4 months"));
    }

    // The start date box re-derives the Index Day and the rule texts; the
    // Index Day names the weekday of the monthly rules.
    void StartDateChangeRebuilds() {
        auto f = NewRepeating(1, 1);
        f->EventDate->SetDateValue(Env.Day + 3); // a Friday
        QCOMPARE(f->DayIndex->currentIndex(), 5);
        QCOMPARE(f->Combo->currentText(), QString("Every week on Friday"));
        f->TypeCombo->setCurrentIndex(3);
        f->DayIndex->setCurrentIndex(1);
        QCOMPARE(f->Combo->itemText(4), QString("On the Last Monday every month"));
    }

    void NewEventDefaults_data() {
        QTest::addColumn<bool>("stored");
        QTest::newRow("built-in") << false;
        QTest::newRow("from the options") << true;
    }

    void NewEventDefaults() {
        QFETCH(bool, stored);
        if (stored) {
            WriteSetting(kDfltInterval, 3);
            WriteSetting(kDfltNotice, 14);
            WriteSetting(kDfltEventType, 4); // Monthly - Day
            WriteSetting(kDfltKeepFlag, false);
            WriteSetting(kSunStartWeek, true);
        }
        TEditFrm f;
        f.show();
        QCOMPARE(f.OnceOnly(), !stored);
        // Once only: shorter by exactly the hidden panel.
        QCOMPARE(f.height(), stored ? f.FullHeight() : f.FullHeight() - f.Panel2->height());
        QCOMPARE(f.TypeCombo->currentIndex(), stored ? 3 : 0);
        QCOMPARE(f.Spin1->value(), stored ? 3 : 1);
        QCOMPARE(f.Notice->value(), stored ? 14 : 7);
        QCOMPARE(f.Keep->isChecked(), !stored);
        QCOMPARE(f.DayIndex->currentIndex(), 2); // today is a Tuesday
        QCOMPARE(f.EventDate->text(), QString("10/03/2026"));
        const Qt::DayOfWeek first = stored ? Qt::Sunday : Qt::Monday;
        QCOMPARE(f.DateBox->calendarWidget()->firstDayOfWeek(), first);
        if (!stored) {
            Press(f.Rept);
            QCOMPARE(f.height(), f.FullHeight());
        }
    }

    void RepeatUntilStartsAtLaterOfTodayAndStart() {
        auto f = NewRepeating(0, 1);
        f->EventDate->SetDateValue(Env.Day + 20);
        Press(f->Rad2);
        QVERIFY(f->DateBox->isEnabled());
        QCOMPARE(FromQDate(f->DateBox->date()), Env.Day + 20);
        Press(f->Rad1);
        QVERIFY(!f->DateBox->isEnabled());
        f->EventDate->SetDateValue(Env.Day - 20);
        Press(f->Rad2);
        QCOMPARE(FromQDate(f->DateBox->date()), Env.Day);
    }

    void Validation_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("repeating");
        QTest::addColumn<bool>("until");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        auto row = [](const char* tag, QString d, QString start, bool repeating, bool until,
                      QString end, QString message, QString focus) {
            QTest::newRow(tag) << d << start << repeating << until << end << message << focus;
        };
        const QString bad = "Please enter a valid date";
        row("empty description", "", "", true, true, "", "Please enter a Description", "Memo1");
        row("empty start", "x", "", false, false, "", bad, "EventDate");
        row("empty end", "x", "10/03/2026", true, true, "", bad, "DateBox");
        row("impossible start", "x", "30/02/2027", false, false, "", bad, "EventDate");
        row("two-digit year", "x", "10/03/2026", true, true, "15/01/27", bad, "DateBox");
        row("end before start", "x", "10/03/2026", true, true, "09/03/2026",
            "End date earlier than Start", "DateBox");
        row("same dates", "x", "10/03/2026", true, true, "10/03/2026", "Dates cannot be the same",
            "DateBox");
        // Blanks alone are a description; once only never looks at the end.
        row("blank description, once only", "   ", "10/03/2026", false, true, "10/03/2026", "", "");
        row("no end point", "x", "10/03/2026", true, false, "", "", "");
    }

    void Validation() {
        QFETCH(QString, description);
        QFETCH(QString, start);
        QFETCH(bool, repeating);
        QFETCH(bool, until);
        QFETCH(QString, end);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        TEditFrm f;
        f.show();
        QApplication::setActiveWindow(&f);
        Press(f.Rept);
        if (until)
            Press(f.Rad2);
        if (!repeating)
            Press(f.Once);
        f.Memo1->setPlainText(description);
        TypeDate(f.EventDate, start);
        if (until && repeating)
            TypeDate(f.DateBox, end);
        Press(f.Button1);
        if (message.isEmpty()) {
            QVERIFY(Env.Notices.empty());
            QCOMPARE(f.result(), int(QDialog::Accepted));
            return;
        }
        QCOMPARE(Env.Notices.size(), size_t(1));
        QCOMPARE(QString::fromStdString(Env.Notices[0].first), message);
        QCOMPARE(Env.Notices[0].second, mkError);
        QVERIFY(f.isVisible());
        QCOMPARE(f.Memo1->toPlainText(), description);
        QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : focus,
                 focus);
    }

    // A whole date typed over the selected one is exactly that date, in a
    // year-first locale too.
    void TypedDatesAreStoredAsTyped() {
        TFormatSettings fs;
        fs.ShortDateFormat = "yyyy/mm/dd";
        fs.DateSeparator = '-';
        SetFormatSettings(fs);
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            QTest::keyClicks(f.Memo1, "Dated");
            TypeDate(f.EventDate, "2027-01-15");
            Press(f.Rept);
            Press(f.Rad2);
            TypeDate(f.DateBox, "2028-06-30");
            Press(f.Button1);
        });
        QVERIFY(e);
        QCOMPARE(e->StartDate, EncodeDate(2027, 1, 15));
        QCOMPARE(e->EndDate, EncodeDate(2028, 6, 30));
    }

    void AddRepeatingEventThroughEditEvent() {
        TTickwellItem* e = RunEditor(false, nullptr, [this](TEditFrm& f) {
            QTest::keyClicks(f.Memo1, "Board meeting");
            QTest::keyClick(f.Memo1, Qt::Key_Return);
            QTest::keyClicks(f.Memo1, "Room 4");
            f.EventDate->SetDateValue(Env.Day + 1);
            Press(f.Rept);
            f.TypeCombo->setCurrentIndex(3);
            f.DayIndex->setCurrentIndex(4);
            f.Spin1->setValue(2);
            f.Combo->setCurrentIndex(4);
            f.Notice->setValue(5);
            f.Keep->setChecked(true);
            Press(f.Rad2);
            f.DateBox->SetDateValue(Env.Day + 400);
            Press(f.Button1);
        });
        QVERIFY(e);
        QCOMPARE(MasterList->IndexOf(e), 0);
        QCOMPARE(e->Description, std::string("Board meeting\r\nRoom 4"));
        QCOMPARE(e->StartDate, Env.Day + 1);
        QCOMPARE(e->EndDate, Env.Day + 400);
        QVERIFY(!e->Simple);
        QVERIFY(!e->NoEndPoint);
        QCOMPARE(int(e->EventType), 3);
        QCOMPARE(e->Weekday, 5);
        QCOMPARE(e->Interval, 2);
        QCOMPARE(e->Rank, 4);
        QCOMPARE(e->NoticePeriod, 5);
        QVERIFY(e->KeepFlag);
        QVERIFY(!EditFrm);
    }

    void CancelChangesNothing() {
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            QTest::keyClicks(f.Memo1, "Never stored");
            Press(f.Button2);
        });
        QVERIFY(!e);
        QCOMPARE(MasterList->Count(), 0);
        QVERIFY(!EditFrm);
    }

    void EndDates_data() {
        QTest::addColumn<TDateTime>("start");
        QTest::addColumn<bool>("once");
        QTest::addColumn<TDateTime>("end");
        QTest::newRow("once only") << EncodeDate(2026, 5, 1) << true << EncodeDate(2026, 5, 1);
        QTest::newRow("29 Feb 2000") << EncodeDate(2000, 2, 29) << false << EncodeDate(2100, 2, 28);
        QTest::newRow("29 Feb 2024") << EncodeDate(2024, 2, 29) << false << EncodeDate(2124, 2, 29);
    }

    void EndDates() {
        QFETCH(TDateTime, start);
        QFETCH(bool, once);
        QFETCH(TDateTime, end);
        TTickwellItem* e = RunEditor(false, nullptr, [start, once](TEditFrm& f) {
            f.Memo1->setPlainText("x");
            Press(f.Rept);
            Press(f.Rad2); // ignored for once only
            Press(f.Rad1);
            if (once) {
                Press(f.Rad2);
                Press(f.Once);
            }
            f.EventDate->SetDateValue(start);
            Press(f.Button1);
        });
        QVERIFY(e);
        QCOMPARE(e->EndDate, end);
        QCOMPARE(e->Simple, once);
    }

    void AccountingKeepsInterval() {
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            f.Memo1->setPlainText("Quarter");
            Press(f.Rept);
            f.Spin1->setValue(7);
            f.TypeCombo->setCurrentIndex(5);
            Press(f.Button1);
        });
        QVERIFY(e);
        QCOMPARE(e->Interval, 7);
    }

    void NewEventPastOccurrenceAcknowledged_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("acked");
        QTest::newRow("yesterday") << -1 << true;
        QTest::newRow("today") << 0 << false;
    }

    void NewEventPastOccurrenceAcknowledged() {
        QFETCH(int, offset);
        QFETCH(bool, acked);
        const TDateTime start = Env.Day + offset;
        TTickwellItem* e = RunEditor(false, nullptr, [start](TEditFrm& f) {
            f.Memo1->setPlainText("Call");
            f.Notice->setValue(0);
            f.EventDate->SetDateValue(start);
            Press(f.Button1);
        });
        QVERIFY(e);
        QCOMPARE(e->AckDate, acked ? start : 0.0);
    }

    void EditingClearsAcknowledgement_data() {
        QTest::addColumn<bool>("until");
        QTest::newRow("no end point") << false;
        QTest::newRow("repeat until") << true;
    }

    void EditingClearsAcknowledgement() {
        QFETCH(bool, until);
        const TDateTime end = until ? Env.Day + 60 : 0;
        TTickwellItem* stored = MakeEvent("Rent\r\ndue", Env.Day - 3, false, 2, 1, 7, true, end);
        stored->Rank = 23;
        stored->AckDate = stored->PrevDate;
        MasterList->AddSorted(stored);
        TTickwellItem* e = RunEditor(true, stored, [until, end](TEditFrm& f) {
            QCOMPARE(f.windowTitle(), QString("Edit Event"));
            QCOMPARE(f.Memo1->toPlainText(), QString("Rent\ndue"));
            QCOMPARE(f.Combo->currentIndex(), 23);
            QCOMPARE(f.Rad2->isChecked(), until);
            QCOMPARE(f.DateBox->isEnabled(), until);
            if (until)
                QCOMPARE(FromQDate(f.DateBox->date()), end);
            Press(f.Button1);
        });
        QCOMPARE(e, stored);
        QCOMPARE(e->AckDate, 0.0);
        QCOMPARE(e->Description, std::string("Rent\r\ndue"));
        QCOMPARE(e->Rank, 23);
        QCOMPARE(e->EndDate, until ? end : AddYears(100, Env.Day - 3));
    }

    void CalendarSelectionStartsNewEvent() {
        QWidget cal;
        cal.show();
        QApplication::setActiveWindow(&cal);
        if (QApplication::activeWindow() != &cal)
            QSKIP("this platform does not activate windows");
        CalendarLinks().Window = &cal;
        CalendarLinks().SelectedDate = [this] { return Env.Day + 9; };
        TEditFrm f;
        f.show();
        CalendarLinks() = TCalendarWindowLinks{};
        QCOMPARE(FromQDate(f.EventDate->date()), Env.Day + 9);
        QCOMPARE(f.DayIndex->currentIndex(), DayOfWeek(Env.Day + 9) - 1);
    }

    void DescriptionRefusesWhatTheFileCannotHold() {
        TEditFrm f;
        f.show();
        QApplication::setActiveWindow(&f);
        f.Memo1->setFocus();
        Type(f.Memo1, QString::fromUtf8("caf\u00e9 \u20ac5 \u2713"));
        QCOMPARE(f.Memo1->toPlainText(), QString::fromUtf8("caf\u00e9 \u20ac5 "));
        QCOMPARE(Env.Notices.size(), size_t(1));
        QVERIFY(Env.LastNotice().find("\u2713") != std::string::npos);
        // Beyond 16 bits, as one key event or as its two halves.
        const QString emoji = QString::fromUtf8("\U0001F389");
        QTest::sendKeyEvent(QTest::Click, f.Memo1, Qt::Key_unknown, emoji, Qt::NoModifier);
        for (const QChar half : emoji)
            QTest::sendKeyEvent(QTest::Click, f.Memo1, Qt::Key_unknown, QString(half), {});
        QCOMPARE(f.Memo1->toPlainText(), QString::fromUtf8("caf\u00e9 \u20ac5 "));
        QCOMPARE(Env.Notices.size(), size_t(3));
        QVERIFY(QString::fromStdString(Env.LastNotice()).contains(emoji));

        QApplication::clipboard()->setText(QString::fromUtf8("ok \u65e5\u672c"));
        if (QApplication::clipboard()->text() == QString::fromUtf8("ok \u65e5\u672c")) {
            QTest::keyClick(f.Memo1, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(f.Memo1->toPlainText(), QString::fromUtf8("caf\u00e9 \u20ac5 "));
            QCOMPARE(Env.Notices.size(), size_t(4));
        }
    }

    void DescriptionLengthCountsLineBreaksAsTwo() {
        TEditFrm f;
        f.show();
        QApplication::setActiveWindow(&f);
        f.Memo1->setPlainText(QString(253, 'a'));
        f.Memo1->moveCursor(QTextCursor::End);
        QTest::keyClick(f.Memo1, Qt::Key_Return); // 255 stored characters
        QCOMPARE(StoredLength(f.Memo1->toPlainText()), 255);
        QVERIFY(Env.Notices.empty());
        QTest::keyClicks(f.Memo1, "b");
        QCOMPARE(StoredLength(f.Memo1->toPlainText()), 255);
        QCOMPARE(Env.Notices.size(), size_t(1));
        // Typing over a selection frees its room first.
        f.Memo1->selectAll();
        QTest::keyClicks(f.Memo1, "c");
        QCOMPARE(f.Memo1->toPlainText(), QString("c"));
    }
};

QTEST_MAIN(TestFrmEdit)
#include "test_frm_edit.moc"
