#include "app/TMainForm.h"

#include "app/Settings.h"
#include "dialogs/MessageDialogs.h"
#include "platform/core/FileUtils.h"
#include "platform/gui/Application.h"
#include "platform/gui/StandardDialogs.h"
#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "widgets/TPicBitBtn.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <unistd.h>

namespace {

const QColor WindowColour(189, 226, 253);
const QColor NewCaptionColour(56, 153, 233);
constexpr QSize DesignedClient(592, 396);

// A command handler that reports what it raises instead of letting it unwind through
// the toolkit; the program goes on.
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

// The edit control that has the keyboard focus, for the standard edit commands.
QWidget *FocusedEdit()
{
    QWidget *w = QApplication::focusWidget();
    if (qobject_cast<QLineEdit *>(w) || qobject_cast<QTextEdit *>(w)
        || qobject_cast<QPlainTextEdit *>(w))
        return w;
    return nullptr;
}

bool HasSelection(QWidget *w)
{
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->hasSelectedText();
    if (auto *text = qobject_cast<QTextEdit *>(w))
        return text->textCursor().hasSelection();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return plain->textCursor().hasSelection();
    return false;
}

} // namespace

const QString TMainForm::FileFilter
    = "Rich Text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt|Any files (*.*)|*.*";

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
    , FDialogFont(WindowFont())
    , FDialogColor(QApplication::palette().color(QPalette::WindowText))
    , FPrinter(new QPrinter(QPrinter::HighResolution))
{
    setObjectName("MainForm");
    setWindowTitle("Scrivlo");
    setFont(WindowFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, WindowColour);
    setPalette(pal);
    setAutoFillBackground(true);

    CreateActions();
    CreateControls();
    CreateMenus();
    CreateSpellDlg();
    CreateLiveSpelling();
    FormCreate();

    // The designed client area, centred on the screen when first shown.
    setMinimumSize(DesignedClient);
    resize(DesignedClient.width(), DesignedClient.height() + menuBar()->sizeHint().height());
    if (QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(FRichEdit->document(), &QTextDocument::modificationChanged, this,
            &TMainForm::ActionManagerUpdate);
    connect(FRichEdit, &QTextEdit::selectionChanged, this, &TMainForm::ActionManagerUpdate);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TMainForm::ActionManagerUpdate);
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::ActionManagerUpdate);
    ActionManagerUpdate();
    FRichEdit->setFocus();
}

TMainForm::~TMainForm()
{
    // The application's signals must not reach a window that is half destroyed.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    delete FPrinter;
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
        { "AFileNew", "&New", {}, &TMainForm::AFileNewExecute },
        { "AFileOpen", "&Open...", QKeySequence("Ctrl+O"), &TMainForm::AFileOpenExecute },
        { "AFileSave", "&Save", QKeySequence("Ctrl+S"), &TMainForm::AFileSaveExecute },
        { "AFileSaveAs", "Save &As...", {}, &TMainForm::AFileSaveAsExecute },
        { "AFilePrintSetup", "Print Set&up...", {}, &TMainForm::AFilePrintSetupExecute },
        { "APrintDlg", "&Print...", QKeySequence("Ctrl+P"), &TMainForm::APrintDlgExecute },
        { "AFileExit", "E&xit", {}, nullptr },
        { "AEditCut", "Cu&t", QKeySequence("Ctrl+X"), &TMainForm::AEditCutExecute },
        { "AEditCopy", "&Copy", QKeySequence("Ctrl+C"), &TMainForm::AEditCopyExecute },
        { "AEditPaste", "&Paste", QKeySequence("Ctrl+V"), &TMainForm::AEditPasteExecute },
        { "AFontEdit", "Select &Font...", {}, &TMainForm::AFontEditExecute },
        { "AEditSpelling", "Check &Spelling...", QKeySequence(Qt::Key_F7),
          &TMainForm::AEditSpellingExecute },
        { "AEditSpellAsYouType", "Check Spelling as You &Type", {}, nullptr },
        { "AHelpContents", "&Contents", {}, &TMainForm::AHelpContentsExecute },
        { "AHelpAbout", "&About...", {}, &TMainForm::AHelpAboutExecute },
    };
    for (const Command &c : commands) {
        auto *action = new QAction(tr(c.caption), this);
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
}

