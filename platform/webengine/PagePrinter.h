#pragma once

#include <QObject>

#include <memory>

class QPrinter;
class QWebEngineView;
class WebEnginePage;

// Prints the view's page through the print dialog, when the page asks (window.print())
// or the user presses Ctrl+P in the view. With no printer installed the dialog offers a
// PDF file in the user's documents folder, named after the page.
class PagePrinter : public QObject
{
    Q_OBJECT

public:
    PagePrinter(WebEnginePage* page, QWebEngineView* view);
    ~PagePrinter() override;

    void print();

private:
    QWebEngineView* m_view;
    std::unique_ptr<QPrinter> m_printer; // the engine prints asynchronously into it
};
