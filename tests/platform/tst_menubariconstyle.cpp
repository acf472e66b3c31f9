#include "platform/MenuBarIconStyle.h"

#include <QImage>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <memory>

// The style reads the menu bar's arrows itself; they must come out exactly as the style
// it wraps draws them, at every size and in both directions, and every other icon must
// come from the wrapped style untouched.
class tst_MenuBarIconStyle : public QObject
{
    Q_OBJECT

private slots:
    void iconsAreTheWrappedStyles_data()
    {
        QTest::addColumn<QStyle::StandardPixmap>("icon");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("horizontal arrows") << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::LeftToRight;
        QTest::newRow("horizontal arrows, right to left")
            << QStyle::SP_ToolBarHorizontalExtensionButton << Qt::RightToLeft;
        QTest::newRow("vertical arrows") << QStyle::SP_ToolBarVerticalExtensionButton << Qt::LeftToRight;
        QTest::newRow("another icon passes through") << QStyle::SP_MessageBoxWarning << Qt::LeftToRight;
    }

    void iconsAreTheWrappedStyles()
    {
        QFETCH(QStyle::StandardPixmap, icon);
        QFETCH(Qt::LayoutDirection, direction);
        MenuBarIconStyle style(QStringLiteral("Fusion"));
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
        QStyleOption option;
        option.direction = direction;

        const QIcon ours = style.standardIcon(icon, &option, nullptr);
        const QIcon theirs = plain->standardIcon(icon, &option, nullptr);
        QVERIFY(!ours.isNull());
        QCOMPARE(ours.availableSizes(), theirs.availableSizes());
        for (const QSize& size : theirs.availableSizes()) {
            QCOMPARE(ours.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
                     theirs.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
        }
    }
};

QTEST_MAIN(tst_MenuBarIconStyle)
#include "tst_menubariconstyle.moc"
