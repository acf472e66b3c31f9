#pragma once

#include <QProxyStyle>

// The application's style, except that the icons every menu bar asks for when it is made
// (the arrows it shows when its menus do not fit) are decoded only when first drawn.
// Made at start-up, they cost a few milliseconds and load every image plugin.
class LazyIconStyle : public QProxyStyle
{
public:
    // Wraps the style named `key`.
    explicit LazyIconStyle(const QString& key);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
