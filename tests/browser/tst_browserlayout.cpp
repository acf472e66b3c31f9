#include "browser/BrowserLayout.h"

#include <QTest>

// The resize arithmetic in twips, on its own.
class tst_BrowserLayout : public QObject
{
    Q_OBJECT
private slots:
    void compute_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("addressWidth"); // -1: not applied
        QTest::addColumn<int>("viewHeight");   // -1: not applied

        QTest::newRow("design size") << 7590 << 5130 << 7490 << 3815;
        QTest::newRow("width at the margin gives zero") << 100 << 1315 << 0 << 0;
        QTest::newRow("width under the margin is not applied") << 99 << 5130 << -1 << 3815;
        QTest::newRow("height under panel and margin is not applied") << 7590 << 1314 << 7490 << -1;
        QTest::newRow("minimised window applies nothing") << 0 << 0 << -1 << -1;
    }
    void compute()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, addressWidth);
        QFETCH(int, viewHeight);
        const BrowserLayout::Sizes sizes = BrowserLayout::compute(width, height, 1215);
        QCOMPARE(sizes.addressWidth.value_or(-1), addressWidth);
        QCOMPARE(sizes.viewWidth.value_or(-1), addressWidth);
        QCOMPARE(sizes.viewHeight.value_or(-1), viewHeight);
    }
};

QTEST_APPLESS_MAIN(tst_BrowserLayout)
#include "tst_browserlayout.moc"
