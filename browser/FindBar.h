#pragma once

#include <QFrame>

#include <memory>

namespace Ui {
class FindBar;
}

class WebView;

// A small bar that finds text in a browser window's page: typing searches, Enter and
// Next go to the next match, Shift+Enter and Previous to the one before, the count of
// matches beside them; Esc or Close hides it and clears the highlight.
class FindBar : public QFrame
{
    Q_OBJECT
public:
    FindBar(WebView* view, QWidget* parent);
    ~FindBar() override;

    // Shows the bar with its text selected and the focus in it, and finds that text.
    void open();
    // Hides the bar, clears the highlight and gives the focus back to the page.
    void dismiss();

signals:
    // The bar was shown or hidden: its window gives it room under the page, or takes it back.
    void shownChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find(bool backward);
    void showMatches(int active, int total);

    std::unique_ptr<Ui::FindBar> m_ui;
    WebView* m_view;
};
