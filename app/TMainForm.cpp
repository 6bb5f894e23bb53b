#include "app/TMainForm.h"

#include "app/AutoSave.h"
#include "app/FindDialog.h"
#include "app/InterfaceLanguage.h"
#include "app/PageZoom.h"
#include "app/ReadAloud.h"
#include "app/RecentDocuments.h"
#include "app/Settings.h"
#include "app/ShutdownSignals.h"
#include "app/SpeechDialog.h"
#include "app/TImage.h"
#include "app/TypingCorrector.h"
#include "dialogs/MessageDialogs.h"
#include "platform/core/FileUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/CommandKeyFilter.h"
#include "platform/gui/StandardDialogs.h"
#include "platform/gui/TRichEdit.h"
#include "platform/gui/TSpeaker.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "widgets/TPicBitBtn.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProxyStyle>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <type_traits>
#include <unistd.h>

namespace {

const QColor WindowColour(189, 226, 253);
const QColor NewCaptionColour(56, 153, 233);
constexpr QSize DesignedClient(592, 396);

// A command handler that reports what it raises instead of letting it unwind through
// the toolkit; the program goes on.
// The list beside the dictionary (data/autocorrect.sh) and the setting that turns it on.
const char *const AutoCorrectFile = "AUTOCORR.TXT";
const char *const AutoCorrectSetting = "edit/correctWhileTyping";
const char *const SpeakSuggestionsSetting = "speech/speakSuggestions";

std::function<void()> Guarded(QObject *sender, std::function<void()> handler)
{
    return [sender, handler = std::move(handler)] {
        try {
            handler();
        } catch (const std::exception &e) {
            TApplication::HandleException(sender, e);
        }
    };
}

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

// Draws the title that holds the keyboard (after a tap of Alt, or Escape out of a menu)
// as an open one: a menu bar that takes the keys must show that it has them.
class MenuBarStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && widget && widget->hasFocus()
            && (item->state & State_Selected)) {
            QStyleOptionMenuItem shown = *item;
            shown.state |= State_Sunken;
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// Calls command with the edit control that has the keyboard focus, as the kind it is
// (QLineEdit, QTextEdit or QPlainTextEdit), for the standard edit commands; nothing
// happens when the focus is elsewhere.
template<typename Command> void OnFocusedEdit(Command &&command)
{
    QWidget *w = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(w))
        command(*line);
    else if (auto *text = qobject_cast<QTextEdit *>(w))
        command(*text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        command(*plain);
}

// Each text of the window keeps its English source beside it, so that a change of language
// looks every one up again.
const char *const SourceText = "sourceText";

void SetCaption(QAction *action, const char *source)
{
    action->setProperty(SourceText, source);
    action->setText(TMainForm::tr(source));
}

void SetCaption(QMenu *menu, const char *source)
{
    menu->setProperty(SourceText, source);
    menu->setTitle(TMainForm::tr(source));
}

QByteArray SourceOf(const QObject *object)
{
    return object->property(SourceText).toByteArray();
}

bool FocusedEditHasSelection()
{
    bool selection = false;
    OnFocusedEdit([&selection](auto &edit) {
        if constexpr (std::is_same_v<std::decay_t<decltype(edit)>, QLineEdit>)
            selection = edit.hasSelectedText();
        else
            selection = edit.textCursor().hasSelection();
    });
    return selection;
}

} // namespace

const char *const TMainForm::FileFilter
    = QT_TR_NOOP("Rich Text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt|Any files (*.*)|*.*");

