#pragma once

#include <QString>

#include <optional>

// The readout's number on its way to and from the clipboard.
namespace ClipboardNumber {

// The readout as a number other programs read: without its trailing point ("12." is 12);
// "-0.5" and "1.5E+20" stay as shown.
QString copied(const QString& readout);

// The keys that type a pasted text, trimmed, when it is a plain decimal number: an
// optional leading "-", digits, at most one "." or "," (typed as the point), at most 100
// characters. Nothing for anything else, so that no number is ever typed in part.
std::optional<QString> keys(const QString& pasted);

} // namespace ClipboardNumber
