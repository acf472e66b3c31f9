#include "infowindows/ProfileWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using ProfileOf = const Profiles::Profile& (*)();

// A place stated in twips, 15 to the pixel.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

} // namespace

Q_DECLARE_METATYPE(ProfileOf)

// The five profile windows as a user meets them: opened modally with the focus on OK,
// closed by Enter or Esc, and their controls where they were described, whatever the
// window's size.
class tst_ProfileWindow : public QObject
{
    Q_OBJECT

    static void addMembers()
    {
        QTest::addColumn<ProfileOf>("profile");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("link");
        QTest::addColumn<QRect>("ok");
        const QSize okSize = twips(0, 0, 1260, 345).size();
        QTest::newRow("Form1") << ProfileOf(Profiles::fenna) << u"Fenna"_qs << twips(0, 0, 6495, 5070).size()
                               << twips(2160, 4320, 3975, 495) << QRect(twips(4920, 4680, 0, 0).topLeft(), okSize);
        QTest::newRow("Form2") << ProfileOf(Profiles::dova) << u"Dova"_qs << twips(0, 0, 6690, 5595).size()
                               << twips(2640, 4800, 5415, 255) << QRect(twips(5160, 5160, 0, 0).topLeft(), okSize);
        QTest::newRow("Form3") << ProfileOf(Profiles::brisa) << u"Brisa"_qs << twips(0, 0, 5790, 4440).size()
                               << twips(1920, 3720, 5415, 255) << QRect(twips(4440, 4080, 0, 0).topLeft(), okSize);
        QTest::newRow("Form4") << ProfileOf(Profiles::caddo) << u"Caddo"_qs << twips(0, 0, 6720, 6150).size()
                               << twips(2040, 5400, 5415, 255) << QRect(twips(5160, 5760, 0, 0).topLeft(), okSize);
        QTest::newRow("Form5") << ProfileOf(Profiles::efri) << u"Efri"_qs << twips(0, 0, 7335, 5430).size()
                               << twips(2760, 4680, 5415, 255) << QRect(twips(5880, 5040, 0, 0).topLeft(), okSize);
    }

private slots:
    void closesWithEnterAndEsc_data() { addMembers(); }
    void closesWithEnterAndEsc()
    {
        QFETCH(ProfileOf, profile);
        QFETCH(QString, caption);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            const QString keyName = key == Qt::Key_Return ? u"Enter"_qs : u"Esc"_qs;
            QStringList seen{keyName};
            QTimer::singleShot(0, this, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal || !QTest::qWaitForWindowActive(modal)) {
                    seen << u"no active modal window"_qs;
                    if (modal)
                        modal->close();
                    return;
                }
                const auto press = [modal](Qt::Key k) {
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, k);
                };
                press(Qt::Key_Tab); // OK is the only control that takes the focus
                seen << modal->objectName() << modal->windowTitle()
                     << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
                press(key);
                if (modal->isVisible()) {
                    seen << u"still open"_qs;
                    modal->close();
                }
            });
            ProfileWindow::showModal(profile(), nullptr); // returns once the window has closed
            QCOMPARE(seen, (QStringList{keyName, QString::fromLatin1(QTest::currentDataTag()), caption, u"cmdOK"_qs}));
        }
    }

    void placesStayOnResize_data() { addMembers(); }
    void placesStayOnResize()
    {
        QFETCH(ProfileOf, profile);
        QFETCH(QSize, client);
        QFETCH(QRect, link);
        QFETCH(QRect, ok);
        ProfileWindow window(profile());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), client);
        QCOMPARE(window.findChild<QLabel*>(u"lblLink"_qs)->geometry(), link);
        QCOMPARE(window.findChild<QPushButton*>(u"cmdOK"_qs)->geometry(), ok);
        const auto places = [&window] {
            QList<QRect> all;
            for (const QWidget* child : window.findChildren<QWidget*>())
                all << child->geometry();
            return all;
        };
        const QList<QRect> designed = places();
        for (const QSize size : {client / 2, client * 2}) {
            window.resize(size);
            QTRY_COMPARE(window.size(), size);
            QCOMPARE(places(), designed);
        }
    }
};

QTEST_MAIN(tst_ProfileWindow)
#include "tst_profilewindow.moc"
