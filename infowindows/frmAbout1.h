#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout1;
}

// The help box: a heading and a note about the help text that comes with the program.
class frmAbout1 : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout1(QWidget* parent = nullptr);
    ~frmAbout1() override;

    // Opens a fresh help box modally and returns when it has been closed.
    static void showModal(QWidget* parent);

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();

    std::unique_ptr<Ui::frmAbout1> m_ui;
};
