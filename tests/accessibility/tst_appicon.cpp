// The application icon as the windows and the desktop get it.
#include "platform/AppIcon.h"

#include <QFile>
#include <QImage>
#include <QTest>

class tst_AppIcon : public QObject
{
    Q_OBJECT
private slots:
    void everyHicolorSizeIsItsOwnDrawing_data();
    void everyHicolorSizeIsItsOwnDrawing();
};

void tst_AppIcon::everyHicolorSizeIsItsOwnDrawing_data()
{
    QTest::addColumn<int>("size");
    for (int size : AppIcon::windowSizes())
        QTest::newRow(qPrintable(QString::number(size) + QStringLiteral(" px"))) << size;
}

// The icon the windows show must be the very file the desktop entry's theme icon is,
// size for size, so that the taskbar and the menu show the same picture.
void tst_AppIcon::everyHicolorSizeIsItsOwnDrawing()
{
    QFETCH(int, size);
    const QIcon icon = AppIcon::icon();
    QCOMPARE(icon.availableSizes().size(), AppIcon::windowSizes().size());
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));

    const QString installed = QStringLiteral(CALCULATOR_SOURCE_DIR "/assets/icons/hicolor/%1x%1/apps/%2.png")
                                  .arg(size)
                                  .arg(AppIcon::desktopId());
    QImage expected(installed);
    QVERIFY2(!expected.isNull(), qPrintable(installed));
    const QImage shown = icon.pixmap(QSize(size, size), 1.0).toImage();
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QTEST_MAIN(tst_AppIcon)
#include "tst_appicon.moc"
