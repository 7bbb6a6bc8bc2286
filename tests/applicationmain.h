#pragma once

#include "ui/access/accessibility.h"
#include "ui/access/application.h"

#include <QtTest>

// QTEST_MAIN with the program's own application object, which shows the
// screen reader's key guard every key the window system delivers, and what
// the program gives screen readers installed as the program installs it.
#define QUILLMARK_TEST_MAIN(TestObject)                                                                     \
    int main(int argc, char *argv[])                                                                        \
    {                                                                                                       \
        Application app(argc, argv);                                                                        \
        Accessibility::install();                                                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                            \
        TestObject test;                                                                                    \
        QTEST_SET_MAIN_SOURCE_PATH                                                                          \
        return QTest::qExec(&test, argc, argv);                                                             \
    }
