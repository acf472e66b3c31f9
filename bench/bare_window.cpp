// The simplest Qt window: an empty QWidget of the given size (default 300x200).
// With a third argument it shows that text on one line, in the face the calculator's
// windows draw with (Liberation Sans), so that both pay for the same font files.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int width = args.size() > 1 ? args.at(1).toInt() : 300;
    const int height = args.size() > 2 ? args.at(2).toInt() : 200;
    QWidget window;
    window.setFixedSize(width, height);
    if (args.size() > 3) {
        auto* label = new QLabel(args.at(3), &window);
        QFont face(QStringLiteral("Liberation Sans"));
        face.setPointSizeF(9.75);
        label->setFont(face);
        label->move(8, 8);
    }
    window.show();
    return app.exec();
}
