#include "calculator/Calculator.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

// The calculator window as the user meets it: real clicks and key presses on the real
// widgets, read back from what the window shows.
class tst_CalculatorWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<Calculator> m_window;

    QLabel* readout() const { return m_window->findChild<QLabel*>(QStringLiteral("Readout")); }

    // A control by its name as the window's description gives it; "Number(7)" is element
    // 7 of the button group "Number".
    QWidget* control(const QString& name) const
    {
        const qsizetype open = name.indexOf(u'(');
        if (open < 0)
            return m_window->findChild<QWidget*>(name);
        const auto* group = m_window->findChild<QButtonGroup*>(name.left(open));
        return group ? group->button(name.mid(open + 1).chopped(1).toInt()) : nullptr;
    }

    // The key for one character of a key script ("E" is CE).
    QPushButton* key(QChar c) const
    {
        static const QHash<QChar, QString> names{
            {u'.', QStringLiteral("Decimal")},     {u'%', QStringLiteral("Percent")},
            {u'C', QStringLiteral("Cancel")},      {u'E', QStringLiteral("CancelEntry")},
            {u'/', QStringLiteral("Operator(0)")}, {u'+', QStringLiteral("Operator(1)")},
            {u'X', QStringLiteral("Operator(2)")}, {u'-', QStringLiteral("Operator(3)")},
            {u'=', QStringLiteral("Operator(4)")},
        };
        const QString name = c.isDigit() ? u"Number(" % QString(c) % u')' : names.value(c);
        return qobject_cast<QPushButton*>(control(name));
    }

    // Dismisses the next modal box with OK and returns what it showed.
    struct SeenBox
    {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };
    static void dismissNextBox(SeenBox* seen)
    {
        QTimer::singleShot(0, qApp, [seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            *seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons()};
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
    }

private slots:
    void init()
    {
        m_window = std::make_unique<Calculator>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void controlsStandAsDescribed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("tooltip");
        const auto row = [](const char* name, const char16_t* caption, int l, int t, int w, int h,
                            const char16_t* tip) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf16(caption)
                                << QRect(l, t, w, h) << QString::fromUtf16(tip);
        };
        row("Readout", u"0.", 120, 120, 3000, 375, u"");
        row("Number(7)", u"7", 120, 600, 480, 480, u"Seven");
        row("Number(8)", u"8", 720, 600, 480, 480, u"Eight");
        row("Number(9)", u"9", 1320, 600, 480, 480, u"Nine");
        row("Cancel", u"C", 2040, 600, 480, 480, u"Reset");
        row("CancelEntry", u"CE", 2640, 600, 480, 480, u"Back To Normal");
        row("Number(4)", u"4", 120, 1200, 480, 480, u"Four");
        row("Number(5)", u"5", 720, 1200, 480, 480, u"Five");
        row("Number(6)", u"6", 1320, 1200, 480, 480, u"Six");
        row("Operator(1)", u"+", 2040, 1200, 480, 480, u"Plus");
        row("Operator(3)", u"-", 2640, 1200, 480, 480, u"Minus");
        row("Number(1)", u"1", 120, 1800, 480, 480, u"One");
        row("Number(2)", u"2", 720, 1800, 480, 480, u"Two");
        row("Number(3)", u"3", 1320, 1800, 480, 480, u"Three");
        row("Operator(2)", u"X", 2040, 1800, 480, 480, u"Multiply");
        row("Operator(0)", u"/", 2640, 1800, 480, 480, u"Divide");
        row("Number(0)", u"0", 120, 2400, 1080, 480, u"Zero");
        row("Decimal", u".", 1320, 2400, 480, 480, u"Decimal (Point)");
        row("Operator(4)", u"=", 2040, 2400, 480, 480, u"Calculate");
        row("Percent", u"%", 2640, 2400, 480, 480, u"Percent");
        row("Label1", u"Ardel's Corvel Calculator", 120, 3000, 2295, 615,
            u"Visit Ardel's Corvel Universe for more donloads and softwares");
        row("Image1", u"", 3240, 120, 3465, 5250, u"Over");
    }
    void controlsStandAsDescribed()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(QString, tooltip);
        QWidget* widget = control(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15,
                                           twips.height() / 15));
        QCOMPARE(widget->toolTip(), tooltip);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            QCOMPARE(button->text(), caption);
        else
            QCOMPARE(qobject_cast<QLabel*>(widget)->text(), caption);
    }

    void windowIsFixedAndTitled()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Calculator"));
        QCOMPARE(m_window->centralWidget()->size(), QSize(457, 367));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QCOMPARE(m_window->height(), 367 + m_window->menuBar()->height());
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!m_window->windowIcon().pixmap(32, 32).isNull());
        const QPixmap picture = control(QStringLiteral("Image1"))->property("pixmap").value<QPixmap>();
        QCOMPARE(picture.size(), QSize(231, 350));
    }

    void readoutAndLabelLookAsDescribed()
    {
        QLabel* shown = readout();
        QVERIFY(shown->alignment() & Qt::AlignRight);
        QCOMPARE(shown->palette().color(QPalette::Window), QColor(255, 128, 255));
        QCOMPARE(shown->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(shown->frameShape(), QFrame::Box);
        QCOMPARE(shown->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(shown->font().pointSizeF(), 12.0);
        QVERIFY(shown->font().bold());
        auto* label = qobject_cast<QLabel*>(control(QStringLiteral("Label1")));
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(label->font().pointSizeF(), 9.75);
        QVERIFY(!label->font().bold());
        const QFont keyFont = key(u'7')->font();
        QCOMPARE(keyFont.family(), QStringLiteral("System"));
        QCOMPARE(keyFont.pointSizeF(), 9.75);
        QVERIFY(keyFont.bold());
    }

    void tabOrderFollowsTheTabIndexes()
    {
        const QStringList expected{
            QStringLiteral("Number(0)"), QStringLiteral("Number(1)"),   QStringLiteral("Number(2)"),
            QStringLiteral("Number(3)"), QStringLiteral("Number(4)"),   QStringLiteral("Number(5)"),
            QStringLiteral("Number(6)"), QStringLiteral("Number(7)"),   QStringLiteral("Number(8)"),
            QStringLiteral("Number(9)"), QStringLiteral("Cancel"),      QStringLiteral("CancelEntry"),
            QStringLiteral("Operator(1)"), QStringLiteral("Operator(3)"), QStringLiteral("Operator(2)"),
            QStringLiteral("Operator(0)"), QStringLiteral("Operator(4)"), QStringLiteral("Percent"),
            QStringLiteral("Decimal")};
        QWidget* widget = control(expected.first());
        for (qsizetype i = 1; i < expected.size(); ++i) {
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
            QCOMPARE(widget, control(expected[i]));
        }
    }

    void keysWork_data()
    {
        QTest::addColumn<bool>("byKeyboard");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readout");
        for (const bool byKeyboard : {false, true}) {
            const char* how = byKeyboard ? "focus and Space: " : "click: ";
            const auto row = [&](const char* rule, const char* keys, const char* readout) {
                QTest::newRow(qPrintable(QString::fromLatin1(how) + QString::fromLatin1(rule)))
                    << byKeyboard << QString::fromLatin1(keys) << QString::fromLatin1(readout);
            };
            row("starts at 0.", "", "0.");
            row("every digit key types its digit", "1234567890", "1234567890.");
            row("worked sequence", "12+3.5X2=--4=", "35");
            row("percent turns plus into times", "200+5%=", "10");
            row("division", "1/3=", "0.333333333333333");
            row("CE keeps the pending operation", "5+3E4=", "9");
            row("C clears", "5+3C", "0.");
        }
    }
    void keysWork()
    {
        QFETCH(bool, byKeyboard);
        QFETCH(QString, keys);
        QFETCH(QString, readout);
        for (const QChar c : keys) {
            QPushButton* button = key(c);
            QVERIFY2(button, qPrintable(QString(c)));
            if (byKeyboard) {
                button->setFocus(Qt::TabFocusReason);
                QTest::keyClick(button, Qt::Key_Space);
            } else {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
        QCOMPARE(this->readout()->text(), readout);
    }

    void divisionByZeroShowsAWarningAndKeepsTheLeftOperand()
    {
        SeenBox seen;
        for (const QChar c : QStringLiteral("8/0"))
            QTest::mouseClick(key(c), Qt::LeftButton);
        dismissNextBox(&seen);
        QTest::mouseClick(key(u'='), Qt::LeftButton);
        QCOMPARE(seen.text, QStringLiteral("Can't divide by zero"));
        QCOMPARE(seen.title, QStringLiteral("Calculator"));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(readout()->text(), QStringLiteral("8."));
        QVERIFY(!QApplication::activeModalWidget());
        // Still usable: "=" is pending, so a new number replaces the left operand.
        for (const QChar c : QStringLiteral("2+2="))
            QTest::mouseClick(key(c), Qt::LeftButton);
        QCOMPARE(readout()->text(), QStringLiteral("4"));
    }

    void menusStandAsDescribed()
    {
        QStringList seen;
        for (QAction* menuAction : m_window->menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menuAction->menu()->actions()) {
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
                QVERIFY(item->shortcut().isEmpty());
            }
            seen << menuAction->menu()->objectName() % u':' % menuAction->text() % u'=' % items.join(u'|');
        }
        QCOMPARE(seen, (QStringList{
                           QStringLiteral("File:File=Ardel's Corvel Universe|Exit"),
                           QStringLiteral("mnuNb:Nimbrel=Fenna|Brisa|Efri|Dova|-|Caddo"),
                           QStringLiteral("mnuHelp:Help=Help Topics|-|About"),
                       }));
    }

    void fileExitClosesTheWindow()
    {
        QMenuBar* bar = m_window->menuBar();
        QAction* fileMenu = bar->actions().first();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(fileMenu).center());
        QMenu* menu = fileMenu->menu();
        QTRY_VERIFY(menu->isVisible());
        QAction* exit = m_window->findChild<QAction*>(QStringLiteral("mnuFileExit"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(exit).center());
        QTRY_VERIFY(!m_window->isVisible());
    }
};

QTEST_MAIN(tst_CalculatorWindow)
#include "tst_calculatorwindow.moc"
