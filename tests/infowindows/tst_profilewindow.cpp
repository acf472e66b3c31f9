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

// The five profile windows as a user meets them: opened modally, the OK button holding the
// focus, closed by Enter or Esc; and their places, which a resize leaves alone.
class tst_ProfileWindow : public QObject
{
    Q_OBJECT

private slots:
    void closesWithEnterAndEsc_data()
    {
        QTest::addColumn<ProfileOf>("profile");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("key");
        const std::tuple<ProfileOf, const char*, const char*> members[] = {
            {Profiles::fenna, "Form1", "Fenna"}, {Profiles::dova, "Form2", "Dova"}, {Profiles::brisa, "Form3", "Brisa"},
            {Profiles::caddo, "Form4", "Caddo"}, {Profiles::efri, "Form5", "Efri"}};
        for (const auto& [profile, window, caption] : members) {
            QTest::addRow("%s, Enter", caption) << profile << QString::fromLatin1(window) << QString::fromLatin1(caption) << int(Qt::Key_Return);
            QTest::addRow("%s, Esc", caption) << profile << QString::fromLatin1(window) << QString::fromLatin1(caption) << int(Qt::Key_Escape);
        }
    }
    void closesWithEnterAndEsc()
    {
        QFETCH(ProfileOf, profile);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(int, key);
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !QTest::qWaitForWindowActive(modal)) {
                seen << u"no active modal window"_qs;
                if (modal)
                    modal->close();
                return;
            }
            const auto keyToFocus = [modal](Qt::Key k) {
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, k);
            };
            // Tab cannot move the focus: OK is the only control that takes it.
            keyToFocus(Qt::Key_Tab);
            seen << modal->objectName() << modal->windowTitle()
                 << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
            keyToFocus(Qt::Key(key));
            if (modal->isVisible()) {
                seen << u"still open"_qs;
                modal->close();
            }
        });
        ProfileWindow::showModal(profile(), nullptr); // returns once the window has closed
        QCOMPARE(seen, (QStringList{window, caption, u"cmdOK"_qs}));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Client size, link label and OK button where the description puts them; a resize moves nothing.
    void placesStayOnResize_data()
    {
        QTest::addColumn<ProfileOf>("profile");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("link");
        QTest::addColumn<QRect>("ok");
        QTest::newRow("Form1") << ProfileOf(Profiles::fenna) << twips(0, 0, 6495, 5070).size() << twips(2160, 4320, 3975, 495) << twips(4920, 4680, 1260, 345);
        QTest::newRow("Form2") << ProfileOf(Profiles::dova) << twips(0, 0, 6690, 5595).size() << twips(2640, 4800, 5415, 255) << twips(5160, 5160, 1260, 345);
        QTest::newRow("Form3") << ProfileOf(Profiles::brisa) << twips(0, 0, 5790, 4440).size() << twips(1920, 3720, 5415, 255) << twips(4440, 4080, 1260, 345);
        QTest::newRow("Form4") << ProfileOf(Profiles::caddo) << twips(0, 0, 6720, 6150).size() << twips(2040, 5400, 5415, 255) << twips(5160, 5760, 1260, 345);
        QTest::newRow("Form5") << ProfileOf(Profiles::efri) << twips(0, 0, 7335, 5430).size() << twips(2760, 4680, 5415, 255) << twips(5880, 5040, 1260, 345);
    }
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
        QList<QRect> before;
        for (const QWidget* child : window.findChildren<QWidget*>())
            before << child->geometry();
        for (const QSize size : {client / 2, client * 2}) {
            window.resize(size);
            QTRY_COMPARE(window.size(), size);
            QList<QRect> after;
            for (const QWidget* child : window.findChildren<QWidget*>())
                after << child->geometry();
            QCOMPARE(after, before);
        }
    }
};

QTEST_MAIN(tst_ProfileWindow)
#include "tst_profilewindow.moc"
