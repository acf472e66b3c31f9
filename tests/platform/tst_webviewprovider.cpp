#include "platform/CalculatorApplication.h"
#include "platform/WebViewProvider.h"
#include "platform/webengine/ChromiumFlags.h"

#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

// The provider when the module cannot serve: a null view and a reason naming the file,
// never a crash. Also the engine's start flags, and the course of an unexpected failure.
class tst_WebViewProvider : public QObject
{
    Q_OBJECT

private slots:
    void unusableModuleGivesNoViewAndAReason_data()
    {
        QTest::addColumn<QString>("file");       // relative to a temporary folder, or absolute
        QTest::addColumn<QByteArray>("content"); // written to the file; null for none
        QTest::addColumn<QString>("reason");     // part of the expected reason

        QTest::newRow("missing module file") << u"libcalculator_webview.so"_qs << QByteArray() << u"was not found"_qs;
        QTest::newRow("file that is not a library")
            << u"libcalculator_webview.so"_qs << QByteArray("not a shared library\n") << u"could not be loaded"_qs;
        QTest::newRow("a Qt plugin of another kind")
            << QLibraryInfo::path(QLibraryInfo::PluginsPath) + u"/platforms/libqminimal.so"_qs << QByteArray()
            << u"is not a web view module"_qs;
    }
    void unusableModuleGivesNoViewAndAReason()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = QDir::isAbsolutePath(file) ? file : dir.filePath(file);
        if (!content.isNull()) {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content);
        }
        if (QDir::isAbsolutePath(file) && !QFile::exists(path))
            QSKIP("that plugin is not installed here");

        WebViewProvider::setModuleFileForTesting(path);
        QWidget parent;
        QString error;
        QCOMPARE(WebViewProvider::create(&parent, &error), nullptr);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY2(error.contains(path), qPrintable(error));
        // Asking again gives the same answer, not a crash.
        QCOMPARE(WebViewProvider::create(&parent), nullptr);
        WebViewProvider::setModuleFileForTesting({});
    }

    // The engine's flags as the module leaves them: the sandbox is switched off for root
    // only, and Chromium logs only when asked to.
    void engineFlags_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("root");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const char* before, bool root, const char* after) {
            QTest::newRow(name) << QByteArray(before) << root << QByteArray(after);
        };
        row("no flags: the sandbox and fatal errors only", "", false, "--log-level=3");
        row("root keeps the user's flags first", "--a --proxy-server=http://127.0.0.1:1", true,
            "--a --proxy-server=http://127.0.0.1:1 --no-sandbox --log-level=3");
        row("root already without sandbox is not doubled", "--no-sandbox --a", true, "--no-sandbox --a --log-level=3");
        row("a flag merely starting alike is no sandbox flag", "--no-sandboxing", true,
            "--no-sandboxing --no-sandbox --log-level=3");
        row("the user's own level wins", "--log-level=0", false, "--log-level=0");
        row("logging asked for", "--enable-logging=stderr --v=1", false, "--enable-logging=stderr --v=1");
        row("a flag merely starting alike asks for no logging", "--vmodule-x", false, "--vmodule-x --log-level=3");
    }
    void engineFlags()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, root);
        QFETCH(QByteArray, after);
        QCOMPARE(ChromiumFlags::withQuietLogging(ChromiumFlags::withSandboxPolicy(before, root)), after);
    }

    // A failure that no handler expects shows a box naming it, each time; the program goes on.
    void unexpectedFailureShowsItsBoxEachTime()
    {
        QStringList shown;
        QTimer person; // reads each box and presses Enter
        connect(&person, &QTimer::timeout, this, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isAncestorOf(QApplication::focusWidget())) {
                shown << box->windowTitle() + u": " + box->text();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
        });
        person.start(10);
        for (const char* failure : {"disk on fire", "out of paper"}) {
            const qsizetype before = shown.size();
            QTimer::singleShot(0, this, [failure] { throw std::runtime_error(failure); });
            QTRY_COMPARE(shown.size(), before + 1);
        }
        QCOMPARE(shown,
                 (QStringList{u"Calculator: Unexpected error: disk on fire"_qs,
                              u"Calculator: Unexpected error: out of paper"_qs}));
    }
};

int main(int argc, char** argv)
{
    CalculatorApplication app(argc, argv);
    tst_WebViewProvider test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_webviewprovider.moc"
