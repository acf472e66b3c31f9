#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QMdiArea;
class frmBrowser;

namespace Ui {
class frmMain;
}

class StatusPanels;

// The one multiple-document frame, "Corvel Explorer", and the owner of every browser
// window: it creates them, hosts them and takes them along when it closes. It opens
// with the first browser window, survives its last one, and records where it was.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // The open frame, or null while there is none.
    static frmMain* current();
    // Every creator's sequence: a new browser window on the fan site's home address,
    // shown in the frame. Null, after the unexpected-error course, when no web view
    // can be made.
    static frmBrowser* openBrowserWindow();
    // Shows window as a document window of the frame, which takes it over; opens a
    // fresh frame when none is open. The window's first show runs its load.
    static void adopt(std::unique_ptr<frmBrowser> window);

    ~frmMain() override;

    QMdiArea* mdiArea() const;

    void mnuViewWebBrowser_Click();
    void mnuFileExit2_Click();
    void MDIForm_Unload(int& Cancel);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmMain();
    void updateMenus();
    bool mayEndDownloads();
    void growSqueezedWindows();

    std::unique_ptr<Ui::frmMain> m_ui;
    StatusPanels* m_panels = nullptr;
    bool m_maximiseOnWindowManagerReply = false;

    static QPointer<frmMain> s_frame;
};
