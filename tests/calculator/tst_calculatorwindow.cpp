#include "calculator/Calculator.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// While it lives, presses key on every modal window that shows and records its title
// (and a message box's text, icon and buttons).
struct ModalPresser
{
    QStringList seen;
    QTimer timer;
    explicit ModalPresser(Qt::Key key)
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, key] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen << modal->windowTitle();
                if (auto* box = qobject_cast<QMessageBox*>(modal))
                    seen.last() += u'|' % box->text() % u'|' % QString::number(box->icon()) % u'|'
                                   % QString::number(box->standardButtons());
                QTest::keyClick(modal, key);
            }
        });
        timer.start(5);
    }
};

} // namespace

// The calculator window as the user meets it: real clicks on the real widgets, read back
// from what the window shows.
class tst_CalculatorWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<Calculator> m_window;

    // The key for one character of a key script ("E" is CE), found by its caption.
    QPushButton* key(QChar c) const
    {
        const QString caption = c == u'E' ? u"CE"_qs : QString(c);
        for (QPushButton* button : m_window->findChildren<QPushButton*>())
            if (button->text() == caption)
                return button;
        return nullptr;
    }

private slots:
    void init()
    {
        m_window = std::make_unique<Calculator>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    // What the user does, keys or "@" and a menu command, and what shows: the readout and
    // each modal window that opened, closed with Enter (OK is its default button).
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
        QTest::newRow("Fenna") << "@mnuNbFenna" << "0." << QStringList{u"Fenna"_qs};
        QTest::newRow("Dova") << "@mnuNbDova" << "0." << QStringList{u"Dova"_qs};
        QTest::newRow("Brisa") << "@mnuNbBrisa" << "0." << QStringList{u"Brisa"_qs};
        QTest::newRow("Caddo") << "@mnuNbCaddo" << "0." << QStringList{u"Caddo"_qs};
        QTest::newRow("Efri") << "@mnuNbEfri" << "0." << QStringList{u"Efri"_qs};
    }
    void userSees()
    {
        QFETCH(QString, steps);
        QFETCH(QString, readout);
        QFETCH(QStringList, modals);
        ModalPresser presser(Qt::Key_Return);
        if (steps.startsWith(u'@'))
            m_window->findChild<QAction*>(steps.mid(1))->trigger();
        else
            for (const QChar c : steps) {
                QVERIFY2(key(c), qPrintable(QString(c)));
                QTest::mouseClick(key(c), Qt::LeftButton);
            }
        QCOMPARE(m_window->findChild<QLabel*>(u"Readout"_qs)->text(), readout);
        QCOMPARE(presser.seen, modals);
    }

    void windowHasAFixedSize()
    {
        QCOMPARE(m_window->centralWidget()->size(), QSize(457, 367));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void fileExitClosesTheWindow()
    {
        m_window->findChild<QAction*>(u"mnuFileExit"_qs)->trigger();
        QVERIFY(!m_window->isVisible());
    }
};

QTEST_MAIN(tst_CalculatorWindow)
#include "tst_calculatorwindow.moc"
