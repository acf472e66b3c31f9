#include "calculator/Calculator.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <tuple>
#include <type_traits>

namespace {

QPushButton* key(const QWidget& window, const QString& caption)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

QString readout(const QWidget& window)
{
    return window.findChild<QLabel*>(u"Readout"_qs)->text();
}

// Text typed on the main keys, single keys, and text typed with modifiers, in order.
template <typename... Presses> QTestEventList presses(const Presses&... each)
{
    QTestEventList list;
    const auto add = [&list](const auto& press) {
        if constexpr (std::is_convertible_v<decltype(press), QString>)
            list.addKeyClicks(press);
        else if constexpr (std::is_convertible_v<decltype(press), QKeyCombination>)
            list.addKeyClick(QKeyCombination(press).key(), QKeyCombination(press).keyboardModifiers());
        else
            list.addKeyClicks(press.first, press.second);
    };
    (add(each), ...);
    return list;
}

} // namespace

// The calculator window as the user meets it: real clicks on the real widgets, read back
// from what the window shows.
class tst_CalculatorWindow : public QObject
{
    Q_OBJECT

private slots:
    // Keys clicked by caption (E for CE) after an optional menu command; then the readout,
    // and the modal window that opened, if any, with the pictures it shows, for a message
    // box its text and icon, for another window the control holding the focus after a Tab.
    // Each modal is closed with the row's key (Enter unless named); only File > Exit closes
    // the calculator window itself.
    void userSees_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("modal");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::addColumn<int>("close");
        const auto row = [](const char* rule, QString keys, QString command, QString readout, QString modal = {},
                            int pictures = 0, QString message = {}, QMessageBox::Icon icon = QMessageBox::NoIcon,
                            Qt::Key close = Qt::Key_Return) {
            QTest::newRow(rule) << keys << command << readout << modal << pictures << message << icon << int(close);
        };
        row("CE keeps the pending operation", u"5+3E4="_qs, {}, u"9"_qs);
        row("C, percent and divide", u"5+3%C200+5%=/4="_qs, {}, u"2.5"_qs);
        row("division by zero warns in a box, then the keys work on", u"8/0=2+2="_qs, {}, u"4"_qs, u"Calculator"_qs, 1,
            u"Can't divide by zero"_qs, QMessageBox::Warning);
        row("Help Topics", {}, u"mnuHelpTopics"_qs, u"0."_qs, u"Help"_qs, 1, u"cmdSysInfo"_qs);
        row("About", {}, u"Ardel"_qs, u"0."_qs, u"About Ardel's Corvel Calculator"_qs, 1, u"picIcon"_qs);
        row("File Exit closes the window", {}, u"mnuFileExit"_qs, u"0."_qs);
        // The profile windows' only control that takes the focus is OK; Enter and Esc close them, in turn.
        int n = 0;
        for (const QString profile : {u"Fenna"_qs, u"Dova"_qs, u"Brisa"_qs, u"Caddo"_qs, u"Efri"_qs})
            row(qPrintable(profile), {}, u"mnuNb"_qs + profile, u"0."_qs, profile, 1, u"cmdOK"_qs, QMessageBox::NoIcon,
                n++ % 2 ? Qt::Key_Escape : Qt::Key_Return);
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
        QFETCH(int, close);
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // A fixed-size window that cannot be maximized (its icon and picture are tst_looks').
        QVERIFY(window.minimumSize() == window.maximumSize() && !(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        using Modal = std::tuple<QString, int, QString, QMessageBox::Icon>;
        QList<Modal> seen;
        QTimer presser;
        connect(&presser, &QTimer::timeout, &presser, [&] {
            QWidget* opened = QApplication::activeModalWidget();
            if (!opened || !opened->isActiveWindow() || !QApplication::focusWidget())
                return;
            const auto* box = qobject_cast<QMessageBox*>(opened);
            if (!box)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QList<QLabel*> labels = opened->findChildren<QLabel*>();
            seen << Modal(opened->windowTitle(),
                          std::count_if(labels.begin(), labels.end(), [](QLabel* l) { return !l->pixmap().isNull(); }),
                          box ? box->text() : QApplication::focusWidget()->objectName(),
                          box ? box->icon() : QMessageBox::NoIcon);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(close));
            if (opened->isVisible()) {
                seen << Modal(u"still open"_qs, 0, {}, {});
                opened->close();
            }
        });
        presser.start(5);
        if (!command.isEmpty())
            window.findChild<QAction*>(command)->trigger();
        for (const QChar c : keys) {
            QPushButton* button = key(window, c == u'E' ? u"CE"_qs : QString(c));
            QVERIFY2(button, qPrintable(QString(c)));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(::readout(window), readout);
        const QList<Modal> expected{Modal(modal, pictures, message, icon)};
        QCOMPARE(seen, modal.isEmpty() ? QList<Modal>() : expected);
        QCOMPARE(window.isVisible(), command != u"mnuFileExit");
    }

    // Keys sent where the focus is, given first by a click on the captioned button (which
    // types it too) or by Tab, else where the window opens with it; then a command of the
    // readout's context menu. A refused clipboard leaves the readout and says so in a tooltip.
    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("copied"); // the clipboard after, when the row changes it
        QTest::addColumn<QString>("command");
        const auto row = [](const char* rule, QString focus, const QTestEventList& keys, QString readout,
                            QString clipboard = {}, QString copied = {}, QString command = {}) {
            QTest::newRow(rule) << focus << keys << readout << clipboard << copied << command;
        };
        row("digits, the point and Backspace", {}, presses(u"9876543210.56"_qs, Qt::Key_Backspace), u"9876543210.5"_qs);
        row("comma is the point, x times, Return equals", u"5"_qs, presses(u",5x2"_qs, Qt::Key_Return), u"11"_qs);
        row("X, slash, minus, plus, equals", u"Tab"_qs, presses(u"8X3/4-1+2="_qs), u"7"_qs);
        row("the keypad", {},
            presses(std::pair(u"9876/4-0.25+1*3"_qs, Qt::KeypadModifier), Qt::KeypadModifier | Qt::Key_Enter),
            u"7409.25"_qs);
        row("Esc is C, % is percent", u"CE"_qs, presses(u"5+3"_qs, Qt::Key_Escape, u"200+5%="_qs), u"10"_qs);
        row("Delete is CE", u"="_qs, presses(u"5+3"_qs, Qt::Key_Delete, u"4="_qs), u"9"_qs);
        row("Space still presses the focused button", u"7"_qs, presses(Qt::Key_Space, u"5"_qs), u"775."_qs);
        const QString old = u"old"_qs;
        const QKeyCombination copy = Qt::CTRL | Qt::Key_C, paste = Qt::CTRL | Qt::Key_V;
        row("Ctrl+C copies without the trailing point", {}, presses(u"12"_qs, copy), u"12."_qs, old, u"12"_qs);
        row("Ctrl+Insert copies a fraction as shown", {}, presses(u"-.5"_qs, Qt::CTRL | Qt::Key_Insert), u"-0.5"_qs,
            old, u"-0.5"_qs);
        row("an exponent copies as shown", {}, presses(u"15" + QString(19, u'0') + u"+0=", copy), u"1.5E+20"_qs, old,
            u"1.5E+20"_qs);
        row("the readout's menu copies", {}, presses(u"7"_qs), u"7."_qs, old, u"7"_qs, u"Copy"_qs);
        row("Ctrl+V types a number, trimmed", {}, presses(u"5+"_qs, paste), u"42."_qs, u" 42\n"_qs);
        row("Shift+Insert takes a comma for the point", {}, presses(Qt::SHIFT | Qt::Key_Insert), u"-7.5"_qs,
            u"-7,5"_qs);
        row("the readout's menu pastes", {}, presses(), u"3."_qs, u"3"_qs, {}, u"Paste"_qs);
        for (const QString& refused :
             {u"12a"_qs, u"1.2.3"_qs, u"1-2"_qs, u"-"_qs, QString(), u"\u0661\u0662"_qs, QString(10000, u'9')})
            row(qPrintable(u"refused: " + refused.left(12)), {}, presses(u"5"_qs, paste), u"5."_qs, refused);
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(QTestEventList, keys);
        QFETCH(QString, readout);
        QFETCH(QString, clipboard);
        QFETCH(QString, copied);
        QFETCH(QString, command);
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QApplication::clipboard()->setText(clipboard);
        if (focus == u"Tab")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else if (!focus.isEmpty())
            QTest::mouseClick(key(window, focus), Qt::LeftButton);
        keys.simulate(QApplication::focusWidget());
        // A typed key's button shows pressed for a moment, as under a click.
        const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
        const auto down
            = [&] { return std::any_of(buttons.begin(), buttons.end(), std::mem_fn(&QPushButton::isDown)); };
        if (clipboard.isNull()) {
            QVERIFY(down());
            QTRY_VERIFY(!down());
        }
        if (!command.isEmpty()) {
            // Through the window, which turns a right click into a context menu request.
            const QLabel* label = window.findChild<QLabel*>(u"Readout"_qs);
            QTest::mouseClick(window.windowHandle(), Qt::RightButton, {},
                              label->mapTo(&window, label->rect().center()));
            QWidget* menu = QApplication::activePopupWidget();
            QVERIFY(qobject_cast<QMenu*>(menu));
            QTest::keyClick(menu, command.at(0).toLatin1()); // the command's access key
        }
        QCOMPARE(::readout(window), readout);
        QCOMPARE(QApplication::clipboard()->text(), copied.isNull() ? clipboard : copied);
        QCOMPARE(QToolTip::isVisible(), QByteArray(QTest::currentDataTag()).startsWith("refused"));
    }

    // The menus' access keys and F10 for the first menu; the buttons' tooltips name their keys.
    void keysAreFound()
    {
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(key(window, u"="_qs)->toolTip(), u"Calculate\nKey: Enter or ="_qs);
        for (const QString keys : {u"Alt+F"_qs, u"Alt+N"_qs, u"Alt+H"_qs, u"F10"_qs}) {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY2(menu && menu->title().startsWith(u'&' + (keys == u"F10" ? u'F' : keys.back())), qPrintable(keys));
            menu->close();
        }
    }
};

QTEST_MAIN(tst_CalculatorWindow)
#include "tst_calculatorwindow.moc"
