#pragma once

#include "platform/webengine/ViewOverlay.h"

class QWebEngineView;
class WebEnginePage;

// The address of the link under the mouse pointer, in a bubble at the view's bottom left.
class LinkBubble : public ViewOverlay
{
    Q_OBJECT

public:
    LinkBubble(WebEnginePage* page, QWebEngineView* view);

protected:
    void place() override;

private:
    QLabel* m_text;
};
