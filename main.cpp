#include "calculator/Calculator.h"
#include "platform/GuardedApplication.h"

int main(int argc, char* argv[])
{
    GuardedApplication app(argc, argv);

    Calculator window;
    window.show();
    return app.exec();
}
