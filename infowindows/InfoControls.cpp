#include "infowindows/InfoControls.h"

#include "platform/Twips.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace InfoControls {

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height,
              bool wraps)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(Twips::rect(left, top, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wraps);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(Twips::rect(left, top, width, height));
    return button;
}

QWidget* line(QWidget* parent, const char* name, int x1, int x2, int y, const QColor& colour, int width)
{
    auto* line = new QWidget(parent);
    line->setObjectName(QLatin1String(name));
    const int left = Twips::toPixels(x1);
    line->setGeometry(left, Twips::toPixels(y), Twips::toPixels(x2) - left + 1, width);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    line->setAutoFillBackground(true);
    return line;
}

void titleBarWithCloseBox(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
}

void frameWindow(QDialog* dialog, int clientWidth, int clientHeight)
{
    titleBarWithCloseBox(dialog);
    dialog->resize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight));
}

} // namespace InfoControls
