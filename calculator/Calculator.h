#pragma once

#include "calculator/CalculatorEngine.h"

#include <QMainWindow>

#include <array>

class QAction;
class QButtonGroup;
class QLabel;
class QPushButton;

// The startup window: the readout and keypad in front of a CalculatorEngine, and the
// menus that open the browser, the help and about boxes and the profile windows.
class Calculator : public QMainWindow
{
    Q_OBJECT

public:
    explicit Calculator(QWidget* parent = nullptr);

    // Shows the engine's warning as a modal box with an exclamation icon and OK.
    void ShowWarning(const QString& message, const QString& title);

private:
    void buildKeys(QWidget* client);
    void buildMenus();
    void showReadout();

    void Form_Load();
    void Number_Click(int Index);
    void Decimal_Click();
    void Operator_Click(int Index);
    void Percent_Click();
    void Cancel_Click();
    void CancelEntry_Click();
    void mnuFileBrowser_Click();
    void mnuFileExit_Click();
    void mnuHelpTopics_Click();
    void mnuNbFenna_Click();
    void mnuNbBrisa_Click();
    void mnuNbEfri_Click();
    void mnuNbDova_Click();
    void mnuNbCaddo_Click();
    void Ardel_Click(int Index);

    CalculatorEngine m_engine;
    QLabel* m_readout = nullptr;
    std::array<QPushButton*, 10> m_number{};
    std::array<QPushButton*, 5> m_operator{};
    QButtonGroup* m_numberGroup = nullptr;
    QButtonGroup* m_operatorGroup = nullptr;
};
