#include "infowindows/frmAbout.h"

#include "browser/FixedAddresses.h"
#include "infowindows/InfoControls.h"
#include "infowindows/SysInfo.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Content of our own: the person thanked, the contact address and the author's sites.
const QString ThankedPerson = QStringLiteral("Wren Halloway");
const QString ContactAddress = QStringLiteral("ardel@corveluniverse.example");

QString memberSite(const char16_t* host, const char* path)
{
    return QStringLiteral("http://") % QStringView(host) % u'/' % QLatin1String(path);
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
{
    using namespace InfoControls;
    setObjectName(QStringLiteral("frmAbout"));
    frameWindow(this, 5835, 3555, Border::Fixed);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(Twips::rect(120, 240, 960, 1275));
    picIcon->setFrameStyle(QFrame::Box | QFrame::Plain);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/infowindows/about.jpg")));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setFocusPolicy(Qt::TabFocus);
    picIcon->setToolTip(QStringLiteral("Over 370 Pictures at Ardel's Corvel Universe"));
    picIcon->setAccessibleName(QStringLiteral("Ardel's Corvel Universe picture"));

    label(this, "lblTitle", QStringLiteral("Ardel's Corvel Universe"), 1170, 240, 3885, 240);
    label(this, "Label1", QStringLiteral("Version 1.1"), 1200, 480, 4095, 255);
    label(this, "lblDescription",
          u"This Calculator is made by Ardel. You can get more interactive softwares and downlaods "
          u"from Ardel's Corvel Universe. Simply go to " % FixedAddresses::home(),
          1200, 840, 4005, 690, true);
    label(this, "Label4", u"Special Thanks to " % ThankedPerson % u" for the design and browser",
          1200, 1560, 4575, 255)
        ->setToolTip(ThankedPerson
                     % u" helped me with the design of this Calulator. See also gave the suggestion "
                       u"that there should be a seperate browser.");
    label(this, "Label2", u"For problems or comments regarding this contact email " % ContactAddress,
          1200, 1920, 4095, 495, true);
    line(this, "Line1_1", 90, 5654, 2445, QColor(0x80, 0x80, 0x80));
    line(this, "Line1_0", 105, 5654, 2460, Qt::white, 2);
    label(this, "lblDisclaimer", QStringLiteral("My Nimbrel Sites ..."), 240, 2520, 3870, 225)
        ->setToolTip(QStringLiteral("I have six site these are the best!"));
    label(this, "Label3",
          FixedAddresses::home() % u' ' % memberSite(FixedAddresses::RedirectHost, "zoroduvirerodo")
              % u' ' % memberSite(FixedAddresses::SecondRedirectHost, "vevevuzod"),
          240, 2880, 2535, 615, true);

    m_cmdOK = button(this, "cmdOK", QStringLiteral("OK"), 4245, 2625, 1260, 345);
    m_cmdOK->setToolTip(QStringLiteral("Exits the About Information"));
    m_cmdOK->setDefault(true);
    QPushButton* cmdSysInfo = button(this, "cmdSysInfo", QStringLiteral("&System Information"), 4260, 3075, 1485, 345);
    cmdSysInfo->setToolTip(QStringLiteral("Displays your System Inforamtion. (Windows 95/98/2000)"));
    cmdSysInfo->setAutoDefault(false);

    setTabOrder(m_cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::showModal(QWidget* parent)
{
    InfoControls::showModal<frmAbout>(parent);
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About Ardel's Corvel Calculator"));
    m_cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    SysInfo::startFromDesktop();
}