TMainForm::TMainForm(QWidget *parent)
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
    CreateSpellDlg();
    CreateReadAloud();
    CreateLiveSpelling();
    CreateLanguageMenu();
    FormCreate();
    FAutoSave = new TAutoSave(this);
    FZoom = new TPageZoom(FRichEdit);

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
    connect(FRichEdit, &QTextEdit::undoAvailable, Action("AEditUndo"), &QAction::setEnabled);
    connect(FRichEdit, &QTextEdit::redoAvailable, Action("AEditRedo"), &QAction::setEnabled);
    connect(FRichEdit, &QTextEdit::textChanged, this, &TMainForm::UpdateTextCommands);
    connect(FRichEdit, &QTextEdit::currentCharFormatChanged, this,
            [this](const QTextCharFormat &f) {
                Action("AFormatBold")->setChecked(f.fontWeight() > QFont::Normal);
                Action("AFormatItalic")->setChecked(f.fontItalic());
                Action("AFormatUnderline")->setChecked(f.fontUnderline());
            });
    FRichEdit->installEventFilter(this);
    FRichEdit->viewport()->installEventFilter(this); // where files are dropped
    Action("AEditUndo")->setEnabled(false);
    Action("AEditRedo")->setEnabled(false);
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
        { "AHelpContents", QT_TR_NOOP("&Contents"), {}, &TMainForm::AHelpContentsExecute },
        { "AHelpAbout", QT_TR_NOOP("&About..."), {}, &TMainForm::AHelpAboutExecute },
        // The everyday commands of desktop editors, beside the ones above.
        { "AEditUndo", QT_TR_NOOP("&Undo"), QKeySequence::Undo, &TMainForm::AEditUndoExecute },
        { "AEditRedo", QT_TR_NOOP("&Redo"), QKeySequence("Ctrl+Y"), &TMainForm::AEditRedoExecute },
        { "AEditSelectAll", QT_TR_NOOP("Select &All"), QKeySequence::SelectAll,
          &TMainForm::AEditSelectAllExecute },
        { "AEditFind", QT_TR_NOOP("&Find..."), QKeySequence::Find, &TMainForm::AEditFindExecute },
        { "AEditFindNext", QT_TR_NOOP("Find &Next"), QKeySequence(Qt::Key_F3),
          &TMainForm::AEditFindNextExecute },
        { "AEditReplace", QT_TR_NOOP("R&eplace..."), QKeySequence("Ctrl+H"),
          &TMainForm::AEditReplaceExecute },
        { "AFormatBold", QT_TR_NOOP("&Bold"), QKeySequence::Bold, &TMainForm::AFormatBoldExecute },
        { "AFormatItalic", QT_TR_NOOP("&Italic"), QKeySequence::Italic,
          &TMainForm::AFormatItalicExecute },
        { "AFormatUnderline", QT_TR_NOOP("&Underline"), QKeySequence::Underline,
          &TMainForm::AFormatUnderlineExecute },
        { "AViewZoomIn", QT_TR_NOOP("Zoom &In"), QKeySequence("Ctrl++"),
          &TMainForm::AViewZoomInExecute },
        { "AViewZoomOut", QT_TR_NOOP("Zoom &Out"), QKeySequence("Ctrl+-"),
          &TMainForm::AViewZoomOutExecute },
        { "AViewZoomReset", QT_TR_NOOP("&Normal Size"), QKeySequence("Ctrl+0"),
          &TMainForm::AViewZoomResetExecute },
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
    QAction *autoCorrect = Action("AEditAutoCorrect");
    autoCorrect->setCheckable(true);
    autoCorrect->setChecked(Settings::Flag(AutoCorrectSetting, true));
    Action("AEditRedo")->setShortcuts({ QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z") });
    Action("AViewZoomIn")->setShortcuts({ QKeySequence("Ctrl++"), QKeySequence("Ctrl+=") });
}

QMenu *TMainForm::AddMenu(const char *title)
{
    QMenu *menu = menuBar()->addMenu(QString());
    SetCaption(menu, title);
    return menu;
}

void TMainForm::CreateMenus()
{
    auto *style = new MenuBarStyle;
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    menuBar()->installEventFilter(this);
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
    CreateEverydayMenus(file, edit);
}

bool TMainForm::HandMenuLetterToPage(QObject *watched, QEvent *event)
{
    // A letter that opens no menu, typed while the menu bar holds the keyboard, gives the
    // keyboard back to the page and is typed there.
    if (watched == menuBar() && event->type() == QEvent::KeyPress && menuBar()->hasFocus()
        && !QApplication::activePopupWidget()) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool printable = text.size() == 1 && text[0].isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        const auto titles = menuBar()->actions();
        const bool opensMenu = std::any_of(titles.begin(), titles.end(), [&text](QAction *a) {
            return QKeySequence::mnemonic(a->text())
                == QKeySequence(Qt::ALT | text[0].toUpper().unicode());
        });
        if (printable && !opensMenu) {
            FRichEdit->setFocus(Qt::OtherFocusReason);
            QApplication::sendEvent(FRichEdit, event);
            return true;
        }
    }
    return false;
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

void TMainForm::CreateSpellDlg()
{
    // The spell check's settings as this window keeps them.
    SpellDlg = new TSpellDlg(this);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    SpellDlg->SetFont(font);
    SpellDlg->SetIgnoreWithNumbers(true);
    SpellDlg->SetSupportRTF2(true);
    SpellDlg->SetSuggestionRanking(rkChildren);
    // An installed program's folder is not the user's to write: learned words then go to
    // the user's own data folder.
    const std::string programDir = FileUtils::ExecutableDir();
    if (::access(programDir.c_str(), W_OK) != 0) {
        const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(dataDir);
        FUserWordsFolder = dataDir.toStdString() + '/';
        SpellDlg->SetUserDictionary(FUserWordsFolder + "USERDCT.TXT");
    }
    // Common misspellings are corrected as the child types them, in the child's capitals;
    // F7 corrects them too only while that is on, and otherwise asks, the listed
    // correction first.
    if (FileUtils::FileExists(programDir + AutoCorrectFile))
        SpellDlg->SetAutoCorrectList(AutoCorrectFile);
    SpellDlg->SetMatchTypedCase(true);
    auto *corrector = new TypingCorrector(FRichEdit, SpellDlg, this);
    QAction *autoCorrect = Action("AEditAutoCorrect");
    corrector->SetEnabled(autoCorrect->isChecked());
    SpellDlg->SetAutoCorrectInCheck(autoCorrect->isChecked());
    connect(autoCorrect, &QAction::toggled, this, [this, corrector](bool on) {
        corrector->SetEnabled(on);
        SpellDlg->SetAutoCorrectInCheck(on);
        Settings::SetFlag(AutoCorrectSetting, on);
    });
}

void TMainForm::CreateLiveSpelling()
{
    LiveSpelling = new LiveSpellChecker(FRichEdit, SpellDlg);
    QAction *toggle = Action("AEditSpellAsYouType");
    toggle->setCheckable(true);
    toggle->setChecked(Settings::Flag(SpellAsYouTypeKey, true));
    connect(toggle, &QAction::toggled, this, [this](bool on) {
        Settings::SetFlag(SpellAsYouTypeKey, on);
        LiveSpelling->SetEnabled(on);
    });
    // Without a dictionary the check goes off for this run; the choice stays remembered.
    connect(LiveSpelling, &LiveSpellChecker::Disabled, this, [toggle] {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(false);
    });
    // The dictionary opens once the window runs, after the settings of the spell check
    // are in place, so a failure can be shown over the window.
    QTimer::singleShot(0, LiveSpelling, [this, toggle] {
        if (toggle->isChecked())
            LiveSpelling->SetEnabled(true);
    });
}

void TMainForm::CreateLanguageMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName("MLanguage");
    SetCaption(menu, QT_TR_NOOP("Language"));
    FLanguageGroup = new QActionGroup(this);
    for (TLanguages id : InterfaceLanguage::All) {
        const TInterfaceLanguage &language = InterfaceLanguage::Of(id);
        // Each language is named in its own words, whichever is shown, so a child who
        // cannot read the one on screen still finds their own.
        QAction *a = menu->addAction(QString::fromUtf8(language.NativeName));
        a->setObjectName(QString("ALanguage_") + language.Code);
        a->setCheckable(true);
        FLanguageGroup->addAction(a);
        connect(a, &QAction::triggered, this, Guarded(this, [this, id] {
                    InterfaceLanguage::Save(id);
                    SetLanguage(id);
                }));
    }
    menuBar()->insertMenu(findChild<QMenu *>("MHelp")->menuAction(), menu);
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
    SpellDlg->SetLabelLanguage(id);
    UseDictionaryOf(language, reopenDictionary);
}

