// The main window driven as a user would: keys, commands, and dialogs answered by the test.

#include "app/Settings.h"
#include "app/TMainForm.h"
#include "dictionary/TDictionary.h"
#include "platform/gui/Application.h"
#include "platform/gui/StandardDialogs.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TSpellDlg.h"
#include "widgets/TPicBitBtn.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>

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
    bool Print(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        this->printer = &printer;
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
        dialogs = std::make_unique<FakeDialogs>();
        dialogs->pdfPath = dir.filePath("print.pdf");
        StandardDialogs::SetInstance(dialogs.get());
        // Checking while typing has tests of its own; here it would open the dictionary.
        Settings::SetFlag(TMainForm::SpellAsYouTypeKey, false);
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
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 not read as rtf}");
        f.close();
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
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("other");
        f.close();
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
        QCOMPARE(reported[0], QString("Failed to Save Stream"));
        QCOMPARE(form->FileName(), good);
        QVERIFY(form->PlainTextFormat());
        QVERIFY(form->RichEdit()->Modified());
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
        QCOMPARE(seen,
                 QStringList({ "File: &New, &Open..., -, &Save, Save &As..., &Close, -, Print "
                               "Set&up..., &Print..., "
                               "-, E&xit",
                               "Edit: Cu&t, &Copy, &Paste, -, Select &Font..., Check &Spelling..., "
                               "Check Spelling as You &Type",
                               "Help: &About..." }));
        QCOMPARE(form->Action("AEditSpelling")->shortcut(), QKeySequence(Qt::Key_F7));
    }

    // F7 checks the document with the window's stored settings: words with digits pass,
    // and the rich edit's line breaks count as one position.
    void f7ChecksTheDocument()
    {
        TSpellDlg *spell = form->SpellDlg;
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

    // Closing the window writes the words learned in this run.
    void closingTheWindowSavesLearnedWords()
    {
        QVERIFY(QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dir.filePath("ENGLISH.DCT")));
        form->SpellDlg->SetDictionaryPath(dir.path().toStdString());
        form->SpellDlg->SetDictionaryActive(true);
        QVERIFY(TCustomSpellDlg::SharedDictionary().AddWord("zorbleflip"));
        QVERIFY(form->close());
        QCOMPARE(ReadFile(dir.filePath("USERDCT.TXT")).trimmed(), QByteArray("zorbleflip"));
        QVERIFY(!form->SpellDlg->DictionaryActive());
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

private:
    QTemporaryDir dir;
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<TMainForm> form;
};

int main(int argc, char **argv)
{
    // Settings of this run only, apart from those of tests running beside it.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    TApplication app(argc, argv);
    MainFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainFormTest.moc"
