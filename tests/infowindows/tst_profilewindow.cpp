#include "infowindows/ProfileWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using ProfileOf = const Profiles::Profile& (*)();
Q_DECLARE_METATYPE(ProfileOf)

// The five profile windows as a user meets them: opened modally with the focus on OK,
// closed by Enter or Esc. Which window each menu command opens is tst_calculatorwindow's;
// whether its texts fit, tst_looks'.
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
};

QTEST_MAIN(tst_ProfileWindow)
#include "tst_profilewindow.moc"
