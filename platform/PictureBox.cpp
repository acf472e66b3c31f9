#include "platform/PictureBox.h"

#include "platform/Pictures.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>

#ifdef __GLIBC__
#include <malloc.h>
#endif

PictureBox::PictureBox(QWidget* parent)
    : QLabel(parent)
{
    // A label that shows no pixmap is text to Qt's accessibility; this one is a picture.
    static const bool installed = [] {
        QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
            if (className != u"PictureBox" || !object->isWidgetType())
                return nullptr;
            return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
        });
        return true;
    }();
    Q_UNUSED(installed);
}

void PictureBox::setPicture(const QString& path)
{
    m_picture = path;
    update();
}

QImage PictureBox::image() const
{
    return Pictures::image(m_picture, devicePixelRatio());
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event); // the frame and any text
    {
        QPainter painter(this);
        const QImage shown = image();
        const QRect place
            = style()->alignedRect(layoutDirection(), QStyle::visualAlignment(layoutDirection(), alignment()),
                                   shown.deviceIndependentSize().toSize(), contentsRect());
        painter.drawImage(place.topLeft(), shown);
    }
#ifdef __GLIBC__
    // The first picture read has memory of its own, given back when it is freed; glibc then
    // serves blocks of that size from its heap, where a freed one stays unless trimmed.
    malloc_trim(0);
#endif
}
