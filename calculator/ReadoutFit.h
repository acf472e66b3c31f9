#pragma once

#include <QFont>
#include <QString>

// How the readout shows a text in its width: in its designed face whenever the text fits,
// else in the largest smaller size that fits, down to a legible minimum, and past that
// the end of the text behind an ellipsis.
namespace ReadoutFit {

struct Shown
{
    QFont font;
    QString text;
    bool whole = true; // false when the start of the text is cut off
};

// width: the readout's contents width; the text keeps half an "x" from either side.
Shown fit(const QString& text, const QFont& designed, int width);

} // namespace ReadoutFit
