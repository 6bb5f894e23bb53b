#pragma once
// The one main window: a rich-text page, the File/Edit/Help menus, a strip of pictures
// and the big "&New" button. Every user operation is a named command (QAction with the
// command's name as objectName); unsaved work is guarded by one yes/no/cancel question.
// What was added beside the window's own commands is set up by classes of its own
// (SpellingSetup, ReadAloudSetup, EverydayCommands, RecentMenu, LanguageMenu, PageInput,
// TAutoSave); the window only wires them in.

#include "app/Anchors.h"
#include "app/RecoverableDocument.h"
#include "spell/core/SpellTypes.h"

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class QAction;
struct TInterfaceLanguage;
class QDialog;
class TAutoSave;
class EverydayCommands;
class TPageZoom;
class QFrame;
class QMenu;
class QPrinter;
class LiveSpellChecker;
class TPicBitBtn;
class TRichEdit;
class TDictionary;
class TSpellDlg;
class SpellingSetup;

class TMainForm : public QMainWindow, public TRecoverableDocument
{
    Q_OBJECT
public:
    // dictionary: the one the spell check uses, owned by the caller and outliving the
    // window; without it the spell check makes its own.
    explicit TMainForm(QWidget *parent = nullptr, TDictionary *dictionary = nullptr);
    ~TMainForm() override;

    // Opens a file as if chosen in the Open dialog with the given 1-based filter entry.
    void OpenDocument(const QString &fileName, int filterIndex);

    TRichEdit *RichEdit() const override { return FRichEdit; }
    const QString &FileName() const override { return FFileName; }
    bool PlainTextFormat() const override { return FPlainText; }
    QAction *Action(const QString &name) const;
    TSpellDlg *SpellDlg() const; // the spell check of the document
    LiveSpellChecker *LiveSpelling() const; // the check while typing, over the same dictionary

    // The Help and About windows, created right after this window and shown modally by
    // "&Contents" and "&About...".
    void SetHelpForms(QDialog *helpForm, QDialog *aboutForm);

    // Puts a story kept by an earlier run on the page, as unsaved work under fileName.
    void RestoreDocument(const std::string &content, const QString &fileName,
                         bool plainText) override;
    TAutoSave &AutoSave() const { return *FAutoSave; }
    TPageZoom &Zoom() const;
    // SIGTERM and SIGHUP keep the unsaved work and the learned words, then end the
    // program at once, asking nothing.
    void EndOnShutdownSignals();
    void EndSession(); // what those signals do before the program ends

    // Speaks id from now on: menus, commands, messages and dialogs, the spelling dialog,
    // the dictionary with its own learned words, and the voice. The Language menu also
    // remembers the choice; the first start follows the system's language.
    void SetLanguage(TLanguages id);
    TLanguages Language() const { return FLanguage; }

    // Updates the commands' enabled states (New follows the modified flag, Cut and Copy
    // the focused control's selection, Paste the clipboard).
    void ActionManagerUpdate();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The file-type entries of the Open and Save As dialogs, as "description|pattern" pairs.
    static const char *const FileFilter; // in English; tr() gives the shown one

    void FormCreate();
    void CreateActions();
    void CreateMenus();
    void CreateControls();
    bool QuerySave();
    void SaveDocument(const QString &fileName, bool plainText);

    void AFileNewExecute();
    void AFileOpenExecute();
    void AFileSaveExecute();
    void AFileSaveAsExecute();
    void AFilePrintSetupExecute();
    void APrintDlgExecute();
    void AFontEditExecute();
    void AEditCutExecute();
    void AEditCopyExecute();
    void AEditPasteExecute();
    void AEditSpellingExecute();
    void AEditWordCountExecute();
    void ASpeechSettingsExecute();
    void CreateLanguageMenu();
    // A window being made takes the language without touching its dictionary,
    // which only a running window reopens.
    void ApplyLanguage(TLanguages id, bool reopenDictionary);
    void RetranslateUi();
    QMenu *AddMenu(const char *title);

    void AHelpContentsExecute();
    void AHelpAboutExecute();

    void UpdateTextCommands(); // what ActionManagerUpdate does, but for Paste
    void UpdateCaption();
    void DocumentSettled(); // saved, opened or discarded: no copy kept, commands and title

    QString FFileName;
    bool FPlainText = false;
    bool FSaved = false; // whether the latest Save or Save As went through
    bool FSaveAsFirst = false; // the file was damaged: Save asks for a name until it is saved

    // What the file dialogs remember between uses.
    QString FInitialDir;
    int FOpenFilter = 1;
    QString FOpenFileName;
    int FSaveFilter = 1;
    QString FSaveFileName;
    QFont FDialogFont;
    QColor FDialogColor;
    std::unique_ptr<QPrinter> FPrinter;
    // The commands ActionManagerUpdate enables and disables.
    struct UpdatedCommands
    {
        QAction *New = nullptr, *Cut = nullptr, *Copy = nullptr, *Paste = nullptr;
        std::vector<QAction *> NeedText; // Select All and the search commands
    } FUpdated;

    QWidget *FMainPanel = nullptr;
    TRichEdit *FRichEdit = nullptr;
    QFrame *FPanel1 = nullptr;
    TPicBitBtn *FNewButton = nullptr;
    QPointer<QDialog> FHelpForm;
    QPointer<QDialog> FAboutForm;
    TAnchors FPanelAnchors;
    TAnchors FStripAnchors;
    SpellingSetup *FSpelling = nullptr;
    TAutoSave *FAutoSave = nullptr;
    EverydayCommands *FEveryday = nullptr;
    TLanguages FLanguage = lgEnglish;
};
