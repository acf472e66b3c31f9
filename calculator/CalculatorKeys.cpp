#include "calculator/CalculatorKeys.h"

#include "ui_Calculator.h"

#include <QKeyEvent>
#include <QStringBuilder>

#include <algorithm>
#include <array>

namespace {

struct Binding
{
    QPushButton* Ui::Calculator::*button;
    std::array<int, 3> keys; // unused places hold 0, which no key press carries
    const char16_t* names;   // the keys as the tooltip names them
};

// Each digit button is pressed by its own digit, so the digits need no row here.
const Binding bindings[] = {
    {&Ui::Calculator::Decimal, {Qt::Key_Period, Qt::Key_Comma}, u". or ,"},
    {&Ui::Calculator::Operator_1, {Qt::Key_Plus}, u"+"},
    {&Ui::Calculator::Operator_3, {Qt::Key_Minus}, u"-"},
    {&Ui::Calculator::Operator_2, {Qt::Key_Asterisk, Qt::Key_X}, u"* or X"},
    {&Ui::Calculator::Operator_0, {Qt::Key_Slash}, u"/"},
    {&Ui::Calculator::Operator_4, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Equal}, u"Enter or ="},
    {&Ui::Calculator::Percent, {Qt::Key_Percent}, u"%"},
    {&Ui::Calculator::Cancel, {Qt::Key_Escape}, u"Esc"},
    {&Ui::Calculator::CancelEntry, {Qt::Key_Delete}, u"Delete (Backspace takes back one digit)"},
};

} // namespace

QPushButton* CalculatorKeys::buttonFor(const Ui::Calculator& ui, const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held
        = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const int key = event.key();
    if (held != Qt::NoModifier || key == 0)
        return nullptr;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return qobject_cast<QPushButton*>(ui.Number->button(key - Qt::Key_0));
    for (const Binding& binding : bindings)
        if (std::find(binding.keys.begin(), binding.keys.end(), key) != binding.keys.end())
            return ui.*binding.button;
    return nullptr;
}

void CalculatorKeys::nameKeysInToolTips(Ui::Calculator& ui)
{
    const auto name = [](QAbstractButton* button, const QString& keys) {
        button->setToolTip(button->toolTip() % u"\nKey: " % keys);
    };
    for (QAbstractButton* digit : ui.Number->buttons())
        name(digit, digit->text());
    for (const Binding& binding : bindings)
        name(ui.*binding.button, QString::fromUtf16(binding.names));
}
