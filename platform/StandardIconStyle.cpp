#include "platform/StandardIconStyle.h"

#include "platform/Pictures.h"

#include <QGuiApplication>
#include <QStyleOption>

#include <algorithm>

namespace {

// The icons Qt's common style draws from files, the start of those files' names (for
// left-to-right and right-to-left) and the sizes there are. The build converts the files
// (platform/CMakeLists.txt) into :/style/<name>.
struct Drawing
{
    QStyle::StandardPixmap icon;
    QStringView stem;
    QStringView rightToLeftStem;
    QList<int> sizes;
};

const Drawing drawings[] = {
    {QStyle::SP_ToolBarHorizontalExtensionButton, u"toolbar-ext-h-", u"toolbar-ext-h-rtl-", {8, 16, 32}},
    {QStyle::SP_ToolBarVerticalExtensionButton, u"toolbar-ext-v-", u"toolbar-ext-v-", {5, 10, 20}},
    {QStyle::SP_TitleBarMaxButton, u"titlebar-max-", u"titlebar-max-", {16, 32, 48}},
    {QStyle::SP_LineEditClearButton, u"cleartext-", u"cleartext-", {16}},
};

} // namespace

QIcon StandardIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    const auto drawing
        = std::find_if(std::begin(drawings), std::end(drawings), [icon](const Drawing& d) { return d.icon == icon; });
    if (drawing == std::end(drawings))
        return QProxyStyle::standardIcon(icon, option, widget);
    const bool rtl = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    QIcon drawn;
    for (int size : drawing->sizes) {
        const QPixmap pixmap
            = Pictures::pixmap(u":/style/" % (rtl ? drawing->rightToLeftStem : drawing->stem) % QString::number(size));
        if (pixmap.isNull()) // a Qt that has no such drawing
            return QProxyStyle::standardIcon(icon, option, widget);
        drawn.addPixmap(pixmap);
    }
    return drawn;
}
