#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "platform/GuardedApplication.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

QLabel* labelAt(QWidget* window, int left, int top)
{
    const auto labels = window->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (label->geometry().topLeft() == QPoint(left / 15, top / 15))
            return label;
    }
    return nullptr;
}

// Opens a modal window with open() and, once it shows, presses key on it; returns the
// windows that were seen, in order.
QStringList openAndPress(const std::function<void()>& open, Qt::Key key, int times)
{
    QStringList seen;
    std::function<void()> press = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(10, press);
            return;
        }
        seen << modal->windowTitle() + u'@' + QString::number(quintptr(modal));
        QTest::keyClick(modal, key);
    };
    for (int i = 0; i < times; ++i) {
        QTimer::singleShot(0, press);
        open();
    }
    return seen;
}

} // namespace

Q_DECLARE_METATYPE(std::shared_ptr<QDialog>)
Q_DECLARE_METATYPE(std::function<void()>)

class tst_InfoWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuardedApplication::useDesignFonts(); }

    void aboutBox()
    {
        frmAbout box;
        QCOMPARE(box.windowTitle(), QStringLiteral("About Ardel's Corvel Calculator"));
        QCOMPARE(box.size(), QSize(389, 237));
        const auto text = [&](const char* name) {
            return box.findChild<QLabel*>(QLatin1String(name))->text();
        };
        QCOMPARE(text("lblTitle"), QStringLiteral("Ardel's Corvel Universe"));
        QCOMPARE(text("Label1"), QStringLiteral("Version 1.1"));
        QVERIFY(text("lblDescription").startsWith(QStringLiteral("This Calculator is made by Ardel. You can get more interactive softwares and downlaods from Ardel's Corvel Universe. Simply go to http://")));
        QVERIFY(text("Label4").startsWith(QStringLiteral("Special Thanks to ")));
        QVERIFY(text("Label4").endsWith(QStringLiteral(" for the design and browser")));
        QVERIFY(text("Label2").startsWith(QStringLiteral("For problems or comments regarding this contact email ")));
        QCOMPARE(text("lblDisclaimer"), QStringLiteral("My Nimbrel Sites ..."));
        QCOMPARE(text("Label3").split(u' ').size(), 3);
        // Every address the box names is one of ours, under the reserved .example domain.
        const QStringList addresses = text("Label3").split(u' ');
        for (const QString& address : addresses)
            QVERIFY2(QUrl(address).host().endsWith(QStringLiteral(".example")), qPrintable(address));
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        auto* sysInfo = box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
        QCOMPARE(ok->geometry(), twips(4245, 2625, 1260, 345));
        QCOMPARE(sysInfo->geometry(), twips(4260, 3075, 1485, 345));
        QCOMPARE(sysInfo->text(), QStringLiteral("&System Information"));
        QCOMPARE(sysInfo->toolTip(), QStringLiteral("Displays your System Inforamtion. (Windows 95/98/2000)"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->nextInFocusChain()->objectName(), QStringLiteral("picIcon"));
    }

    void helpBox()
    {
        frmAbout1 box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Help"));
        QCOMPARE(box.size(), QSize(184, 170));
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label1"))->font().pointSizeF(), 14.25);
        const QString text = box.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
        QCOMPARE(text.split(u'\n').size(), 8);
        QVERIFY(text.startsWith(QStringLiteral("There is a file help.txt which has \ncome with this calulator.")));
        QVERIFY(text.endsWith(QStringLiteral("Notepad from Ardel's Corvel \nUniverse\n")));
        QCOMPARE(box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(), QStringLiteral("System Information"));
    }

    void profiles_data()
    {
        QTest::addColumn<std::shared_ptr<QDialog>>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("prefixes");
        QTest::addColumn<int>("familyTop");
        QTest::addColumn<QString>("familyHeader");
        QTest::addColumn<QRect>("link");
        QTest::addColumn<QString>("linkText");
        QTest::addColumn<QPoint>("ok");
        const QString her = QStringLiteral("....view her complete profile at Ardel's Corvel Universe");
        const QStringList common{u"Name: "_s, u"Date Of Birth: "_s, u"Place Of Birth: "_s, u"Her Star Sign: "_s,
                                 u"Height: "_s, u"Hair Colour: "_s, u"Eye Colour: "_s};
        QTest::newRow("Form1 Fenna") << std::shared_ptr<QDialog>(new Form1) << "Fenna" << QSize(433, 338) << QSize(115, 193) << 2040
                                     << common + QStringList{u"Corvel Nickname: "_s, u"Marital Status: "_s, u"Advice: "_s}
                                     << 3000 << "Family" << twips(2160, 4320, 3975, 495) << her << QPoint(4920, 4680);
        QTest::newRow("Form2 Dova") << std::shared_ptr<QDialog>(new Form2) << "Dova" << QSize(446, 373) << QSize(159, 241) << 2640
                                    << common + QStringList{u"Corvel Nickname: "_s, u"Pets: "_s, u"Favourite colour: "_s, u"Advice: "_s}
                                    << 3360 << "Family" << twips(2640, 4800, 5415, 255) << her << QPoint(5160, 5160);
        QTest::newRow("Form3 Brisa") << std::shared_ptr<QDialog>(new Form3) << "Brisa" << QSize(386, 296) << QSize(111, 159) << 1920
                                     << common + QStringList{u"Corvel Nickname: "_s}
                                     << 2400 << "Family" << twips(1920, 3720, 5415, 255) << her << QPoint(4440, 4080);
        QTest::newRow("Form4 Caddo") << std::shared_ptr<QDialog>(new Form4) << "Caddo" << QSize(448, 410) << QSize(114, 223) << 1920
                                     << common + QStringList{u"Boobs Size: "_s, u"Corvel Nickname: "_s, u"Favourite Colour: "_s, u"Left the group on: "_s, u"Status: "_s, u"Favorite colour: "_s, u"Favourite flower: "_s, u"Advice: "_s}
                                     << 4080 << "Famliy" << twips(2040, 5400, 5415, 255)
                                     << "....view Caddo's complete profile at Ardel's Corvel Universe." << QPoint(5160, 5760);
        QTest::newRow("Form5 Efri") << std::shared_ptr<QDialog>(new Form5) << "Efri" << QSize(489, 362) << QSize(172, 251) << 2760
                                    << common + QStringList{u"Corvel Nickname: "_s, u"Favourite colour: "_s, u"Favourite Flower: "_s, u"Pet: "_s, u"Advice: "_s}
                                    << 3360 << "Family" << twips(2760, 4680, 5415, 255)
                                    << "....view Efri's complete profile at Ardel's Corvel Universe." << QPoint(5880, 5040);
    }
    void profiles()
    {
        QFETCH(std::shared_ptr<QDialog>, window);
        QFETCH(QString, caption);
        QFETCH(QSize, client);
        QFETCH(QSize, photo);
        QFETCH(int, column);
        QFETCH(QStringList, prefixes);
        QFETCH(int, familyTop);
        QFETCH(QString, familyHeader);
        QFETCH(QRect, link);
        QFETCH(QString, linkText);
        QFETCH(QPoint, ok);
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->size(), client);
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Image1"))->geometry(), QRect(QPoint(8, 8), photo));
        QCOMPARE(labelAt(window.get(), column, 120)->text(), QStringLiteral("Facts"));
        QVERIFY(labelAt(window.get(), column, 120)->font().bold());
        // One fact line every 240 twips, each starting with its prefix and carrying a value.
        const int firstFact = caption == u"Dova" ? 480 : 360;
        for (int i = 0; i < prefixes.size(); ++i) {
            QLabel* fact = labelAt(window.get(), column, firstFact + 240 * i);
            QVERIFY2(fact, qPrintable(prefixes[i]));
            QVERIFY2(fact->text().startsWith(prefixes[i]), qPrintable(fact->text()));
            QVERIFY(fact->text().size() > prefixes[i].size());
        }
        QCOMPARE(labelAt(window.get(), column, familyTop)->text(), familyHeader);
        const QStringList family{u"Father: "_s, u"Mother: "_s, u"Brothers: "_s, u"Sisters: "_s};
        for (int i = 0; i < family.size(); ++i)
            QVERIFY(labelAt(window.get(), column, familyTop + 240 * (i + 1))->text().startsWith(family[i]));
        auto* lblLink = window->findChild<QLabel*>(QStringLiteral("lblLink"));
        QCOMPARE(lblLink->geometry(), link);
        QCOMPARE(lblLink->text(), linkText);
        auto* cmdOK = window->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        QCOMPARE(cmdOK->geometry(), QRect(ok / 15, QSize(84, 23)));
        QCOMPARE(cmdOK->toolTip(), QStringLiteral("Closes this window"));
        // Resizing moves nothing.
        window->show();
        window->resize(200, 150);
        QCOMPARE(cmdOK->geometry(), QRect(ok / 15, QSize(84, 23)));
        window->hide();
    }

    void enterEscAndAFreshWindowEachTime_data()
    {
        QTest::addColumn<std::function<void()>>("open");
        QTest::addColumn<QString>("title");
        QTest::newRow("about box") << std::function<void()>([] { frmAbout::showModal(nullptr); })
                                   << "About Ardel's Corvel Calculator";
        QTest::newRow("help box") << std::function<void()>([] { frmAbout1::showModal(nullptr); }) << "Help";
        QTest::newRow("Fenna") << std::function<void()>([] { Form1::showModal(nullptr); }) << "Fenna";
        QTest::newRow("Caddo") << std::function<void()>([] { Form4::showModal(nullptr); }) << "Caddo";
    }
    void enterEscAndAFreshWindowEachTime()
    {
        QFETCH(std::function<void()>, open);
        QFETCH(QString, title);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            const QStringList seen = openAndPress(open, key, 2);
            QCOMPARE(seen.size(), 2);
            QVERIFY(seen[0].startsWith(title + u'@'));
            QVERIFY(seen[1].startsWith(title + u'@'));
            QVERIFY(!QApplication::activeModalWidget());
        }
    }
};


QTEST_MAIN(tst_InfoWindows)
#include "tst_infowindows.moc"
