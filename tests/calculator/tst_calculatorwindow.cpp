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
    // modal window that opened with the pictures it shows (a box also with its text and
    // icon), closed with Enter; only File > Exit closes the window itself.
    void userSees_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QStringList>("modals");
        QTest::newRow("every digit key types its digit") << "1234567890" << "1234567890." << QStringList();
        QTest::newRow("point, plus, times, minus and equals") << "12+3.5X2=--4=" << "35" << QStringList();
        QTest::newRow("CE, C, percent and divide") << "5+3E4=C200+5%=/4=" << "2.5" << QStringList();
        QTest::newRow("division by zero warns in a box, then the keys work on")
            << "8/0=2+2=" << "4" << QStringList{u"Calculator|1|Can't divide by zero|2"_qs};
        QTest::newRow("Help Topics") << "@mnuHelpTopics" << "0." << QStringList{u"Help|1"_qs};
        QTest::newRow("About") << "@Ardel" << "0." << QStringList{u"About Ardel's Corvel Calculator|1"_qs};
        QTest::newRow("File Exit closes the window") << "@mnuFileExit" << "0." << QStringList();
        for (const char* profile : {"Fenna", "Dova", "Brisa", "Caddo", "Efri"})
            QTest::newRow(profile) << u"@mnuNb"_qs + QLatin1String(profile) << "0." << QStringList{QLatin1String(profile) + u"|1"};
    }
    void userSees()
    {
        QFETCH(QString, steps);
        QFETCH(QString, readout);
        QFETCH(QStringList, modals);
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // A fixed-size window that cannot be maximized, with its icon and picture.
        QVERIFY(window.minimumSize() == window.maximumSize() && !(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window.windowIcon().isNull() && !window.findChild<QLabel*>(u"Image1"_qs)->pixmap().isNull());
        QStringList seen;
        QTimer presser;
        connect(&presser, &QTimer::timeout, &presser, [&seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                const auto* box = qobject_cast<QMessageBox*>(modal);
                const QList<QLabel*> labels = modal->findChildren<QLabel*>();
                const auto pictures = std::count_if(labels.begin(), labels.end(), [](QLabel* l) { return !l->pixmap().isNull(); });
                seen << modal->windowTitle() % u'|' % QString::number(pictures)
                            % (box ? u'|' % box->text() % u'|' % QString::number(box->icon()) : QString());
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        presser.start(5);
        if (steps.startsWith(u'@'))
            window.findChild<QAction*>(steps.mid(1))->trigger();
        const QList<QPushButton*> keys = window.findChildren<QPushButton*>();
        for (const QChar c : steps.startsWith(u'@') ? QString() : steps) {
            const auto key = std::find_if(keys.begin(), keys.end(), [&](QPushButton* b) { return b->text() == (c == u'E' ? u"CE"_qs : QString(c)); });
            QVERIFY2(key != keys.end(), qPrintable(QString(c)));
            QTest::mouseClick(*key, Qt::LeftButton);
        }
        QCOMPARE(window.findChild<QLabel*>(u"Readout"_qs)->text(), readout);
        QCOMPARE(seen, modals);
        QCOMPARE(window.isVisible(), steps != u"@mnuFileExit");
    }
};

QTEST_MAIN(tst_CalculatorWindow)
#include "tst_calculatorwindow.moc"
