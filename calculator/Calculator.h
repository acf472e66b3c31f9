#pragma once

#include "calculator/CalculatorEngine.h"

#include <QFont>
#include <QMainWindow>

#include <memory>

class QPushButton;

namespace Ui {
class Calculator;
}

// The startup window: the readout and keypad in front of a CalculatorEngine, and the
// menus that open the browser, the help and about boxes and the profile windows.
// Its controls and menus come from Calculator.ui; the control arrays are the button
// groups "Number" and "Operator", each button's id being its index in the array.
//
// The keyboard presses the buttons (CalculatorKeys), whichever control has the focus;
// Backspace takes back the last digit typed, Ctrl+C and Ctrl+V copy and paste the readout's
// number, and F10 opens the first menu.
class Calculator : public QMainWindow
{
    Q_OBJECT

public:
    explicit Calculator(QWidget* parent = nullptr);
    ~Calculator() override;

    // Shows the engine's warning as a modal box with an exclamation icon and OK.
    void ShowWarning(const QString& message, const QString& title);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyFonts();
    void connectControls();
    void showReadout();
    void pressByKey(QPushButton* button);
    void copyReadout();
    void pasteNumber();

    void Form_Load();
    void Number_Click(int Index);
    void Decimal_Click();
    void Operator_Click(int Index);
    void Percent_Click();
    void Cancel_Click();
    void CancelEntry_Click();
    void Backspace_KeyPress();
    void Readout_ContextMenu(const QPoint& pos);
    void mnuFileBrowser_Click();
    void mnuFileExit_Click();
    void mnuHelpTopics_Click();
    void mnuNbFenna_Click();
    void mnuNbBrisa_Click();
    void mnuNbEfri_Click();
    void mnuNbDova_Click();
    void mnuNbCaddo_Click();
    void Ardel_Click(int Index);

    std::unique_ptr<Ui::Calculator> m_ui;
    CalculatorEngine m_engine;
    QString m_readoutValue; // the engine's readout, which the label may show cut
    QFont m_readoutFont;    // the readout's designed face
};
