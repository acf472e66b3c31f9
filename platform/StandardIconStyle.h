#pragma once

#include <QProxyStyle>

// The desktop's style, except for the few standard icons that Qt's common style reads from
// PNG drawings of its own: these come from the same drawings, converted when the program
// is built, through Pictures. Qt's own reading would load every image plugin installed
// (Pictures.h says why that matters), and every menu bar asks for one of them, its
// overflow arrows, as it is made.
class StandardIconStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};
