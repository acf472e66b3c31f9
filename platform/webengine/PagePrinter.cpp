#include "platform/webengine/PagePrinter.h"

#include <QDir>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QShortcut>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineView>

PagePrinter::PagePrinter(WebEnginePage*, QWebEngineView* view)
    : QObject(view)
    , m_view(view)
{
    auto* shortcut = new QShortcut(QKeySequence::Print, view, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, &PagePrinter::print);
    connect(view, &QWebEngineView::printRequested, this, &PagePrinter::print);
    connect(view, &QWebEngineView::printFinished, this, [this] { m_printer.reset(); });
}

PagePrinter::~PagePrinter() = default;

void PagePrinter::print()
{
    if (m_printer) // the previous print job is still running
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Characters that cannot be in a file name become spaces.
        QString name = m_view->page()->title().simplified();
        name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral(" "));
        if (name.trimmed().isEmpty())
            name = tr("page");
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        printer->setOutputFileName(QDir(folder).filePath(name.trimmed() + QStringLiteral(".pdf")));
    }
    // The window, with its view and this printer, may close while the dialog is open.
    const QPointer<PagePrinter> alive(this);
    const QPointer<QPrintDialog> dialog = new QPrintDialog(printer.get(), m_view);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    delete dialog.data();
    if (!alive || !accepted)
        return;
    m_printer = std::move(printer);
    m_view->print(m_printer.get());
}
