// Scrivlo: a writing program for children.
//   scrivlo [FILE]   opens FILE at start (Rich Text when its name ends in .rtf)

#include "app/AutoSave.h"
#include "app/TAboutForm.h"
#include "app/THelpForm.h"
#include "app/TMainForm.h"
#include "dialogs/TExceptionHandler.h"
#include "dictionary/TDictionary.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/gui/Application.h"
#include "spell/TCustomSpellDlg.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <unistd.h>

int main(int argc, char **argv)
{
    // The file named on the command line is relative to where the program was started.
    QString startFile;
    if (argc > 1)
        startFile = QFileInfo(QDir::current(), QString::fromLocal8Bit(argv[1])).absoluteFilePath();

    // Start-up order: the process-wide dictionary, the program's folder as the current
    // directory, the exception handler, then the application and its window.
    TCustomSpellDlg::SharedDictionary();
    if (::chdir(FileUtils::ExecutableDir().c_str()) != 0) {
        // Not fatal: the program finds its files through its own folder's path anyway.
    }
    TExceptionHandler::Install();

    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    TApplication app(argc, argv);
    TApplication::SetTitle("Scrivlo");
    app.setWindowIcon(QIcon(":/scrivlo.svg"));

    // What the dictionary reports without raising (a list of learned words set aside) is
    // shown like any other error while the window is there.
    const auto reportToStderr = TDictionary::ErrorReporter;
    const auto reportSetAside = TDictionary::SetAsideReporter;
    TDictionary::ErrorReporter = [](const std::string &message) {
        TApplication::HandleException(nullptr, Exception(message));
    };
    TDictionary::SetAsideReporter = &TMainForm::ReportSetAsideList;
    int result;
    {
        TMainForm mainForm;
        // The Help and About windows are made right after the main window and stay hidden.
        THelpForm helpForm;
        TAboutForm aboutForm;
        mainForm.SetHelpForms(&helpForm, &aboutForm);
        mainForm.EndOnShutdownSignals();
        mainForm.show();
        // A story restored from an earlier run takes the page; the file named waits.
        const bool restored = mainForm.AutoSave().OfferKept();
        if (!startFile.isEmpty() && !restored) {
            try {
                const int filter = startFile.endsWith(".rtf", Qt::CaseInsensitive) ? 1 : 2;
                mainForm.OpenDocument(startFile, filter);
            } catch (const std::exception &e) {
                TApplication::HandleException(&mainForm, e);
            }
        }
        result = app.exec();
    }
    TDictionary::ErrorReporter = reportToStderr;
    TDictionary::SetAsideReporter = reportSetAside;
    TExceptionHandler::Remove();
    TCustomSpellDlg::DestroySharedDictionary(); // saves learned words; never throws
    return result;
}
