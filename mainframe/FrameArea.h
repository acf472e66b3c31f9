#pragma once

#include <QImage>
#include <QMdiArea>

// The frame's client area: the group picture at the top-left over light grey, with the
// browser windows in front of it.
class FrameArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit FrameArea(QWidget* parent = nullptr);

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_picture;
};
