#include "infowindows/ProfileWindow.h"

#include <QLabel>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

using Factory = std::function<QDialog*()>;
Q_DECLARE_METATYPE(Factory)

class tst_InfoWindows : public QObject
{
    Q_OBJECT

private slots:
    // The profile windows are built from their tables: a bold heading over one column of
    // "Prefix: value" lines every 240 twips (16 px), a gap, then the bold family heading
    // and its lines; the portrait is drawn.
    void profilesAreLaidOutFromTheirTables_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::newRow("Form1 Fenna") << Factory([] { return new Form1; });
        QTest::newRow("Form2 Dova") << Factory([] { return new Form2; });
        QTest::newRow("Form3 Brisa") << Factory([] { return new Form3; });
        QTest::newRow("Form4 Caddo") << Factory([] { return new Form4; });
        QTest::newRow("Form5 Efri") << Factory([] { return new Form5; });
    }
    void profilesAreLaidOutFromTheirTables()
    {
        QFETCH(Factory, make);
        const std::unique_ptr<QDialog> window(make());
        QVERIFY(!window->findChild<QLabel*>(u"Image1"_qs)->pixmap().isNull());
        QList<QLabel*> column = window->findChildren<QLabel*>(QRegularExpression(u"^Label\\d+$"_qs));
        std::sort(column.begin(), column.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
        QCOMPARE(column.first()->text(), u"Facts"_qs);
        int headings = 1;
        for (qsizetype i = 1; i < column.size(); ++i) {
            QLabel* line = column[i];
            const int step = line->y() - column[i - 1]->y();
            QCOMPARE(line->x(), column.first()->x());
            if (line->font().bold()) { // the family heading, after a gap
                ++headings;
                QVERIFY2(step > 16, qPrintable(line->text()));
                continue;
            }
            QVERIFY2(line->text().contains(QRegularExpression(u"^[^:]+: \\S"_qs)), qPrintable(line->text()));
            if (column[i - 1]->font().bold())
                QVERIFY(step >= 16);
            else
                QCOMPARE(step, 16);
        }
        QCOMPARE(headings, 2);
    }
};

QTEST_MAIN(tst_InfoWindows)
#include "tst_infowindows.moc"
