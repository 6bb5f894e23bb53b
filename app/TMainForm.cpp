#include "app/TMainForm.h"

#include "app/AutoSave.h"
#include "app/EverydayCommands.h"
#include "app/FocusedEdit.h"
#include "app/InterfaceLanguage.h"
#include "app/LanguageMenu.h"
#include "app/PageInput.h"
#include "app/ReadAloudSetup.h"
#include "app/RecentDocuments.h"
#include "app/RecentMenu.h"
#include "app/SessionEnd.h"
#include "app/SpeechDialog.h"
#include "app/SpellingSetup.h"
#include "app/TImage.h"
#include "app/WindowCommands.h"
#include "dialogs/MessageDialogs.h"
#include "platform/gui/Application.h"
#include "platform/gui/CommandKeyFilter.h"
#include "platform/gui/StandardDialogs.h"
#include "platform/gui/TRichEdit.h"
#include "platform/gui/TSpeaker.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "widgets/TPicBitBtn.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QTextEdit>
#include <functional>

namespace {

const QColor WindowColour(189, 226, 253);
const QColor NewCaptionColour(56, 153, 233);
constexpr QSize DesignedClient(592, 396);

// The "MS Sans Serif" 8-point font of the window (11 pixels high at 96 dpi).
QFont WindowFont()
{
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    return font;
}

struct Picture
{
    const char *name;
    const char *file;
    int left, top, height;
};
// The strip's pictures, left to right.
constexpr Picture StripPictures[] = {
    { "Image1", "sun", 4, 4, 40 },       { "Image2", "flower", 52, 3, 40 },
    { "Image5", "star", 93, 3, 40 },     { "Image4", "tree", 133, 6, 38 },
    { "Image3", "house", 184, 3, 40 },   { "Image6", "balloon", 230, 5, 40 },
    { "Image7", "apple", 277, 3, 40 },   { "Image8", "pencil", 315, 3, 40 },
    { "Image9", "rainbow", 346, 6, 38 }, { "Image10", "book", 390, 3, 40 },
    { "Image11", "fish", 433, 4, 40 },
};

} // namespace

using WindowCommands::Guarded;
using WindowCommands::SetCaption;
using WindowCommands::SourceOf;

const char *const TMainForm::FileFilter
    = QT_TR_NOOP("Rich Text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt|Any files (*.*)|*.*");

TMainForm::TMainForm(QWidget *parent, TDictionary *dictionary)
    : QMainWindow(parent)
    , FDialogFont(WindowFont())
    , FDialogColor(QApplication::palette().color(QPalette::WindowText))
    , FPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName("MainForm");
    setWindowTitle("Scrivlo");
    setFont(WindowFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColour);
    setPalette(pal);
    setAutoFillBackground(true);

    new CommandKeyFilter(this); // no chord with Alt or Ctrl types, in any window
    CreateActions();
    CreateControls();
    CreateMenus();
    FSpelling = new SpellingSetup(FRichEdit, Action("AEditAutoCorrect"),
                                  Action("AEditSpellAsYouType"), this, dictionary);
    ReadAloudSetup::Create(FRichEdit, SpellDlg(), Action("AEditReadAloud"),
                           Action("AEditReadEverything"), Action("ASpeechSettings"), this);
    CreateLanguageMenu();
    // After the language: a Spanish start never reads the English model.
    FSpelling->UseContextCommands(Action("AEditCheckInContext"), Action("AEditCheckCapitals"));
    FormCreate();
    FAutoSave = new TAutoSave(*this, this);

    // The designed client area, centred on the screen when first shown.
    setMinimumSize(DesignedClient);
    resize(DesignedClient.width(), DesignedClient.height() + menuBar()->sizeHint().height());
    if (QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(FRichEdit->document(), &QTextDocument::modificationChanged, this,
            &TMainForm::ActionManagerUpdate);
    connect(FRichEdit, &TRichEdit::DocumentReplaced, this, [this](QTextDocument *doc) {
        connect(doc, &QTextDocument::modificationChanged, this, &TMainForm::ActionManagerUpdate);
    });
    connect(FRichEdit, &QTextEdit::selectionChanged, this, &TMainForm::UpdateTextCommands);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TMainForm::ActionManagerUpdate);
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::ActionManagerUpdate);
    connect(FRichEdit, &QTextEdit::textChanged, this, &TMainForm::UpdateTextCommands);
    new PageInput(
        menuBar(), FRichEdit,
        { Action("AFormatBold"), Action("AFormatItalic"), Action("AFormatUnderline") },
        [this](const QString &file, int filterIndex) {
            Guarded(this, [this, file, filterIndex] {
                if (QuerySave())
                    OpenDocument(file, filterIndex);
            })();
        },
        this);
    ActionManagerUpdate();
    FRichEdit->setFocus();
}

