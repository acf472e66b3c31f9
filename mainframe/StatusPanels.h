#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

class QLabel;
class QStatusBar;

// The frame's status bar panels: "Status", the short date and the short time. The
// date and time are refreshed by one single-shot timer aimed at the next minute, so an
// idle frame wakes once a minute and never polls.
class StatusPanels : public QObject
{
    Q_OBJECT
public:
    explicit StatusPanels(QStatusBar* bar);

    // Milliseconds from now to the start of the next minute (at least 1).
    static int msecsToNextMinute(const QTime& now);

private:
    void refresh();

    QLabel* m_status;
    QLabel* m_date;
    QLabel* m_time;
    QTimer m_minute;
};
