#include "calculator/Calculator.h"

#include "calculator/CalculatorKeys.h"
#include "calculator/ClipboardNumber.h"
#include "calculator/ReadoutFit.h"

#include "infowindows/ProfileWindow.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"
#include "platform/CalculatorApplication.h"
#include "ui_Calculator.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QButtonGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QToolTip>

namespace {

// Gives each button of a control array its index, the number after the "_" of its name
// ("Number_7" is Number(7)).
void numberByName(QButtonGroup* group)
{
    for (QAbstractButton* button : group->buttons())
        group->setId(button, button->objectName().section(u'_', -1).toInt());
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
    CalculatorKeys::nameKeysInToolTips(*m_ui);
    // Fixed single border: the window takes exactly the size of its menu bar and client.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connectControls();
    Form_Load();
}

Calculator::~Calculator() = default;

// Fractional point sizes cannot be stated in the window description, so they are set here.
void Calculator::applyFonts()
{
    m_ui->client->setFont(CalculatorApplication::designFont(QStringLiteral("System"), 9.75, true));
    m_readoutFont = CalculatorApplication::designFont(QStringLiteral("MS Sans Serif"), 12, true);
    m_ui->Readout->setFont(m_readoutFont);
    m_ui->Label1->setFont(CalculatorApplication::designFont(QStringLiteral("Arial"), 9.75));
}

void Calculator::connectControls()
{
    connect(m_ui->Number, &QButtonGroup::idClicked, this, &Calculator::Number_Click);
    connect(m_ui->Operator, &QButtonGroup::idClicked, this, &Calculator::Operator_Click);
    connect(m_ui->Decimal, &QPushButton::clicked, this, &Calculator::Decimal_Click);
    connect(m_ui->Percent, &QPushButton::clicked, this, &Calculator::Percent_Click);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &Calculator::Cancel_Click);
    connect(m_ui->CancelEntry, &QPushButton::clicked, this, &Calculator::CancelEntry_Click);
    connect(m_ui->Readout, &QWidget::customContextMenuRequested, this, &Calculator::Readout_ContextMenu);

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

// A number too wide for the readout shows smaller, or cut at its start; then the tooltip
// and the name that assistive technology reads hold it whole.
void Calculator::showReadout()
{
    const QString value = QString::fromStdString(m_engine.Readout());
    if (value == m_readoutValue)
        return;
    m_readoutValue = value;
    QLabel* readout = m_ui->Readout;
    const ReadoutFit::Shown shown = ReadoutFit::fit(value, m_readoutFont, readout->contentsRect().width());
    if (readout->font() != shown.font)
        readout->setFont(shown.font);
    readout->setText(shown.text);
    QString whole;
    if (!shown.whole) {
        constexpr qsizetype line = 60; // characters of each tooltip line
        for (qsizetype at = 0; at < value.size(); at += line) {
            if (at > 0)
                whole += u'\n';
            whole += QStringView(value).mid(at, line);
        }
    }
    readout->setToolTip(whole);
    readout->setAccessibleName(shown.whole ? QString() : value);
    QAccessibleEvent event(readout, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Calculator::keyPressEvent(QKeyEvent* event)
{
    const bool plain = event->modifiers() == Qt::NoModifier;
    if (event->matches(QKeySequence::Copy))
        copyReadout();
    else if (event->matches(QKeySequence::Paste))
        pasteNumber();
    else if (plain && event->key() == Qt::Key_Backspace)
        Backspace_KeyPress();
    else if (plain && event->key() == Qt::Key_F10)
        menuBar()->setActiveAction(m_ui->File->menuAction());
    else if (QPushButton* button = CalculatorKeys::buttonFor(*m_ui, *event))
        pressByKey(button);
    else
        QMainWindow::keyPressEvent(event);
}

// The key runs the button's own click, and the button shows pressed for a moment.
void Calculator::pressByKey(QPushButton* button)
{
    QPointer<QPushButton> pressed(button);
    button->click();
    if (!pressed)
        return;
    pressed->setDown(true);
    QTimer::singleShot(100, pressed, [pressed] { pressed->setDown(false); });
}

void Calculator::copyReadout()
{
    QGuiApplication::clipboard()->setText(ClipboardNumber::copied(m_readoutValue));
}

// A plain number is typed as its keys; anything else changes nothing and says so.
void Calculator::pasteNumber()
{
    const std::optional<QString> keys = ClipboardNumber::keys(QGuiApplication::clipboard()->text());
    if (!keys) {
        QLabel* readout = m_ui->Readout;
        QToolTip::showText(readout->mapToGlobal(QPoint(0, readout->height())),
                           tr("Only a plain number can be pasted, such as 42 or -7.5"), readout, {}, 3000);
        return;
    }
    // The keys' codes are their characters: '-', '.' and the digits.
    for (const QChar key : *keys)
        CalculatorKeys::buttonFor(*m_ui, QKeyEvent(QEvent::KeyPress, key.unicode(), Qt::NoModifier))->click();
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

void Calculator::Backspace_KeyPress()
{
    m_engine.BackspaceKey();
    showReadout();
}

// Made when asked for, so that the window costs nothing more at start.
void Calculator::Readout_ContextMenu(const QPoint& pos)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("&Copy"), this, &Calculator::copyReadout)->setShortcut(QKeySequence::Copy);
    menu->addAction(tr("&Paste"), this, &Calculator::pasteNumber)->setShortcut(QKeySequence::Paste);
    menu->popup(m_ui->Readout->mapToGlobal(pos));
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
