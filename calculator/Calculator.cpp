#include "calculator/Calculator.h"

#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"
#include "platform/Picture.h"
#include "ui_Calculator.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QLayout>
#include <QMessageBox>

namespace {

// Gives each button of a control array its index, the number after the "_" of its name
// ("Number_7" is Number(7)).
void numberByName(QButtonGroup* group)
{
    for (QAbstractButton* button : group->buttons())
        group->setId(button, button->objectName().section(u'_', -1).toInt());
}

QFont makeFont(const QString& family, qreal points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace

Calculator::Calculator(QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::Calculator>())
    , m_engine([this](const std::string& message, const std::string& title) {
        ShowWarning(QString::fromStdString(message), QString::fromStdString(title));
    })
{
    m_ui->setupUi(this);
    numberByName(m_ui->Number);
    numberByName(m_ui->Operator);
    applyFonts();
    applyPictures();
    // Fixed single border: the window takes exactly the size of its menu bar and client.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connectControls();
    Form_Load();
}

Calculator::~Calculator() = default;

// Fractional point sizes cannot be stated in the window description, so they are set here.
void Calculator::applyFonts()
{
    m_ui->client->setFont(makeFont(QStringLiteral("System"), 9.75, true));
    m_ui->Readout->setFont(makeFont(QStringLiteral("MS Sans Serif"), 12, true));
    m_ui->Label1->setFont(makeFont(QStringLiteral("Arial"), 9.75, false));
}

// Read here rather than by the window description, whose reading would map every image
// plugin installed to find out that they are PNG.
void Calculator::applyPictures()
{
    setWindowIcon(QIcon(Picture::png(QStringLiteral(":/calculator/icon.png"))));
    m_ui->Image1->setPixmap(Picture::png(QStringLiteral(":/calculator/picture.png")));
}

void Calculator::connectControls()
{
    connect(m_ui->Number, &QButtonGroup::idClicked, this, &Calculator::Number_Click);
    connect(m_ui->Operator, &QButtonGroup::idClicked, this, &Calculator::Operator_Click);
    connect(m_ui->Decimal, &QPushButton::clicked, this, &Calculator::Decimal_Click);
    connect(m_ui->Percent, &QPushButton::clicked, this, &Calculator::Percent_Click);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &Calculator::Cancel_Click);
    connect(m_ui->CancelEntry, &QPushButton::clicked, this, &Calculator::CancelEntry_Click);

    connect(m_ui->mnuFileBrowser, &QAction::triggered, this, &Calculator::mnuFileBrowser_Click);
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &Calculator::mnuFileExit_Click);
    connect(m_ui->mnuNbFenna, &QAction::triggered, this, &Calculator::mnuNbFenna_Click);
    connect(m_ui->mnuNbBrisa, &QAction::triggered, this, &Calculator::mnuNbBrisa_Click);
    connect(m_ui->mnuNbEfri, &QAction::triggered, this, &Calculator::mnuNbEfri_Click);
    connect(m_ui->mnuNbDova, &QAction::triggered, this, &Calculator::mnuNbDova_Click);
    connect(m_ui->mnuNbCaddo, &QAction::triggered, this, &Calculator::mnuNbCaddo_Click);
    connect(m_ui->mnuHelpTopics, &QAction::triggered, this, &Calculator::mnuHelpTopics_Click);
    // "About" is the one element, index 9, of the Ardel menu array.
    connect(m_ui->Ardel, &QAction::triggered, this, [this] { Ardel_Click(9); });
}

void Calculator::ShowWarning(const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box.exec();
}

void Calculator::showReadout()
{
    const QString value = QString::fromStdString(m_engine.Readout());
    if (value == m_ui->Readout->text())
        return;
    m_ui->Readout->setText(value);
    QAccessibleEvent event(m_ui->Readout, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Calculator::Form_Load()
{
    m_engine.Reset();
    showReadout();
}

void Calculator::Number_Click(int Index)
{
    m_engine.NumberKey(m_ui->Number->button(Index)->text().toStdString());
    showReadout();
}

void Calculator::Decimal_Click()
{
    m_engine.DecimalKey();
    showReadout();
}

void Calculator::Operator_Click(int Index)
{
    m_engine.OperatorKey(m_ui->Operator->button(Index)->text().toStdString());
    showReadout();
}

void Calculator::Percent_Click()
{
    m_engine.PercentKey();
    showReadout();
}

void Calculator::Cancel_Click()
{
    m_engine.CancelKey();
    showReadout();
}

void Calculator::CancelEntry_Click()
{
    m_engine.CancelEntryKey();
    showReadout();
}

void Calculator::mnuFileBrowser_Click()
{
    frmMain::openBrowserWindow();
}

void Calculator::mnuFileExit_Click()
{
    close();
}

void Calculator::mnuHelpTopics_Click()
{
    frmAbout1::showModal(this);
}

void Calculator::mnuNbFenna_Click()
{
    ProfileWindow::showModal(Profiles::fenna(), this);
}

void Calculator::mnuNbBrisa_Click()
{
    ProfileWindow::showModal(Profiles::brisa(), this);
}

void Calculator::mnuNbEfri_Click()
{
    ProfileWindow::showModal(Profiles::efri(), this);
}

void Calculator::mnuNbDova_Click()
{
    ProfileWindow::showModal(Profiles::dova(), this);
}

void Calculator::mnuNbCaddo_Click()
{
    ProfileWindow::showModal(Profiles::caddo(), this);
}

void Calculator::Ardel_Click(int Index)
{
    Q_UNUSED(Index);
    frmAbout::showModal(this);
}
