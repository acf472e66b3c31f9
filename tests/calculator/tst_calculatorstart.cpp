// The program's start, as main() makes it: the calculator window shows its picture, and
// no image plugin is mapped on the way (reading a picture without naming its format asks
// every plugin installed).
#include "calculator/Calculator.h"
#include "platform/AppIcon.h"
#include "platform/CalculatorApplication.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>

int main(int argc, char* argv[])
{
    CalculatorApplication app(argc, argv);
    app.setWindowIcon(AppIcon::icon());
    Calculator window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    window.grab(); // paints everything, the menu bar included

    // Before the reference pictures below are read: their reading maps the plugins.
    int faults = 0;
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return 2;
    const QList<QByteArray> mappings = maps.readAll().split('\n');
    for (const QByteArray& mapping : mappings) {
        if (mapping.contains("/imageformats/")) {
            qWarning("image plugin mapped at start: %s", mapping.mid(mapping.lastIndexOf(' ') + 1).constData());
            ++faults;
        }
    }

    const QImage picture(QStringLiteral(CALCULATOR_SOURCE_DIR "/assets/calculator/picture.png"));
    const auto* image = window.findChild<QLabel*>(QStringLiteral("Image1"));
    if (picture.isNull() || !image
        || image->pixmap().toImage().convertToFormat(QImage::Format_RGB32)
            != picture.convertToFormat(QImage::Format_RGB32)) {
        qWarning("the window does not show assets/calculator/picture.png");
        ++faults;
    }
    const QImage icon(QStringLiteral(CALCULATOR_SOURCE_DIR "/assets/calculator/icon.png"));
    if (window.windowIcon().pixmap(icon.size(), 1.0).toImage().convertToFormat(QImage::Format_ARGB32)
        != icon.convertToFormat(QImage::Format_ARGB32)) {
        qWarning("the window's icon is not assets/calculator/icon.png");
        ++faults;
    }

    return faults == 0 ? 0 : 1;
}
