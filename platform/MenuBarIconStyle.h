#pragma once

#include <QProxyStyle>

// The application's style, except that the arrows a menu bar shows when its menus do not
// fit are read as PNG outright (Picture::png). Every menu bar asks for them when it is
// made, and the style's own reading would map every image plugin installed.
class MenuBarIconStyle : public QProxyStyle
{
public:
    // Wraps the style named `key`.
    explicit MenuBarIconStyle(const QString& key);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
