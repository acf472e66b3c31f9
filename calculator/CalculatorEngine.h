#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

// The arithmetic state machine behind the calculator keypad. It owns the readout text
// and the calculation in progress; each operation takes one key. Plain C++, no Qt.
//
// Operations chain strictly from left to right, a number being typed always shows a
// decimal point, and "=" is an operator like the others.
//
// BackspaceKey removes the last typed character of the number being typed, and does
// nothing when no number is being typed (after an operator, "=", percent, C or CE). The
// readout keeps its one "." and the trailing-point form:
//   "12.5" -> "12."  the point stays keyed: a digit typed next joins the fraction
//   "12."  -> "1."   an integer digit goes, and with it the keyed point
//   "7."   -> "0."   the 0 stands for no digit: a digit typed next replaces it ("5.")
//   "-7."  -> "-0."  likewise, keeping the sign ("-5.")
//   "0."   -> "0."   when the 0 stands for no digit, nothing is left to remove
class CalculatorEngine
{
public:
    using WarningSink = std::function<void(const std::string& message, const std::string& title)>;

    explicit CalculatorEngine(WarningSink showWarning);

    void Reset();
    void NumberKey(const std::string& digit);
    void DecimalKey();
    void OperatorKey(const std::string& symbol);
    void PercentKey();
    void CancelKey();
    void CancelEntryKey();
    void BackspaceKey();

    std::string Readout() const;

private:
    // Unset, a number, or a readout text kept exactly as it stood.
    using OperandValue = std::variant<std::monostate, double, std::string>;

    enum class KeyKind { None, Nums, Neg, Ops, CE };

    static std::string textForm(const OperandValue& operand);
    void evaluate();
    void keepLeftOperand();
    void countOperand();

    WarningSink m_showWarning;
    std::string m_readout = "0.";
    OperandValue m_leftOperand;
    OperandValue m_rightOperand;
    bool m_pointEntered = false;
    // Backspace removed every digit of the number being typed: its "0." holds no digit.
    bool m_noDigitTyped = false;
    std::int16_t m_operandCount = 0;
    KeyKind m_lastKeyKind = KeyKind::None;
    std::string m_pendingOperator = " ";
    std::string m_capturedReadout;
};
