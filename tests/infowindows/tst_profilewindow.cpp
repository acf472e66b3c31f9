#include "infowindows/ProfileWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using ProfileOf = const Profiles::Profile& (*)();
Q_DECLARE_METATYPE(ProfileOf)

// The five profile windows as a user meets them: opened modally with the focus on OK,
// closed by Enter or Esc, and nothing moving when the window is resized. Which window
// each menu command opens is tst_calculatorwindow's; whether its texts fit, tst_looks'.
class tst_ProfileWindow : public QObject
{
    Q_OBJECT

    static void addMembers()
    {
        QTest::addColumn<ProfileOf>("profile");
        for (const ProfileOf profile :
             {Profiles::fenna, Profiles::dova, Profiles::brisa, Profiles::caddo, Profiles::efri})
            QTest::newRow(profile().windowName) << profile;
    }

private slots:
    void closesWithEnterAndEsc_data() { addMembers(); }
    void closesWithEnterAndEsc()
    {
        QFETCH(ProfileOf, profile);
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
                seen << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
                press(key);
                if (modal->isVisible()) {
                    seen << u"still open"_qs;
                    modal->close();
                }
            });
            ProfileWindow::showModal(profile(), nullptr); // returns once the window has closed
            QCOMPARE(seen, (QStringList{keyName, u"cmdOK"_qs}));
        }
    }

    void placesStayOnResize_data() { addMembers(); }
    void placesStayOnResize()
    {
        QFETCH(ProfileOf, profile);
        ProfileWindow window(profile());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize client = window.size();
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
