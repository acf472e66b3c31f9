#include "platform/webengine/PageDialogs.h"

#include "platform/ServerText.h"
#include "platform/webengine/WebEnginePage.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace {

int g_shown = 0; // dialogs up, of every page

// A page's text as the dialog shows it: each line cleaned of hidden characters, and not
// longer than a dialog can sensibly hold.
QString shown(const QString& text)
{
    constexpr int longest = 1000;
    QStringList lines = text.left(longest).split(u'\n');
    for (QString& line : lines)
        line = ServerText::cleaned(line);
    return lines.join(u'\n') + (text.size() > longest ? QStringLiteral("\u2026") : QString());
}

} // namespace

PageDialogs::PageDialogs(WebEnginePage* page, QWebEngineView* view)
    : QObject(view)
    , m_view(view)
{
    page->setDialogs(this);
    // A new document starts with no dialogs shown and none stopped.
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
            m_shown = 0;
            m_silenced = false;
        }
    });
}

bool PageDialogs::ask(Kind kind, const QUrl& origin, const QString& message, QString* text)
{
    if (m_silenced || !m_view)
        return kind == Kind::Leave;
    // The dialog belongs to the frame, above which it stays and with which it goes; the
    // browser window showing the page takes no input meanwhile.
    QWidget* window = m_view->parentWidget() ? m_view->parentWidget() : m_view.data();
    auto* dialog = new QDialog(m_view->window());
    dialog->setObjectName(QStringLiteral("dlgPage"));
    const QString host = shown(origin.host());
    dialog->setWindowTitle(host.isEmpty() ? tr("Message from this page") : tr("Message from %1").arg(host));
    auto* layout = new QVBoxLayout(dialog);
    auto* label = new QLabel(shown(message), dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(280); // room for the title
    label->setMaximumWidth(480); // never wider for a long text
    layout->addWidget(label);
    QLineEdit* field = nullptr;
    if (kind == Kind::Prompt) {
        field = new QLineEdit(text ? *text : QString(), dialog);
        layout->addWidget(field);
    }
    QCheckBox* silence = nullptr;
    if (++m_shown > 1) {
        silence = new QCheckBox(tr("&Don't let this page show more dialogs"), dialog);
        layout->addWidget(silence);
    }
    auto* buttons = new QDialogButtonBox(
        kind == Kind::Alert ? QDialogButtonBox::Ok : QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->adjustSize();
    const QRect over(window->mapToGlobal(QPoint(0, 0)), window->size());
    dialog->move(over.center() - dialog->rect().center());

    // Not modal: a modal dialog would block the whole frame, the engine's request waits
    // here instead. The window, the frame or this may go while it waits.
    const QPointer<QWidget> blocked(window);
    const QPointer<PageDialogs> alive(this);
    const QPointer<QDialog> answered(dialog);
    blocked->setEnabled(false);
    m_dialog = dialog;
    QEventLoop loop;
    connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->show();
    if (field)
        field->selectAll();
    ++g_shown;
    loop.exec();
    --g_shown;

    const bool ok = answered && answered->result() == QDialog::Accepted;
    if (ok && field && text)
        *text = field->text();
    const bool silenced = answered && silence && silence->isChecked();
    delete answered.data();
    if (blocked)
        blocked->setEnabled(true);
    if (alive) {
        m_silenced = m_silenced || silenced;
        if (m_deleteView)
            m_view->deleteLater();
    }
    return ok;
}

bool PageDialogs::cancel()
{
    if (!m_dialog || !m_dialog->isVisible())
        return false;
    m_dialog->reject();
    return true;
}

bool PageDialogs::anyShown()
{
    return g_shown > 0;
}