void TMainForm::CreateMenus()
{
    auto item = [this](QMenu *menu, const char *name, const char *action) {
        QAction *a = Action(action);
        menu->addAction(a);
        a->setProperty("menuItem", name);
    };
    QMenu *file = menuBar()->addMenu("File");
    file->setObjectName("MFile");
    item(file, "MNew", "AFileNew");
    item(file, "MOpen", "AFileOpen");
    file->addSeparator();
    item(file, "MSave", "AFileSave");
    item(file, "MSaveAs", "AFileSaveAs");
    // "&Close" is a second way to run New, with a caption of its own.
    auto *close = new QAction("&Close", this);
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

    QMenu *edit = menuBar()->addMenu("Edit");
    edit->setObjectName("MEdit");
    item(edit, "MCut", "AEditCut");
    item(edit, "MCopy", "AEditCopy");
    item(edit, "MPaste", "AEditPaste");
    edit->addSeparator();
    item(edit, "MFont", "AFontEdit");
    item(edit, "MSpelling", "AEditSpelling");
    item(edit, "MSpellAsYouType", "AEditSpellAsYouType");

    QMenu *help = menuBar()->addMenu("Help");
    help->setObjectName("MHelp");
    item(help, "MContents", "AHelpContents");
    Action("AHelpContents")->setVisible(false);
    help->addSeparator()->setVisible(false);
    item(help, "MAbout", "AHelpAbout");
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
    const QSize stripClient(569, 42);
    const QPoint clientOrigin(2, 2);
    for (const Picture &p : StripPictures) {
        auto *image = new QLabel(FPanel1);
        image->setObjectName(p.name);
        image->setPixmap(
            QIcon(QString(":/pictures/%1.svg").arg(p.file)).pixmap(QSize(40, p.height)));
        FStripAnchors.Add(image, QRect(QPoint(p.left, p.top) + clientOrigin, QSize(40, p.height)),
                          akBottom, stripClient + QSize(4, 4));
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
    // An installed program's folder is not the user's to write: learned words then go to
    // the user's own data folder.
    const std::string programDir = FileUtils::ExecutableDir();
    if (::access(programDir.c_str(), W_OK) != 0) {
        const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(dataDir);
        SpellDlg->SetUserDictionary(QDir(dataDir).filePath("USERDCT.TXT").toStdString());
    }
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

void TMainForm::AEditSpellingExecute()
{
    SpellDlg->Check(FRichEdit);
}

void TMainForm::FormCreate()
{
    // Both file dialogs start in the user's documents folder (empty: the system's default).
    FInitialDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
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
    Action("AFileNew")->setEnabled(FRichEdit->Modified());
    const bool selection = HasSelection(FocusedEdit());
    Action("AEditCut")->setEnabled(selection);
    Action("AEditCopy")->setEnabled(selection);
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    Action("AEditPaste")->setEnabled(clip && clip->hasText());
}

bool TMainForm::QuerySave()
{
    if (!FRichEdit->Modified())
        return true;
    switch (QuestionDlg("Do you want to save your work?", 0, true)) {
    case mrCancel:
        return false;
    case mrYes:
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
    // Clearing may reset the modified flag without a change signal; New follows it.
    ActionManagerUpdate();
}

void TMainForm::AFileOpenExecute()
{
    // Unsaved work is never replaced without asking.
    if (!QuerySave())
        return;
    TFileDialogRequest request { "Open file", FileFilter,    FOpenFilter,
                                 FInitialDir, FOpenFileName, "txt" };
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
    ActionManagerUpdate();
}

void TMainForm::AFileSaveExecute()
{
    if (FFileName.isEmpty()) {
        Action("AFileSaveAs")->trigger();
        return;
    }
    SaveDocument(FFileName, FPlainText);
    FSaved = true;
}

void TMainForm::AFileSaveAsExecute()
{
    FSaveFileName = FFileName; // the dialog proposes the current name
    TFileDialogRequest request { "Save as",   FileFilter,    FSaveFilter,
                                 FInitialDir, FSaveFileName, "txt" };
    if (!StandardDialogs::Instance().SaveFile(this, request)) {
        FSaved = false;
        return;
    }
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
    QWidget *w = FocusedEdit();
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->cut();
    else if (auto *text = qobject_cast<QTextEdit *>(w))
        text->cut();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->cut();
}

void TMainForm::AEditCopyExecute()
{
    QWidget *w = FocusedEdit();
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->copy();
    else if (auto *text = qobject_cast<QTextEdit *>(w))
        text->copy();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->copy();
}

void TMainForm::AEditPasteExecute()
{
    QWidget *w = FocusedEdit();
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->paste();
    else if (auto *text = qobject_cast<QTextEdit *>(w))
        text->paste();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->paste();
}
