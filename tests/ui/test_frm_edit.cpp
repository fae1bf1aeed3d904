// The event editor driven through its widgets: generated rule texts, the
// remembered index, the checks of OK, the stored fields, the description box.
#include "UiTestEnv.h"
#include "core/HalvaneDates.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <memory>

namespace {

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

    // The rule texts offered for each type and interval: their number, the
    // first and the last.
    void SpecificallyTexts() {
        const struct {
            int Type, Interval, Count;
            const char *First, *Last;
        } cases[] = {
            {0, 1, 1, "Every day", nullptr},
            {0, 2, 1, "Every 2 days", nullptr},
            {1, 2, 1, "Every 2 weeks on Tuesday", nullptr},
            {5, 2, 1, "Accounting Period End", nullptr},
            {2, 1, 24, "On the same day every month", "On the last Working day every month"},
            {3, 2, 5, "On the first Tuesday every 2 months", "On the Last Tuesday every 2 months"},
        };
        for (const auto& c : cases) {
            auto f = NewRepeating(c.Type, c.Interval);
            QCOMPARE(f->Combo->count(), c.Count);
            QCOMPARE(f->Combo->itemText(0), QString(c.First));
            QCOMPARE(f->Combo->itemText(c.Count - 1), QString(c.Last ? c.Last : c.First));
            QCOMPARE(f->DayIndex->isEnabled(), c.Type == 3);
            QCOMPARE(f->Spin1->isEnabled(), c.Type != 5);
        }
    }

    // The start date box re-derives the Index Day and the rule texts; the
    // Index Day names the weekday of the monthly rules.
    void StartDateDrivesTheRule() {
        auto f = NewRepeating(1, 1);
        f->EventDate->SetDateValue(Env.Day + 3); // a Friday
        QCOMPARE(f->Combo->currentText(), QString("Every week on Friday"));
        f->TypeCombo->setCurrentIndex(3);
        f->DayIndex->setCurrentIndex(1);
        QCOMPARE(f->Combo->itemText(4), QString("On the Last Monday every month"));
        // Repeat until starts at the later of today and the start.
        f->EventDate->SetDateValue(Env.Day + 20);
        Press(f->Rad2);
        QCOMPARE(FromQDate(f->DateBox->date()), Env.Day + 20);
        Press(f->Rad1);
        f->EventDate->SetDateValue(Env.Day - 20);
        Press(f->Rad2);
        QCOMPARE(FromQDate(f->DateBox->date()), Env.Day);
    }

