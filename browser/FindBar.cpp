#include "browser/FindBar.h"
#include "ui_FindBar.h"

#include "platform/WebView.h"

#include <QKeyEvent>
#include <QPointer>

FindBar::FindBar(WebView* view, QWidget* parent)
    : QFrame(parent)
    , m_ui(std::make_unique<Ui::FindBar>())
    , m_view(view)
{
    m_ui->setupUi(this);
    hide();
    m_ui->txtFind->installEventFilter(this);
    connect(m_ui->txtFind, &QLineEdit::textEdited, this, [this] { find(false); });
    connect(m_ui->cmdNext, &QToolButton::clicked, this, [this] { find(false); });
    connect(m_ui->cmdPrevious, &QToolButton::clicked, this, [this] { find(true); });
    connect(m_ui->cmdClose, &QToolButton::clicked, this, &FindBar::dismiss);
}

FindBar::~FindBar() = default;

void FindBar::open()
{
    const bool wasHidden = isHidden();
    show();
    if (wasHidden)
        emit shownChanged();
    m_ui->txtFind->selectAll();
    m_ui->txtFind->setFocus(Qt::ShortcutFocusReason);
    if (!m_ui->txtFind->text().isEmpty())
        find(false);
}

void FindBar::dismiss()
{
    hide();
    emit shownChanged();
    m_ui->lblMatches->clear();
    m_view->findText(QString(), false, {});
    m_view->widget()->setFocus(Qt::OtherFocusReason);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->txtFind && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void FindBar::find(bool backward)
{
    const QString text = m_ui->txtFind->text();
    if (text.isEmpty()) {
        m_ui->lblMatches->clear();
        m_view->findText(QString(), false, {});
        return;
    }
    // The engine answers later; the bar may be gone by then.
    m_view->findText(text, backward, [bar = QPointer<FindBar>(this)](int active, int total) {
        if (bar)
            bar->showMatches(active, total);
    });
}

void FindBar::showMatches(int active, int total)
{
    m_ui->lblMatches->setText(total == 0 ? tr("No matches") : tr("%1 of %2").arg(active).arg(total));
}
