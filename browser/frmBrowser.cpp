#include "browser/frmBrowser.h"
#include "ui_frmBrowser.h"

#include "browser/BrowserLayout.h"
#include "browser/Favourites.h"
#include "browser/FindBar.h"
#include "browser/FixedAddresses.h"
#include "browser/ShortcutRouter.h"
#include "browser/ZoomSteps.h"
#include "platform/Pictures.h"
#include "platform/SessionEnd.h"
#include "platform/Twips.h"
#include "platform/UnexpectedError.h"
#include "platform/WebViewProvider.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPixmap>

namespace {

struct ToolButton
{
    const char16_t* key;
    const char16_t* picture;
};

// Left to right; the key is what tbToolBar_ButtonClick acts on.
constexpr ToolButton toolButtons[] = {
    {u"Back", u":/browser/back"},       {u"Forward", u":/browser/forward"}, {u"Stop", u":/browser/stop"},
    {u"Refresh", u":/browser/refresh"}, {u"Home", u":/browser/home"},       {u"Search", u":/browser/search"},
};

struct EditItem
{
    const char16_t* caption;
    QKeySequence::StandardKey shortcut;
};

// mnuEditItem(0) to mnuEditItem(2).
constexpr EditItem editItems[] = {
    {u"Cu&t", QKeySequence::Cut},
    {u"C&opy", QKeySequence::Copy},
    {u"&Paste", QKeySequence::Paste},
};

// The toolbar pictures are drawn on the mask colour, which is made transparent here.
QIcon maskedIcon(const QString& path)
{
    QPixmap picture = Pictures::pixmap(path);
    picture.setMask(picture.createMaskFromColor(QColor(192, 192, 192)));
    return QIcon(picture);
}

int px(int twips)
{
    return Twips::toPixels(twips);
}
int twips(int pixels)
{
    return Twips::fromPixels(pixels);
}

} // namespace

std::unique_ptr<frmBrowser> frmBrowser::create(QString* error)
{
    std::unique_ptr<frmBrowser> window(new frmBrowser);
    std::unique_ptr<WebView> view = WebViewProvider::create(window.get(), error);
    if (!view)
        return nullptr;
    window->attach(std::move(view));
    return window;
}

std::unique_ptr<frmBrowser> frmBrowser::create(std::unique_ptr<WebView> view)
{
    std::unique_ptr<frmBrowser> window(new frmBrowser);
    view->widget()->setParent(window.get());
    view->widget()->show(); // shown with the window
    window->attach(std::move(view));
    return window;
}

void frmBrowser::attach(std::unique_ptr<WebView> view)
{
    m_view = std::move(view);
    QWidget* widget = m_view->widget();
    widget->setObjectName(QStringLiteral("brwWebBrowser"));
    widget->setGeometry(px(50), px(1215), px(5393), px(3734));
    widget->lower(); // the address panel and the toolbar stay on top of it
    QWidget::setTabOrder(widget, m_ui->cboAddress);
    setFocusProxy(widget); // the page is first in the tab order and takes the window's focus
    m_view->setEvents(this);
    m_findBar = new FindBar(m_view.get(), this);
    connect(m_findBar, &FindBar::shownChanged, this, [this] { layOut(); });
    buildKeys();
}

frmBrowser::frmBrowser()
    : m_ui(std::make_unique<Ui::frmBrowser>())
    , m_timTimer(this)
{
    m_ui->setupUi(this);
    // The label's buddy names the combo box but not its edit field, which screen readers read.
    m_ui->cboAddress->lineEdit()->setAccessibleName(QStringLiteral("Address"));
    setWindowIcon(QIcon());

    QComboBox* box = m_ui->cboAddress;
    // The box sends exactly what was typed: no completion, and its list is filled only
    // from the addresses the web view reports.
    box->setCompleter(nullptr);
    box->setDuplicatesEnabled(true);
    // The box on its own selects a list entry equal to the typed text when editing ends
    // (Enter, Tab, a click elsewhere) and reports that as a pick. Only Enter and a real
    // pick from the list navigate, so that matching is switched off.
    disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    connect(box, &QComboBox::activated, this, &frmBrowser::cboAddress_Click);
    // The box holds the focus and hands keys to its edit field directly, so Enter is
    // taken from the field's own signal and the other keys from the box.
    connect(box->lineEdit(), &QLineEdit::returnPressed, this, [this] { cboAddress_KeyPress(13); });
    box->installEventFilter(this);

    m_timTimer.setObjectName(QStringLiteral("timTimer"));
    m_timTimer.setInterval(5);
    connect(&m_timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);

    buildToolBar();
    buildMenus();
}

