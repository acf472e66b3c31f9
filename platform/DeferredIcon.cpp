#include "platform/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

namespace {

class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(std::function<QIcon()> load, QList<QSize> sizes)
        : m_load(std::move(load))
        , m_sizes(std::move(sizes))
    {
    }

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
        if (!m_done && !m_sizes.isEmpty())
            return mode == QIcon::Normal && state == QIcon::Off ? m_sizes : QList<QSize>();
        return loaded().availableSizes(mode, state);
    }

    bool isNull() override { return m_done ? m_icon.isNull() : false; }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& loaded()
    {
        if (!m_done) {
            m_done = true;
            m_icon = m_load();
        }
        return m_icon;
    }

    std::function<QIcon()> m_load;
    QList<QSize> m_sizes;
    QIcon m_icon;
    bool m_done = false;
};

} // namespace

namespace DeferredIcon {

QIcon make(std::function<QIcon()> load, QList<QSize> sizes)
{
    return QIcon(new DeferredIconEngine(std::move(load), std::move(sizes)));
}

} // namespace DeferredIcon
