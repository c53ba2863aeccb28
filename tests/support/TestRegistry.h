#pragma once

// The tests of a folder are built as one program, `tav_tests_<folder>`, that runs the test
// named by its first argument (`tav_tests_core tst_meshgrid -v2`): the folder's sources are
// compiled together, so that QtTest's and the program's headers are read once for many
// tests, and one link serves them all. This header is included before each source of such a
// program; it makes QTEST_MAIN, QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN register the test
// under its file's name in place of defining main(), so a test's source reads as any QtTest
// program's and builds alone too.

#include <QtTest>

#include <functional>

namespace tavtest {

using TestRun = std::function<int(int argc, char *argv[])>;

// Registers the test of `sourcePath` (its file name without the extension); true.
bool registerTest(const char *sourcePath, TestRun run);

} // namespace tavtest

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...)                                                      \
    static const bool tavTestRegistered##TestObject =                                            \
        tavtest::registerTest(__FILE__, [](int argc, char *argv[]) -> int {                      \
            QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                   \
            __VA_ARGS__                                                                          \
            TestObject tc;                                                                       \
            QTEST_SET_MAIN_SOURCE_PATH                                                           \
            return QTest::qExec(&tc, argc, argv);                                                \
        });

// Qt's own passes no setup at all, which a variadic macro of ours may not take under -pedantic.
#undef QTEST_APPLESS_MAIN
#define QTEST_APPLESS_MAIN(TestObject) QTEST_MAIN_WRAPPER(TestObject, /* no application */)
