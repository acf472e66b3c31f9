#include "platform/webengine/LoginDialog.h"

#include "platform/ServerText.h"

#include <QAuthenticator>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

LoginDialog::LoginDialog(const QString& host, const QString& realm, bool proxy, QWidget* parent)
    : QDialog(parent)
    , m_user(new QLineEdit(this))
    , m_password(new QLineEdit(this))
{
    setWindowTitle(proxy ? tr("Proxy Login") : tr("Login"));
    auto* intro = new QLabel(this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    // The host and the realm come from the server: cut to fifty characters' width, whole
    // in the tooltip, so that the dialog never grows past the screen.
    const auto said = [proxy, &realm](const QString& shownHost, const QString& shownRealm) -> QString {
        return (proxy ? tr("The proxy %1 asks for a user name and password.")
                      : tr("The site %1 asks for a user name and password."))
                   .arg(shownHost)
            + (realm.isEmpty() ? QString() : u'\n' + tr("It says: \"%1\"").arg(shownRealm));
    };
    const int room = 50 * fontMetrics().averageCharWidth();
    intro->setText(said(ServerText::elided(host, fontMetrics(), room), ServerText::elided(realm, fontMetrics(), room)));
    const QString whole = said(ServerText::cleaned(host), ServerText::cleaned(realm));
    if (intro->text() != whole)
        intro->setToolTip(whole);
    m_user->setObjectName(QStringLiteral("user"));
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(intro);
    form->addRow(tr("&User name:"), m_user);
    form->addRow(tr("&Password:"), m_password);
    form->addRow(buttons);
    m_user->setFocus();
}

void LoginDialog::ask(const QString& host, QAuthenticator* authenticator, bool proxy, QWidget* parent)
{
    // The window, and the dialog with it, may close while the dialog is open.
    const QPointer<LoginDialog> dialog = new LoginDialog(host, authenticator->realm(), proxy, parent);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    if (accepted) {
        authenticator->setUser(dialog->m_user->text());
        authenticator->setPassword(dialog->m_password->text());
    } else {
        *authenticator = QAuthenticator();
    }
    delete dialog.data();
}
