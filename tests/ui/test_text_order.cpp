// Texts sorted by collation key come out in the order QCollator gives for the
// same locale: case, accents, the language's own letters, texts alike for
// longer than a key's first bytes, equal texts in their first order, and a
// list long enough to be keyed by several threads.
#include "ui/TextOrder.h"
#include <QCollator>
#include <QLocale>
#include <QtTest>
#include <algorithm>
#include <numeric>
#include <random>
#include <string>

class TestTextOrder : public QObject {
    Q_OBJECT

    static QStringList Generated(int count) {
        const QStringList parts{"Birthday of ", "birthday of ", "Émile", "emile", "Zoë",
                                "Anna",         "anna",         " - ",   "Öl",    "ol"};
        std::mt19937 rng(11);
        QStringList texts;
        for (int i = 0; i < count; ++i) {
            QString t;
            for (int n = 0; n < 6; ++n)
                t += parts[static_cast<qsizetype>(rng() % parts.size())];
            texts << t;
        }
        return texts;
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void sameOrderAsTheCollator_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("texts");
        const QStringList mixed{"banana", "Apple", "apple", "École", "ecole", "zebra",
                                "Zebra",  "a-b",   "ab",    "10 x",  "9 x",   "",
                                "Öl",     "Oslo",  "apple", "Zürich"};
        QTest::newRow("English") << "en_US" << mixed;
        QTest::newRow("C, by character code") << "C" << mixed;
        QTest::newRow("keyed by several threads") << "fr_FR" << Generated(20000);
    }
    void sameOrderAsTheCollator() {
        QFETCH(QString, locale);
        QFETCH(QStringList, texts);
        QLocale::setDefault(QLocale(locale));
        std::vector<std::string> utf8;
        for (const QString& t : texts)
            utf8.push_back(t.toStdString());
        const std::vector<std::string_view> views(utf8.begin(), utf8.end());
        const QCollator collator;
        for (const bool descending : {false, true}) {
            std::vector<uint32_t> expected(texts.size());
            std::iota(expected.begin(), expected.end(), uint32_t{0});
            std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
                const int c = collator.compare(texts[a], texts[b]);
                return descending ? c > 0 : c < 0;
            });
            QVERIFY2(OrderOfTexts(views, descending) == expected,
                     descending ? "descending" : "ascending");
        }
    }
};

QTEST_MAIN(TestTextOrder)
#include "test_text_order.moc"
