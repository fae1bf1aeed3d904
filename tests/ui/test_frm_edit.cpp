// The event editor driven through its widgets: generated rule texts, the
// remembered index, the checks of OK, the stored fields, the description box.
#include "UiTestEnv.h"
#include "core/HalvaneDates.h"
#include "store/SettingsSchema.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/FrmEdit.h"
#include "ui/WindowLinks.h"
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

QStringList Items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

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
    QTest::mouseClick(box, Qt::LeftButton);
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
        f->Rept->click();
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

    void SpecificallyTexts_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("daily 1") << 0 << 1 << QStringList{"Every day"};
        QTest::newRow("daily 2") << 0 << 2 << QStringList{"Every 2 days"};
        QTest::newRow("weekly 1") << 1 << 1 << QStringList{"Every week on Tuesday"};
        QTest::newRow("weekly 2") << 1 << 2 << QStringList{"Every 2 weeks on Tuesday"};
        QTest::newRow("yearly 1") << 4 << 1 << QStringList{"Every year on the same date"};
        QTest::newRow("yearly 2") << 4 << 2 << QStringList{"Every 2 years on the same date"};
        QTest::newRow("accounting 1") << 5 << 1 << QStringList{"Accounting Period End"};
        QTest::newRow("accounting 2") << 5 << 2 << QStringList{"Accounting Period End"};
        const QStringList ordinals{
            "first",      "second",     "third",        "fourth",       "fifth",       "sixth",
            "seventh",    "eighth",     "ninth",        "tenth",        "eleventh",    "twelfth",
            "thirteenth", "fourteenth", "fifteenth",    "sixteenth",    "seventeenth", "eighteenth",
            "nineteenth", "twentieth",  "twenty first", "twenty second"};
        for (const auto& [n, tail] :
             {std::pair{1, QString("every month")}, std::pair{2, QString("every 2 months")},
              std::pair{10, QString("every 10 months")}}) {
            QStringList dates{"On the same day " + tail};
            for (const QString& o : ordinals)
                dates << "On the " + o + " Working Day " + tail;
            dates << "On the last Working day " + tail;
            QTest::newRow(qPrintable(QString("monthly date %1").arg(n))) << 2 << n << dates;
            QStringList days;
            for (const char* o : {"first", "second", "third", "fourth", "Last"})
                days << QString("On the ") + o + " Tuesday " + tail;
            QTest::newRow(qPrintable(QString("monthly day %1").arg(n))) << 3 << n << days;
        }
    }

    void SpecificallyTexts() {
        QFETCH(int, type);
        QFETCH(int, interval);
        QFETCH(QStringList, texts);
        auto f = NewRepeating(type, interval);
        QCOMPARE(Items(f->Combo), texts);
        QCOMPARE(f->DayIndex->isEnabled(), type == 3);
        QCOMPARE(f->Spin1->isEnabled(), type != 5);
    }

    void MonthlyDayFollowsIndexDay() {
        auto f = NewRepeating(3, 3);
        f->DayIndex->setCurrentIndex(5);
        QCOMPARE(f->Combo->itemText(4), QString("On the Last Friday every 3 months"));
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
        QCOMPARE(f->Combo->currentIndex(), 23);
        QCOMPARE(f->Combo->currentText(), QString("On the last Working day every 4 months"));
    }

    // The start date box re-derives the Index Day and the Weekly text.
    void StartDateChangeRebuilds() {
        auto f = NewRepeating(1, 1);
        f->EventDate->SetDateValue(Env.Day + 3); // a Friday
        QCOMPARE(f->DayIndex->currentIndex(), 5);
        QCOMPARE(f->Combo->currentText(), QString("Every week on Friday"));
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
        QCOMPARE(f.windowTitle(), QString("Add Event"));
        QCOMPARE(f.Once->text(), QString("Once only "));
        QCOMPARE(f.OnceOnly(), !stored);
        QCOMPARE(f.Once->isChecked(), !stored);
        QCOMPARE(f.Panel2->isVisible(), stored);
        // Once only: shorter by exactly the hidden panel.
        QCOMPARE(f.height(), stored ? f.FullHeight() : f.FullHeight() - f.Panel2->height());
        QCOMPARE(f.TypeCombo->currentIndex(), stored ? 3 : 0);
        QCOMPARE(f.Spin1->value(), stored ? 3 : 1);
        QCOMPARE(f.Notice->value(), stored ? 14 : 7);
        QCOMPARE(f.Keep->isChecked(), !stored);
        QCOMPARE(f.DayIndex->currentIndex(), 2); // today is a Tuesday
        QCOMPARE(f.Combo->currentIndex(), 0);
        QCOMPARE(FromQDate(f.EventDate->date()), Env.Day);
        const Qt::DayOfWeek first = stored ? Qt::Sunday : Qt::Monday;
        QCOMPARE(f.EventDate->calendarWidget()->firstDayOfWeek(), first);
        QCOMPARE(f.DateBox->calendarWidget()->firstDayOfWeek(), first);
        QCOMPARE(
            f.EventDate->calendarWidget()->weekdayTextFormat(Qt::Saturday).foreground().color(),
            QColor(128, 0, 0));
        QCOMPARE(f.EventDate->text(), QString("10/03/2026"));
        if (!stored) {
            f.Rept->click();
            QVERIFY(f.Panel2->isVisible());
            QCOMPARE(f.height(), f.FullHeight());
        }
    }

    void RepeatUntilStartsAtLaterOfTodayAndStart() {
        auto f = NewRepeating(0, 1);
        f->EventDate->SetDateValue(Env.Day + 20);
        f->Rad2->click();
        QVERIFY(f->DateBox->isEnabled());
        QCOMPARE(FromQDate(f->DateBox->date()), Env.Day + 20);
        f->Rad1->click();
        QVERIFY(!f->DateBox->isEnabled());
        f->EventDate->SetDateValue(Env.Day - 20);
        f->Rad2->click();
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
        QTest::newRow("empty description") << ""
                                           << "" << true << true << ""
                                           << "Please enter a Description"
                                           << "Memo1";
        QTest::newRow("empty start") << "x"
                                     << "" << false << false << ""
                                     << "Please enter a valid date"
                                     << "EventDate";
        QTest::newRow("empty end") << "x"
                                   << "10/03/2026" << true << true << ""
                                   << "Please enter a valid date"
                                   << "DateBox";
        QTest::newRow("impossible start") << "x"
                                          << "30/02/2027" << false << false << ""
                                          << "Please enter a valid date"
                                          << "EventDate";
        QTest::newRow("two-digit year") << "x"
                                        << "10/03/2026" << true << true << "15/01/27"
                                        << "Please enter a valid date"
                                        << "DateBox";
        QTest::newRow("end before start") << "x"
                                          << "10/03/2026" << true << true << "09/03/2026"
                                          << "End date earlier than Start"
                                          << "DateBox";
        QTest::newRow("same dates") << "x"
                                    << "10/03/2026" << true << true << "10/03/2026"
                                    << "Dates cannot be the same"
                                    << "DateBox";
        // Blanks alone are a description; once only never looks at the end.
        QTest::newRow("blank description, once only")
            << "   "
            << "10/03/2026" << false << true << "10/03/2026"
            << ""
            << "";
        QTest::newRow("no end point") << "x"
                                      << "10/03/2026" << true << false << ""
                                      << ""
                                      << "";
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
        f.Rept->click();
        if (until)
            f.Rad2->click();
        if (!repeating)
            f.Once->click();
        f.Memo1->setPlainText(description);
        TypeDate(f.EventDate, start);
        if (until && repeating)
            TypeDate(f.DateBox, end);
        f.Button1->click();
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
            QTest::mouseClick(f.Rept, Qt::LeftButton);
            QTest::mouseClick(f.Rad2, Qt::LeftButton);
            TypeDate(f.DateBox, "2028-06-30");
            QTest::mouseClick(f.Button1, Qt::LeftButton);
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
            f.Rept->click();
            f.TypeCombo->setCurrentIndex(3);
            f.DayIndex->setCurrentIndex(4);
            f.Spin1->setValue(2);
            f.Combo->setCurrentIndex(4);
            f.Notice->setValue(5);
            f.Keep->setChecked(true);
            f.Rad2->click();
            f.DateBox->SetDateValue(Env.Day + 400);
            f.Button1->click();
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
        QVERIFY(e->NextDate >= e->StartDate);
        QVERIFY(!EditFrm);
    }

    void CancelChangesNothing() {
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            QTest::keyClicks(f.Memo1, "Never stored");
            f.Button2->click();
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
            f.Rept->click();
            f.Rad2->click(); // ignored for once only
            f.Rad1->click();
            if (once) {
                f.Rad2->click();
                f.Once->click();
            }
            f.EventDate->SetDateValue(start);
            f.Button1->click();
        });
        QVERIFY(e);
        QCOMPARE(e->EndDate, end);
        QCOMPARE(e->Simple, once);
    }

    void AccountingKeepsInterval() {
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            f.Memo1->setPlainText("Quarter");
            f.Rept->click();
            f.Spin1->setValue(7);
            f.TypeCombo->setCurrentIndex(5);
            QVERIFY(!f.Spin1->isEnabled());
            f.Button1->click();
        });
        QVERIFY(e);
        QCOMPARE(int(e->EventType), 5);
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
            f.Button1->click();
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
            f.Button1->click();
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
