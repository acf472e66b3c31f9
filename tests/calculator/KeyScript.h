#pragma once

#include "calculator/CalculatorEngine.h"

#include <string>

// Plays a key script on an engine: digits, ".", "+", "-", "X", "/", "=", "%", "C" and
// "E" (for CE); blanks are ignored. Returns the readout after the last key.
inline std::string play(CalculatorEngine& engine, const std::string& keys)
{
    for (char key : keys) {
        switch (key) {
        case ' ': break;
        case '.': engine.DecimalKey(); break;
        case '%': engine.PercentKey(); break;
        case 'C': engine.CancelKey(); break;
        case 'E': engine.CancelEntryKey(); break;
        default:
            if (key >= '0' && key <= '9')
                engine.NumberKey(std::string(1, key));
            else
                engine.OperatorKey(std::string(1, key));
        }
    }
    return engine.Readout();
}
