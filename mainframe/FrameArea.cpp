#include "mainframe/FrameArea.h"

#include "platform/Pictures.h"

#include <QPainter>

FrameArea::FrameArea(QWidget* parent)
    : QMdiArea(parent)
    , m_picture(Pictures::image(QStringLiteral(":/mainframe/background")))
{
    setBackground(QColor(224, 224, 224));
}

void FrameArea::paintEvent(QPaintEvent* event)
{
    QMdiArea::paintEvent(event); // the grey
    QPainter painter(viewport());
    painter.drawImage(0, 0, m_picture);
}

void FrameArea::resizeEvent(QResizeEvent* event)
{
    QMdiArea::resizeEvent(event);
    emit resized();
}
