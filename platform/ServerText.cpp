#include "platform/ServerText.h"

#include <QFontMetrics>
#include <QList>
#include <QTextBoundaryFinder>

namespace ServerText {
namespace {

// The longest name a Linux file system takes is 255 bytes of its UTF-8 form; the engine
// writes a download to the name with ".download" added until it is complete.
constexpr qsizetype NameMax = 255 - qsizetype(sizeof(".download") - 1);
// A longer "extension" is part of the name, cut with it.
constexpr qsizetype ExtensionMax = 32;

bool hidden(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// The longest start of text, cut between two characters as a reader sees them, that
// takes at most bytes in UTF-8.
QString leftBytes(const QString& text, qsizetype bytes)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0, used = 0;
    for (qsizetype next = characters.toNextBoundary(); next > 0; next = characters.toNextBoundary()) {
        used += QStringView(text).mid(end, next - end).toUtf8().size();
        if (used > bytes)
            break;
        end = next;
    }
    return text.left(end);
}

} // namespace

QString cleaned(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const uint c : text.toUcs4()) // a lone surrogate becomes U+FFFD here
        if (!hidden(char32_t(c)))
            kept.append(QChar::fromUcs4(char32_t(c)));
    return kept;
}

QString elided(const QString& text, const QFontMetrics& metrics, int width)
{
    return metrics.elidedText(cleaned(text), Qt::ElideMiddle, width);
}

QString safeFileName(const QString& proposed)
{
    QString name = cleaned(proposed).trimmed();
    name.replace(u'/', u'_').replace(u'\\', u'_');
    for (qsizetype i = 0; i < name.size() && name.at(i) == u'.'; ++i)
        name[i] = u'_';
    if (name.isEmpty())
        return QStringLiteral("download");
    if (name.toUtf8().size() <= NameMax)
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot > 0 && name.size() - dot <= ExtensionMax ? name.mid(dot) : QString();
    const QString stem = name.left(name.size() - extension.size());
    return leftBytes(stem, NameMax - extension.toUtf8().size()) + extension;
}

} // namespace ServerText
