#pragma once
// main() of a Qt Test program whose settings and data folder (learned words) are its own,
// apart from those of the tests that run beside it and of the user running them.

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
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    TApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

#define SCRIVLO_ISOLATED_QTEST_MAIN(Test)                                                          \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        return RunIsolatedQTest<Test>(argc, argv);                                                 \
    }