TMainForm::~TMainForm()
{
    // The application's signals must not reach a window that is half destroyed.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    // Nor its own events: the copy of unsaved work would ask the window being destroyed.
    removeEventFilter(FAutoSave);
}

QAction *TMainForm::Action(const QString &name) const
{
    return findChild<QAction *>(name);
}

TSpellDlg *TMainForm::SpellDlg() const
{
    return FSpelling->SpellDlg();
}

LiveSpellChecker *TMainForm::LiveSpelling() const
{
    return FSpelling->LiveSpelling();
}

TPageZoom &TMainForm::Zoom() const
{
    return FEveryday->Zoom();
}

void TMainForm::CreateActions()
{
    struct Command
    {
        const char *name, *caption;
        QKeySequence shortcut;
        void (TMainForm::*handler)();
    };
    const Command commands[] = {
        { "AFileNew", QT_TR_NOOP("&New"), {}, &TMainForm::AFileNewExecute },
        { "AFileOpen", QT_TR_NOOP("&Open..."), QKeySequence("Ctrl+O"),
          &TMainForm::AFileOpenExecute },
        { "AFileSave", QT_TR_NOOP("&Save"), QKeySequence("Ctrl+S"), &TMainForm::AFileSaveExecute },
        { "AFileSaveAs", QT_TR_NOOP("Save &As..."), {}, &TMainForm::AFileSaveAsExecute },
        { "AFilePrintSetup",
          QT_TR_NOOP("Print Set&up..."),
          {},
          &TMainForm::AFilePrintSetupExecute },
        { "APrintDlg", QT_TR_NOOP("&Print..."), QKeySequence("Ctrl+P"),
          &TMainForm::APrintDlgExecute },
        { "AFileExit", QT_TR_NOOP("E&xit"), {}, nullptr },
        { "AEditCut", QT_TR_NOOP("Cu&t"), QKeySequence("Ctrl+X"), &TMainForm::AEditCutExecute },
        { "AEditCopy", QT_TR_NOOP("&Copy"), QKeySequence("Ctrl+C"), &TMainForm::AEditCopyExecute },
        { "AEditPaste", QT_TR_NOOP("&Paste"), QKeySequence("Ctrl+V"),
          &TMainForm::AEditPasteExecute },
        { "AFontEdit", QT_TR_NOOP("Select &Font..."), {}, &TMainForm::AFontEditExecute },
        { "AEditSpelling", QT_TR_NOOP("Check &Spelling..."), QKeySequence(Qt::Key_F7),
          &TMainForm::AEditSpellingExecute },
        { "AEditWordCount", QT_TR_NOOP("&Word Count..."), {}, &TMainForm::AEditWordCountExecute },
        { "AEditReadAloud", QT_TR_NOOP("Read &Aloud"), QKeySequence(Qt::Key_F8), nullptr },
        { "AEditReadEverything", QT_TR_NOOP("Read &Everything"), {}, nullptr },
        { "ASpeechSettings", QT_TR_NOOP("Spee&ch..."), {}, &TMainForm::ASpeechSettingsExecute },
        { "AEditAutoCorrect", QT_TR_NOOP("Correct Spelling While &Typing"), {}, nullptr },
        { "AEditSpellAsYouType", QT_TR_NOOP("Check Spelling as &You Type"), {}, nullptr },
        { "AEditCheckInContext", QT_TR_NOOP("Check Words in Conte&xt"), {}, nullptr },
        { "AEditCheckCapitals", QT_TR_NOOP("Check Capita&ls"), {}, nullptr },
        { "AHelpContents", QT_TR_NOOP("&Contents"), {}, &TMainForm::AHelpContentsExecute },
        { "AHelpAbout", QT_TR_NOOP("&About..."), {}, &TMainForm::AHelpAboutExecute },
        // Ctrl+N starts a new story at any time, asking first about unsaved work as New
        // does; New itself stays enabled only while there is unsaved work.
        { "AFileNewStory", QT_TR_NOOP("New S&tory"), QKeySequence("Ctrl+N"),
          &TMainForm::AFileNewExecute },
        // The usual keys of Save As and Exit, which show in no menu.
        { "AFileSaveAsKey", QT_TR_NOOP("Save &As..."), QKeySequence("Ctrl+Shift+S"), nullptr },
        { "AFileExitKey", QT_TR_NOOP("E&xit"), QKeySequence("Ctrl+Q"), nullptr },
        // F10 opens the first menu, so the menus are reached without their access keys.
        { "AMenuKey", QT_TR_NOOP("&Menus"), QKeySequence(Qt::Key_F10), nullptr },
        // F1 opens the Help window, which no menu item shows.
        { "AHelpKey", QT_TR_NOOP("&Help"), QKeySequence(Qt::Key_F1),
          &TMainForm::AHelpContentsExecute },
    };
    for (const Command &c : commands) {
        auto *action = new QAction(this);
        SetCaption(action, c.caption);
        action->setObjectName(c.name);
        action->setShortcut(c.shortcut);
        // The edit commands act on whichever edit control has the focus, so their keys
        // stay with that control; the window-wide ones work from anywhere in the window.
        action->setShortcutContext(Qt::WindowShortcut);
        if (c.handler)
            connect(action, &QAction::triggered, this, Guarded(this, std::bind(c.handler, this)));
        addAction(action);
    }
    connect(Action("AFileExit"), &QAction::triggered, this, &QWidget::close);
    connect(Action("AFileExitKey"), &QAction::triggered, Action("AFileExit"), &QAction::trigger);
    connect(Action("AMenuKey"), &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    connect(Action("AFileSaveAsKey"), &QAction::triggered, Action("AFileSaveAs"),
            &QAction::trigger);
}

QMenu *TMainForm::AddMenu(const char *title)
{
    QMenu *menu = menuBar()->addMenu(QString());
    SetCaption(menu, title);
    return menu;
}

void TMainForm::CreateMenus()
{
    auto item = [this](QMenu *menu, const char *name, const char *action) {
        QAction *a = Action(action);
        menu->addAction(a);
        a->setProperty("menuItem", name);
    };
    QMenu *file = AddMenu(QT_TR_NOOP("File"));
    QMenu *edit = nullptr; // filled below, then given the everyday commands
    file->setObjectName("MFile");
    item(file, "MNew", "AFileNew");
    item(file, "MOpen", "AFileOpen");
    file->addSeparator();
    item(file, "MSave", "AFileSave");
    item(file, "MSaveAs", "AFileSaveAs");
    // "&Close" is a second way to run New, with a caption of its own.
    auto *close = new QAction(this);
    SetCaption(close, QT_TR_NOOP("&Close"));
    close->setObjectName("MClose");
    QAction *fileNew = Action("AFileNew");
    connect(close, &QAction::triggered, fileNew, &QAction::trigger);
    connect(fileNew, &QAction::changed, close,
            [close, fileNew] { close->setEnabled(fileNew->isEnabled()); });
    file->addAction(close);
    file->addSeparator();
    item(file, "MPrintSetup", "AFilePrintSetup");
    item(file, "MPrint", "APrintDlg");
    file->addSeparator();
    item(file, "MExit", "AFileExit");

    edit = AddMenu(QT_TR_NOOP("Edit"));
    edit->setObjectName("MEdit");
    item(edit, "MCut", "AEditCut");
    item(edit, "MCopy", "AEditCopy");
    item(edit, "MPaste", "AEditPaste");
    edit->addSeparator();
    item(edit, "MFont", "AFontEdit");
    item(edit, "MSpelling", "AEditSpelling");
    item(edit, "MWordCount", "AEditWordCount");
    item(edit, "MAutoCorrect", "AEditAutoCorrect");
    item(edit, "MSpellAsYouType", "AEditSpellAsYouType");
    item(edit, "MCheckInContext", "AEditCheckInContext");
    item(edit, "MCheckCapitals", "AEditCheckCapitals");
    edit->addSeparator();
    item(edit, "MReadAloud", "AEditReadAloud");
    item(edit, "MReadEverything", "AEditReadEverything");
    item(edit, "MSpeech", "ASpeechSettings");
    edit->setToolTipsVisible(true); // a disabled command says why

    QMenu *help = AddMenu(QT_TR_NOOP("Help"));
    help->setObjectName("MHelp");
    item(help, "MContents", "AHelpContents");
    Action("AHelpContents")->setVisible(false);
    help->addSeparator()->setVisible(false);
    item(help, "MAbout", "AHelpAbout");
    new RecentMenu(
        file,
        [this](const QString &fileName, bool plainText) {
            if (QuerySave())
                OpenDocument(fileName, plainText ? 2 : 1);
        },
        this);
    file->insertAction(Action("AFileOpen"), Action("AFileNewStory"));
    FEveryday = new EverydayCommands(FRichEdit, menuBar(), edit, help, this);
}

void TMainForm::CreateControls()
{
    FMainPanel = new QFrame(this);
    auto *mainPanel = static_cast<QFrame *>(FMainPanel);
    mainPanel->setObjectName("MainPanel");
    mainPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    mainPanel->setLineWidth(1);
    setCentralWidget(mainPanel);

    FRichEdit = new TRichEdit(mainPanel);
    QTextEdit *edit = FRichEdit;
    edit->setObjectName("RichEdit");
    edit->setAccessibleName(tr("Story")); // what a screen reader calls the page
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode(QTextEdit::WidgetWidth);
    edit->setFont(WindowFont());
    edit->document()->setDefaultFont(WindowFont());
    FPanelAnchors.Add(edit, QRect(8, 7, 575, 330), akLeft | akTop | akRight | akBottom,
                      DesignedClient);

    FPanel1 = new QFrame(mainPanel);
    FPanel1->setObjectName("Panel1");
    FPanel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    FPanel1->setLineWidth(1);
    FPanel1->setAutoFillBackground(true);
    QPalette white = FPanel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    FPanel1->setPalette(white);
    const QRect stripRect(9, 343, 573, 46);
    FPanelAnchors.Add(FPanel1, stripRect, akLeft | akRight | akBottom, DesignedClient);

    // Children of the strip are placed in its client area, inside the 2-pixel border.
    // A picture's box reaches below the strip's inside edge; it is cut to what shows,
    // and the picture drawn whole in it.
    const QSize stripClient(569, 42);
    const QPoint clientOrigin(2, 2);
    const int border = FPanel1->frameWidth();
    const QRect inside
        = QRect(QPoint(0, 0), stripRect.size()).marginsRemoved({ border, border, border, border });
    for (const Picture &p : StripPictures) {
        auto *image = new TImage(QIcon(QString(":/pictures/%1.svg").arg(p.file)), FPanel1);
        image->setObjectName(p.name);
        const QRect box(QPoint(p.left, p.top) + clientOrigin, QSize(40, p.height));
        FStripAnchors.Add(image, box & inside, akBottom, stripClient + QSize(4, 4));
    }

    // The big "&New" button: the close kind's glyph on a light-blue face, bound to New
    // (caption and enabled state follow the command; a click runs it and closes nothing).
    FNewButton = new TPicBitBtn(FPanel1);
    FNewButton->setObjectName("BPicBitButton");
    FNewButton->SetKind(bkClose);
    FNewButton->SetAction(Action("AFileNew"));
    QFont buttonFont("Times New Roman");
    buttonFont.setPixelSize(16);
    buttonFont.setBold(true);
    FNewButton->setFont(buttonFont);
    FNewButton->SetFontColor(NewCaptionColour);
    FNewButton->SetColor(WindowColour);
    FNewButton->SetShowFocusRect(false);
    FNewButton->SetTabStop(false);
    FStripAnchors.Add(FNewButton, QRect(QPoint(489, 12) + clientOrigin, QSize(75, 25)),
                      akRight | akBottom, stripClient + QSize(4, 4));
}

void TMainForm::SetHelpForms(QDialog *helpForm, QDialog *aboutForm)
{
    FHelpForm = helpForm;
    FAboutForm = aboutForm;
}

void TMainForm::AHelpContentsExecute()
{
    if (FHelpForm)
        FHelpForm->exec();
}

void TMainForm::AHelpAboutExecute()
{
    if (FAboutForm)
        FAboutForm->exec(); // its result is of no interest here
}

void TMainForm::CreateLanguageMenu()
{
    new LanguageMenu(
        menuBar(), findChild<QMenu *>("MHelp"),
        [this](TLanguages id) {
            InterfaceLanguage::Save(id);
            SetLanguage(id);
        },
        this);
    ApplyLanguage(InterfaceLanguage::Saved(), false);
}

void TMainForm::SetLanguage(TLanguages id)
{
    ApplyLanguage(id, true);
}

void TMainForm::ApplyLanguage(TLanguages id, bool reopenDictionary)
{
    FLanguage = id;
    const TInterfaceLanguage &language = InterfaceLanguage::Of(id);
    InterfaceLanguage::Install(id);
    Action(QString("ALanguage_") + language.Code)->setChecked(true);
    TSpeaker::Instance().SetLanguage(QLocale(language.Voice));
    SpellDlg()->SetLabelLanguage(id);
    FSpelling->UseDictionaryOf(language, reopenDictionary);
}

void TMainForm::RetranslateUi()
{
    for (QAction *a : findChildren<QAction *>())
        if (const QByteArray source = SourceOf(a); !source.isEmpty())
            a->setText(tr(source));
    for (QMenu *m : findChildren<QMenu *>())
        if (const QByteArray source = SourceOf(m); !source.isEmpty())
            m->setTitle(tr(source));
    TSpeaker &speaker = TSpeaker::Instance();
    if (!speaker.Available())
        for (const char *name : { "AEditReadAloud", "AEditReadEverything", "ASpeechSettings" })
            Action(name)->setToolTip(speaker.MissingVoiceHint());
    FRichEdit->setAccessibleName(tr("Story"));
    UpdateCaption();
}

void TMainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QMainWindow::changeEvent(event);
}

