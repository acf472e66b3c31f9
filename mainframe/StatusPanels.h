#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

class QLabel;
class QLocale;
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
    // The locale's short time without seconds, which a once-a-minute refresh could not
    // keep true.
    static QString shortTime(const QLocale& locale, const QTime& time);

private:
    void refresh();

    QLabel* m_status;
    QLabel* m_date;
    QLabel* m_time;
    QTimer m_minute;
};
