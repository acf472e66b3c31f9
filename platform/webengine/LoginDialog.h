#pragma once

#include <QDialog>

class QAuthenticator;
class QLineEdit;

// Asks for a user name and password when a site or the proxy asks for them, showing the
// realm and the host. Nothing typed is kept: each request asks again.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    // Fills authenticator with what the user typed, or, when the user cancels, empties it
    // so that the engine shows the server's own answer.
    static void ask(const QString& host, QAuthenticator* authenticator, bool proxy, QWidget* parent);

private:
    LoginDialog(const QString& host, const QString& realm, bool proxy, QWidget* parent);

    QLineEdit* m_user;
    QLineEdit* m_password;
};
