#pragma once

#include <QString>

class QFontMetrics;

// Texts that come from pages and servers (file names, realms, hosts, titles) are hostile:
// they may hide characters, reorder what is shown or be longer than any window. They are
// cleaned before they are shown or used, and cut to the room they are shown in.
namespace ServerText {

// text without control characters, format characters (bidirectional overrides and
// isolates, zero-width characters) and line or paragraph separators.
QString cleaned(const QString& text);

// text cleaned and, when wider than width pixels, cut in the middle with an ellipsis.
QString elided(const QString& text, const QFontMetrics& metrics, int width);

// A proposed download name made safe to show and to save under: cleaned, white space
// trimmed, path separators and leading dots (which hide a file) replaced by "_", and cut
// to the 255 bytes a file name may take (less the ".download" of the file being
// downloaded), keeping its extension; "download" when nothing is left.
QString safeFileName(const QString& proposed);

} // namespace ServerText
