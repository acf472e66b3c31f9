#include "infowindows/frmAbout.h"

#include "ui_frmAbout.h"

#include "browser/FixedAddresses.h"
#include "infowindows/InfoControls.h"
#include "infowindows/SysInfo.h"

namespace {

// Content of our own: the person thanked and the contact address.
const QString ThankedPerson = QStringLiteral("Wren Halloway");
const QString ContactAddress = QStringLiteral("ardel@corveluniverse.example");

// Fills the label's %1, %2, ... (in its text, and in its tooltip if it has one).
void fillIn(QLabel* label, const QString& value)
{
    label->setText(label->text().arg(value));
    if (!label->toolTip().isEmpty())
        label->setToolTip(label->toolTip().arg(value));
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmAbout>())
{
    m_ui->setupUi(this);
    InfoControls::titleBarWithCloseBox(this);

    fillIn(m_ui->lblDescription, FixedAddresses::home());
    fillIn(m_ui->Label4, ThankedPerson);
    fillIn(m_ui->Label2, ContactAddress);
    m_ui->Label3->setText(m_ui->Label3->text().arg(FixedAddresses::home(),
                                                   FixedAddresses::address(FixedAddresses::CaddoSite),
                                                   FixedAddresses::address(FixedAddresses::EfriWorld)));

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(m_ui->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::showModal(QWidget* parent)
{
    InfoControls::showModal<frmAbout>(parent);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About Ardel's Corvel Calculator"));
    m_ui->cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    SysInfo::startFromDesktop();
}
