#pragma once

#include "platform/webengine/WebEnginePage.h"

// The view's page. Besides opening new windows, it tells when the engine's "leave this
// page?" prompt is shown and how it was answered: the engine reports a cancelled
// navigation or close nowhere else.
class LeavePromptPage : public WebEnginePage
{
    Q_OBJECT

public:
    using WebEnginePage::WebEnginePage;

signals:
    void leavePromptShown();
    void leavePromptAnswered(bool leave);

protected:
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
};
