#pragma once

#include "platform/WebView.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class frmBrowser;
}

class FindBar;
class QAction;
class QMenu;

// A document window of the main frame: a web view, an address box that keeps the
// addresses visited in it, a six-button toolbar, a busy-status poll and the File,
// Edit and Favourites menus (shown in the frame's menu bar while this window is active).
class frmBrowser : public QWidget, private WebViewEvents
{
    Q_OBJECT
public:
    // A new, not yet shown window; null (with the reason in error) when no web view
    // can be made for it.
    static std::unique_ptr<frmBrowser> create(QString* error = nullptr);
    // A new, not yet shown window around view, which a page opened: no starting
    // address, so its load navigates nowhere and the view shows what the page put in it.
    static std::unique_ptr<frmBrowser> create(std::unique_ptr<WebView> view);
    ~frmBrowser() override;

    QString StartingAddress() const { return m_startingAddress; }
    void setStartingAddress(const QString& address) { m_startingAddress = address; }

    // File, Edit and Favourites, in menu-bar order.
    QList<QMenu*> menus() const;
    WebView* brwWebBrowser() const { return m_view.get(); }

    // Handlers, under the names the window's controls raise them by.
    void Form_Load();
    void Form_Resize();
    void cboAddress_Click();
    void cboAddress_KeyPress(int KeyAscii);
    void brwWebBrowser_NavigateComplete2(QObject* frame, const QString& address);
    void brwWebBrowser_DownloadComplete();
    void timTimer_Timer();
    void tbToolBar_ButtonClick(const QString& key);
    void mnuFileNew_Click();
    void mnuFileExit_Click();
    void mnuEditItem_Click(int Index);

signals:
    // File > New Window: whoever hosts the window opens the new one.
    void newWindowRequested();
    // A page of this window opened window: whoever hosts this one takes it over (moves
    // it out) and shows it; left here, it is closed and the page gets no window.
    void windowOpened(std::unique_ptr<frmBrowser>& window);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmBrowser();
    void attach(std::unique_ptr<WebView> view);

    enum class ErrorMode { Continue, Unguarded };
    void addressNavigation(ErrorMode mode);
    void favouriteNavigation(const QString& address);
    void layOut();
    void buildToolBar();
    void buildMenus();
    void buildKeys();
    void focusAddress();
    void zoom(int direction);

    void NavigateComplete2(QObject* frame, const QString& address) override;
    void DownloadComplete() override;
    void NewWindow(std::unique_ptr<WebView>& view) override;

    std::unique_ptr<Ui::frmBrowser> m_ui;
    std::unique_ptr<WebView> m_view;
    QTimer m_timTimer;
    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuEdit = nullptr;
    QMenu* m_mnuFav = nullptr;
    std::array<QAction*, 3> m_mnuEditItem{};
    FindBar* m_findBar = nullptr;

    QString m_startingAddress;
    bool m_listUpdating = false;
    bool m_loaded = false;
};