void TMainForm::UseDictionaryOf(const TInterfaceLanguage &language, bool reopen)
{
    // "ENGLISH" and "ENGLISH.DCT" name the same file; the same one stays open as it is.
    const QString current = QString::fromStdString(SpellDlg->DictionaryName());
    if (QString(language.Dictionary).startsWith(current, Qt::CaseInsensitive))
        return;
    const bool wasOpen = reopen && SpellDlg->DictionaryActive();
    if (wasOpen)
        SpellDlg->SetDictionaryActive(false); // writes the words learned into the old one
    SpellDlg->SetDictionaryName(language.Dictionary);
    SpellDlg->SetUserDictionary(FUserWordsFolder + language.UserWords);
    // The auto-correct pairs are English misspellings: kept aside while they do not fit.
    if (!language.AutoCorrect && !SpellDlg->AutoCorrectList().empty()) {
        FAutoCorrectList = SpellDlg->AutoCorrectList();
        SpellDlg->SetAutoCorrectList({});
    } else if (language.AutoCorrect && SpellDlg->AutoCorrectList().empty()) {
        SpellDlg->SetAutoCorrectList(FAutoCorrectList);
    }
    QAction *autoCorrect = Action("AEditAutoCorrect");
    autoCorrect->setEnabled(language.AutoCorrect);
    autoCorrect->setToolTip(language.AutoCorrect ? QString() : tr("Corrects English words only."));
    if (wasOpen)
        SpellDlg->SetDictionaryActive(true);
    // The words underlined so far were judged by the old dictionary.
    if (LiveSpelling->Enabled()) {
        LiveSpelling->SetEnabled(false);
        LiveSpelling->SetEnabled(true);
    }
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
    SpellDlg->Check(FRichEdit);
}

