#pragma once
// The one main window: a rich-text page, the File/Edit/Help menus, a strip of pictures
// and the big "&New" button. Every user operation is a named command (QAction with the
// command's name as objectName); unsaved work is guarded by one yes/no/cancel question.

#include "app/Anchors.h"
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
class QActionGroup;
struct TInterfaceLanguage;
class QDialog;
class TAutoSave;
class TFindDialog;
class TPageZoom;
class QFrame;
class QLabel;
class QMenu;
class QPrinter;
class LiveSpellChecker;
class TPicBitBtn;
class TRichEdit;
class TSpellDlg;

class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Opens a file as if chosen in the Open dialog with the given 1-based filter entry.
    void OpenDocument(const QString &fileName, int filterIndex);

    TRichEdit *RichEdit() const { return FRichEdit; }
    const QString &FileName() const { return FFileName; }
    bool PlainTextFormat() const { return FPlainText; }
    QAction *Action(const QString &name) const;

    TSpellDlg *SpellDlg = nullptr; // the spell check of the document
    LiveSpellChecker *LiveSpelling = nullptr; // the check while typing, over the same dictionary
    // The remembered choice of "Check Spelling as You Type".
    static constexpr const char *SpellAsYouTypeKey = "Editor/CheckSpellingAsYouType";

    // The Help and About windows, created right after this window and shown modally by
    // "&Contents" and "&About...".
    void SetHelpForms(QDialog *helpForm, QDialog *aboutForm);

    // The file-type entries of the Open and Save As dialogs, as "description|pattern" pairs.
    static const char *const FileFilter; // in English; tr() gives the shown one

    // Puts a story kept by an earlier run on the page, as unsaved work under fileName.
    void RestoreDocument(const std::string &content, const QString &fileName, bool plainText);
    TAutoSave &AutoSave() const { return *FAutoSave; }
    TPageZoom &Zoom() const { return *FZoom; }
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool HandMenuLetterToPage(QObject *watched, QEvent *event);
    bool KeepStyleKeyFromPage(QObject *watched, QEvent *event);
    bool OpenDroppedStory(QObject *watched, QEvent *event);
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
    void CreateSpellDlg();
    void AEditSpellingExecute();
    void AEditWordCountExecute();
    void CreateReadAloud();
    void ASpeechSettingsExecute();
    void CreateLiveSpelling();
    void CreateLanguageMenu();
    // A window being made takes the language without touching the shared dictionary,
    // which only a running window reopens.
    void ApplyLanguage(TLanguages id, bool reopenDictionary);
    void UseDictionaryOf(const TInterfaceLanguage &language, bool reopen);
    void RetranslateUi();
    QMenu *AddMenu(const char *title);

    void AHelpContentsExecute();
    void AHelpAboutExecute();

    void CreateEverydayMenus(QMenu *file, QMenu *edit);
    void UpdateTextCommands(); // what ActionManagerUpdate does, but for Paste
    void UpdateCaption();
    void DocumentSettled(); // saved, opened or discarded: recent list, title, no copy
    void FillRecentMenu();
    void OpenRecent(const QString &fileName, bool plainText);
    TFindDialog *FindDialog();
    void AEditUndoExecute();
    void AEditRedoExecute();
    void AEditSelectAllExecute();
    void AEditFindExecute();
    void AEditFindNextExecute();
    void AEditReplaceExecute();
    void AFormatBoldExecute();
    void AFormatItalicExecute();
    void AFormatUnderlineExecute();
    void AViewZoomInExecute();
    void AViewZoomOutExecute();
    void AViewZoomResetExecute();

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
    TAutoSave *FAutoSave = nullptr;
    TPageZoom *FZoom = nullptr;
    TFindDialog *FFindDialog = nullptr; // made at the first Find or Replace
    QMenu *FRecentMenu = nullptr;
    QActionGroup *FLanguageGroup = nullptr;
    TLanguages FLanguage = lgEnglish;
    std::string FUserWordsFolder; // empty: beside the dictionary
    std::string FAutoCorrectList; // kept aside while a language it does not fit is chosen
};
