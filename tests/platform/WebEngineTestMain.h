#pragma once

#include <QApplication>
#include <QTest>

// QTEST_MAIN for tests that open web views: the engine, loaded from its module after
// the application exists, needs shared OpenGL contexts set before it, as the program's
// main does.
#define WEBENGINE_TEST_MAIN(TestObject)                                   \
    int main(int argc, char** argv)                                        \
    {                                                                      \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);       \
        QApplication app(argc, argv);                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                           \
        QTEST_SET_MAIN_SOURCE_PATH                                         \
        TestObject test;                                                   \
        return QTest::qExec(&test, argc, argv);                            \
    }
