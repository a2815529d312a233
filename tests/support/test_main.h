#pragma once

#include "test_environment.h"
#include "xvfb_server.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTest>

// Test mains. Each gives the process fresh HOME/XDG folders first.

// Model tests: no display at all.
#define QUILLO_TEST_GUILESS_MAIN(TestObject)                                                                           \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        TestEnvironment quilloTestEnvironment;                                                                         \
        QCoreApplication app(argc, argv);                                                                              \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

// Widget tests: the offscreen platform unless the caller chose another.
#define QUILLO_TEST_WIDGETS_MAIN(TestObject)                                                                           \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        TestEnvironment quilloTestEnvironment;                                                                         \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QApplication app(argc, argv);                                                                                  \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

// Tests of the real X11 clipboard and windows: a private Xvfb, the xcb platform.
#define QUILLO_TEST_X11_MAIN(TestObject)                                                                               \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        TestEnvironment quilloTestEnvironment;                                                                         \
        XvfbServer quilloXvfb;                                                                                         \
        if (!quilloXvfb.isRunning()) {                                                                                 \
            fprintf(stderr, "cannot start Xvfb\n");                                                                    \
            return 1;                                                                                                  \
        }                                                                                                              \
        qputenv("QT_QPA_PLATFORM", "xcb");                                                                             \
        QApplication app(argc, argv);                                                                                  \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