void TMainForm::AEditSpellingExecute()
{
    SpellDlg()->Check(FRichEdit);
}

void TMainForm::ASpeechSettingsExecute()
{
    SpeechDialog dialog(TSpeaker::Instance(), this);
    dialog.exec();
}

void TMainForm::AEditWordCountExecute()
{
    int words = 0;
    int uniqueWords = 0;
    SpellDlg()->CountWords(FRichEdit, words, uniqueWords);
}

void TMainForm::FormCreate()
{
    // Both file dialogs start in the user's documents folder, or in the home folder where
    // there is none (a folder that does not exist would be proposed as the file's name).
    FInitialDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(FInitialDir).isDir())
        FInitialDir = QDir::homePath();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (FMainPanel) {
        FPanelAnchors.Apply(FMainPanel->size());
        FStripAnchors.Apply(FPanel1->size());
    }
}

void TMainForm::ActionManagerUpdate()
{
    UpdateTextCommands();
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    FUpdated.Paste->setEnabled(clip && clip->hasText());
}

void TMainForm::UpdateTextCommands()
{
    // Runs on every key, focus and selection change: the commands are found once. Paste is
    // left to changes of the clipboard and focus: asking the clipboard what it holds took
    // more than the rest of this at every key.
    if (!FUpdated.New) {
        FUpdated = { Action("AFileNew"),
                     Action("AEditCut"),
                     Action("AEditCopy"),
                     Action("AEditPaste"),
                     { Action("AEditSelectAll"), Action("AEditFind"), Action("AEditFindNext"),
                       Action("AEditReplace") } };
    }
    FUpdated.New->setEnabled(FRichEdit->Modified());
    const bool selection = FocusedEdit::HasSelection();
    FUpdated.Cut->setEnabled(selection);
    FUpdated.Copy->setEnabled(selection);
    const bool hasText = !FRichEdit->document()->isEmpty();
    for (QAction *command : FUpdated.NeedText)
        command->setEnabled(hasText);
    UpdateCaption();
}

