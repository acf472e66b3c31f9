#pragma once

#include <QMainWindow>
#include <QPointer>

class QMdiArea;

#include <memory>

namespace Ui {
class frmMain;
}

class StatusPanels;

// The one multiple-document frame, "Corvel Explorer", that hosts every browser window.
// It opens with the first browser window shown, survives its last one, and on closing
// takes its browser windows with it and records where it was.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    // The open frame, or null while there is none.
    static frmMain* current();
    // Shows child as a document window of the frame, which takes it over; opens a
    // fresh frame, at its designed size, when none is open.
    static void showChild(QWidget* child);

    ~frmMain() override;

    QMdiArea* mdiArea() const;

    void mnuViewWebBrowser_Click();
    void mnuFileExit2_Click();
    void MDIForm_Unload(int& Cancel);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmMain();
    void updateMenus();

    std::unique_ptr<Ui::frmMain> m_ui;
    StatusPanels* m_panels = nullptr;

    static QPointer<frmMain> s_frame;
};
