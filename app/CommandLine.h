#pragma once
// The editor's command line: scrivlo [OPTION]... [FILE]. --help and --version answer on
// standard output; Qt's own options (-style, -platform...) are the toolkit's; FILE is
// opened at start, and any further file is refused with a message.

#include <QString>
#include <QStringList>

class QCommandLineParser;
class TMainForm;

namespace CommandLine {

// Whether the arguments ask only for --help or --version, which need no screen.
bool AsksForInformation(int argc, char **argv);
// The options in the interface's language; Version() is the program's version.
void Define(QCommandLineParser &parser);
QString Version();
// Opens the first file, named relative to startDir, in the window (one that does not
// exist is named in an error) and says that the others were not opened. Returns whether
// a file was opened.
bool OpenFiles(TMainForm &window, const QStringList &files, const QString &startDir);

} // namespace CommandLine
