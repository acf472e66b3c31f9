// Thousands of random clicks and focus-and-Space presses on the calculator window's keys,
// a third of them on 0 and /, dismissing the warning box whenever it comes. After every key
// the readout must read back as a number (or be the lone "-"); at the end the window still works.
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
    void randomKeysKeepTheReadoutReadable()
    {
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* readout = window.findChild<QLabel*>(QStringLiteral("Readout"));
        const QList<QPushButton*> keys = window.findChildren<QPushButton*>();
        const auto key = [&keys](const char* caption) {
            const auto found = std::find_if(keys.cbegin(), keys.cend(), [&](QPushButton* k) {
                return k->text().remove(u'&') == QLatin1String(caption);
            });
            return found == keys.cend() ? nullptr : *found;
        };
        QVERIFY(readout && key("0") && key("/"));
        int boxes = 0;
        QTimer dismisser;
        connect(&dismisser, &QTimer::timeout, this, [&boxes] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++boxes;
                box->button(QMessageBox::Ok)->click();
            }
        });
        dismisser.start();

        constexpr int presses = 6000, oneIn = 3; // one press in three goes to 0 or /
        QRandomGenerator random(1);
        for (int press = 0; press < presses; ++press) {
            QPushButton* pressed = random.bounded(oneIn) ? keys.at(random.bounded(int(keys.size())))
                                                         : key(random.bounded(2) ? "0" : "/");
            if (random.bounded(2)) {
                QTest::mouseClick(pressed, Qt::LeftButton);
            } else {
                pressed->setFocus();
                QTest::keyClick(pressed, Qt::Key_Space);
            }
            const QString shown = readout->text();
            QVERIFY2(shown == u"-"
                         || NumberText::readStrict(shown.toStdString()).kind != NumberText::Reading::Kind::NotANumber,
                     qPrintable(u"press " % QString::number(press) % u" on " % pressed->objectName() % u" left \""
                                % shown % u'"'));
            QVERIFY(!QApplication::activeModalWidget());
        }
        QVERIFY(boxes > 0);
        for (const char* caption : {"C", "1", "2", "+", "3", "0", "="})
            QTest::mouseClick(key(caption), Qt::LeftButton);
        QCOMPARE(readout->text(), QStringLiteral("42"));
    }
};

QTEST_MAIN(tst_CalculatorMonkey)
#include "tst_calculatormonkey.moc"
