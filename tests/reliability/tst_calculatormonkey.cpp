// Thousands of random clicks and focus-and-Space presses on the calculator window's
// keys, dismissing the warning box whenever it comes. After every key the readout must
// read back as a number (or be the lone "-"), and at the end the window still works.
#include "calculator/Calculator.h"
#include "calculator/NumberText.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

class tst_CalculatorMonkey : public QObject
{
    Q_OBJECT
private slots:
    void randomKeysKeepTheReadoutReadable_data();
    void randomKeysKeepTheReadoutReadable();
};

namespace {
QPushButton* keyWithCaption(const QList<QPushButton*>& keys, const char* caption)
{
    for (QPushButton* key : keys)
        if (key->text().remove(u'&') == QLatin1String(caption))
            return key;
    return nullptr;
}
} // namespace

void tst_CalculatorMonkey::randomKeysKeepTheReadoutReadable_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("zeroAndDivideShare"); // percent of presses forced onto 0 and /
    QTest::newRow("uniform keys") << 1u << 0;
    QTest::newRow("mostly zero and divide: warning boxes") << 3u << 60;
}

void tst_CalculatorMonkey::randomKeysKeepTheReadoutReadable()
{
    QFETCH(quint32, seed);
    QFETCH(int, zeroAndDivideShare);

    Calculator window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* readout = window.findChild<QLabel*>(QStringLiteral("Readout"));
    const QList<QPushButton*> keys = window.findChildren<QPushButton*>();
    QPushButton* zero = keyWithCaption(keys, "0");
    QPushButton* divide = keyWithCaption(keys, "/");
    QVERIFY(readout && zero && divide);

    int boxes = 0;
    QTimer dismisser;
    connect(&dismisser, &QTimer::timeout, this, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            box->button(QMessageBox::Ok)->click();
        }
    });
    dismisser.start();

    QRandomGenerator random(seed);
    for (int press = 0; press < 4000; ++press) {
        QPushButton* key = keys.at(random.bounded(int(keys.size())));
        if (int(random.bounded(100)) < zeroAndDivideShare)
            key = random.bounded(2) ? zero : divide;
        if (random.bounded(2)) {
            QTest::mouseClick(key, Qt::LeftButton);
        } else {
            key->setFocus();
            QTest::keyClick(key, Qt::Key_Space);
        }
        const QString shown = readout->text();
        QVERIFY2(shown == u"-"
                     || NumberText::readStrict(shown.toStdString()).kind != NumberText::Reading::Kind::NotANumber,
                 qPrintable(u"press " % QString::number(press) % u" on " % key->objectName() % u" left \""
                            % readout->text() % u'"'));
        QVERIFY(!QApplication::activeModalWidget());
    }
    dismisser.stop();
    QVERIFY(zeroAndDivideShare == 0 || boxes > 0);
    // Still responsive: clear and work a sum.
    for (const char* caption : {"C", "1", "2", "+", "3", "0", "="})
        QTest::mouseClick(keyWithCaption(keys, caption), Qt::LeftButton);
    QCOMPARE(readout->text(), QStringLiteral("42"));
}

QTEST_MAIN(tst_CalculatorMonkey)
#include "tst_calculatormonkey.moc"
