#pragma once

#include <QApplication>
#include <QTest>

// QTEST_MAIN for tests that open web views. Like the program, it asks for nothing at
// start: the web view provider shares the OpenGL contexts when the first view is made.
#define WEBENGINE_TEST_MAIN(TestObject)                                                                                \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