frmBrowser::~frmBrowser()
{
    if (m_view)
        m_view->setEvents(nullptr);
}

void frmBrowser::buildToolBar()
{
    for (const ToolButton& button : toolButtons) {
        const QString key = QString::fromUtf16(button.key);
        QAction* action = m_ui->tbToolBar->addAction(maskedIcon(QString::fromUtf16(button.picture)), key);
        action->setData(key);
        action->setToolTip(key);
        action->setObjectName(u"tb" % key);
    }
    connect(m_ui->tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction* action) { tbToolBar_ButtonClick(action->data().toString()); });
}

void frmBrowser::buildMenus()
{
    m_mnuFile = new QMenu(QStringLiteral("&File"), this);
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* newWindow = m_mnuFile->addAction(QStringLiteral("&New Window"));
    newWindow->setObjectName(QStringLiteral("mnuFileNew"));
    newWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newWindow, &QAction::triggered, this, &frmBrowser::mnuFileNew_Click);
    QAction* exit = m_mnuFile->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("mnuFileExit"));
    connect(exit, &QAction::triggered, this, &frmBrowser::mnuFileExit_Click);

    m_mnuEdit = new QMenu(QStringLiteral("&Edit"), this);
    m_mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    for (int index = 0; index < int(m_mnuEditItem.size()); ++index) {
        QAction* item = m_mnuEdit->addAction(QString::fromUtf16(editItems[index].caption));
        item->setObjectName(QStringLiteral("mnuEditItem(%1)").arg(index));
        item->setShortcut(editItems[index].shortcut);
        connect(item, &QAction::triggered, this, [this, index] { mnuEditItem_Click(index); });
        m_mnuEditItem[index] = item;
    }

    m_mnuFav = new QMenu(QStringLiteral("Fa&vourites"), this);
    m_mnuFav->setObjectName(QStringLiteral("mnuFav"));
    Favourites::buildMenu(m_mnuFav, [this](const QString& address) { favouriteNavigation(address); });

    // The shortcuts belong to this window alone: several browser windows share the
    // frame, and only the one holding the focus may answer Ctrl+N or Ctrl+C.
    for (QMenu* menu : {m_mnuFile, m_mnuEdit}) {
        const auto items = menu->actions();
        for (QAction* action : items) {
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);
        }
    }
}

