#include "calculator/CalculatorEngine.h"

#include "calculator/NumberText.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {

// The numeric value of an operand, read strictly. The lone "-" counts as 0; a number
// beyond the range of a double has no value, and the evaluation that needs it is refused.
std::optional<double> strictValue(const std::variant<std::monostate, double, std::string>& operand)
{
    if (std::holds_alternative<std::monostate>(operand))
        return 0.0;
    if (const double* number = std::get_if<double>(&operand))
        return *number;
    const std::string& text = std::get<std::string>(operand);
    if (text == "-")
        return 0.0;
    const NumberText::Reading reading = NumberText::readStrict(text);
    if (!reading.isNumber())
        return reading.kind == NumberText::Reading::Kind::OutOfRange ? std::nullopt : std::optional(0.0);
    return reading.value;
}

std::optional<double> lenientValue(const std::string& text)
{
    const NumberText::Reading reading = NumberText::readLenient(text);
    if (!reading.isNumber())
        return std::nullopt;
    return reading.value;
}

} // namespace

CalculatorEngine::CalculatorEngine(WarningSink showWarning)
    : m_showWarning(std::move(showWarning))
{ }

void CalculatorEngine::Reset()
{
    m_pointEntered = false;
    m_operandCount = 0;
    m_lastKeyKind = KeyKind::None;
    m_pendingOperator = " ";
}

void CalculatorEngine::NumberKey(const std::string& digit)
{
    if (m_lastKeyKind != KeyKind::Nums) {
        m_readout = ".";
        m_pointEntered = false;
    } else if (m_noDigitTyped) {
        m_readout.erase(m_readout.size() - 2, 1); // the 0 that stood for no digit
    }
    m_noDigitTyped = false;
    if (m_pointEntered) {
        m_readout += digit;
    } else {
        // While the integer part is typed its point trails it, so the digit goes in just
        // before the last character; appending keeps long numbers linear to type.
        m_readout.pop_back();
        m_readout += digit;
        m_readout += '.';
    }
    if (m_lastKeyKind == KeyKind::Neg)
        m_readout.insert(0, 1, '-');
    m_lastKeyKind = KeyKind::Nums;
}

void CalculatorEngine::DecimalKey()
{
    if (m_lastKeyKind == KeyKind::Neg)
        m_readout = "-0.";
    else if (m_lastKeyKind != KeyKind::Nums)
        m_readout = "0.";
    m_pointEntered = true;
    m_noDigitTyped = false;
    m_lastKeyKind = KeyKind::Nums;
}

void CalculatorEngine::OperatorKey(const std::string& symbol)
{
    m_capturedReadout = m_readout;
    if (m_lastKeyKind == KeyKind::Nums)
        countOperand();

    switch (m_operandCount) {
    case 0:
        if (symbol == "-" && m_lastKeyKind != KeyKind::Neg) {
            m_readout.insert(0, 1, '-');
            m_lastKeyKind = KeyKind::Neg;
        }
        break;
    case 1:
        m_leftOperand = m_readout;
        // A minus after an operator is the sign of the coming right operand.
        if (symbol == "-" && m_lastKeyKind != KeyKind::Nums && m_pendingOperator != "=") {
            m_readout = "-";
            m_lastKeyKind = KeyKind::Neg;
        }
        break;
    case 2:
        m_rightOperand = m_capturedReadout;
        evaluate();
        m_readout = textForm(m_leftOperand);
        m_operandCount = 1;
        break;
    default:
        // From the third operand on nothing is evaluated until C.
        break;
    }

    if (m_lastKeyKind != KeyKind::Neg) {
        m_lastKeyKind = KeyKind::Ops;
        m_pendingOperator = symbol;
    }
}

void CalculatorEngine::PercentKey()
{
    // A readout beyond the range of a double is left as it is.
    if (const std::optional<double> value = strictValue(m_readout))
        m_readout = NumberText::format(*value / 100);
    m_lastKeyKind = KeyKind::Ops;
    m_pendingOperator = "%";
    countOperand();
}

void CalculatorEngine::CancelKey()
{
    m_readout = "0.";
    m_leftOperand = 0.0;
    m_rightOperand = 0.0;
    Reset();
}

void CalculatorEngine::CancelEntryKey()
{
    m_readout = "0.";
    m_pointEntered = false;
    m_lastKeyKind = KeyKind::CE;
}

void CalculatorEngine::BackspaceKey()
{
    if (m_lastKeyKind != KeyKind::Nums)
        return;
    // With the point keyed, the fraction's digits follow it; otherwise the point trails.
    if (m_pointEntered && m_readout.back() != '.') {
        m_readout.pop_back();
        return;
    }
    // A 0 that stands for no digit goes and comes back: nothing changes.
    m_pointEntered = false;
    const std::size_t lastDigit = m_readout.size() - 2;
    m_readout.erase(lastDigit, 1);
    if (lastDigit == (m_readout.front() == '-' ? 1u : 0u)) {
        m_readout.insert(lastDigit, 1, '0');
        m_noDigitTyped = true;
    }
}

std::string CalculatorEngine::Readout() const
{
    return m_readout;
}

std::string CalculatorEngine::textForm(const OperandValue& operand)
{
    if (const double* number = std::get_if<double>(&operand))
        return NumberText::format(*number);
    if (const std::string* text = std::get_if<std::string>(&operand))
        return *text;
    return {};
}

void CalculatorEngine::countOperand()
{
    // The count rises with every operand and percent until C; it stops at its largest value.
    if (m_operandCount < std::numeric_limits<std::int16_t>::max())
        ++m_operandCount;
}

// Combines the left operand with the right one by the pending operator. A result, or an
// operand, beyond the range of a double is refused like a division by zero: the left
// operand stays as it was.
void CalculatorEngine::evaluate()
{
    std::optional<double> result;
    const std::string& op = m_pendingOperator;
    if (op == "+") {
        const std::optional<double> left = lenientValue(textForm(m_leftOperand));
        const std::optional<double> right = lenientValue(textForm(m_rightOperand));
        if (left && right)
            result = *left + *right;
    } else if (op == "-" || op == "X" || op == "%" || op == "/") {
        const std::optional<double> left = strictValue(m_leftOperand);
        const std::optional<double> right = strictValue(m_rightOperand);
        if (op == "/" && right && *right == 0) {
            m_showWarning("Can't divide by zero", "Calculator");
            return;
        }
        if (left && right) {
            if (op == "-")
                result = *left - *right;
            else if (op == "/")
                result = *left / *right;
            else
                result = *left * *right;
        }
    } else if (op == "=") {
        if (strictValue(m_rightOperand))
            m_leftOperand = m_rightOperand;
        else
            keepLeftOperand();
        return;
    } else {
        return;
    }
    if (result && std::isfinite(*result))
        m_leftOperand = *result == 0 ? 0.0 : *result;
    else
        keepLeftOperand();
}

// A refused evaluation leaves the left operand as it was; one never set (a chain begun
// with the percent key) becomes the 0 it counts as, so that the readout shows a number.
void CalculatorEngine::keepLeftOperand()
{
    if (std::holds_alternative<std::monostate>(m_leftOperand))
        m_leftOperand = 0.0;
}
