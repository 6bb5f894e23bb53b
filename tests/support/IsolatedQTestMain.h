#pragma once
// main() of a Qt Test program whose settings are its own, apart from those of the tests
// that run beside it.

#include "platform/gui/Application.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

template<class Test> int RunIsolatedQTest(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    TApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define SCRIVLO_ISOLATED_QTEST_MAIN(Test)                                                          \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        return RunIsolatedQTest<Test>(argc, argv);                                                 \
    }