void frmBrowser::buildKeys()
{
    auto* router = new ShortcutRouter(this, m_view->widget());
    // While the page holds the focus, its own copy, cut and paste keys are the page's.
    for (QAction* item : m_mnuEditItem)
        router->yieldToPage(item);

    // The keys browser users expect, each running what its button or command runs.
    const auto key = [this](std::initializer_list<QKeySequence> keys, auto run) {
        auto* action = new QAction(this);
        action->setShortcuts(QList<QKeySequence>(keys));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
        return action;
    };
    const auto button
        = [this](const char16_t* name) { return [this, name] { tbToolBar_ButtonClick(QString::fromUtf16(name)); }; };
    key({Qt::Key_F5, Qt::CTRL | Qt::Key_R}, button(u"Refresh"));
    key({Qt::ALT | Qt::Key_Left}, button(u"Back"));
    key({Qt::ALT | Qt::Key_Right}, button(u"Forward"));
    QAction* stop = key({Qt::Key_Escape}, button(u"Stop"));
    // Esc stops a loading page; at other times it stays the page's (or the find bar's).
    router->onlyWhile(stop, [this](const QWidget* focus) { return m_view->Busy() && !m_findBar->isAncestorOf(focus); });
    key({Qt::CTRL | Qt::Key_L, Qt::ALT | Qt::Key_D, Qt::Key_F6}, [this] { focusAddress(); });
    key({QKeySequence(QKeySequence::Find)}, [this] { m_findBar->open(); });
    key({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, [this] { zoom(+1); });
    key({Qt::CTRL | Qt::Key_Minus}, [this] { zoom(-1); });
    key({Qt::CTRL | Qt::Key_0}, [this] { zoom(0); });
}

void frmBrowser::focusAddress()
{
    m_ui->cboAddress->setFocus(Qt::ShortcutFocusReason);
    m_ui->cboAddress->lineEdit()->selectAll();
}

void frmBrowser::zoom(int direction)
{
    m_view->setZoomFactor(direction == 0 ? 1.0 : ZoomSteps::next(m_view->zoomFactor(), direction));
}

QList<QMenu*> frmBrowser::menus() const
{
    return {m_mnuFile, m_mnuEdit, m_mnuFav};
}

// Every way of closing the window (File > Exit, the close box, the frame closing) asks
// the page first: its "leave this page?" prompt may keep the window open. When the
// session ends nothing is asked.
void frmBrowser::closeEvent(QCloseEvent* event)
{
    if (m_view && !SessionEnd::isEnding() && !m_view->mayClose())
        event->ignore();
}

void frmBrowser::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
}

void frmBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void frmBrowser::layOut()
{
    // The toolbar and the address panel are docked to the top, across the whole width.
    m_ui->tbToolBar->resize(width(), m_ui->tbToolBar->height());
    m_ui->picAddress->resize(width(), m_ui->picAddress->height());
    Form_Resize();
    // The find bar has its own space under the page, which the page gives up while the
    // bar shows: a match is never hidden under it.
    if (m_view && !m_findBar->isHidden()) {
        const QRect page = m_view->widget()->geometry();
        m_findBar->setGeometry(page.left(), page.bottom() + 1, page.width(), m_findBar->sizeHint().height());
    }
}

bool frmBrowser::eventFilter(QObject* watched, QEvent* event)
{
    // Every other character typed in the box (Enter comes through returnPressed).
    if (watched == m_ui->cboAddress && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter && !key->text().isEmpty())
            cboAddress_KeyPress(key->text().at(0).unicode());
    }
    return false; // the box still gets every key
}

void frmBrowser::Form_Load()
{
    m_ui->tbToolBar->update();
    Form_Resize();

    const QLabel* label = m_ui->lblAddress;
    m_ui->cboAddress->move(px(BrowserLayout::addressLeft),
                           px(BrowserLayout::addressTop(twips(label->y()), twips(label->height()))));

    m_view->widget()->setFocus();

    if (!m_startingAddress.isEmpty()) {
        m_ui->cboAddress->setEditText(m_startingAddress);
        m_ui->cboAddress->addItem(m_ui->cboAddress->currentText());
        m_timTimer.start();
        (void)m_view->Navigate(m_startingAddress);
    }
}

void frmBrowser::Form_Resize()
{
    const QWidget* panel = m_ui->picAddress;
    const BrowserLayout::Sizes sizes
        = BrowserLayout::compute(twips(width()), twips(height()), twips(panel->y() + panel->height()));
    QWidget* view = m_view ? m_view->widget() : nullptr;
    const int findBarHeight = m_findBar && !m_findBar->isHidden() ? m_findBar->sizeHint().height() : 0;
    if (sizes.addressWidth)
        m_ui->cboAddress->resize(px(*sizes.addressWidth), m_ui->cboAddress->height());
    if (view && sizes.viewWidth)
        view->resize(px(*sizes.viewWidth), view->height());
    if (view && sizes.viewHeight && px(*sizes.viewHeight) >= findBarHeight)
        view->resize(view->width(), px(*sizes.viewHeight) - findBarHeight);
}