void TMainForm::CreateReadAloud()
{
    TSpeaker &speaker = TSpeaker::Instance();
    speaker.SetLanguage(QLocale(QLocale::English));
    SpeechDialog::ApplySaved(speaker);
    new ReadAloud(FRichEdit, speaker, Action("AEditReadAloud"), Action("AEditReadEverything"),
                  this);
    QAction *settings = Action("ASpeechSettings");
    settings->setEnabled(speaker.Available());
    if (!speaker.Available())
        settings->setToolTip(speaker.MissingVoiceHint());
    // The spelling dialog reads its suggestions too, with the check box kept between runs.
    SpellDlg->SetSpeaker(&speaker);
    SpellDlg->SetSpeakSuggestions(Settings::Flag(SpeakSuggestionsSetting, false));
    SpellDlg->OnSpeakSuggestionsChanged
        = [](bool on) { Settings::SetFlag(SpeakSuggestionsSetting, on); };
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
    SpellDlg->CountWords(FRichEdit, words, uniqueWords);
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
    const bool selection = FocusedEditHasSelection();
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
        SpellDlg->SetDictionaryActive(false);
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
    const LiveSpellChecker::Pause noUnderlines(LiveSpelling); // never printed
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
    OnFocusedEdit([](auto &edit) { edit.cut(); });
}

void TMainForm::AEditCopyExecute()
{
    OnFocusedEdit([](auto &edit) { edit.copy(); });
}

void TMainForm::AEditPasteExecute()
{
    OnFocusedEdit([](auto &edit) { edit.paste(); });
}

// The everyday commands: Undo and Redo first in Edit, Select All beside Paste, the search
// commands after them; zoom in View, character styles in Format; Recent Documents in File.
void TMainForm::CreateEverydayMenus(QMenu *file, QMenu *edit)
{
    FRecentMenu = new QMenu(file);
    SetCaption(FRecentMenu, QT_TR_NOOP("Recent &Documents"));
    FRecentMenu->setObjectName("MRecent");
    file->insertMenu(file->actions().at(2), FRecentMenu);
    file->insertAction(Action("AFileOpen"), Action("AFileNewStory"));
    connect(file, &QMenu::aboutToShow, this, &TMainForm::FillRecentMenu);
    FillRecentMenu();

    QAction *cut = Action("AEditCut");
    edit->insertActions(cut, { Action("AEditUndo"), Action("AEditRedo") });
    edit->insertSeparator(cut);
    const QList<QAction *> items = edit->actions();
    QAction *fontSeparator = items.at(items.indexOf(Action("AFontEdit")) - 1);
    edit->insertAction(fontSeparator, Action("AEditSelectAll"));
    edit->insertSeparator(fontSeparator);
    edit->insertActions(fontSeparator,
                        { Action("AEditFind"), Action("AEditFindNext"), Action("AEditReplace") });

    QMenu *help = findChild<QMenu *>("MHelp");
    QMenu *view = new QMenu(this);
    SetCaption(view, QT_TR_NOOP("View"));
    view->setObjectName("MView");
    view->addActions({ Action("AViewZoomIn"), Action("AViewZoomOut"), Action("AViewZoomReset") });
    QMenu *format = new QMenu(this);
    SetCaption(format, QT_TR_NOOP("Format"));
    format->setObjectName("MFormat");
    for (const char *name : { "AFormatBold", "AFormatItalic", "AFormatUnderline" }) {
        Action(name)->setCheckable(true);
        format->addAction(Action(name));
    }
    // Help sends the child to the Format menu for the font; it stays in Edit as well.
    format->addSeparator();
    format->addAction(Action("AFontEdit"));
    menuBar()->insertMenu(help->menuAction(), view);
    menuBar()->insertMenu(help->menuAction(), format);
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
    auto *watcher = new TShutdownSignals(this);
    connect(watcher, &TShutdownSignals::Received, this, [this] {
        EndSession();
        // Straight out: a question or a check that is open now must not hold the end up.
        std::fflush(nullptr);
        std::_Exit(0);
    });
}

void TMainForm::EndSession()
{
    FAutoSave->Keep();
    FAutoSave->WriteNow(true);
    try {
        SpellDlg->SetDictionaryActive(false); // writes the learned words
    } catch (const std::exception &e) {
        std::fprintf(stderr, "scrivlo: %s\n", e.what());
    }
}

