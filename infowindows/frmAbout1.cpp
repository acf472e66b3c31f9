#include "infowindows/frmAbout1.h"

#include "ui_frmAbout1.h"

#include "infowindows/InfoControls.h"
#include "infowindows/SysInfo.h"

frmAbout1::frmAbout1(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmAbout1>())
{
    m_ui->setupUi(this);
    InfoControls::titleBarWithCloseBox(this);
    // The help box has no window icon. A window without one would still show one: Qt gives
    // it the application's, and window managers the one of the window it belongs to. A
    // blank icon of its own shows nothing in their place.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));

    // The heading is 14.25 points; a form file stores whole points only.
    QFont heading = m_ui->Label1->font();
    heading.setPointSizeF(14.25);
    m_ui->Label1->setFont(heading);

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmAbout1::cmdOK_Click);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &frmAbout1::cmdSysInfo_Click);
    m_ui->cmdOK->setFocus();
}

frmAbout1::~frmAbout1() = default;

void frmAbout1::showModal(QWidget* parent)
{
    InfoControls::showModal<frmAbout1>(parent);
}

void frmAbout1::cmdOK_Click()
{
    accept();
}

void frmAbout1::cmdSysInfo_Click()
{
    SysInfo::startFromDesktop();
}
