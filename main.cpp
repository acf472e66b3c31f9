#include "calculator/Calculator.h"
#include "platform/GuardedApplication.h"

int main(int argc, char* argv[])
{
    // The web view module is loaded later, on the first browser window; it needs
    // shared OpenGL contexts, which can only be asked for before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    GuardedApplication app(argc, argv);

    Calculator window;
    window.show();
    return app.exec();
}