void TMainForm::FillRecentMenu()
{
    FRecentMenu->clear();
    const QList<TRecentDocument> recent = RecentDocuments::List();
    int number = 0;
    for (const TRecentDocument &doc : recent) {
        QAction *a = FRecentMenu->addAction(
            QString("&%1 %2").arg(++number).arg(QFileInfo(doc.FileName).fileName()));
        a->setToolTip(doc.FileName);
        connect(a, &QAction::triggered, this,
                Guarded(this, [this, doc] { OpenRecent(doc.FileName, doc.PlainText); }));
    }
    FRecentMenu->setEnabled(!recent.isEmpty());
}

void TMainForm::OpenRecent(const QString &fileName, bool plainText)
{
    if (!QFileInfo(fileName).isFile()) {
        RecentDocuments::Remove(fileName);
        MessageDlg(tr("Scrivlo cannot find \"%1\". It is taken off the list of recent documents.")
                       .arg(fileName),
                   mtInformation, Buttons({ mbOK }), 0);
        return;
    }
    if (!QuerySave())
        return;
    OpenDocument(fileName, plainText ? 2 : 1);
}

TFindDialog *TMainForm::FindDialog()
{
    if (!FFindDialog)
        FFindDialog = new TFindDialog(FRichEdit, this);
    return FFindDialog;
}

void TMainForm::AEditUndoExecute()
{
    FRichEdit->undo();
}

void TMainForm::AEditRedoExecute()
{
    FRichEdit->redo();
}

void TMainForm::AEditSelectAllExecute()
{
    FRichEdit->selectAll();
}

void TMainForm::AEditFindExecute()
{
    FindDialog()->ShowFind();
}

void TMainForm::AEditFindNextExecute()
{
    FindDialog()->FindNext();
}

void TMainForm::AEditReplaceExecute()
{
    FindDialog()->ShowReplace();
}

// Each style is switched for the selection, or for what is typed next at the caret, in
// one merge of the format: one step to undo.
void TMainForm::AFormatBoldExecute()
{
    QTextCharFormat f;
    f.setFontWeight(FRichEdit->currentCharFormat().fontWeight() > QFont::Normal ? QFont::Normal
                                                                                : QFont::Bold);
    FRichEdit->mergeCurrentCharFormat(f);
}

void TMainForm::AFormatItalicExecute()
{
    QTextCharFormat f;
    f.setFontItalic(!FRichEdit->currentCharFormat().fontItalic());
    FRichEdit->mergeCurrentCharFormat(f);
}

void TMainForm::AFormatUnderlineExecute()
{
    QTextCharFormat f;
    f.setFontUnderline(!FRichEdit->currentCharFormat().fontUnderline());
    FRichEdit->mergeCurrentCharFormat(f);
}

void TMainForm::AViewZoomInExecute()
{
    FZoom->ZoomIn();
}

void TMainForm::AViewZoomOutExecute()
{
    FZoom->ZoomOut();
}

void TMainForm::AViewZoomResetExecute()
{
    FZoom->Reset();
}

bool TMainForm::KeepStyleKeyFromPage(QObject *watched, QEvent *event)
{
    // The page would take Ctrl+U to delete its line (the X11 habit); in a word processor
    // it underlines, as Ctrl+B and Ctrl+I make bold and italic.
    if (watched == FRichEdit && event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        for (const char *name : { "AFormatBold", "AFormatItalic", "AFormatUnderline" })
            if (Action(name)->shortcut() == QKeySequence(key->keyCombination())) {
                event->ignore();
                return true;
            }
    }
    return false;
}

bool TMainForm::OpenDroppedStory(QObject *watched, QEvent *event)
{
    // A .rtf or .txt file dropped on the page is opened, as Open would, instead of its
    // address being typed; dropped text is still the page's to insert.
    const QEvent::Type type = event->type();
    if (watched != FRichEdit->viewport()
        || (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QMimeData *dropped = drop->mimeData();
    if (!dropped || !dropped->hasUrls() || !dropped->urls().constFirst().isLocalFile())
        return false;
    const QString file = dropped->urls().constFirst().toLocalFile();
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != "rtf" && suffix != "txt")
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        // After the drop has ended: the question about unsaved work needs its own loop.
        QTimer::singleShot(0, this, Guarded(this, [this, file, suffix] {
                               if (QuerySave())
                                   OpenDocument(file, suffix == "rtf" ? 1 : 2);
                           }));
    }
    return true;
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    return HandMenuLetterToPage(watched, event) || KeepStyleKeyFromPage(watched, event)
        || OpenDroppedStory(watched, event) || QMainWindow::eventFilter(watched, event);
}
