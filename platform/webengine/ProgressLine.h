#pragma once

#include "platform/webengine/ViewOverlay.h"

class QWebEngineView;
class WebEnginePage;

// A line across the top of the view whose length follows the progress of any load of
// the page, whoever started it; hidden while nothing loads.
class ProgressLine : public ViewOverlay
{
    Q_OBJECT

public:
    ProgressLine(WebEnginePage* page, QWebEngineView* view);

protected:
    void place() override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
};
