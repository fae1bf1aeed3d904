// The windows given settings a hand or another screen wrote: values of the
// wrong type, sizes and positions beyond the screen, and a store that cannot
// be written when they close.
#include "UiTestEnv.h"
#include "store/SettingsSchema.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/ScreenFit.h"

namespace {

const std::string kForms = std::string(kRegistryRoot) + "\\Forms";

// A store that can be read but not written, as on a full disk.
class TUnwritable : public TMemoryRegistry {
public:
    void Update(const std::function<void(TRegData&)>&) override {
        throw TTickwellError("Unable to save the settings to /home/ann/registry.reg: No space "
                             "left on device");
    }
};

void Store(const char* name, const TRegValue& value) {
    RegistryBackend()->Update([&](TRegData& d) { d.Set(kForms, name, value); });
}

} // namespace

class TestWindowSettings : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() {
        Env.Reset();
        Env.Add(MakeEvent("Dentist", Env.Day + 1, true));
        Env.Book->MasterList.Scan();
    }

    void storedGeometryFitsTheScreen_data() {
        QTest::addColumn<quint32>("size");
        QTest::addColumn<quint32>("place");
        QTest::newRow("the largest numbers") << 0x7fffffffu << 0x7fffffffu;
        QTest::newRow("the smallest numbers") << 0x80000000u << 0x80000000u;
        QTest::newRow("beyond the right and bottom edges") << 300u << 3000u;
    }
    void storedGeometryFitsTheScreen() {
        QFETCH(quint32, size);
        QFETCH(quint32, place);
        for (const char* name : {"hm", "wm", "hs", "ws"})
            Store(name, TRegValue::Number(size));
        for (const char* name : {"ls", "ts"})
            Store(name, TRegValue::Number(place));
        RegistryBackend()->Update([](TRegData& d) {
            d.Set(std::string(kMainListKey) + "\\Columns", "Sizes",
                  TRegValue::String("2147483647,2147483647,80,80,80"));
        });
        const QRect area = AvailableArea();
        TMainFrm main(*Env.Events);
        TScanFrm due(*Env.Events);
        // Where each window is placed and how large its inside is; the frame
        // the window manager adds is its own to fit.
        for (QWidget* w : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&due)}) {
            w->show();
            QVERIFY(area.contains(QRect(w->pos(), w->size())));
            QVERIFY(w->width() >= 100 && w->height() >= 100);
        }
        QVERIFY(main.ListView()->columnWidth(0) <= area.width());
    }

    void valuesOfTheWrongTypeGiveTheDefaults() {
        Store("hm", TRegValue::String("400"));
        Store("wm", TRegValue::Binary({1, 2}));
        Store("hs", TRegValue::String("big"));
        TMainFrm main(*Env.Events);
        TScanFrm due(*Env.Events);
        QCOMPARE(main.size(), QSize(kFormsWm.Default, kFormsHm.Default));
        QCOMPARE(due.height(), kFormsHs.Default);
        QCOMPARE(Env.Notices.size(), size_t(3));
    }

    void closingWithSettingsThatCannotBeSavedTellsOnceAndClosesAll() {
        SetRegistryBackend(std::make_shared<TUnwritable>());
        TTestWindow<TMainFrm> main(*Env.Events);
        TTestWindow<TScanFrm> due(*Env.Events);
        QVERIFY(QTest::qWaitForWindowExposed(due.W));
        QTest::keyClick(due.W, Qt::Key_Escape);
        QVERIFY(Use(main.W, main->findChild<QAction*>("CloseBtn")));
        QTRY_VERIFY(main.W.isNull() && due.W.isNull());
        QCOMPARE(Env.Notices.size(), size_t(1));
        QVERIFY(Env.LastNotice().find("No space left on device") != std::string::npos);
    }
};

QTEST_MAIN(TestWindowSettings)
#include "test_window_settings.moc"
