#pragma once

#include <QObject>

#include <memory>

class QPrinter;
class QWebEngineView;
class WebEnginePage;

// Prints the view's page through the print dialog, when the page asks (window.print())
// or the user presses Ctrl+P in the view. With no printer installed the dialog offers a
// PDF file named after the page, in the user's documents folder (the home folder when
// there is none). A PDF file keeps the page's text as text; a failure to write it is
// said in the view, with the file and the reason.
class PagePrinter : public QObject
{
    Q_OBJECT

public:
    PagePrinter(WebEnginePage* page, QWebEngineView* view);
    ~PagePrinter() override;

    void print();

private:
    void saveAsPdf(const QPrinter& printer);

    QWebEngineView* m_view;
    std::unique_ptr<QPrinter> m_printer; // the engine prints asynchronously into it
    bool m_savingPdf = false;
};
