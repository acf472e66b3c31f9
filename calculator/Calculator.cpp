#include "calculator/Calculator.h"

#include "browser/openBrowserWindow.h"
#include "calculator/CalculatorLayout.h"
#include "platform/Twips.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QLabel>
#include <QLayout>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace {

QRect pixels(int left, int top, int width, int height)
{
    return {Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
            Twips::toPixels(height)};
}

QString text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

QLabel* makeLabel(QWidget* parent, const CalculatorLayout::Label& spec)
{
    auto* label = new QLabel(text(spec.caption), parent);
    label->setObjectName(text(spec.name));
    label->setGeometry(pixels(spec.left, spec.top, spec.width, spec.height));
    label->setToolTip(text(spec.tooltip));
    return label;
}

void paint(QWidget* widget, const QColor& background, const QColor& foreground)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, foreground);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

Calculator::Calculator(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
    , m_engine([this](const std::string& message, const std::string& title) {
        ShowWarning(QString::fromStdString(message), QString::fromStdString(title));
    })
{
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Calculator"));
    setWindowIcon(QIcon(QStringLiteral(":/calculator/icon.png")));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* client = new QWidget(this);
    client->setFixedSize(Twips::toPixels(CalculatorLayout::ClientWidth),
                         Twips::toPixels(CalculatorLayout::ClientHeight));
    setCentralWidget(client);
    buildKeys(client);
    buildMenus();
    // Fixed single border: the window takes exactly the size of its menu bar and client.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

void Calculator::buildKeys(QWidget* client)
{
    QFont keyFont(QStringLiteral("System"));
    keyFont.setPointSizeF(9.75);
    keyFont.setBold(true);

    m_numberGroup = new QButtonGroup(this);
    m_operatorGroup = new QButtonGroup(this);
    std::map<int, QPushButton*> byTabIndex;
    for (const CalculatorLayout::Key& key : CalculatorLayout::keys()) {
        auto* button = new QPushButton(text(key.caption), client);
        button->setObjectName(key.index < 0 ? text(key.name)
                                            : text(key.name) % u'(' % QString::number(key.index) % u')');
        button->setGeometry(pixels(key.left, key.top, key.width, key.height));
        button->setToolTip(text(key.tooltip));
        button->setAccessibleDescription(text(key.tooltip));
        button->setFont(keyFont);
        button->setAutoDefault(false);
        byTabIndex[key.tabIndex] = button;
        switch (key.group) {
        case CalculatorLayout::Group::Number:
            m_numberGroup->addButton(button, key.index);
            m_number[key.index] = button;
            break;
        case CalculatorLayout::Group::Operator:
            m_operatorGroup->addButton(button, key.index);
            m_operator[key.index] = button;
            break;
        case CalculatorLayout::Group::Single:
            break;
        }
    }
    connect(m_numberGroup, &QButtonGroup::idClicked, this, &Calculator::Number_Click);
    connect(m_operatorGroup, &QButtonGroup::idClicked, this, &Calculator::Operator_Click);
    const auto single = [client](const char* name) {
        return client->findChild<QPushButton*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    };
    connect(single("Decimal"), &QPushButton::clicked, this, &Calculator::Decimal_Click);
    connect(single("Percent"), &QPushButton::clicked, this, &Calculator::Percent_Click);
    connect(single("Cancel"), &QPushButton::clicked, this, &Calculator::Cancel_Click);
    connect(single("CancelEntry"), &QPushButton::clicked, this, &Calculator::CancelEntry_Click);

    QWidget* previous = nullptr;
    for (const auto& [tabIndex, button] : byTabIndex) {
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }

    m_readout = makeLabel(client, CalculatorLayout::readout());
    m_readout->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_readout->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_readout->setLineWidth(1);
    m_readout->setAccessibleName(QStringLiteral("Readout"));
    QFont readoutFont(QStringLiteral("MS Sans Serif"));
    readoutFont.setPointSize(12);
    readoutFont.setBold(true);
    m_readout->setFont(readoutFont);
    paint(m_readout, QColor(255, 128, 255), Qt::black);

    QLabel* label1 = makeLabel(client, CalculatorLayout::label1());
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPointSizeF(9.75);
    label1->setFont(labelFont);
    label1->setWordWrap(true);
    label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paint(label1, Qt::black, Qt::white);

    QLabel* image1 = makeLabel(client, CalculatorLayout::image1());
    image1->setPixmap(QPixmap(QStringLiteral(":/calculator/picture.png")));
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image1->setAccessibleName(QStringLiteral("Nimbrel"));
}

void Calculator::buildMenus()
{
    const QMap<QString, void (Calculator::*)()> handlers{
        {QStringLiteral("mnuFileBrowser"), &Calculator::mnuFileBrowser_Click},
        {QStringLiteral("mnuFileExit"), &Calculator::mnuFileExit_Click},
        {QStringLiteral("mnuNbFenna"), &Calculator::mnuNbFenna_Click},
        {QStringLiteral("mnuNbBrisa"), &Calculator::mnuNbBrisa_Click},
        {QStringLiteral("mnuNbEfri"), &Calculator::mnuNbEfri_Click},
        {QStringLiteral("mnuNbDova"), &Calculator::mnuNbDova_Click},
        {QStringLiteral("mnuNbCaddo"), &Calculator::mnuNbCaddo_Click},
        {QStringLiteral("mnuHelpTopics"), &Calculator::mnuHelpTopics_Click},
    };
    QMap<QString, QMenu*> menus;
    for (const CalculatorLayout::MenuItem& item : CalculatorLayout::menuItems()) {
        const QString menuName = text(item.menu);
        QMenu*& menu = menus[menuName];
        if (!menu) {
            menu = menuBar()->addMenu(text(item.menuCaption));
            menu->setObjectName(menuName);
        }
        QAction* action = text(item.caption) == u"-" ? menu->addSeparator()
                                                      : menu->addAction(text(item.caption));
        action->setObjectName(text(item.name));
        if (const auto handler = handlers.value(text(item.name)))
            connect(action, &QAction::triggered, this, handler);
    }
    // "About" is the one element, index 9, of the Ardel menu array.
    QAction* about = findChild<QAction*>(QStringLiteral("Ardel"));
    connect(about, &QAction::triggered, this, [this] { Ardel_Click(9); });
}

void Calculator::ShowWarning(const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box.exec();
}

void Calculator::showReadout()
{
    const QString value = QString::fromStdString(m_engine.Readout());
    if (value == m_readout->text())
        return;
    m_readout->setText(value);
    QAccessibleEvent event(m_readout, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void Calculator::Form_Load()
{
    m_engine.Reset();
    showReadout();
}

void Calculator::Number_Click(int Index)
{
    m_engine.NumberKey(m_number[Index]->text().toStdString());
    showReadout();
}

void Calculator::Decimal_Click()
{
    m_engine.DecimalKey();
    showReadout();
}

void Calculator::Operator_Click(int Index)
{
    m_engine.OperatorKey(m_operator[Index]->text().toStdString());
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
    openBrowserWindow();
}

void Calculator::mnuFileExit_Click()
{
    close();
}

void Calculator::mnuHelpTopics_Click()
{
    // The help box, frmAbout1.
}

void Calculator::mnuNbFenna_Click()
{
    // Form1.
}

void Calculator::mnuNbBrisa_Click()
{
    // Form3.
}

void Calculator::mnuNbEfri_Click()
{
    // Form5.
}

void Calculator::mnuNbDova_Click()
{
    // Form2.
}

void Calculator::mnuNbCaddo_Click()
{
    // Form4.
}

void Calculator::Ardel_Click(int Index)
{
    Q_UNUSED(Index);
    // The about box, frmAbout.
}
