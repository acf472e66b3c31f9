#include "infowindows/frmAbout1.h"

#include "infowindows/InfoControls.h"
#include "infowindows/SysInfo.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

frmAbout1::frmAbout1(QWidget* parent)
    : QDialog(parent)
{
    using namespace InfoControls;
    setObjectName(QStringLiteral("frmAbout1"));
    setWindowTitle(QStringLiteral("Help"));
    frameWindow(this, 2760, 2550, Border::Fixed);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(Twips::rect(120, 120, 240, 240));
    image1->setPixmap(QPixmap(QStringLiteral(":/infowindows/help.bmp")));
    image1->setAccessibleName(QStringLiteral("Help"));

    QLabel* label1 = label(this, "Label1", QStringLiteral("Help Topics"), 480, 120, 1575, 375);
    QFont heading(QStringLiteral("Times New Roman"));
    heading.setPointSizeF(14.25);
    label1->setFont(heading);

    auto* text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setGeometry(Twips::rect(0, 600, 2655, 1335));
    text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text1->setReadOnly(true);
    text1->setAccessibleName(QStringLiteral("Help text"));
    text1->setPlainText(QStringLiteral("There is a file help.txt which has \n"
                                       "come with this calulator. Please \n"
                                       "read that for help. The file \n"
                                       "requires Notepad. If you don't \n"
                                       "have that download the Corvel \n"
                                       "Notepad from Ardel's Corvel \n"
                                       "Universe\n"));

    line(this, "Line1_1", -30, 5534, 2085, QColor(0x80, 0x80, 0x80));
    line(this, "Line1_0", -15, 5534, 2100, Qt::white, 2);

    QPushButton* cmdOK = button(this, "cmdOK", QStringLiteral("OK"), 120, 2160, 900, 345);
    cmdOK->setDefault(true);
    QPushButton* cmdSysInfo = button(this, "cmdSysInfo", QStringLiteral("System Information"), 1200, 2160, 1485, 345);
    cmdSysInfo->setAutoDefault(false);

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, text1);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout1::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout1::cmdSysInfo_Click);
    cmdOK->setFocus();
}

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
