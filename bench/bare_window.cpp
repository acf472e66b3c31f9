// The simplest Qt window: an empty QWidget of the given size (default 300x200).
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int width = args.size() > 1 ? args.at(1).toInt() : 300;
    const int height = args.size() > 2 ? args.at(2).toInt() : 200;
    QWidget window;
    window.setFixedSize(width, height);
    window.show();
    return app.exec();
}
