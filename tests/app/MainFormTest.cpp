// The main window driven as a user would: keys, commands, and dialogs answered by the test.

#include "app/CommandLine.h"
#include "app/FindDialog.h"
#include "app/InterfaceLanguage.h"
#include "app/PageZoom.h"
#include "app/RecentDocuments.h"
#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TMainForm.h"
#include "dictionary/TDictionary.h"
#include "platform/core/UserDataFolder.h"
#include "platform/gui/Application.h"
#include "platform/gui/StandardDialogs.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TSpellDlg.h"
#include "tests/support/IsolatedQTestMain.h"
#include "tests/support/RecordingSpeaker.h"
#include "widgets/TPicBitBtn.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <sys/stat.h>

namespace {

// Scripted standard dialogs: each call takes the next answer, or cancels when none is left.
struct FakeDialogs : StandardDialogs
{
    struct Answer
    {
        QString fileName;
        int filterIndex;
    };
    std::deque<Answer> answers;
    QStringList calls; // "open|save: proposed name|initial folder"
    bool printAnswer = false;
    QString pdfPath;
    QPrinter *printer = nullptr;

    bool Take(const char *kind, TFileDialogRequest &request)
    {
        calls << QString("%1:%2|%3").arg(kind, request.FileName, request.InitialDir);
        if (answers.empty())
            return false;
        request.FileName = answers.front().fileName;
        request.FilterIndex = answers.front().filterIndex;
        answers.pop_front();
        return true;
    }
    bool OpenFile(QWidget *, TFileDialogRequest &r) override { return Take("open", r); }
    bool SaveFile(QWidget *, TFileDialogRequest &r) override { return Take("save", r); }
    bool ChooseFont(QWidget *, QFont &font, QColor &color) override
    {
        font = QFont("Liberation Serif", 20);
        font.setBold(true);
        color = Qt::red;
        return true;
    }
    bool PrintSetup(QWidget *, QPrinter &) override { return true; }
    bool Print(QWidget *, QPrinter &target) override
    {
        target.setOutputFormat(QPrinter::PdfFormat);
        target.setOutputFileName(pdfPath);
        printer = &target;
        return printAnswer;
    }
};

// Presses the named button of the next modal dialog as soon as it shows.
void AnswerNextQuestion(const QString &button, int *asked = nullptr)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, button, asked] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        if (asked)
            ++*asked;
        if (auto *b = modal->findChild<QAbstractButton *>(button))
            b->click();
    });
    timer->start(10);
}

