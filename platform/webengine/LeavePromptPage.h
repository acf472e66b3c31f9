#pragma once

#include <QWebEnginePage>

// The view's page. It tells when the engine's "leave this page?" prompt is shown and how
// it was answered: the engine reports a cancelled navigation or close nowhere else.
class LeavePromptPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

signals:
    void leavePromptShown();
    void leavePromptAnswered(bool leave);

protected:
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
};
