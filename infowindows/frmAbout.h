#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

// The about box: who made the program, thanks, a contact line and the author's sites.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    // Opens a fresh about box modally and returns when it has been closed.
    static void showModal(QWidget* parent);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    std::unique_ptr<Ui::frmAbout> m_ui;
};
