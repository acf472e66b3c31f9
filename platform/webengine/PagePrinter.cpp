#include "platform/webengine/PagePrinter.h"

#include "platform/webengine/NoticeBar.h"

#include <QDir>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSaveFile>
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
    if (m_printer || m_savingPdf) // the previous print job is still running
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Characters that cannot be in a file name become spaces.
        QString name = m_view->page()->title().simplified();
        name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral(" "));
        if (name.trimmed().isEmpty())
            name = tr("page");
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(folder).exists())
            folder = QDir::homePath();
        printer->setOutputFileName(QDir(folder).filePath(name.trimmed() + QStringLiteral(".pdf")));
    }
    // The window, with its view and this printer, may close while the dialog is open.
    const QPointer<PagePrinter> alive(this);
    const QPointer<QPrintDialog> dialog = new QPrintDialog(printer.get(), m_view);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    delete dialog.data();
    if (!alive || !accepted)
        return;
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty())
        return saveAsPdf(*printer);
    m_printer = std::move(printer);
    m_view->print(m_printer.get());
}

void PagePrinter::saveAsPdf(const QPrinter& printer)
{
    // The engine makes the PDF itself, text as text; printing through a printer object
    // would draw each page as one picture.
    m_savingPdf = true;
    const QString path = printer.outputFileName();
    m_view->page()->printToPdf(
        [this, alive = QPointer<PagePrinter>(this), path](const QByteArray& pdf) {
            if (!alive)
                return;
            m_savingPdf = false;
            QSaveFile file(path);
            if (!pdf.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size() && file.commit())
                return;
            const QString why = pdf.isEmpty() ? tr("the page could not be made into a PDF") : file.errorString();
            if (auto* bar = m_view->findChild<NoticeBar*>())
                bar->say(tr("The page could not be saved as %1: %2").arg(QDir::toNativeSeparators(path), why));
        },
        printer.pageLayout(), printer.pageRanges());
}
