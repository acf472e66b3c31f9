// The program's start, as main() makes it: the calculator window shows its pictures
// without loading any image plugin, which a guessed image format would do.
#include "calculator/Calculator.h"
#include "platform/AppIcon.h"
#include "platform/GuardedApplication.h"

#include <QFile>
#include <QTest>

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    app.setWindowIcon(AppIcon::icon());
    Calculator window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    window.grab(); // paints everything, the menu bar included
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return 2;
    const QList<QByteArray> plugins = maps.readAll().split('\n');
    int loaded = 0;
    for (const QByteArray& mapping : plugins) {
        if (mapping.contains("/imageformats/")) {
            qWarning("image plugin loaded at start: %s", mapping.mid(mapping.lastIndexOf(' ') + 1).constData());
            ++loaded;
        }
    }
    return loaded == 0 ? 0 : 1;
}
