// Unsaved work survives the end of the program: a real process is killed with SIGKILL
// after an autosave, or ended with SIGTERM, and the next start offers the story back.
//
// The child process is this test program started again with "--child MODE": it opens
// the main window, types, and waits to be killed.

#include "app/AutoSave.h"
#include "app/InterfaceLanguage.h"
#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TMainForm.h"
#include "dictionary/TDictionary.h"
#include "platform/core/UserDataFolder.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TSpellDlg.h"

#include <QAbstractButton>
#include <QDir>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdio>
#include <sys/stat.h>

namespace {

const QString Sentence = "Once upon a time, a dragon ate my homework!";

// Types into a fresh main window as the child process, then waits to be ended.
int RunChild(const QString &mode, const QString &dir)
{
    // The English dictionary, whatever the machine's language.
    Settings::Store().setValue(InterfaceLanguage::SettingKey, "en");
    TMainForm form;
    form.EndOnShutdownSignals();
    form.show();
    if (mode == "named")
        form.OpenDocument(dir + "/story.rtf", 1);
    if (mode == "term") {
        QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dir + "/ENGLISH.DCT");
        form.SpellDlg()->SetDictionaryPath(dir.toStdString());
        form.SpellDlg()->SetDictionaryActive(true);
        form.SpellDlg()->Dictionary().AddWord(AnsiText("zorbleflip"));
    }
    form.RichEdit()->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.RichEdit(), mode == "named" ? " The end." : Sentence);
    std::printf("typed\n");
    std::fflush(stdout);
    return QApplication::exec();
}

void AnswerRestore()
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->deleteLater();
            QTest::keyClick(modal, Qt::Key_Return); // Restore is the default button
        }
    });
    timer->start(10);
}

} // namespace

class RecoveryTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    }

    // Killed after an autosave, the story comes back character for character, with its
    // formatting and, when its file is older than the copy, under its name.
    void killedProgramsStoryIsRestored_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("new document") << "untitled" << Sentence;
        QTest::newRow("named rich text") << "named"
                                         << "A bold start. The end.";
    }
    void killedProgramsStoryIsRestored()
    {
        QFETCH(QString, mode);
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString story = dir.filePath("story.rtf");
        QFile f(story);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi {\\b A bold} start.}");
        // Older than any copy the child makes, so the story keeps its name.
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                              QFileDevice::FileModificationTime));
        f.close();

        QProcess child;
        child.setProcessEnvironment(ChildEnvironment("1"));
        child.start(QCoreApplication::applicationFilePath(), { "--child", mode, dir.path() });
        QVERIFY(child.waitForReadyRead(20000));
        QTRY_VERIFY_WITH_TIMEOUT(!RecoveryFiles().isEmpty(), 20000);
        child.kill();
        QVERIFY(child.waitForFinished());

        TMainForm form;
        AnswerRestore();
        QVERIFY(form.AutoSave().OfferKept());
        QCOMPARE(form.RichEdit()->toPlainText(), text);
        QVERIFY(form.RichEdit()->Modified());
        QCOMPARE(form.FileName(), mode == "named" ? story : QString());
        QTextCursor probe(form.RichEdit()->document());
        probe.setPosition(3);
        QCOMPARE(probe.charFormat().fontWeight() > QFont::Normal, mode == "named");
        // Only this run's own copy is left, and no question comes at the next start.
        form.AutoSave().Store().Flush();
        QCOMPARE(RecoveryFiles(),
                 QStringList { QFileInfo(form.AutoSave().Store().OwnPath()).fileName() });
        TMainForm next;
        QVERIFY(!next.AutoSave().OfferKept());
        form.RichEdit()->SetModified(false);
    }

    // Cancelling the restore of a long story leaves the page empty and the copy for later.
    void cancelledRestoreKeepsTheCopy()
    {
        std::string rtf = "{\\rtf1\\ansi ";
        for (int i = 0; i < 20000; ++i)
            rtf += "{\\b Once} upon a time a dragon ate my homework.\\par ";
        TRecoveredDocument kept;
        kept.Content = rtf + "}";
        const QString folder
            = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
        QDir().mkpath(folder);
        const QString path = folder + "/left-behind.recovery";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(TRecoveryStore::Encode(kept)));
        file.close();

        TMainForm form;
        AnswerRestore();
        auto *cancel = new QTimer(&form);
        connect(cancel, &QTimer::timeout, [&form, cancel] {
            if (auto *progress = form.findChild<QProgressDialog *>()) {
                cancel->stop();
                progress->cancel();
            }
        });
        cancel->start(5);
        QVERIFY(!form.AutoSave().OfferKept());
        QVERIFY(form.RichEdit()->toPlainText().isEmpty());
        QVERIFY(!form.RichEdit()->PlainText());
        QVERIFY(QFile::exists(path));
    }

    // SIGTERM writes the story and the learned words and ends the program, asking nothing.
    void sigtermKeepsTheStoryAndLearnedWords()
    {
        QTemporaryDir dir;
        QProcess child;
        child.setProcessEnvironment(ChildEnvironment("3600"));
        child.start(QCoreApplication::applicationFilePath(), { "--child", "term", dir.path() });
        QVERIFY(child.waitForReadyRead(20000));
        QVERIFY(RecoveryFiles().isEmpty());
        child.terminate();
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QFile words(QString::fromStdString(UserDataFolder::Path()) + "USERDCT.TXT");
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(words.readAll().trimmed(), QByteArray("zorbleflip"));
        TMainForm form;
        AnswerRestore();
        QVERIFY(form.AutoSave().OfferKept());
        QCOMPARE(form.RichEdit()->toPlainText(), Sentence);
        form.RichEdit()->SetModified(false);
    }

    // Typing that never pauses for as long as the period is copied all the same.
    void steadyTypingIsCopied()
    {
        qputenv("SCRIVLO_AUTOSAVE_SECONDS", "1");
        TMainForm form;
        qunsetenv("SCRIVLO_AUTOSAVE_SECONDS");
        form.show();
        // A word every fifth of the period, for at most five periods.
        for (int i = 0; i < 25 && RecoveryFiles().isEmpty(); ++i) {
            QTest::keyClicks(form.RichEdit(), "park ");
            QTest::qWait(200);
            form.AutoSave().Store().Flush();
        }
        QCOMPARE(RecoveryFiles().size(), 1);
        form.RichEdit()->SetModified(false);
    }

    // A copy may be of a private story: no other user may read it, nor list the folders.
    void copiesAreTheUsersAlone()
    {
        const mode_t mask = ::umask(022);
        TMainForm form;
        QTest::keyClicks(form.RichEdit(), "my secret");
        form.AutoSave().WriteNow(true);
        ::umask(mask);
        const QString copy = form.AutoSave().Store().OwnPath();
        QString lock = copy;
        lock.replace(".recovery", ".lock");
        const QString recovery = QFileInfo(copy).path();
        for (const QString &folder : { QFileInfo(recovery).path(), recovery })
            QCOMPARE(Mode(folder), 0700u);
        for (const QString &file : { copy, lock })
            QCOMPARE(Mode(file), 0600u);
        form.RichEdit()->SetModified(false);
    }

    // Saving, or answering No to the save question, removes the copy.
    void savedOrDiscardedWorkLeavesNoCopy_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("saved") << true;
        QTest::newRow("answered No on close") << false;
    }
    void savedOrDiscardedWorkLeavesNoCopy()
    {
        QFETCH(bool, save);
        QTemporaryDir dir;
        const QString path = dir.filePath("note.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        auto form = std::make_unique<TMainForm>();
        form->show();
        form->OpenDocument(path, 2);
        QTest::keyClicks(form->RichEdit(), "words");
        form->AutoSave().WriteNow(true);
        QCOMPARE(RecoveryFiles().size(), 1);
        if (save) {
            form->Action("AFileSave")->trigger();
        } else {
            auto *timer = new QTimer(form.get());
            connect(timer, &QTimer::timeout, [timer] {
                if (QWidget *modal = QApplication::activeModalWidget()) {
                    timer->stop();
                    modal->findChild<QAbstractButton *>("No")->click();
                }
            });
            timer->start(10);
            QVERIFY(form->close());
        }
        form->AutoSave().Store().Flush();
        QVERIFY(RecoveryFiles().isEmpty());
    }

private:
    static unsigned Mode(const QString &path)
    {
        struct stat st;
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
    }
    static QStringList RecoveryFiles()
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery")
            .entryList({ "*.recovery" }, QDir::Files);
    }
    static QProcessEnvironment ChildEnvironment(const QString &autosaveSeconds)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SCRIVLO_AUTOSAVE_SECONDS", autosaveSeconds);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        return env;
    }
};

int main(int argc, char **argv)
{
    // Parent and child share data and settings folders of their own.
    static QTemporaryDir home;
    if (!qEnvironmentVariableIsSet("SCRIVLO_TEST_HOME"))
        qputenv("SCRIVLO_TEST_HOME", home.path().toLocal8Bit());
    const QByteArray base = qgetenv("SCRIVLO_TEST_HOME");
    qputenv("XDG_DATA_HOME", base + "/data");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    TApplication app(argc, argv);
    // Checking while typing would open the dictionary, which is not beside this program.
    Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, false);
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return RunChild(argv[2], argv[3]);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RecoveryTest.moc"
