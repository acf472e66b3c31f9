#pragma once

#include <QLabel>

// A label that shows a picture without keeping it: it reads the picture (Pictures) each
// time it paints and lets it go. The backing store of a window keeps what the window
// shows, and a window at rest is painted again only when something in it changes, so
// the pixels held by a label's pixmap would be a second copy in memory, four times as
// large on screens scaled by 2. Screen readers still meet it as a picture, by its
// accessible name.
class PictureBox : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The resource name of the picture (":/calculator/picture").
    QString picture() const { return m_picture; }
    void setPicture(const QString& path);

    // The picture as it is painted: the one for the window's scale.
    QImage image() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_picture;
};
