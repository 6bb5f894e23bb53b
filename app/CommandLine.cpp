#include "app/CommandLine.h"

#include "app/TMainForm.h"
#include "dialogs/MessageDialogs.h"
#include "platform/gui/Application.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#ifndef SCRIVLO_VERSION
#error "SCRIVLO_VERSION comes from the project's VERSION in CMake"
#endif

namespace CommandLine {

bool AsksForInformation(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : { "-h", "--help", "-?", "--help-all", "-v", "--version" })
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

void Define(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Scrivlo: a writing program for children."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QCoreApplication::translate("CommandLine", "file"),
        QCoreApplication::translate("CommandLine",
                                    "The story to open: Rich Text when its name ends in .rtf, "
                                    "else plain text."),
        QCoreApplication::translate("CommandLine", "[file]"));
}

QString Version()
{
    return QStringLiteral(SCRIVLO_VERSION);
}

bool OpenFiles(TMainForm &window, const QStringList &files, const QString &startDir)
{
    if (files.size() > 1) {
        const QString refused
            = QCoreApplication::translate(
                  "CommandLine", "Scrivlo opens one story at a time. These were not opened:")
            + "\n" + files.mid(1).join('\n');
        std::fprintf(stderr, "scrivlo: %s\n", qPrintable(refused));
        MessageDlg(refused, mtInformation, Buttons({ mbOK }), 0);
    }
    if (files.isEmpty())
        return false;
    const QString path = QFileInfo(QDir(startDir), files.first()).absoluteFilePath();
    // Only a name that is not there at all is "not found": a folder, a pipe or a device is
    // refused by the open itself, with its reason.
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink()) {
        const QString missing
            = QCoreApplication::translate("CommandLine", "Scrivlo cannot find \"%1\".").arg(path);
        std::fprintf(stderr, "scrivlo: %s\n", qPrintable(missing));
        MessageDlg(missing, mtError, Buttons({ mbOK }), 0);
        return false;
    }
    try {
        window.OpenDocument(path, path.endsWith(".rtf", Qt::CaseInsensitive) ? 1 : 2);
    } catch (const std::exception &e) {
        TApplication::HandleException(&window, e);
        return false;
    }
    return true;
}

} // namespace CommandLine
