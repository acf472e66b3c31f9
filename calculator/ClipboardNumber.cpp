#include "calculator/ClipboardNumber.h"

QString ClipboardNumber::copied(const QString& readout)
{
    return readout.endsWith(u'.') ? readout.chopped(1) : readout;
}

std::optional<QString> ClipboardNumber::keys(const QString& pasted)
{
    constexpr qsizetype longest = 100;
    QString keys = pasted.trimmed();
    if (keys.isEmpty() || keys.size() > longest)
        return std::nullopt;
    bool digit = false, point = false;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const char16_t c = keys.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            digit = true;
        } else if ((c == u'.' || c == u',') && !point) {
            point = true;
            keys[i] = u'.';
        } else if (c != u'-' || i > 0) {
            return std::nullopt;
        }
    }
    return digit ? std::optional(keys) : std::nullopt;
}
