#pragma once

#include "platform/webengine/ViewOverlay.h"

class QWebEngineView;
class WebEnginePage;

// Covers the view when the page's renderer has ended abnormally: says so and offers to
// load the page again.
class CrashNotice : public ViewOverlay
{
    Q_OBJECT

public:
    CrashNotice(WebEnginePage* page, QWebEngineView* view);

protected:
    void place() override;

private:
    QLabel* m_text;
};
