#include "mainframe/StatusPanels.h"

#include "platform/Twips.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QStatusBar>

namespace {

QLabel* addPanel(QStatusBar* bar, const QString& objectName, const QString& toolTip, bool stretches)
{
    auto* panel = new QLabel(bar);
    panel->setObjectName(objectName);
    panel->setToolTip(toolTip);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    const int width = Twips::toPixels(1440);
    if (stretches) {
        panel->setMinimumWidth(width);
        bar->addWidget(panel, 1);
    } else {
        panel->setFixedWidth(width);
        bar->addPermanentWidget(panel);
    }
    return panel;
}

} // namespace

StatusPanels::StatusPanels(QStatusBar* bar)
    : QObject(bar)
{
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(Twips::toPixels(270));
    m_status = addPanel(bar, QStringLiteral("sbStatusPanel1"), QStringLiteral("Current Status"), true);
    m_date = addPanel(bar, QStringLiteral("sbStatusPanel2"), QStringLiteral("Date"), false);
    m_time = addPanel(bar, QStringLiteral("sbStatusPanel3"), QStringLiteral("Currnt Time"), false);
    m_status->setText(QStringLiteral("Status"));

    m_minute.setSingleShot(true);
    m_minute.setTimerType(Qt::PreciseTimer);
    connect(&m_minute, &QTimer::timeout, this, &StatusPanels::refresh);
    refresh();
}

int StatusPanels::msecsToNextMinute(const QTime& now)
{
    return 60'000 - now.msecsSinceStartOfDay() % 60'000;
}

QString StatusPanels::shortTime(const QLocale& locale, const QTime& time)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[^Hhmaptz]*s+(\\.z+)?"));
    format.remove(seconds);
    return locale.toString(time, format.trimmed());
}

void StatusPanels::refresh()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    m_date->setText(locale.toString(now.date(), QLocale::ShortFormat));
    m_time->setText(shortTime(locale, now.time()));
    m_minute.start(msecsToNextMinute(now.time()));
}
