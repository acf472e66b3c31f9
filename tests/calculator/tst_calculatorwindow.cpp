#include "calculator/Calculator.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <tuple>

// The calculator window as the user meets it: real clicks on the real widgets, read back
// from what the window shows.
class tst_CalculatorWindow : public QObject
{
    Q_OBJECT

private slots:
    // Keys clicked by caption (E for CE) after an optional menu command; then the readout,
    // and the modal window that opened, if any, with the pictures it shows and for a
    // message box its text and icon. Each modal is closed with Enter; only File > Exit
    // closes the calculator window itself.
    void userSees_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("modal");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QMessageBox::Icon>("icon");
        const auto row = [](const char* rule, QString keys, QString command, QString readout, QString modal = {},
                            int pictures = 0, QString message = {}, QMessageBox::Icon icon = QMessageBox::NoIcon) {
            QTest::newRow(rule) << keys << command << readout << modal << pictures << message << icon;
        };
        row("every digit key types its digit", u"1234567890"_qs, {}, u"1234567890."_qs);
        row("point, plus, times, minus and equals", u"12+3.5X2=--4="_qs, {}, u"35"_qs);
        row("CE, C, percent and divide", u"5+3E4=C200+5%=/4="_qs, {}, u"2.5"_qs);
        row("division by zero warns in a box, then the keys work on", u"8/0=2+2="_qs, {}, u"4"_qs, u"Calculator"_qs, 1,
            u"Can't divide by zero"_qs, QMessageBox::Warning);
        row("Help Topics", {}, u"mnuHelpTopics"_qs, u"0."_qs, u"Help"_qs, 1);
        row("About", {}, u"Ardel"_qs, u"0."_qs, u"About Ardel's Corvel Calculator"_qs, 1);
        row("File Exit closes the window", {}, u"mnuFileExit"_qs, u"0."_qs);
        for (const QString profile : {u"Fenna"_qs, u"Dova"_qs, u"Brisa"_qs, u"Caddo"_qs, u"Efri"_qs})
            row(qPrintable(profile), {}, u"mnuNb"_qs + profile, u"0."_qs, profile, 1);
    }
    void userSees()
    {
        QFETCH(QString, keys);
        QFETCH(QString, command);
        QFETCH(QString, readout);
        QFETCH(QString, modal);
        QFETCH(int, pictures);
        QFETCH(QString, message);
        QFETCH(QMessageBox::Icon, icon);
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // A fixed-size window that cannot be maximized (its icon and picture are tst_looks').
        QVERIFY(window.minimumSize() == window.maximumSize() && !(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        using Modal = std::tuple<QString, int, QString, QMessageBox::Icon>;
        QList<Modal> seen;
        QTimer presser;
        connect(&presser, &QTimer::timeout, &presser, [&] {
            if (QWidget* opened = QApplication::activeModalWidget()) {
                const auto* box = qobject_cast<QMessageBox*>(opened);
                const QList<QLabel*> labels = opened->findChildren<QLabel*>();
                seen << Modal(
                    opened->windowTitle(),
                    std::count_if(labels.begin(), labels.end(), [](QLabel* l) { return !l->pixmap().isNull(); }),
                    box ? box->text() : QString(), box ? box->icon() : QMessageBox::NoIcon);
                QTest::keyClick(opened, Qt::Key_Return);
            }
        });
        presser.start(5);
        if (!command.isEmpty())
            window.findChild<QAction*>(command)->trigger();
        const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
        for (const QChar c : keys) {
            const QString caption = c == u'E' ? u"CE"_qs : QString(c);
            const auto key
                = std::find_if(buttons.begin(), buttons.end(), [&](QPushButton* b) { return b->text() == caption; });
            QVERIFY2(key != buttons.end(), qPrintable(caption));
            QTest::mouseClick(*key, Qt::LeftButton);
        }
        QCOMPARE(window.findChild<QLabel*>(u"Readout"_qs)->text(), readout);
        const QList<Modal> expected{Modal(modal, pictures, message, icon)};
        QCOMPARE(seen, modal.isEmpty() ? QList<Modal>() : expected);
        QCOMPARE(window.isVisible(), command != u"mnuFileExit");
    }
};

QTEST_MAIN(tst_CalculatorWindow)
#include "tst_calculatorwindow.moc"