// Keeps the texts of the next modal dialog, then presses its OK.
// Writes a fixture file; false when it cannot be written whole.
bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void ReadNextMessage(QStringList *texts)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, texts] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        QStringList shown;
        for (const QLabel *label : modal->findChildren<QLabel *>())
            shown << label->text();
        *texts << shown.join(' ');
        if (auto *b = modal->findChild<QAbstractButton *>("OK"))
            b->click();
    });
    timer->start(10);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Settings::Store().clear();
        // English whatever the machine's language, as the texts below are.
        Settings::Store().setValue(InterfaceLanguage::SettingKey, "en");
        // The checks in context have tests of their own (ContextSpellingTest); the texts
        // here are about the rest.
        Settings::SetFlag(SpellingSetup::InContextKey, false);
        Settings::SetFlag(SpellingSetup::CapitalsKey, false);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
        dialogs = std::make_unique<FakeDialogs>();
        dialogs->pdfPath = dir.filePath("print.pdf");
        StandardDialogs::SetInstance(dialogs.get());
        speaker = std::make_unique<RecordingSpeaker>();
        TSpeaker::SetInstance(speaker.get());
        // Checking while typing has tests of its own; here it would open the dictionary.
        Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, false);
        form = std::make_unique<TMainForm>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup()
    {
        form->RichEdit()->SetModified(false);
        form.reset();
        StandardDialogs::SetInstance(nullptr);
    }

    void startsEmptyCleanAndClosesWithoutAsking()
    {
        QVERIFY(form->RichEdit()->toPlainText().isEmpty());
        QVERIFY(!form->RichEdit()->Modified());
        QVERIFY(!form->Action("AFileNew")->isEnabled());
        QVERIFY(!form->findChild<QAction *>("MClose")->isEnabled());
        QCOMPARE(form->windowTitle(), QString("Scrivlo"));
        QVERIFY(form->close());
    }

    void typingEnablesNewAndSaveOnUntitledAsksForAName()
    {
        QTest::keyClicks(form->RichEdit(), "a");
        QVERIFY(form->Action("AFileNew")->isEnabled());
        QVERIFY(form->findChild<QAction *>("MClose")->isEnabled());
        QTest::keySequence(form.get(), QKeySequence("Ctrl+S"));
        QCOMPARE(dialogs->calls.size(), 1);
        QVERIFY(dialogs->calls[0].startsWith("save:|")); // empty proposed name
        QVERIFY(form->RichEdit()->Modified());
        QVERIFY(form->FileName().isEmpty());
    }

    void closingNamedModifiedDocumentAndAnsweringYesSavesInPlace()
    {
        const QString path = dir.filePath("story.txt");
        dialogs->answers.push_back({ path, 2 });
        QTest::keyClicks(form->RichEdit(), "Once");
        form->Action("AFileSaveAs")->trigger();
        QCOMPARE(ReadFile(path), QByteArray("Once"));
        QTest::keyClicks(form->RichEdit(), " upon");
        AnswerNextQuestion("Yes");
        QVERIFY(form->close());
        QCOMPARE(dialogs->calls.size(), 1); // no second dialog for a named document
        QCOMPARE(ReadFile(path), QByteArray("Once upon"));
    }

    void closingUntitledAndCancellingSaveAsKeepsTheWindowOpen()
    {
        QTest::keyClicks(form->RichEdit(), "draft");
        AnswerNextQuestion("Yes");
        QVERIFY(!form->close());
        QCOMPARE(form->RichEdit()->toPlainText(), QString("draft"));
        const QString path = dir.filePath("draft.rtf");
        dialogs->answers.push_back({ path, 1 });
        AnswerNextQuestion("Yes");
        QVERIFY(form->close());
        QVERIFY(ReadFile(path).startsWith("{\\rtf1"));
    }

    void answeringNoDiscards()
    {
        QTest::keyClicks(form->RichEdit(), "scribble");
        AnswerNextQuestion("No");
        form->Action("AFileNew")->trigger();
        QVERIFY(form->RichEdit()->toPlainText().isEmpty());
        QVERIFY(!form->RichEdit()->Modified());
        QTest::keyClicks(form->RichEdit(), "more");
        AnswerNextQuestion("No");
        QVERIFY(form->close());
        QVERIFY(dialogs->calls.isEmpty());
    }

    void cancelOnTheQuestionKeepsEverything()
    {
        QTest::keyClicks(form->RichEdit(), "keep me");
        AnswerNextQuestion("Cancel");
        form->Action("AFileNew")->trigger();
        QCOMPARE(form->RichEdit()->toPlainText(), QString("keep me"));
        AnswerNextQuestion("Cancel");
        QVERIFY(!form->close());
    }

    void theFileTypeChosenDecidesTheFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("rtf");
        QTest::newRow("text entry, .rtf name") << "a.rtf" << 2 << false;
        QTest::newRow("rich text entry, .txt name") << "b.txt" << 1 << true;
        QTest::newRow("any files entry") << "c.doc" << 3 << false;
    }
    void theFileTypeChosenDecidesTheFormat()
    {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(bool, rtf);
        const QString path = dir.filePath(name);
        dialogs->answers.push_back({ path, filter });
        QTest::keyClicks(form->RichEdit(), "hello");
        form->Action("AFileSaveAs")->trigger();
        QCOMPARE(ReadFile(path).startsWith("{\\rtf1"), rtf);
        QCOMPARE(form->PlainTextFormat(), !rtf);
        QVERIFY(!form->RichEdit()->Modified());
    }

    void openWithAnyFilesLoadsPlainTextAndSaveKeepsIt()
    {
        const QString path = dir.filePath("notes.rtf");
        QVERIFY(WriteFile(path, "{\\rtf1 not read as rtf}"));
        dialogs->answers.push_back({ path, 3 });
        form->Action("AFileOpen")->trigger();
        QCOMPARE(form->RichEdit()->toPlainText(), QString("{\\rtf1 not read as rtf}"));
        QCOMPARE(form->FileName(), path);
        QTest::keyClicks(form->RichEdit(), "!");
        form->Action("AFileSave")->trigger();
        QVERIFY(ReadFile(path).startsWith("!{\\rtf1") || ReadFile(path).endsWith("!"));
    }

    void openAsksBeforeReplacingUnsavedWork()
    {
        const QString path = dir.filePath("other.txt");
        QVERIFY(WriteFile(path, "other"));
        QTest::keyClicks(form->RichEdit(), "mine");
        int asked = 0;
        AnswerNextQuestion("Cancel", &asked);
        dialogs->answers.push_back({ path, 2 });
        form->Action("AFileOpen")->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("mine"));
        QCOMPARE(dialogs->answers.size(), size_t(1)); // the Open dialog was not shown

        // Yes, then a cancelled Save As: still nothing opened.
        dialogs->answers.clear();
        AnswerNextQuestion("Yes");
        form->Action("AFileOpen")->trigger();
        QCOMPARE(form->RichEdit()->toPlainText(), QString("mine"));
    }

    void failedSaveKeepsNameFormatAndModifiedFlag()
    {
        const QString good = dir.filePath("good.txt");
        dialogs->answers.push_back({ good, 2 });
        QTest::keyClicks(form->RichEdit(), "text");
        form->Action("AFileSaveAs")->trigger();
        QTest::keyClicks(form->RichEdit(), " more");
        std::vector<QString> reported;
        auto saved = TApplication::OnException;
        TApplication::OnException
            = [&](QObject *, const std::exception &e) { reported.push_back(e.what()); };
        dialogs->answers.push_back({ dir.filePath("missing/folder/x.rtf"), 1 });
        form->Action("AFileSaveAs")->trigger();
        TApplication::OnException = saved;
        QCOMPARE(reported.size(), size_t(1));
        QVERIFY(reported[0].startsWith("Failed to Save Stream.\n"));
        QCOMPARE(form->FileName(), good);
        QVERIFY(form->PlainTextFormat());
        QVERIFY(form->RichEdit()->Modified());
    }

    // The save question is answered by this save: when it fails, New, Open and closing
    // stop, and the text, name and modified flag stay, even after an earlier good save.
    void failedSaveOnTheQuestionKeepsTheWindowAndTheText()
    {
        QVERIFY(QDir(dir.path()).mkpath("gone"));
        const QString path = dir.filePath("gone/story.txt");
        dialogs->answers.push_back({ path, 2 });
        QTest::keyClicks(form->RichEdit(), "Once");
        form->Action("AFileSaveAs")->trigger();
        QTest::keyClicks(form->RichEdit(), " upon");
        QVERIFY(QDir(dir.filePath("gone")).removeRecursively());
        int reported = 0;
        auto saved = TApplication::OnException;
        TApplication::OnException = [&](QObject *, const std::exception &) { ++reported; };
        for (const char *command : { "AFileNew", "AFileOpen" }) {
            AnswerNextQuestion("Yes");
            form->Action(command)->trigger();
        }
        AnswerNextQuestion("Yes");
        const bool closed = form->close();
        TApplication::OnException = saved;
        QCOMPARE(reported, 3);
        QVERIFY(!closed);
        QCOMPARE(dialogs->calls.size(), 1); // the Open dialog was never shown
        QCOMPARE(form->RichEdit()->toPlainText(), QString("Once upon"));
        QCOMPARE(form->FileName(), path);
        QVERIFY(form->RichEdit()->Modified());
    }

    // A damaged Rich Text file opens with a warning that names it, and its first save asks
    // for a name instead of making the loss final; a sound file opens without a word.
    void damagedFileWarnsAndItsFirstSaveAsksForAName()
    {
        const QString damaged = dir.filePath("damaged.rtf"), mended = dir.filePath("mended.rtf");
        const QByteArray bytes = "{\\rtf1 kept\\bin2147483647 lost}";
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QStringList warnings;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                warnings << modal->findChild<QLabel *>("Message")->text();
                modal->findChild<QAbstractButton *>("OK")->click();
            }
        });
        answer.start(10);
        form->OpenDocument(damaged, 1);
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].startsWith("Parts of “" + damaged + "” could not be read"),
                 qPrintable(warnings[0]));
        QCOMPARE(form->RichEdit()->toPlainText(), QString("kept"));

        form->Action("AFileSave")->trigger(); // the Save As dialog, cancelled
        QCOMPARE(dialogs->calls.size(), 1);
        QVERIFY(dialogs->calls[0].startsWith("save:" + damaged + "|"));
        QCOMPARE(ReadFile(damaged), bytes);
        dialogs->answers.push_back({ mended, 1 });
        form->Action("AFileSave")->trigger();
        form->Action("AFileSave")->trigger(); // saved once: no more questions
        QCOMPARE(dialogs->calls.size(), 2);
        form->OpenDocument(mended, 1);
        answer.stop();
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("kept"));
    }

    void fontCommandChangesOnlyTheSelection()
    {
        QTest::keyClicks(form->RichEdit(), "ab");
        QTextCursor c = form->RichEdit()->textCursor();
        c.setPosition(0);
        c.setPosition(1, QTextCursor::KeepAnchor);
        form->RichEdit()->setTextCursor(c);
        form->Action("AFontEdit")->trigger();
        QTextCursor probe(form->RichEdit()->document());
        probe.setPosition(1);
        QVERIFY(probe.charFormat().font().bold());
        probe.setPosition(2);
        QVERIFY(!probe.charFormat().font().bold());
    }

    void printJobIsNamedAfterTheProgram()
    {
        TApplication::SetTitle("Scrivlo");
        QTest::keyClicks(form->RichEdit(), "print me");
        dialogs->printAnswer = true;
        form->Action("APrintDlg")->trigger();
        QVERIFY(QFile::exists(dialogs->pdfPath));
        QVERIFY(ReadFile(dialogs->pdfPath).startsWith("%PDF"));
        QCOMPARE(dialogs->printer->docName(), QString("Scrivlo"));
    }

    void menusHoldTheCommandsInOrder()
    {
        QStringList seen;
        for (QAction *menu : form->menuBar()->actions()) {
            QStringList items;
            for (QAction *a : menu->menu()->actions())
                if (a->isVisible())
                    items << (a->isSeparator() ? QString("-") : a->text());
            seen << menu->text() + ": " + items.join(", ");
        }
        QCOMPARE(
            seen,
            QStringList(
                { "File: &New, New S&tory, &Open..., Recent &Documents, -, &Save, Save &As..., "
                  "&Close, -, Print Set&up..., &Print..., -, E&xit",
                  "Edit: &Undo, &Redo, -, Cu&t, &Copy, &Paste, Select &All, -, "
                  "&Find..., Find &Next, R&eplace..., -, Select &Font..., Check "
                  "&Spelling..., &Word Count..., Correct Spelling While &Typing, "
                  "Check Spelling as &You Type, Check Words in Conte&xt, Check Capita&ls, -, "
                  "Read &Aloud, Read &Everything, Spee&ch...",
                  "View: Zoom &In, Zoom &Out, &Normal Size",
                  "Format: &Bold, &Italic, &Underline, -, Select &Font...",
                  "Language: English, Espa\u00f1ol", "Help: &About..." }));
        QCOMPARE(form->Action("AEditSpelling")->shortcut(), QKeySequence(Qt::Key_F7));
    }

    // F7 checks the document with the window's stored settings: words with digits pass,
    // and the rich edit's line breaks count as one position.
    void f7ChecksTheDocument()
    {
        TSpellDlg *spell = form->SpellDlg();
        QVERIFY(spell->IgnoreWithNumbers() && spell->SupportRTF2());
        QCOMPARE(spell->Font().pixelSize(), 11);
        spell->SetDictionaryPath(SCRIVLO_BIN_DIR);
        QTest::keyClicks(form->RichEdit(), "A frend");
        QTest::keyClick(form->RichEdit(), Qt::Key_Return);
        QTest::keyClicks(form->RichEdit(), "with r2d2 and a dogg");
        QStringList asked;
        auto *timer = new QTimer(form.get());
        connect(timer, &QTimer::timeout, [&asked, timer] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                asked << modal->findChild<QLabel *>("Message")->text();
                modal->findChild<QAbstractButton *>("OK")->click();
                return;
            }
            QWidget *dialog = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == "SpellForm" && w->isVisible())
                    dialog = w;
            if (!dialog || !dialog->isVisible() || !dialog->isEnabled())
                return;
            auto *bad = dialog->findChild<QLineEdit *>("edtBadWord");
            if (asked.contains(bad->text()))
                return;
            asked << bad->text();
            dialog->findChild<QLineEdit *>("edtReplace")
                ->setText(bad->text() == "frend" ? "friend" : "dog");
            dialog->findChild<QAbstractButton *>("btnReplace")->click();
        });
        timer->start(5);
        QTest::keyClick(form.get(), Qt::Key_F7);
        timer->stop();
        QCOMPARE(asked, QStringList({ "frend", "dogg", "Spell checking complete." }));
        QCOMPARE(form->RichEdit()->toPlainText(), QString("A friend\nwith r2d2 and a dog"));
        QVERIFY(form->isEnabled());
    }

    // With the shipped list a common misspelling is corrected when the space after it is
    // typed, in the child's capitals, as one undo step; the menu turns it off, remembered.
    void typingCorrectsCommonMisspellings()
    {
        form->SpellDlg()->SetDictionaryPath(SCRIVLO_BIN_DIR);
        form->SpellDlg()->SetAutoCorrectList("AUTOCORR.TXT");
        TRichEdit *edit = form->RichEdit();
        QTest::keyClicks(edit, "I saw teh cat ");
        QCOMPARE(edit->toPlainText(), QString("I saw the cat "));
        QTest::keyClicks(edit, "Teh freind");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->toPlainText(), QString("I saw the cat The friend\n"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->toPlainText(), QString("I saw the cat The freind\n"));
        QCOMPARE(edit->textCursor().position(), edit->toPlainText().size());
        QAction *toggle = form->Action("AEditAutoCorrect");
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QTest::keyClicks(edit, "teh ");
        QCOMPARE(edit->toPlainText(), QString("I saw the cat The freind\nteh "));
        QVERIFY(!form->SpellDlg()->AutoCorrectInCheck()); // F7 asks about them then
        QVERIFY(!TMainForm().Action("AEditAutoCorrect")->isChecked());
        toggle->trigger();
        QVERIFY(form->SpellDlg()->AutoCorrectInCheck());
        QVERIFY(TMainForm().Action("AEditAutoCorrect")->isChecked());
    }

    void wordCountShowsBothNumbers()
    {
        form->SpellDlg()->SetDictionaryPath(SCRIVLO_BIN_DIR);
        QTest::keyClicks(form->RichEdit(), "I saw the cat");
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget *modal = QApplication::activeModalWidget();
            shown = modal->findChild<QLabel *>("Message")->text();
            modal->findChild<QAbstractButton *>("OK")->click();
        });
        form->Action("AEditWordCount")->trigger();
        QCOMPARE(shown, QString("Words: 4\nUnique Words: 4"));
    }

    // F8 reads the selection, or the sentence around the caret; while it speaks it is "Stop
    // Reading", and F8 or Escape stops. Read Everything reads from the caret on.
    void readAloudSpeaksWhatTheChildPointsAt()
    {
        TRichEdit *edit = form->RichEdit();
        QTest::keyClicks(edit, "The dog ran. It was fast! Then it slept.");
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(16); // in "It was fast!"
        edit->setTextCursor(cursor);
        QAction *read = form->Action("AEditReadAloud");
        QTest::keyClick(edit, Qt::Key_F8);
        QCOMPARE(read->text(), QString("S&top Reading"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(read->text(), QString("Read &Aloud"));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_F8); // at the end: the sentence just written
        QTest::keyClick(edit, Qt::Key_F8); // stops
        QVERIFY(!speaker->speaking);
        cursor.setPosition(4);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        QTest::keyClick(edit, Qt::Key_F8);
        speaker->Stop();
        form->Action("AEditReadEverything")->trigger();
        QCOMPARE(speaker->said,
                 QStringList({ "It was fast!", "Then it slept.", "dog ran",
                               ". It was fast! Then it slept." }));
        QCOMPARE(edit->toPlainText(), QString("The dog ran. It was fast! Then it slept."));
    }

    void withoutAVoiceTheCommandsSayWhatToInstall()
    {
        speaker->available = false;
        TMainForm silent;
        for (const char *name : { "AEditReadAloud", "AEditReadEverything", "ASpeechSettings" }) {
            QVERIFY(!silent.Action(name)->isEnabled());
            QVERIFY(silent.Action(name)->toolTip().contains("flite"));
        }
    }

    // Closing the window writes the words learned in this run.
    void closingTheWindowSavesLearnedWords()
    {
        QVERIFY(QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dir.filePath("ENGLISH.DCT")));
        form->SpellDlg()->SetDictionaryPath(dir.path().toStdString());
        form->SpellDlg()->SetDictionaryActive(true);
        QVERIFY(form->SpellDlg()->Dictionary().AddWord(AnsiText("zorbleflip")));
        QVERIFY(form->close());
        // In the user's data folder, never beside the dictionary.
        const QString learned = QString::fromStdString(UserDataFolder::Path()) + "USERDCT.TXT";
        QCOMPARE(ReadFile(learned).trimmed(), QByteArray("zorbleflip"));
        QVERIFY(!QFile::exists(dir.filePath("USERDCT.TXT")));
        QVERIFY(!form->SpellDlg()->DictionaryActive());
    }

    // The "&New" picture button: the close kind's glyph, its own caption, bound to New; a
    // click runs New (asking first) and closes nothing.
    void newButtonRunsNewAndClosesNothing()
    {
        auto *button = form->findChild<TPicBitBtn *>("BPicBitButton");
        QVERIFY(button);
        QCOMPARE(button->Kind(), bkClose);
        QCOMPARE(button->Caption(), QString("&New"));
        QCOMPARE(button->ModalResult(), 0);
        QCOMPARE(button->Color(), QColor(189, 226, 253));
        QCOMPARE(button->FontColor(), QColor(56, 153, 233));
        QCOMPARE(button->size(), QSize(75, 25));
        QVERIFY(!button->ShowFocusRect() && !button->TabStop());
        QVERIFY(!button->isEnabled());
        QTest::keyClicks(form->RichEdit(), "draft");
        QVERIFY(button->isEnabled());
        int asked = 0;
        AnswerNextQuestion("No", &asked);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(asked, 1);
        QVERIFY(form->RichEdit()->toPlainText().isEmpty());
        QVERIFY(form->isVisible());
        QVERIFY(!form->RichEdit()->Modified());
        QVERIFY(!form->Action("AFileNew")->isEnabled());
        QVERIFY(!button->isEnabled());
    }

    // The title names the document and marks unsaved changes; untitled and clean is just
    // the program's name.
    void titleShowsTheNameAndAMarkForChanges()
    {
        QTest::keyClicks(form->RichEdit(), "a");
        QCOMPARE(form->windowTitle(), QString("Untitled* — Scrivlo"));
        dialogs->answers.push_back({ dir.filePath("story.rtf"), 1 });
        QTest::keySequence(form.get(), QKeySequence("Ctrl+S"));
        QCOMPARE(form->windowTitle(), QString("story.rtf — Scrivlo"));
        QTest::keyClicks(form->RichEdit(), "b");
        QCOMPARE(form->windowTitle(), QString("story.rtf* — Scrivlo"));
    }

    // Undo and Redo are enabled exactly when there is something to undo or redo, and each
    // style key is one step to undo.
    // Cut and Copy follow the selection of the edit control with the focus, whichever kind
    // it is, and act on that control only.
    void editCommandsActOnTheFocusedEdit_data()
    {
        QTest::addColumn<bool>("inLineEdit");
        QTest::addColumn<bool>("selected");
        QTest::newRow("page, selection") << false << true;
        QTest::newRow("page, none") << false << false;
        QTest::newRow("line edit, selection") << true << true;
        QTest::newRow("line edit, none") << true << false;
    }
    void editCommandsActOnTheFocusedEdit()
    {
        QFETCH(bool, inLineEdit);
        QFETCH(bool, selected);
        auto *line = new QLineEdit("line text", form.get());
        line->show();
        form->RichEdit()->setPlainText("page text");
        if (selected) {
            line->selectAll();
            form->RichEdit()->selectAll();
        }
        QWidget *edit = inLineEdit ? static_cast<QWidget *>(line) : form->RichEdit();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        edit->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(form->Action("AEditCut")->isEnabled(), selected);
        QCOMPARE(form->Action("AEditCopy")->isEnabled(), selected);
        if (!selected)
            return;
        form->Action("AEditCut")->trigger();
        QCOMPARE(line->text().isEmpty(), inLineEdit);
        QCOMPARE(form->RichEdit()->toPlainText().isEmpty(), !inLineEdit);
    }

    // Paste follows the clipboard, though typing no longer asks it at every key.
    void pasteFollowsTheClipboard()
    {
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->setText("word");
        QVERIFY(form->Action("AEditPaste")->isEnabled());
        QTest::keyClicks(form->RichEdit(), "ab");
        QVERIFY(form->Action("AEditPaste")->isEnabled());
        clipboard->clear();
        QVERIFY(!form->Action("AEditPaste")->isEnabled());
        QTest::keyClicks(form->RichEdit(), "c");
        QVERIFY(!form->Action("AEditPaste")->isEnabled());
    }

    void undoRedoAndStyleKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("property");
        QTest::newRow("Ctrl+B") << "Ctrl+B" << int(QTextFormat::FontWeight);
        QTest::newRow("Ctrl+I") << "Ctrl+I" << int(QTextFormat::FontItalic);
        QTest::newRow("Ctrl+U") << "Ctrl+U" << int(QTextFormat::TextUnderlineStyle);
    }
    void undoRedoAndStyleKeys()
    {
        QFETCH(QString, key);
        QFETCH(int, property);
        QAction *undo = form->Action("AEditUndo"), *redo = form->Action("AEditRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QTest::keyClicks(form->RichEdit(), "word");
        QVERIFY(undo->isEnabled());
        QTest::keySequence(form->RichEdit(), QKeySequence("Ctrl+A"));
        QTest::keySequence(form->RichEdit(), QKeySequence(key));
        QTextCursor probe(form->RichEdit()->document());
        probe.setPosition(2);
        QVERIFY(probe.charFormat().hasProperty(property));
        QVERIFY(form->Action(key == "Ctrl+B"       ? "AFormatBold"
                                 : key == "Ctrl+I" ? "AFormatItalic"
                                                   : "AFormatUnderline")
                    ->isChecked());
        QTest::keySequence(form->RichEdit(), QKeySequence("Ctrl+Z"));
        probe.setPosition(2);
        QVERIFY(!probe.charFormat().hasProperty(property));
        QCOMPARE(form->RichEdit()->toPlainText(), QString("word"));
        QVERIFY(redo->isEnabled());
        for (const char *redoKey : { "Ctrl+Y", "Ctrl+Shift+Z" }) {
            QTest::keySequence(form->RichEdit(), QKeySequence(redoKey));
            probe.setPosition(2);
            QVERIFY(probe.charFormat().hasProperty(property));
            QTest::keySequence(form->RichEdit(), QKeySequence("Ctrl+Z"));
        }
    }

    // Find goes on from the start at the end; case is ignored unless asked; whole words
    // skip a match inside a longer word.
    void findWrapsAndMatchesAsAsked_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWords");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("foundAt");
        QTest::addColumn<int>("result");
        const QString text = "The cat sat. A Cat scattered.";
        QTest::newRow("any case") << "cat" << false << false << 5 << 15 << int(TFindResult::Found);
        QTest::newRow("match case") << "Cat" << true << false << 0 << 15 << int(TFindResult::Found);
        QTest::newRow("inside a word")
            << "cat" << false << false << 18 << 20 << int(TFindResult::Found);
        QTest::newRow("wraps, whole words")
            << "cat" << false << true << 18 << 4 << int(TFindResult::FoundAfterWrap);
        QTest::newRow("not there")
            << "dog" << false << false << 0 << -1 << int(TFindResult::NotFound);
    }
    void findWrapsAndMatchesAsAsked()
    {
        QFETCH(QString, search);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWords);
        QFETCH(int, from);
        QFETCH(int, foundAt);
        QFETCH(int, result);
        form->RichEdit()->setPlainText("The cat sat. A Cat scattered.");
        QTextCursor c = form->RichEdit()->textCursor();
        c.setPosition(from);
        form->RichEdit()->setTextCursor(c);
        QCOMPARE(int(FindText(form->RichEdit(), { search, matchCase, wholeWords })), result);
        if (foundAt >= 0)
            QCOMPARE(form->RichEdit()->textCursor().selectionStart(), foundAt);
    }

    // Replace All through the dialog changes every match in one step to undo.
    void replaceAllIsOneUndoStep()
    {
        QTest::keyClicks(form->RichEdit(), "a cat and a cat");
        QTest::keySequence(form.get(), QKeySequence("Ctrl+H"));
        auto *dialog = form->findChild<TFindDialog *>("FindForm");
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QLineEdit *>("edtFind")->setText("CAT");
        dialog->findChild<QLineEdit *>("edtReplaceWith")->setText("dog");
        AnswerNextQuestion("OK");
        dialog->findChild<QAbstractButton *>("btnReplaceAll")->click();
        QCOMPARE(form->RichEdit()->toPlainText(), QString("a dog and a dog"));
        form->RichEdit()->undo();
        QCOMPARE(form->RichEdit()->toPlainText(), QString("a cat and a cat"));
    }

    // Zoom changes the page's layout only, from 50 to 400 %, and is remembered.
    void zoomChangesTheViewOnly()
    {
        QTest::keyClicks(form->RichEdit(), "big letters");
        const std::string saved = form->RichEdit()->SaveToBytes();
        QTextDocument *doc = form->RichEdit()->document();
        const qreal height = doc->documentLayout()->documentSize().height();
        QTest::keySequence(form.get(), QKeySequence("Ctrl++"));
        QCOMPARE(form->Zoom().Percent(), 125);
        QVERIFY(doc->documentLayout()->documentSize().height() > height * 1.2);
        QCOMPARE(form->RichEdit()->SaveToBytes(), saved);
        for (int i = 0; i < 20; ++i)
            form->Action("AViewZoomIn")->trigger();
        QCOMPARE(form->Zoom().Percent(), 400);
        TPageZoom remembered(new TRichEdit(form.get()));
        QCOMPARE(remembered.Percent(), 400);
        QTest::keySequence(form.get(), QKeySequence("Ctrl+0"));
        QCOMPARE(doc->documentLayout()->documentSize().height(), height);
        for (int i = 0; i < 20; ++i)
            QTest::keySequence(form.get(), QKeySequence("Ctrl+-"));
        QCOMPARE(form->Zoom().Percent(), 50);
    }

    // The six newest documents are listed; a missing one is taken off when chosen.
    void recentDocumentsKeepTheLastSix()
    {
        for (int i = 1; i <= 7; ++i) {
            const QString path = dir.filePath(QString("r%1.txt").arg(i));
            QVERIFY(WriteFile(path, ""));
            form->OpenDocument(path, 2);
        }
        QMenu *recent = form->findChild<QMenu *>("MRecent");
        form->findChild<QMenu *>("MFile")->aboutToShow();
        QCOMPARE(recent->actions().size(), RecentDocuments::MaxCount);
        QCOMPARE(recent->actions().first()->text(), QString("&1 r7.txt"));
        QVERIFY(QFile::remove(dir.filePath("r5.txt")));
        int asked = 0;
        AnswerNextQuestion("OK", &asked);
        recent->actions().at(2)->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(form->FileName(), dir.filePath("r7.txt"));
        QCOMPARE(RecentDocuments::List().size(), 5);
        recent->actions().at(1)->trigger();
        QCOMPARE(form->FileName(), dir.filePath("r6.txt"));
    }

    void f1OpensHelp()
    {
        QDialog help;
        form->SetHelpForms(&help, nullptr);
        QTimer::singleShot(0, &help, [&help] { help.done(1); });
        QTest::keyClick(form.get(), Qt::Key_F1);
        QCOMPARE(help.result(), 1);
    }

    // Every picture of the strip shows whole inside the strip's border, and in colour
    // while the window is disabled (as under the spelling dialog).
    void stripPicturesAreWholeAndStayInColour()
    {
        auto *strip = form->findChild<QFrame *>("Panel1");
        for (int i = 1; i <= 11; ++i) {
            auto *image = strip->findChild<QWidget *>(QString("Image%1").arg(i));
            QVERIFY(strip->contentsRect().contains(image->geometry()));
            const QImage shown = image->grab().toImage();
            form->setEnabled(false);
            QCOMPARE(image->grab().toImage(), shown);
            form->setEnabled(true);
        }
    }

    // A menu bar that holds the keyboard shows it with a highlighted title, and letters
    // that open no menu go to the page: an invisible menu never runs a command.
    void menuBarKeyboardStateIsShownAndLettersReachThePage_data()
    {
        QTest::addColumn<bool>("throughMenu"); // Escape out of an open menu, else a tap of Alt
        QTest::addColumn<bool>("byF10"); // the menu opened with F10
        QTest::newRow("Alt") << false << false;
        QTest::newRow("Escape") << true << false;
        QTest::newRow("F10, Escape") << true << true;
    }
    void menuBarKeyboardStateIsShownAndLettersReachThePage()
    {
        QFETCH(bool, throughMenu);
        QFETCH(bool, byF10);
        QMenuBar *bar = form->menuBar();
        QTRY_VERIFY(form->RichEdit()->hasFocus());
        const QImage plain = bar->grab().toImage();
        if (throughMenu) {
            if (byF10)
                QTest::keyClick(form->RichEdit(), Qt::Key_F10);
            else
                bar->setActiveAction(bar->actions().first());
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        } else {
            QTest::keyClick(form.get(), Qt::Key_Alt);
        }
        QVERIFY(bar->hasFocus());
        QVERIFY2(bar->grab().toImage() != plain, "the menu bar shows that it has the keyboard");
        for (char c : std::string("hello")) // each key to wherever the keyboard is
            QTest::keyClick(QApplication::focusWidget(), c);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("hello"));
        QVERIFY(dialogs->calls.isEmpty()); // no File > Open
    }

    // The file dialogs start in ~/Documents, or in the home folder where there is none.
    void fileDialogsStartInDocumentsOrHome()
    {
        const QByteArray home = qgetenv("HOME");
        QTemporaryDir fresh;
        qputenv("HOME", fresh.path().toLocal8Bit());
        QStringList folders;
        for (bool withDocuments : { false, true }) {
            if (withDocuments)
                QDir(fresh.path()).mkdir("Documents");
            TMainForm window;
            window.Action("AFileSave")->trigger();
            folders << dialogs->calls.takeLast();
        }
        qputenv("HOME", home);
        QCOMPARE(folders,
                 QStringList({ "save:|" + fresh.path(), "save:|" + fresh.filePath("Documents") }));
    }

    // Ctrl+N gives an empty untitled page at any time, asking first about unsaved work;
    // Ctrl+Shift+S is Save As and Ctrl+Q Exit.
    void everydayFileKeys()
    {
        const QString path = dir.filePath("saved.txt");
        dialogs->answers.push_back({ path, 2 });
        QTest::keyClicks(form->RichEdit(), "done");
        QTest::keySequence(form.get(), QKeySequence("Ctrl+Shift+S"));
        QCOMPARE(ReadFile(path), QByteArray("done"));
        QVERIFY(!form->Action("AFileNew")->isEnabled());
        QTest::keySequence(form.get(), QKeySequence("Ctrl+N"));
        QVERIFY(form->RichEdit()->toPlainText().isEmpty());
        QVERIFY(form->FileName().isEmpty());
        QTest::keyClicks(form->RichEdit(), "next");
        int asked = 0;
        AnswerNextQuestion("Cancel", &asked);
        QTest::keySequence(form.get(), QKeySequence("Ctrl+N"));
        QCOMPARE(asked, 1);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("next"));
        form->activateWindow(); // back from the question
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        AnswerNextQuestion("No", &asked);
        QTest::keySequence(form.get(), QKeySequence("Ctrl+Q"));
        QCOMPARE(asked, 2);
        QVERIFY(!form->isVisible());
    }

    // Files named on the command line: the first opens; a missing one is named in an
    // error; any further one is refused with a message that names it.
    void commandLineFiles()
    {
        const QString story = dir.filePath("cli.txt");
        QVERIFY(WriteFile(story, "hello"));
        QStringList shown;
        ReadNextMessage(&shown);
        QVERIFY(!CommandLine::OpenFiles(*form, { "gone.txt" }, dir.path()));
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(dir.filePath("gone.txt")), qPrintable(shown[0]));
        // A pipe is there: it is refused for what it is, not reported missing.
        QCOMPARE(::mkfifo(qPrintable(dir.filePath("pipe.txt")), 0600), 0);
        QString reported;
        const auto saved = TApplication::OnException;
        TApplication::OnException
            = [&](QObject *, const std::exception &e) { reported = e.what(); };
        QVERIFY(!CommandLine::OpenFiles(*form, { "pipe.txt" }, dir.path()));
        TApplication::OnException = saved;
        QVERIFY2(reported.contains("not an ordinary file"), qPrintable(reported));
        shown.clear();
        ReadNextMessage(&shown);
        QVERIFY(CommandLine::OpenFiles(*form, { "cli.txt", "second.txt" }, dir.path()));
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains("second.txt"), qPrintable(shown[0]));
        QCOMPARE(form->FileName(), story);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("hello"));
    }

    // A dropped .rtf or .txt file is opened (after the question about unsaved work), not
    // its address typed; dropped text is inserted.
    void droppingAFileOpensIt()
    {
        const QString rtf = dir.filePath("dropped.rtf");
        QVERIFY(WriteFile(rtf, "{\\rtf1 {\\b big} story}"));
        QWidget *page = form->RichEdit()->viewport();
        auto drop = [page](QMimeData *data) {
            const QPoint at = page->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(page, &enter);
            QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(page, &move);
            QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(page, &dropped);
            return dropped.isAccepted();
        };
        QMimeData text;
        text.setText("words");
        QVERIFY(drop(&text));
        QCOMPARE(form->RichEdit()->toPlainText(), QString("words"));

        QMimeData story;
        story.setUrls({ QUrl::fromLocalFile(rtf) });
        int asked = 0;
        AnswerNextQuestion("Cancel", &asked);
        QVERIFY(drop(&story));
        QTRY_COMPARE(asked, 1);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("words"));
        AnswerNextQuestion("No", &asked);
        QVERIFY(drop(&story));
        QTRY_COMPARE(form->FileName(), rtf);
        QCOMPARE(asked, 2);
        QCOMPARE(form->RichEdit()->toPlainText(), QString("big story"));
        QVERIFY(!form->PlainTextFormat());
    }

    // A chord with Alt or Ctrl types nothing, in the page or in a dialog's field; AltGr
    // (the group switch on X11, Ctrl+Alt elsewhere) still types its character.
    void commandChordsTypeNothing_data()
    {
        QTest::addColumn<bool>("inFindField");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        const int alt = Qt::AltModifier;
        for (int key : { Qt::Key_F, Qt::Key_E, Qt::Key_V, Qt::Key_H, Qt::Key_L })
            QTest::addRow("Alt+%c", char(key))
                << false << key << QString(QChar(key).toLower()) << alt << "";
        QTest::newRow("Alt+C in Find") << true << int(Qt::Key_C) << "c" << alt << "";
        QTest::newRow("Ctrl+Shift+K")
            << false << int(Qt::Key_K) << "K" << int(Qt::ControlModifier | Qt::ShiftModifier) << "";
        QTest::newRow("AltGr+Q") << false << int(Qt::Key_Q) << "@" << int(Qt::GroupSwitchModifier)
                                 << "@";
        QTest::newRow("Ctrl+Alt+E in Find")
            << true << int(Qt::Key_E) << QString(QChar(0x20ac))
            << int(Qt::ControlModifier | Qt::AltModifier) << QString(QChar(0x20ac));
    }
    void commandChordsTypeNothing()
    {
        QFETCH(bool, inFindField);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QWidget *target = form->RichEdit();
        if (inFindField) {
            QTest::keyClicks(form->RichEdit(), "x");
            form->Action("AEditFind")->trigger();
            target = form->findChild<TFindDialog *>()->findChild<QLineEdit *>();
            QVERIFY(qobject_cast<QLineEdit *>(target));
        }
        const QString before = inFindField ? static_cast<QLineEdit *>(target)->text() : QString();
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text,
                            Qt::KeyboardModifiers(modifiers));
        if (inFindField) {
            QCOMPARE(static_cast<QLineEdit *>(target)->text(), before + typed);
        } else {
            QCOMPARE(form->RichEdit()->toPlainText(), typed);
            QCOMPARE(form->RichEdit()->Modified(), !typed.isEmpty());
        }
    }

private:
    QTemporaryDir dir;
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<RecordingSpeaker> speaker;
};

SCRIVLO_ISOLATED_QTEST_MAIN(MainFormTest)

#include "MainFormTest.moc"
