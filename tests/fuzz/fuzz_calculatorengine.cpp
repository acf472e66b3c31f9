// Turns bytes into key sequences for CalculatorEngine and checks, after every key, that
// the readout is something later keys can read back: a number text that strict reading
// accepts, or the lone "-".
#include "calculator/CalculatorEngine.h"
#include "calculator/NumberText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CalculatorEngine engine([](const std::string& message, const std::string& title) {
        if (message != "Can't divide by zero" || title != "Calculator")
            std::abort();
    });
    engine.Reset();
    static const char* const operators[] = {"+", "-", "X", "/", "="};
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = data[i];
        // Bits 4-6 choose the key; a set top bit repeats it, so that very long numbers and
        // long stretches of percent keys are cheap for the fuzzer to reach.
        for (int r = (byte & 0x80) ? 1 + (byte & 0x0f) * 64 : 1; r > 0; --r) {
            switch ((byte >> 4) & 0x07) {
            case 0:
            case 1:
            case 2:
                engine.NumberKey(std::string(1, char('0' + byte % 10)));
                break;
            case 3:
                engine.DecimalKey();
                break;
            case 4:
                engine.OperatorKey(operators[byte % 5]);
                break;
            case 5:
                engine.PercentKey();
                break;
            case 6:
                (byte & 0x08) ? engine.BackspaceKey() : engine.CancelEntryKey();
                break;
            default:
                engine.CancelKey();
                break;
            }
            const std::string readout = engine.Readout();
            if (readout != "-" && NumberText::readStrict(readout).kind == NumberText::Reading::Kind::NotANumber) {
                std::fprintf(stderr, "byte %zu left an unreadable readout: %.200s\n", i, readout.c_str());
                std::abort();
            }
        }
    }
    return 0;
}
