// Every window as an assistive technology sees it: each element a user acts on or reads
// has a name, and the calculator's readout announces its new value. The browser frame's web view is a stand-in: the
// page's own tree is not ours to check.
#include "browser/BrowserTestSupport.h"
#include "browser/FixedAddresses.h"
#include "calculator/Calculator.h"
#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMetaEnum>

#include <functional>

namespace {

using Factory = std::function<QWidget*()>;

QStringList g_heard; // what a screen reader reads out on each change of the readout

// Walks the tree under iface as a screen reader does, noting what it could not name.
// Menus can lead back up the path: the depth bound stops that.
void walk(QAccessibleInterface* iface, const QString& path, QStringList& problems)
{
    using R = QAccessible::Role;
    static const QSet<R> named{R::Window,         R::Dialog,     R::MenuItem, R::PopupMenu,   R::ButtonMenu,
                               R::ButtonDropDown, R::PushButton, R::CheckBox, R::RadioButton, R::ComboBox,
                               R::EditableText,   R::StaticText, R::Link,     R::PageTab,     R::SpinBox,
                               R::Slider,         R::ToolBar,    R::ListItem};
    if (!iface || !iface->isValid() || path.count(u'>') > 40)
        return;
    const QString here = path % u" > " % QLatin1String(QMetaEnum::fromType<R>().valueToKey(iface->role())) % u'#'
        % (iface->object() ? iface->object()->objectName() : QString());
    if (!iface->state().invisible && named.contains(iface->role())
        && iface->text(QAccessible::Name).trimmed().isEmpty())
        problems << u"unnamed: " % here;
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), here, problems);
}

} // namespace

Q_DECLARE_METATYPE(Factory)

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installScriptedViews();
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            const bool changed
                = event->type() == QAccessible::NameChanged || event->type() == QAccessible::ValueChanged;
            if (changed && event->object() && event->object()->objectName() == u"Readout"
                && event->accessibleInterface())
                g_heard << event->accessibleInterface()->text(QAccessible::Name);
        });
        frmMain::openBrowserWindow();
        QVERIFY(frmMain::current() && !scriptedViews().views.isEmpty());
        scriptedViews().views.last()->completeNavigation(FixedAddresses::home(), u"Ardel's Corvel Universe"_qs);
        scriptedViews().views.last()->completeDownload();
    }
    void cleanupTestCase()
    {
        QVERIFY2(reportedErrors().isEmpty(), qPrintable(reportedErrors().join(u'\n')));
        closeWindows();
    }

    // Every window of the program; a null factory stands for the frame opened above.
    void everyElementIsNamed_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::newRow("calculator window") << Factory([] { return new Calculator; });
        QTest::newRow("browser frame with a browser window") << Factory();
        QTest::newRow("about box") << Factory([] { return new frmAbout; });
        QTest::newRow("help box") << Factory([] { return new frmAbout1; });
        QTest::newRow("profile window (one class for all five)")
            << Factory([] { return new ProfileWindow(Profiles::fenna()); });
    }
    void everyElementIsNamed()
    {
        QFETCH(Factory, make);
        const std::unique_ptr<QWidget> owned(make ? make() : nullptr);
        QWidget* window = owned ? owned.get() : frmMain::current();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList problems;
        walk(QAccessible::queryAccessibleInterface(window), QString(), problems);
        QVERIFY2(problems.isEmpty(), qPrintable(u"\n  " % problems.join(u"\n  ")));
    }

    // What a screen reader reads out when the readout changes must contain its new value.
    void readoutAnnouncesItsValue()
    {
        // Without an active accessibility bridge Qt drops every event unseen.
        QVERIFY2(QAccessible::isActive(), "needs the AT-SPI bus of a D-Bus session");
        Calculator window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* readout = window.findChild<QLabel*>(u"Readout"_qs);
        for (const QString& caption : {u"7"_qs, u"2"_qs, u"X"_qs, u"6"_qs, u"="_qs, u"C"_qs}) {
            const QString before = readout->text();
            g_heard.clear();
            for (QAbstractButton* key : window.findChildren<QAbstractButton*>())
                if (key->text() == caption)
                    QTest::mouseClick(key, Qt::LeftButton);
            QVERIFY2(readout->text() == before || (!g_heard.isEmpty() && g_heard.last().contains(readout->text())),
                     qPrintable(caption % u": heard " % g_heard.join(u'|') % u" for " % readout->text()));
        }
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
