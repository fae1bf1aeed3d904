// The event editor driven through its widgets: the rule texts following the
// start date, the checks of OK, the stored fields, the description box.
#include "UiTestEnv.h"
#include "store/SettingsSchema.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

class TestFrmEdit : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

    TTickwellItem* RunEditor(bool isEdit, TTickwellItem* e, std::function<void(TEditFrm&)> fill) {
        TTickwellItem* result = nullptr;
        WithDialog([&] { result = EditEvent(*Env.Book, isEdit, e); }, fill);
        return result;
    }

private slots:
    void init() { Env.Reset(); }

    // OK refuses what cannot be stored, says why and puts the cursor where
    // the fault is; once only never looks at the end.
    void Validation() {
        const QString bad = "Please enter a valid date", day = "10/03/2026";
        const struct {
            QString Description;
            bool Repeating;
            QString Start, End, Message, Focus; // End "-": no end point
        } cases[] = {
            {"", true, "", "", "Please enter a Description", "DescriptionEdit"},
            {"   ", true, day, "-", "Please enter a Description", "DescriptionEdit"},
            {"x", false, "", "", bad, "EventDate"},
            // A year below 100 would be read as one of the 1900s.
            {"x", false, "01/06/0050", "", bad, "EventDate"},
            {"x", true, day, "01/06/0099", bad, "DateBox"},
            {"x", true, day, "15/01/27", bad, "DateBox"},
            {"x", true, day, "09/03/2026", "End date earlier than Start", "DateBox"},
            {"x", true, day, day, "Dates cannot be the same", "DateBox"},
            {" x ", false, day, day, "", ""},
            {"x", true, day, "-", "", ""},
        };
        for (const auto& c : cases) {
            init();
            TTestWindow<TEditFrm> f;
            Press(f->Rept);
            if (c.End != "-")
                Press(f->UntilRad);
            if (!c.Repeating)
                Press(f->Once);
            QTest::keyClicks(f->DescriptionEdit, c.Description);
            TypeInto(f->EventDate, c.Start);
            if (c.End != "-" && c.Repeating)
                TypeInto(f->DateBox, c.End);
            Press(f->OkBtn);
            QCOMPARE(Env.LastNotice(), c.Message.toStdString());
            QCOMPARE(f->result(), c.Message.isEmpty() ? int(QDialog::Accepted) : 0);
            if (!c.Message.isEmpty() && QApplication::focusWidget())
                QCOMPARE(QApplication::focusWidget()->objectName(), c.Focus);
        }
    }

    // A whole date typed over the selected one is exactly that date, in a
    // year-first locale too; the other fields are stored as chosen.
    void TypedDatesAreStoredAsTyped() {
        TFormatSettings fs;
        fs.ShortDateFormat = "yyyy/mm/dd";
        fs.DateSeparator = '-';
        SetFormatSettings(fs);
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            QTest::keyClicks(f.DescriptionEdit, "Board meeting");
            TypeInto(f.EventDate, "2027-01-15"); // a Friday, the Index Day
            Press(f.Rept);
            QTest::keyClick(f.TypeCombo, Qt::Key_M);    // Monthly (Date)
            QTest::keyClick(f.TypeCombo, Qt::Key_Down); // Monthly (Day)
            TypeInto(f.IntervalSpin, "2");
            QTest::keyClick(f.Combo, Qt::Key_End); // On the Last Friday
            TypeInto(f.Notice, "5");
            Press(f.UntilRad);
            TypeInto(f.DateBox, "2028-06-30");
            Press(f.OkBtn);
        });
        QVERIFY(e && !e->Simple);
        QCOMPARE(e->StartDate, EncodeDate(2027, 1, 15));
        QCOMPARE(e->EndDate, EncodeDate(2028, 6, 30));
        // Type, weekday, interval, rule and notice as chosen.
        QCOMPARE((QList<int>{e->EventType, e->Weekday, e->Interval, e->Rank, e->NoticePeriod}),
                 (QList<int>{3, 6, 2, 4, 5}));
    }

    // A once-only event ends on its day, whatever end was chosen before; a
    // new event whose day has passed is acknowledged up to it.
    void NewOnceOnlyEvent() {
        for (const int offset : {-1, 0}) {
            const TDateTime start = Env.Day + offset;
            TTickwellItem* e = RunEditor(false, nullptr, [offset](TEditFrm& f) {
                QTest::keyClicks(f.DescriptionEdit, "Call");
                Press(f.Rept);
                Press(f.UntilRad);
                Press(f.Once);
                TypeInto(f.Notice, "0");
                TypeInto(f.EventDate, QString("%1/03/2026").arg(10 + offset, 2, 10, QChar('0')));
                Press(f.OkBtn);
            });
            QVERIFY(e && e->Simple);
            QCOMPARE(e->EndDate, start);
            QCOMPARE(e->AckDate, offset < 0 ? start : 0.0);
        }
    }

    // "No End Point" ends a century on from the start, or from today when the
    // start has passed (a birthday entered from its year of birth), when
    // added and when edited.
    void NoEndPointEndsACenturyOn() {
        const TDateTime century = EncodeDate(2126, 3, 10);
        const struct {
            QString Start;
            TDateTime End;
        } cases[] = {
            {"01/06/1925", century},
            {"29/02/2028", EncodeDate(2128, 2, 29)},
        };
        for (const auto& c : cases) {
            TTickwellItem* e = RunEditor(false, nullptr, [&c](TEditFrm& f) {
                QTest::keyClicks(f.DescriptionEdit, "Birthday");
                TypeInto(f.EventDate, c.Start);
                Press(f.Rept);
                QTest::keyClick(f.TypeCombo, Qt::Key_Y);
                Press(f.OkBtn);
            });
            QVERIFY(e && e->NoEndPoint);
            QCOMPARE(e->EndDate, c.End);
            QVERIFY(e->NextDate > Env.Day);
        }
        TTickwellItem* old = Env.Add(MakeEvent("Gran", EncodeDate(1925, 6, 1), false, etYearly));
        QCOMPARE(RunEditor(true, old, [](TEditFrm& f) { Press(f.OkBtn); }), old);
        QCOMPARE(old->EndDate, century);
    }

    // Enter in a one-line field presses OK, in the description it starts a
    // new line (and Cancel then adds nothing); Tab goes through the fields
    // as laid out, then the buttons.
    void EnterPressesOkAndTabFollowsTheLayout() {
        for (const QString field :
             {"EventDate", "Notice", "IntervalSpin", "Keep", "DescriptionEdit"}) {
            QString text;
            TTickwellItem* e = RunEditor(false, nullptr, [&](TEditFrm& f) {
                QTest::keyClicks(f.DescriptionEdit, "Bins");
                Press(f.Rept);
                QWidget* w = f.findChild<QWidget*>(field);
                Press(w);
                QTest::keyClick(w, Qt::Key_Return);
                text = f.DescriptionEdit->toPlainText();
                if (f.isVisible())
                    Press(f.CancelBtn);
            });
            QCOMPARE(e != nullptr, field != "DescriptionEdit");
            QCOMPARE(text.contains('\n'), field == "DescriptionEdit");
        }
        QCOMPARE(Env.Book->MasterList.Count(), 4);
        QVERIFY(!EditFrm);
        TTestWindow<TEditFrm> f;
        Press(f->Rept);
        QTest::keyClick(f->TypeCombo, Qt::Key_M);
        QTest::keyClick(f->TypeCombo, Qt::Key_Down); // Monthly (Day): Index Day in use
        Press(f->UntilRad);                          // the end date box in use
        f->DescriptionEdit->setFocus();
        QStringList visited;
        for (int i = 0; i < 20 && (visited.isEmpty() || visited.back() != "DescriptionEdit"); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"EventDate", "Notice", "Rept", "Keep", "TypeCombo",
                                       "DayIndex", "IntervalSpin", "Combo", "UntilRad", "DateBox",
                                       "OkBtn", "CancelBtn", "HelpBtn", "DescriptionEdit"}));
    }

    // A new event starts from the options' defaults.
    void NewEventTakesTheOptionsDefaults() {
        WriteSetting(kDfltEventType, 2); // Weekly
        WriteSetting(kDfltInterval, 3);
        WriteSetting(kDfltNotice, 12);
        WriteSetting(kDfltKeepFlag, false);
        TTickwellItem* e = RunEditor(false, nullptr, [](TEditFrm& f) {
            QTest::keyClicks(f.DescriptionEdit, "Bins");
            Press(f.OkBtn);
        });
        QVERIFY(e);
        QCOMPARE((QList<int>{e->EventType, e->Interval, e->NoticePeriod, e->KeepFlag}),
                 (QList<int>{etWeekly, 3, 12, 0}));
    }

    // OK on an unchanged event keeps its fields and clears its acknowledgement.
    void EditingClearsAcknowledgement() {
        TTickwellItem* e =
            MakeEvent("Rent\r\ndue", Env.Day - 3, false, 2, 1, 7, true, Env.Day + 60);
        e->Rank = 23;
        e->AckDate = e->PrevDate;
        Env.Add(e);
        QCOMPARE(RunEditor(true, e, [](TEditFrm& f) { Press(f.OkBtn); }), e);
        QCOMPARE(e->AckDate, 0.0);
        QCOMPARE(e->Description, std::string("Rent\r\ndue"));
        QCOMPARE(e->Rank, 23);
        QCOMPARE(e->EndDate, Env.Day + 60);
    }

    // Any script goes in, typed as one key event per character (the
    // character beyond 16 bits also as its two halves) or pasted; what no
    // description can store is left out and named under the box, the rest
    // kept, and no box interrupts the typing.
    void DescriptionLeavesOutOnlyWhatCannotBeStored_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("note");
        const QString emoji = QString::fromUtf8("\U0001F382"),
                      text = QString::fromUtf8("Γενέθλια 生日 ");
        QTest::newRow("scripts") << text.split(QString(), Qt::SkipEmptyParts) +
                                        QStringList{emoji, emoji[0], emoji[1]}
                                 << QString() << text + emoji + emoji
                                 << QString("241 characters left");
        QTest::newRow("typed control")
            << QStringList{"T", "e", "a", "\a"} << QString() << "Tea"
            << "The description cannot hold the control character U+0007";
        QTest::newRow("lone half") << QStringList{"a", QString(emoji[0]), "b"} << QString() << "ab"
                                   << "The description cannot hold the lone surrogate half U+D83C";
        QTest::newRow("pasted control")
            << QStringList() << QString::fromUtf8("Tea\a time\t ☕")
            << QString::fromUtf8("Tea time ☕")
            << "Left out of the pasted text: the control character U+0007 and 1 more";
    }
    void DescriptionLeavesOutOnlyWhatCannotBeStored() {
        QFETCH(QStringList, keys);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QFETCH(QString, note);
        TTestWindow<TEditFrm> f;
        for (const QString& key : keys)
            QTest::sendKeyEvent(QTest::Click, f->DescriptionEdit, Qt::Key_unknown, key, {});
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            if (QApplication::clipboard()->text() != pasted)
                QSKIP("no clipboard on this platform");
            QTest::keyClick(f->DescriptionEdit, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(f->DescriptionEdit->toPlainText(), kept);
        QCOMPARE(f->DescriptionRoom->text(), note);
        QVERIFY(Env.Notices.empty());
        // The next character that goes in brings the room back.
        QTest::keyClicks(f->DescriptionEdit, "x");
        QCOMPARE(f->DescriptionRoom->text(), RoomLeftText(f->DescriptionEdit->RoomLeft()));
    }

    // A line break takes two of the 255 characters, any other character of
    // any script one; beyond that input stops quietly.
    void DescriptionStopsAtItsRoom() {
        TTestWindow<TEditFrm> f;
        const QString alphas(250, QChar(0x3b1)); // α
        TypeText(f->DescriptionEdit, alphas);
        QCOMPARE(f->DescriptionRoom->text(), QString("5 characters left"));
        QApplication::clipboard()->setText("bcdefgh");
        if (QApplication::clipboard()->text() == "bcdefgh") {
            QTest::keyClick(f->DescriptionEdit, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(f->DescriptionEdit->toPlainText(), alphas + "bcdef");
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(f->DescriptionEdit, Qt::Key_Backspace);
        }
        QTest::keyClicks(f->DescriptionEdit, "aaa");
        QTest::keyClick(f->DescriptionEdit, Qt::Key_Return);
        QCOMPARE(f->DescriptionRoom->text(), QString("0 characters left"));
        QTest::keyClicks(f->DescriptionEdit, "bc");
        QTest::keyClick(f->DescriptionEdit, Qt::Key_Return);
        QCOMPARE(f->DescriptionEdit->toPlainText(), alphas + "aaa\n");
        QVERIFY(Env.Notices.empty());
        // Typing over a selection frees its room first.
        f->DescriptionEdit->selectAll();
        QTest::keyClicks(f->DescriptionEdit, "c");
        QCOMPARE(f->DescriptionEdit->toPlainText(), QString("c"));
    }
};

QTEST_MAIN(TestFrmEdit)
#include "test_frm_edit.moc"
