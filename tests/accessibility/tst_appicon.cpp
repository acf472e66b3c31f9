#include "platform/AppIcon.h"

#include <QImage>
#include <QTest>

// The icon the windows show must be the very file the desktop entry's theme icon is,
// size for size, so that the taskbar and the menu show the same picture.
class tst_AppIcon : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowSizeIsTheInstalledDrawing()
    {
        const QIcon icon = AppIcon::icon();
        QCOMPARE(icon.availableSizes().size(), AppIcon::windowSizes().size());
        for (const int size : AppIcon::windowSizes()) {
            const QString installed = QStringLiteral(CALCULATOR_SOURCE_DIR "/assets/icons/hicolor/%1x%1/apps/%2.png")
                                          .arg(size)
                                          .arg(AppIcon::desktopId());
            const QImage expected = QImage(installed).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(!expected.isNull(), qPrintable(installed));
            QCOMPARE(icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     expected);
        }
    }
};

QTEST_MAIN(tst_AppIcon)
#include "tst_appicon.moc"
