#include "calculator/Calculator.h"
#include "platform/AppIcon.h"
#include "platform/GuardedApplication.h"

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);
    app.setWindowIcon(AppIcon::icon());

    Calculator window;
    window.show();
    return app.exec();
}