void frmBrowser::cboAddress_Click()
{
    addressNavigation(ErrorMode::Unguarded);
}

void frmBrowser::addressNavigation(ErrorMode mode)
{
    if (m_listUpdating)
        return;
    m_timTimer.start();
    const WebViewResult result = m_view->Navigate(m_ui->cboAddress->currentText());
    if (!result.ok() && mode == ErrorMode::Unguarded)
        UnexpectedError::report(result.error);
}

void frmBrowser::cboAddress_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        addressNavigation(ErrorMode::Continue);
}

void frmBrowser::NavigateComplete2(QObject* frame, const QString& address)
{
    brwWebBrowser_NavigateComplete2(frame, address);
}

void frmBrowser::DownloadComplete()
{
    brwWebBrowser_DownloadComplete();
}

void frmBrowser::NewWindow(std::unique_ptr<WebView>& view)
{
    std::unique_ptr<frmBrowser> window = create(std::move(view));
    emit windowOpened(window);
}

void frmBrowser::brwWebBrowser_NavigateComplete2(QObject* frame, const QString& address)
{
    Q_UNUSED(frame);
    Q_UNUSED(address);
    setWindowTitle(m_view->LocationName());

    QComboBox* box = m_ui->cboAddress;
    const QString location = m_view->LocationURL();
    int match = -1;
    for (int index = 0; index < box->count(); ++index) {
        if (box->itemText(index) == location) {
            match = index;
            break;
        }
    }

    m_listUpdating = true;
    if (match >= 0)
        box->removeItem(match);
    box->insertItem(0, location);
    box->setCurrentIndex(0);
    box->lineEdit()->setCursorPosition(0); // show the address from its start
    cboAddress_Click();                    // the selection raises it; the guard makes it do nothing
    m_listUpdating = false;
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    setWindowTitle(m_view->LocationName());
}

void frmBrowser::timTimer_Timer()
{
    if (m_view->Busy()) {
        setWindowTitle(QStringLiteral("Working..."));
    } else {
        m_timTimer.stop();
        setWindowTitle(m_view->LocationName());
    }
}

void frmBrowser::tbToolBar_ButtonClick(const QString& key)
{
    m_timTimer.start();
    if (key == u"Back") {
        (void)m_view->GoBack();
    } else if (key == u"Forward") {
        (void)m_view->GoForward();
    } else if (key == u"Refresh") {
        (void)m_view->Refresh();
    } else if (key == u"Home") {
        (void)m_view->Navigate(FixedAddresses::home());
    } else if (key == u"Search") {
        (void)m_view->Navigate(FixedAddresses::searchPage());
    } else if (key == u"Stop") {
        m_timTimer.stop();
        (void)m_view->Stop();
        setWindowTitle(m_view->LocationName());
    }
}

void frmBrowser::favouriteNavigation(const QString& address)
{
    const WebViewResult result = m_view->Navigate(address);
    if (!result.ok())
        UnexpectedError::report(result.error);
}

void frmBrowser::mnuFileNew_Click()
{
    emit newWindowRequested();
}

void frmBrowser::mnuFileExit_Click()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void frmBrowser::mnuEditItem_Click(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    // The commands act where the keyboard focus is, as their keys do: on the page while
    // it has the focus, on the address box otherwise.
    const QWidget* focus = focusWidget();
    const QWidget* page = m_view->widget();
    if (focus && (focus == page || page->isAncestorOf(focus))) {
        m_view->editPage(WebView::PageEdit(Index));
        return;
    }
    QLineEdit* edit = m_ui->cboAddress->lineEdit();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (Index == 2) {
        edit->insert(clipboard->text()); // no text on the clipboard deletes the selection
        return;
    }
    // Nothing selected leaves the clipboard as it was.
    if (edit->hasSelectedText())
        clipboard->setText(edit->selectedText());
    if (Index == 0)
        edit->insert(QString()); // replaces the selection with nothing
}
