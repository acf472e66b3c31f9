// Prints "painted <CLOCK_MONOTONIC ns> <width> <height>" once, right after the first
// top-level widget has been painted and its backing store flushed to the display.
// Installed at application construction, so the program's own main stays unchanged.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

class FirstPaintProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_done && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isWindow()) {
                m_done = true;
                // The flush to the display follows the paint in the same repaint pass;
                // a zero timer fires after it.
                QTimer::singleShot(0, this, [this, widget] { report(widget); });
            }
        }
        return false;
    }

private:
    void report(QWidget* widget)
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
        std::printf("painted %lld %d %d\n", ns, widget->width(), widget->height());
        std::fflush(stdout);
        qApp->removeEventFilter(this);
    }

    bool m_done = false;
};

void installProbe()
{
    qApp->installEventFilter(new FirstPaintProbe(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
