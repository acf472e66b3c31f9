// Every window as an assistive technology sees it: each element a user acts on or
// reads has a name, each tooltip reaches the accessible description, and the
// calculator's readout announces its new value. The browser frame hosts a real web
// view, loaded from a loopback server that stands as the engine's proxy.
#include "AccessibleTree.h"

#include "browser/FixedAddresses.h"
#include "browser/openBrowserWindow.h"
#include "calculator/Calculator.h"
#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"
#include "platform/UnexpectedError.h"
#include "platform/WebEngineTestMain.h"
#include "support/LoopbackHttpServer.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;

const QString pageTitle = QStringLiteral("Ardel's Corvel Universe");

QStringList g_reported;
void record(const QString& description) { g_reported.append(description); }

// Accessibility events as a screen reader would receive them.
struct Announcement
{
    QPointer<QObject> object;
    QAccessible::Event type;
    QString name;
};
QList<Announcement> g_announced;

void recordAnnouncement(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    g_announced.append({event->object(), event->type(), iface ? iface->text(QAccessible::Name) : QString()});
}

// The page shown in a web view has the page's own tree; this test is about ours.
bool isWebPage(QAccessibleInterface* iface)
{
    QObject* object = iface->object();
    for (; object; object = object->parent()) {
        if (object->inherits("QWebEngineView"))
            return true;
    }
    return false;
}

template<typename Window>
WindowFactory make()
{
    return [] { return std::unique_ptr<QWidget>(new Window); };
}

QAbstractButton* calculatorKey(Calculator& window, const QString& caption)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(WindowFactory)

class tst_Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyElementIsNamedAndDescribed_data();
    void everyElementIsNamedAndDescribed();
    void readoutAnnouncesItsValue_data();
    void readoutAnnouncesItsValue();

private:
    void windows();
    LoopbackHttpServer m_server;
};

void tst_Accessibility::initTestCase()
{
    QVERIFY2(m_server.listen(), qPrintable(m_server.errorString()));
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    routeWebEngineThrough(m_server);
    UnexpectedError::setReporterForTesting(&record);
    m_server.setResponse(FixedAddresses::home(), LoopbackResponse::page(pageTitle));

    QAccessible::installUpdateHandler(&recordAnnouncement);

    openBrowserWindow();
    QVERIFY(frmMain::current());
    QMdiSubWindow* sub = frmMain::current()->mdiArea()->subWindowList().value(0);
    QVERIFY(sub);
    QTRY_COMPARE_WITH_TIMEOUT(sub->widget()->windowTitle(), pageTitle, 20000);
}

void tst_Accessibility::cleanupTestCase()
{
    if (QPointer<frmMain> frame = frmMain::current()) {
        frame->close();
        QTRY_VERIFY(frame.isNull());
    }
    QAccessible::installUpdateHandler(nullptr);
    QVERIFY2(g_reported.isEmpty(), qPrintable(g_reported.join(u'\n')));
}

// Every window of the program, made directly; the frame is the one opened above,
// with its browser window showing a page.
void tst_Accessibility::windows()
{
    QTest::addColumn<WindowFactory>("factory");
    QTest::newRow("calculator window") << make<Calculator>();
    QTest::newRow("browser frame with a browser window") << WindowFactory{};
    QTest::newRow("about box") << make<frmAbout>();
    QTest::newRow("help box") << make<frmAbout1>();
    QTest::newRow("profile Fenna") << make<Form1>();
    QTest::newRow("profile Dova") << make<Form2>();
    QTest::newRow("profile Brisa") << make<Form3>();
    QTest::newRow("profile Caddo") << make<Form4>();
    QTest::newRow("profile Efri") << make<Form5>();
}

void tst_Accessibility::everyElementIsNamedAndDescribed_data() { windows(); }

void tst_Accessibility::everyElementIsNamedAndDescribed()
{
    QFETCH(WindowFactory, factory);
    std::unique_ptr<QWidget> owned = factory ? factory() : nullptr;
    QWidget* window = owned ? owned.get() : frmMain::current();
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    QVERIFY(root);
    QStringList problems = AccessibleTree::unnamed(root, &isWebPage)
                           + AccessibleTree::tooltipsNotDescribed(root, &isWebPage);

    // A control that the walk cannot reach is one a screen reader cannot reach either.
    QSet<QObject*> reached;
    AccessibleTree::walk(root, [&reached](const AccessibleTree::Node& node) { reached.insert(node.iface->object()); },
                         &isWebPage);
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget)
                             || qobject_cast<QComboBox*>(widget);
        if (control && widget->isVisibleTo(window) && !reached.contains(widget))
            problems.append(u"unreachable: " % widget->objectName());
    }
    // The menus in the menu bar now; the frame's own menu is out of it while a browser
    // window's menus are shown.
    QList<QAction*> items;
    if (auto* bar = window->findChild<QMenuBar*>())
        items = bar->actions();
    while (!items.isEmpty()) {
        QAction* action = items.takeFirst();
        if (action->isSeparator() || !action->isVisible())
            continue;
        if (!reached.contains(action))
            problems.append(u"unreachable menu item: " % action->text());
        if (action->menu())
            items += action->menu()->actions();
    }
    // Known gaps in the browser window, pinned until its owner names them: the toolbar
    // (a windowTitle in frmBrowser.ui) and the address box's edit field (an accessible
    // name on cboAddress->lineEdit()). Remove this line with that fix.
    QVERIFY2(problems.isEmpty(), qPrintable(u"\n  " % problems.join(u"\n  ")));
}

void tst_Accessibility::readoutAnnouncesItsValue_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("a digit is announced") << QStringList{u"7"_qs};
    QTest::newRow("each further digit is announced") << QStringList{u"1"_qs, u"2"_qs};
    QTest::newRow("a result is announced") << QStringList{u"6"_qs, u"X"_qs, u"7"_qs, u"="_qs};
    QTest::newRow("clearing is announced") << QStringList{u"9"_qs, u"C"_qs};
}

void tst_Accessibility::readoutAnnouncesItsValue()
{
    QFETCH(QStringList, keys);
    // Without an active accessibility bridge Qt drops every event unseen.
    QVERIFY2(QAccessible::isActive(), "needs the AT-SPI bus: run through with-atspi-session");
    Calculator window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* readout = window.findChild<QLabel*>(QStringLiteral("Readout"));
    QVERIFY(readout);

    g_announced.clear();
    for (const QString& caption : keys) {
        QAbstractButton* key = calculatorKey(window, caption);
        QVERIFY2(key, qPrintable(caption));
        QTest::mouseClick(key, Qt::LeftButton);
    }
    const QString value = readout->text();

    QString lastAnnounced;
    bool announced = false;
    for (const Announcement& a : std::as_const(g_announced)) {
        if (a.object == readout && (a.type == QAccessible::NameChanged || a.type == QAccessible::ValueChanged)) {
            lastAnnounced = a.name;
            announced = true;
        }
    }
    QVERIFY2(announced, "the readout sent no NameChanged or ValueChanged event");
    // What a screen reader reads out on the event must contain the value itself.
    // Known gap, pinned until fixed: Calculator.ui gives Readout the accessible name
    // "Readout", which hides its value; it belongs in accessibleDescription. Remove
    // this line with that fix.
    QVERIFY2(lastAnnounced.contains(value),
             qPrintable(u"announced \"" % lastAnnounced % u"\" for readout \"" % value % u'"'));
}

WEBENGINE_TEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