bool TMainForm::QuerySave()
{
    if (!FRichEdit->Modified())
        return true;
    switch (QuestionDlg(tr("Do you want to save your work?"), 0, true)) {
    case mrCancel:
        return false;
    case mrYes:
        // A save that fails reports its error and leaves FSaved false, so the caller
        // keeps the text and the window.
        Action("AFileSave")->trigger();
        return FSaved;
    default:
        return true;
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    try {
        if (!QuerySave())
            return;
    } catch (const std::exception &e) {
        TApplication::HandleException(this, e);
        return;
    }
    event->accept();
    FAutoSave->Forget(); // saved, or deliberately not
    // Learned words are written now, while a failure can still be shown to the user.
    try {
        SpellDlg()->SetDictionaryActive(false);
    } catch (const std::exception &e) {
        TApplication::HandleException(this, e);
    }
}

void TMainForm::AFileNewExecute()
{
    if (!QuerySave())
        return;
    FRichEdit->Clear();
    FFileName.clear();
    DocumentSettled();
    // Clearing may reset the modified flag without a change signal; New follows it.
    ActionManagerUpdate();
}

void TMainForm::AFileOpenExecute()
{
    // Unsaved work is never replaced without asking.
    if (!QuerySave())
        return;
    TFileDialogRequest request { tr("Open file"), tr(FileFilter), FOpenFilter,
                                 FInitialDir,     FOpenFileName,  "txt" };
    if (!StandardDialogs::Instance().OpenFile(this, request))
        return;
    FOpenFilter = request.FilterIndex;
    FOpenFileName = request.FileName;
    OpenDocument(request.FileName, request.FilterIndex);
}

void TMainForm::OpenDocument(const QString &fileName, int filterIndex)
{
    FRichEdit->SetPlainText(filterIndex > 1);
    FRichEdit->LoadFromFile(fileName);
    FFileName = fileName;
    FPlainText = FRichEdit->PlainText();
    RecentDocuments::Add(FFileName, FPlainText);
    DocumentSettled();
    // What could not be read is not on the page: a save over the file would lose it for good.
    FSaveAsFirst = FRichEdit->LoadedDamaged();
    if (FSaveAsFirst)
        MessageDlg(tr("Parts of “%1” could not be read, so they are missing from the page. Saving "
                      "will not bring them back: to keep the file as it is, Scrivlo asks for a "
                      "new name when you save.")
                       .arg(fileName),
                   mtWarning, Buttons({ mbOK }), 0);
}

void TMainForm::AFileSaveExecute()
{
    FSaved = false; // until this save went through
    if (FFileName.isEmpty() || FSaveAsFirst) {
        Action("AFileSaveAs")->trigger();
        return;
    }
    SaveDocument(FFileName, FPlainText);
    FSaved = true;
}

void TMainForm::AFileSaveAsExecute()
{
    FSaved = false; // until this save went through
    FSaveFileName = FFileName; // the dialog proposes the current name
    TFileDialogRequest request { tr("Save as"), tr(FileFilter), FSaveFilter,
                                 FInitialDir,   FSaveFileName,  "txt" };
    if (!StandardDialogs::Instance().SaveFile(this, request))
        return;
    FSaveFilter = request.FilterIndex;
    FSaveFileName = request.FileName;
    // The chosen file type decides the format, whatever the name's extension.
    SaveDocument(request.FileName, request.FilterIndex > 1);
    FSaved = true;
}

void TMainForm::SaveDocument(const QString &fileName, bool plainText)
{
    FRichEdit->SetPlainText(plainText);
    FRichEdit->SaveToFile(fileName); // raises before anything below changes
    FRichEdit->SetModified(false);
    FFileName = fileName;
    FPlainText = plainText;
    FSaveAsFirst = false;
    RecentDocuments::Add(FFileName, FPlainText);
    DocumentSettled();
}

void TMainForm::AFilePrintSetupExecute()
{
    StandardDialogs::Instance().PrintSetup(this, *FPrinter);
}

void TMainForm::APrintDlgExecute()
{
    const LiveSpellChecker::Pause noUnderlines(LiveSpelling()); // never printed
    if (StandardDialogs::Instance().Print(this, *FPrinter))
        FRichEdit->Print(TApplication::Title(), *FPrinter);
}

void TMainForm::AFontEditExecute()
{
    // The dialog starts from the font chosen last time, not from the selection.
    if (StandardDialogs::Instance().ChooseFont(this, FDialogFont, FDialogColor))
        FRichEdit->SetSelAttributes(FDialogFont, FDialogColor);
}

void TMainForm::AEditCutExecute()
{
    FocusedEdit::Cut();
}

void TMainForm::AEditCopyExecute()
{
    FocusedEdit::Copy();
}

void TMainForm::AEditPasteExecute()
{
    FocusedEdit::Paste();
}

void TMainForm::UpdateCaption()
{
    const bool modified = FRichEdit->Modified();
    if (FFileName.isEmpty() && !modified) {
        setWindowTitle("Scrivlo");
        return;
    }
    const QString name = FFileName.isEmpty() ? tr("Untitled") : QFileInfo(FFileName).fileName();
    setWindowTitle(name + (modified ? "*" : "") + " — Scrivlo");
}

void TMainForm::DocumentSettled()
{
    FAutoSave->Forget();
    ActionManagerUpdate();
}

void TMainForm::RestoreDocument(const std::string &content, const QString &fileName, bool plainText)
{
    FRichEdit->SetPlainText(plainText);
    FRichEdit->LoadFromBytes(content);
    FRichEdit->SetModified(true); // still not saved anywhere
    FFileName = fileName;
    FPlainText = plainText;
    ActionManagerUpdate();
}

void TMainForm::EndOnShutdownSignals()
{
    SessionEnd::OnShutdownSignals(this, [this] { EndSession(); });
}

void TMainForm::EndSession()
{
    SessionEnd::KeepWork(*FAutoSave, *SpellDlg());
}
