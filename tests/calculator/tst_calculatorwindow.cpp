#include "calculator/Calculator.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

// The calculator window as the user meets it: real clicks on the real widgets, read back
// from what the window shows.
class tst_CalculatorWindow : public QObject
{
    Q_OBJECT

private slots:
    // Keys (by caption, "E" is CE) or "@" and a menu command; then the readout and each
    // modal window that opened (a box with its text, icon and buttons), closed with Enter.
    void userSees_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QStringList>("modals");
        QTest::newRow("every digit key types its digit") << "1234567890" << "1234567890." << QStringList();
        QTest::newRow("point, plus, times, minus and equals") << "12+3.5X2=--4=" << "35" << QStringList();
        QTest::newRow("divide") << "1/3=" << "0.333333333333333" << QStringList();
        QTest::newRow("CE, C and percent") << "5+3E4=C200+5%=" << "10" << QStringList();
        QTest::newRow("division by zero warns in a box, then the keys work on")
            << "8/0=2+2=" << "4" << QStringList{u"Calculator|Can't divide by zero|2|1024"_qs};
        QTest::newRow("Help Topics") << "@mnuHelpTopics" << "0." << QStringList{u"Help"_qs};
        QTest::newRow("About") << "@Ardel" << "0." << QStringList{u"About Ardel's Corvel Calculator"_qs};
        for (const char* profile : {"Fenna", "Dova", "Brisa", "Caddo", "Efri"})
            QTest::newRow(profile) << u"@mnuNb"_qs + QLatin1String(profile) << "0." << QStringList{QLatin1String(profile)};
    }
    void userSees()
    {
        QFETCH(QString, steps);
        QFETCH(QString, readout);
        QFETCH(QStringList, modals);
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList seen;
        QTimer presser;
        connect(&presser, &QTimer::timeout, &presser, [&seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                const auto* box = qobject_cast<QMessageBox*>(modal);
                seen << (box ? modal->windowTitle() % u'|' % box->text() % u'|' % QString::number(box->icon()) % u'|'
                                   % QString::number(box->standardButtons())
                             : modal->windowTitle());
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        presser.start(5);
        if (steps.startsWith(u'@'))
            window.findChild<QAction*>(steps.mid(1))->trigger();
        for (const QChar c : steps.startsWith(u'@') ? QString() : steps) {
            const QString caption = c == u'E' ? u"CE"_qs : QString(c);
            const QList<QPushButton*> keys = window.findChildren<QPushButton*>();
            const auto key = std::find_if(keys.begin(), keys.end(), [&](QPushButton* b) { return b->text() == caption; });
            QVERIFY2(key != keys.end(), qPrintable(caption));
            QTest::mouseClick(*key, Qt::LeftButton);
        }
        QCOMPARE(window.findChild<QLabel*>(u"Readout"_qs)->text(), readout);
        QCOMPARE(seen, modals);
    }

    // A fixed-size window with its icon and picture, which File > Exit closes.
    void windowIsFixedAndExitCloses()
    {
        Calculator window;
        window.show();
        QCOMPARE(window.centralWidget()->size(), QSize(457, 367));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!window.findChild<QLabel*>(u"Image1"_qs)->pixmap().isNull());
        window.findChild<QAction*>(u"mnuFileExit"_qs)->trigger();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(tst_CalculatorWindow)
#include "tst_calculatorwindow.moc"
