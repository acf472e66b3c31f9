#pragma once

class QKeyEvent;
class QPushButton;

namespace Ui {
class Calculator;
}

// The keyboard's keys for the calculator's buttons, from the main keys and the keypad:
// the digits, "." and "," for the point, + - * X / for the operators, Enter and = for
// "=", % for percent, Esc for C and Delete for CE.
namespace CalculatorKeys {

// The button that a key press stands for, or null. Shift and the keypad count as the
// same key; with Ctrl, Alt or Meta held no key stands for a button.
QPushButton* buttonFor(const Ui::Calculator& ui, const QKeyEvent& event);

// Adds to each button's tooltip the keys that press it.
void nameKeysInToolTips(Ui::Calculator& ui);

} // namespace CalculatorKeys
