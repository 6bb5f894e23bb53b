// Scrivlo: a writing program for children.
//   scrivlo [FILE]   opens FILE at start (Rich Text when its name ends in .rtf)
//   scrivlo --help, scrivlo --version   answer on standard output, without a window

#include "app/AutoSave.h"
#include "app/CommandLine.h"
#include "app/InterfaceLanguage.h"
#include "app/SpellingSetup.h"
#include "app/TAboutForm.h"
#include "app/THelpForm.h"
#include "app/TMainForm.h"
#include "dialogs/TExceptionHandler.h"
#include "dictionary/TDictionary.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/gui/Application.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <memory>
#include <unistd.h>

int main(int argc, char **argv)
{
    // --help and --version need no screen: they are answered before any window, in the
    // interface's language, and the program ends.
    if (CommandLine::AsksForInformation(argc, argv)) {
        QCoreApplication info(argc, argv);
        QCoreApplication::setApplicationVersion(CommandLine::Version());
        InterfaceLanguage::Install(InterfaceLanguage::Saved());
        QCommandLineParser parser;
        CommandLine::Define(parser);
        // Qt's own options (-style...) are not this parser's; they are let pass here.
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
        parser.showHelp(0);
    }

    // A file named on the command line is relative to where the program was started.
    const QString startDir = QDir::currentPath();

    // Start-up order: the dictionary, the program's folder as the current directory, the
    // exception handler, then the application and its window. The dictionary outlives the
    // window, which closes it (saving learned words) as it goes.
    auto dictionary = std::make_unique<TDictionary>();
    if (::chdir(FileUtils::ExecutableDir().c_str()) != 0) {
        // Not fatal: the program finds its files through its own folder's path anyway.
    }
    TExceptionHandler::Install();

    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    TApplication app(argc, argv); // takes Qt's own options (-style...) out of the arguments
    TApplication::SetTitle("Scrivlo");
    QCoreApplication::setApplicationVersion(CommandLine::Version());
    QCommandLineParser parser;
    CommandLine::Define(parser);
    parser.process(app); // an unknown option ends the program with a message
    app.setWindowIcon(QIcon(":/scrivlo.svg"));

    // What the dictionary reports without raising (a list of learned words set aside) is
    // shown like any other error while the window is there.
    const auto reportToStderr = TDictionary::ErrorReporter;
    const auto reportSetAside = TDictionary::SetAsideReporter;
    TDictionary::ErrorReporter = [](const std::string &message) {
        TApplication::HandleException(nullptr, Exception(message));
    };
    TDictionary::SetAsideReporter = &SpellingSetup::ReportSetAsideList;
    int result;
    {
        TMainForm mainForm(nullptr, dictionary.get());
        // The Help and About windows are made right after the main window and stay hidden.
        THelpForm helpForm;
        TAboutForm aboutForm;
        // Both answer the keys people expect: Escape closes them; Help is a guide to read.
        helpForm.SetGuide(true);
        aboutForm.SetKeyboardClose(true);
        mainForm.SetHelpForms(&helpForm, &aboutForm);
        mainForm.EndOnShutdownSignals();
        mainForm.show();
        // A story restored from an earlier run takes the page; the file named waits.
        const bool restored = mainForm.AutoSave().OfferKept();
        if (!restored)
            CommandLine::OpenFiles(mainForm, parser.positionalArguments(), startDir);
        result = app.exec();
    }
    TDictionary::ErrorReporter = reportToStderr;
    TDictionary::SetAsideReporter = reportSetAside;
    TExceptionHandler::Remove();
    dictionary.reset(); // closes what is still open; failures are reported, never thrown
    return result;
}
