#include "calculator/Calculator.h"
#include "platform/AppIcon.h"
#include "platform/CalculatorApplication.h"

int main(int argc, char* argv[])
{
    CalculatorApplication app(argc, argv);
    app.setWindowIcon(AppIcon::icon());

    Calculator window;
    window.show();
    return app.exec();
}