    // OK refuses what cannot be stored, says why and puts the cursor where
    // the fault is; blanks alone are a description, and once only never
    // looks at the end.
    void Validation() {
        const QString bad = "Please enter a valid date", day = "10/03/2026";
        const struct {
            QString Description;
            bool Repeating;
            QString Start, End, Message, Focus; // End "-": no end point
        } cases[] = {
            {"", true, "", "", "Please enter a Description", "Memo1"},
            {"x", false, "", "", bad, "EventDate"},
            {"x", true, day, "", bad, "DateBox"},
            {"x", true, day, "15/01/27", bad, "DateBox"},
            {"x", true, day, "09/03/2026", "End date earlier than Start", "DateBox"},
            {"x", true, day, day, "Dates cannot be the same", "DateBox"},
            {"   ", false, day, day, "", ""},
            {"x", true, day, "-", "", ""},
        };
        for (const auto& c : cases) {
            init();
            TEditFrm f;
            f.show();
            QApplication::setActiveWindow(&f);
            Press(f.Rept);
            if (c.End != "-")
                Press(f.Rad2);
            if (!c.Repeating)
                Press(f.Once);
            f.Memo1->setPlainText(c.Description);
            TypeDate(f.EventDate, c.Start);
            if (c.End != "-" && c.Repeating)
                TypeDate(f.DateBox, c.End);
            Press(f.Button1);
            QCOMPARE(Env.LastNotice(), c.Message.toStdString());
            QCOMPARE(f.result(), c.Message.isEmpty() ? int(QDialog::Accepted) : 0);
            if (!c.Message.isEmpty() && QApplication::focusWidget())
                QCOMPARE(QApplication::focusWidget()->objectName(), c.Focus);
        }
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
            f.EventDate->SetDateValue(Env.Day + 1);
            Press(f.Rept);
            f.TypeCombo->setCurrentIndex(3);
            f.DayIndex->setCurrentIndex(4);
            f.Spin1->setValue(2);
            f.Combo->setCurrentIndex(4);
            f.Notice->setValue(5);
            f.Keep->setChecked(true);
            Press(f.Button1);
        });
        QVERIFY(e);
        QVERIFY(!e->Simple && e->NoEndPoint && e->KeepFlag);
        // Type, weekday, interval, rule and notice as chosen.
        QCOMPARE((QList<int>{e->EventType, e->Weekday, e->Interval, e->Rank, e->NoticePeriod}),
                 (QList<int>{3, 5, 2, 4, 5}));
    }

    // A once-only event ends on its day, whatever end was chosen before; a
    // new event whose day has passed is acknowledged up to it.
    void NewOnceOnlyEvent() {
        for (const int offset : {-1, 0}) {
            const TDateTime start = Env.Day + offset;
            TTickwellItem* e = RunEditor(false, nullptr, [start](TEditFrm& f) {
                f.Memo1->setPlainText("Call");
                Press(f.Rept);
                Press(f.Rad2);
                Press(f.Once);
                f.Notice->setValue(0);
                f.EventDate->SetDateValue(start);
                Press(f.Button1);
            });
            QVERIFY(e && e->Simple);
            QCOMPARE(e->EndDate, start);
            QCOMPARE(e->AckDate, offset < 0 ? start : 0.0);
        }
    }

    // OK on an unchanged event keeps its fields and clears its acknowledgement.
    void CancelChangesNothing() {
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            QTest::keyClicks(f.Memo1, "Never stored");
            Press(f.Button2);
        });
        QVERIFY(!e);
        QCOMPARE(MasterList->Count(), 0);
        QVERIFY(!EditFrm);
    }

    void EditingClearsAcknowledgement() {
        for (const bool until : {false, true}) {
            const TDateTime end = until ? Env.Day + 60 : 0;
            TTickwellItem* e = MakeEvent("Rent\r\ndue", Env.Day - 3, false, 2, 1, 7, true, end);
            e->Rank = 23;
            e->AckDate = e->PrevDate;
            MasterList->AddSorted(e);
            QCOMPARE(RunEditor(true, e, [](TEditFrm& f) { Press(f.Button1); }), e);
            QCOMPARE(e->AckDate, 0.0);
            QCOMPARE(e->Description, std::string("Rent\r\ndue"));
            QCOMPARE(e->Rank, 23);
            QCOMPARE(e->EndDate, until ? end : AddYears(100, Env.Day - 3));
        }
    }

    // Typed, as one key event or as the two halves beyond 16 bits, or pasted;
    // and no more than the file's 255 characters.
    void DescriptionRefusesWhatTheFileCannotHold() {
        TEditFrm f;
        f.show();
        QApplication::setActiveWindow(&f);
        f.Memo1->setFocus();
        const QString kept = QString::fromUtf8("caf\u00e9 \u20ac5 ");
        for (const char32_t c : (kept + QString::fromUtf8("\u2713")).toUcs4())
            QTest::sendKeyEvent(QTest::Click, f.Memo1, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                {});
        QCOMPARE(f.Memo1->toPlainText(), kept);
        QVERIFY(Env.LastNotice().find("\u2713") != std::string::npos);
        const QString emoji = QString::fromUtf8("\U0001F389");
        QTest::sendKeyEvent(QTest::Click, f.Memo1, Qt::Key_unknown, emoji, {});
        for (const QChar half : emoji)
            QTest::sendKeyEvent(QTest::Click, f.Memo1, Qt::Key_unknown, QString(half), {});
        QCOMPARE(Env.Notices.size(), size_t(3));
        QApplication::clipboard()->setText(QString::fromUtf8("ok \u65e5\u672c"));
        if (QApplication::clipboard()->text() == QString::fromUtf8("ok \u65e5\u672c"))
            QTest::keyClick(f.Memo1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.Memo1->toPlainText(), kept);
        // A line break takes two of the 255 characters the file holds.
        const size_t notices = Env.Notices.size();
        f.Memo1->setPlainText(QString(253, 'a'));
        f.Memo1->moveCursor(QTextCursor::End);
        QTest::keyClick(f.Memo1, Qt::Key_Return);
        QCOMPARE(Env.Notices.size(), notices);
        QTest::keyClicks(f.Memo1, "b");
        QCOMPARE(StoredLength(f.Memo1->toPlainText()), 255);
        QCOMPARE(Env.Notices.size(), notices + 1);
        // Typing over a selection frees its room first.
        f.Memo1->selectAll();
        QTest::keyClicks(f.Memo1, "c");
        QCOMPARE(f.Memo1->toPlainText(), QString("c"));
    }
};

QTEST_MAIN(TestFrmEdit)
#include "test_frm_edit.moc"
