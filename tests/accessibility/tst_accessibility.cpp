// Every window as an assistive technology sees it: each element a user acts on or
// reads has a name, each tooltip reaches the accessible description, and the
// calculator's readout announces its new value. The browser frame shows a browser window
// whose web view is a stand-in: the page's own tree is not ours to check.
#include "browser/FixedAddresses.h"
#include "browser/openBrowserWindow.h"
#include "calculator/Calculator.h"
#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "platform/WebViewProvider.h"
#include "support/ScriptedWebView.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMetaEnum>
#include <QPointer>
#include <QTest>

#include <functional>

namespace {

using Factory = std::function<QWidget*()>;

QStringList g_reported;
QStringList g_heard; // what a screen reader reads out on each change of the readout

// Walks the tree under iface as a screen reader does, noting what it could not name and
// the tooltips it could not read.
void walk(QAccessibleInterface* iface, const QString& path, QStringList& problems)
{
    using R = QAccessible::Role;
    static const QSet<R> named{R::Window, R::Dialog, R::MenuItem, R::PopupMenu, R::ButtonMenu, R::ButtonDropDown,
                               R::PushButton, R::CheckBox, R::RadioButton, R::ComboBox, R::EditableText,
                               R::StaticText, R::Link, R::PageTab, R::SpinBox, R::Slider, R::ToolBar, R::ListItem};
    // Menus can lead back to widgets already on the path: the depth bound stops a loop.
    if (!iface || !iface->isValid() || path.count(u'>') > 40)
        return;
    QObject* object = iface->object();
    const QString here = path % u" > " % QLatin1String(QMetaEnum::fromType<R>().valueToKey(iface->role())) % u'#'
                         % (object ? object->objectName() : QString());
    if (!iface->state().invisible && named.contains(iface->role()) && iface->text(QAccessible::Name).trimmed().isEmpty())
        problems << u"unnamed: " % here;
    const auto* widget = qobject_cast<QWidget*>(object);
    if (widget && !widget->toolTip().isEmpty() && iface->text(QAccessible::Description) != widget->toolTip())
        problems << u"tooltip not described: " % here;
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), here, problems);
}

} // namespace

Q_DECLARE_METATYPE(Factory)

class tst_Accessibility : public QObject
{
    Q_OBJECT

    ScriptedWebViewFactory m_views;

private slots:
    void initTestCase()
    {
        WebViewProvider::setFactoryForTesting(&m_views);
        UnexpectedError::setReporterForTesting([](const QString& description) { g_reported << description; });
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            const bool changed = event->type() == QAccessible::NameChanged || event->type() == QAccessible::ValueChanged;
            if (changed && event->object() && event->object()->objectName() == u"Readout" && event->accessibleInterface())
                g_heard << event->accessibleInterface()->text(QAccessible::Name);
        });
        openBrowserWindow();
        QVERIFY(frmMain::current() && m_views.last());
        m_views.last()->completeNavigation(FixedAddresses::home(), u"Ardel's Corvel Universe"_qs);
        m_views.last()->completeDownload();
    }
    void cleanupTestCase()
    {
        if (QPointer<frmMain> frame = frmMain::current()) {
            frame->close();
            QTRY_VERIFY(frame.isNull());
        }
        QAccessible::installUpdateHandler(nullptr);
        QVERIFY2(g_reported.isEmpty(), qPrintable(g_reported.join(u'\n')));
    }

    // Every window of the program; the frame is the one opened above, with a page loaded.
    void everyElementIsNamedAndDescribed_data()
    {
        QTest::addColumn<Factory>("make");
        QTest::newRow("calculator window") << Factory([] { return new Calculator; });
        QTest::newRow("browser frame with a browser window") << Factory();
        QTest::newRow("about box") << Factory([] { return new frmAbout; });
        QTest::newRow("help box") << Factory([] { return new frmAbout1; });
        QTest::newRow("profile Fenna") << Factory([] { return new Form1; });
        QTest::newRow("profile Dova") << Factory([] { return new Form2; });
        QTest::newRow("profile Brisa") << Factory([] { return new Form3; });
        QTest::newRow("profile Caddo") << Factory([] { return new Form4; });
        QTest::newRow("profile Efri") << Factory([] { return new Form5; });
    }
    void everyElementIsNamedAndDescribed()
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

    // What a screen reader reads out when the readout changes must contain its value.
    void readoutAnnouncesItsValue()
    {
        // Without an active accessibility bridge Qt drops every event unseen.
        QVERIFY2(QAccessible::isActive(), "needs the AT-SPI bus: run through with-atspi-session");
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
            if (readout->text() != before)
                QVERIFY2(!g_heard.isEmpty() && g_heard.last().contains(readout->text()),
                         qPrintable(caption % u": heard \"" % g_heard.join(u'|') % u"\" for \"" % readout->text() % u'"'));
        }
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
