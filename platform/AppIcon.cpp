#include "platform/AppIcon.h"

#include "platform/Picture.h"

#include <QIconEngine>
#include <QPainter>

// Resources compiled into a static library are only linked in when something
// refers to them; this function is that reference.
static void initAppIconResources()
{
    Q_INIT_RESOURCE(appicon);
}

namespace {

// Names its sizes at once but decodes the drawings only when a window first asks for
// a picture. The calculator's own window has an icon of its own, so the program
// starts without reading these at all.
class DeferredIconEngine : public QIconEngine
{
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return loaded().pixmap(size, scale, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        if (!m_icon.isNull())
            return m_icon.availableSizes(mode, state);
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (int size : AppIcon::windowSizes())
                sizes.append(QSize(size, size));
        }
        return sizes;
    }

    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& loaded()
    {
        if (m_icon.isNull()) {
            initAppIconResources();
            for (int size : AppIcon::windowSizes())
                m_icon.addPixmap(Picture::png(QStringLiteral(":/icons/app/%1.png").arg(size)));
        }
        return m_icon;
    }

    QIcon m_icon;
};

} // namespace

namespace AppIcon {

QString desktopId()
{
    return QStringLiteral("example.corveluniverse.Calculator");
}

QList<int> windowSizes()
{
    return {16, 22, 24, 32, 48, 64};
}

// Only the sizes a window manager draws are held: at 128 and 256 pixels the drawings
// cost more to decode than all the rest of the window's pictures.
QIcon icon()
{
    return QIcon(new DeferredIconEngine);
}

} // namespace AppIcon
