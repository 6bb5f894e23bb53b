// Checking while typing in the main window, driven as a user would: keys, the context
// menu, the Edit menu's switch, and the message boxes answered by the test.

#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TMainForm.h"
#include "platform/core/UserDataFolder.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "tests/support/IsolatedQTestMain.h"
#include "tests/support/RightClick.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <memory>

namespace {

// The words under a red wavy line, in document order.
QStringList Underlined(QTextEdit *edit)
{
    const auto *live = edit->findChild<LiveSpellChecker *>("LiveSpellChecker");
    QStringList words;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        for (const LiveSpellChecker::Underline &u : live->Underlines(b))
            if (u.Kind == LiveSpellChecker::Problem::Spelling)
                words << b.text().mid(u.Start, u.Length);
    return words;
}

// Answers the next popup menu: records its items and triggers the one named choice.
void ChooseFromMenu(const QString &choice, QStringList *items = nullptr)
{
    QTimer::singleShot(0, [choice, items] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : menu->actions())
            if (items && !a->isSeparator())
                *items << a->text();
        QAction *chosen = menu->findChild<QAction *>(choice);
        menu->close();
        if (chosen)
            chosen->trigger();
    });
}

// Presses OK or Yes in every message box that shows, counting them.
void AnswerMessages(QObject *owner, int *count)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [count] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            for (const char *name : { "Yes", "OK" })
                if (auto *b = modal->findChild<QAbstractButton *>(name)) {
                    ++*count;
                    b->click();
                    return;
                }
        }
    });
    timer->start(5);
}

} // namespace

class LiveSpellCheckTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    TRichEdit *edit = nullptr;

    void Open(const QString &dictionaryFolder)
    {
        form = std::make_unique<TMainForm>();
        form->SpellDlg()->SetDictionaryPath(dictionaryFolder.toStdString());
        form->show();
        edit = form->RichEdit();
    }
    void WaitChecked()
    {
        QTRY_VERIFY(form->LiveSpelling()->Enabled() && form->LiveSpelling()->Idle());
    }
    void RightClick(const QString &word) { RightClickOn(edit, word); }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dir.filePath("ENGLISH.DCT")));
    }
    void init()
    {
        Settings::Store().clear();
        QFile::remove(QString::fromStdString(UserDataFolder::Path()) + "USERDCT.TXT");
        Open(dir.path());
        WaitChecked();
    }
    void cleanup()
    {
        edit->SetModified(false);
        form.reset();
    }

    // Finished unknown words are underlined, and a suggestion from the menu replaces one.
    void typedMisspellingsAreUnderlinedAndCorrected()
    {
        QTest::keyClicks(edit, "My freind went to the libary.");
        WaitChecked();
        QCOMPARE(Underlined(edit), QStringList({ "freind", "libary" }));
        QStringList items;
        ChooseFromMenu("Suggestion", &items);
        RightClick("freind");
        QCOMPARE(items.mid(items.indexOf("Ignore All"), 2),
                 QStringList({ "Ignore All", "Add to Dictionary" }));
        QVERIFY(items.indexOf("Ignore All") <= 5);
        QCOMPARE(edit->toPlainText(), QString("My friend went to the libary."));
        WaitChecked();
        QCOMPARE(Underlined(edit), QStringList({ "libary" }));
        edit->undo(); // the replacement was one step
        QCOMPARE(edit->toPlainText(), QString("My freind went to the libary."));
    }

    // The word being typed has no line until the caret leaves it.
    void theWordBeingTypedIsLeftAlone()
    {
        QTest::keyClicks(edit, "a libary");
        WaitChecked();
        QVERIFY(Underlined(edit).isEmpty());
        QTest::keyClick(edit, Qt::Key_Home);
        WaitChecked();
        QCOMPARE(Underlined(edit), QStringList({ "libary" }));
    }

    // Ignore All and Add to Dictionary (after its question) clear the word everywhere;
    // the menu comes with the mouse, the menu key and Shift+F10 alike.
    void ignoringOrLearningClearsEveryOccurrence_data()
    {
        QTest::addColumn<QString>("word"); // each row its own: the dictionary keeps what it learned
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("questions");
        QTest::newRow("ignore, mouse") << "zorbleflip"
                                       << "IgnoreAll" << 0 << 0;
        QTest::newRow("learn, menu key") << "quibblewump"
                                         << "AddToDictionary" << int(Qt::Key_Menu) << 1;
        QTest::newRow("learn, Shift+F10") << "snorkeldash"
                                          << "AddToDictionary" << int(Qt::Key_F10) << 1;
    }
    void ignoringOrLearningClearsEveryOccurrence()
    {
        QFETCH(QString, word);
        QFETCH(QString, choice);
        QFETCH(int, key);
        QFETCH(int, questions);
        edit->setPlainText(QString("%1 one\ntwo %1 and %1").arg(word));
        WaitChecked();
        QCOMPARE(Underlined(edit).size(), 3);
        int asked = 0;
        AnswerMessages(form.get(), &asked);
        ChooseFromMenu(choice);
        if (key == 0) {
            RightClick(word);
        } else {
            edit->moveCursor(QTextCursor::Start);
            QTest::keyClick(edit, Qt::Key(key),
                            key == Qt::Key_F10 ? Qt::ShiftModifier : Qt::NoModifier);
        }
        WaitChecked();
        QVERIFY(Underlined(edit).isEmpty());
        QCOMPARE(asked, questions);
    }

    // A suggestion keeps the word's formatting and the child's capital.
    void aSuggestionKeepsFormatAndCapitals()
    {
        edit->setHtml("<p>The <b>Freind</b> came</p>");
        WaitChecked();
        ChooseFromMenu("Suggestion");
        RightClick("Freind");
        QCOMPARE(edit->toPlainText(), QString("The Friend came"));
        QTextCursor c(edit->document());
        c.setPosition(6);
        QVERIFY(c.charFormat().font().bold());
    }

    // The line is painted over the text, in red, and kept out of the paragraph's layout.
    void theLineIsPaintedNotLaidOut()
    {
        edit->setPlainText("A freind");
        WaitChecked();
        QCOMPARE(Underlined(edit), QStringList({ "freind" }));
        QVERIFY(edit->document()->begin().layout()->formats().isEmpty());
        const QImage shot = edit->viewport()->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                red += shot.pixel(x, y) == qRgb(255, 0, 0);
        QVERIFY(red > 0);
    }

    // The line is only drawn: not saved, copied or undone, Modified untouched, gone while
    // printing.
    void theUnderlineIsOnlyDrawn()
    {
        const QString text = "A freind and a libary";
        QAction *toggle = form->Action("AEditSpellAsYouType");
        toggle->setChecked(false);
        edit->SetText(text);
        const std::string plainRtf = edit->SaveToBytes();
        toggle->setChecked(true);
        WaitChecked();
        QCOMPARE(Underlined(edit).size(), 2);
        QCOMPARE(edit->SaveToBytes(), plainRtf);
        QVERIFY(!edit->Modified());
        QVERIFY(!edit->document()->isUndoAvailable());
        edit->selectAll();
        edit->copy();
        QVERIFY(!QApplication::clipboard()->mimeData()->html().contains("underline"));
        {
            const LiveSpellChecker::Pause printing(form->LiveSpelling());
            QVERIFY(Underlined(edit).isEmpty());
        }
        WaitChecked();
        QCOMPARE(Underlined(edit).size(), 2);
    }

    // An opened Rich Text document is a new document object: checked, and typing in it too.
    void anOpenedRichTextIsChecked()
    {
        edit->LoadFromBytes("{\\rtf1 My freind\\par went to the libary}");
        WaitChecked();
        QCOMPARE(Underlined(edit), QStringList({ "freind", "libary" }));
        QTest::keyClicks(edit, "A wunder ");
        WaitChecked();
        QCOMPARE(Underlined(edit), QStringList({ "wunder", "freind", "libary" }));
    }

    // A text too large to check at once is finished in slices, all of it.
    void aLargeTextIsCheckedToTheEnd()
    {
        QString text;
        for (int i = 0; i < 4000; ++i)
            text += "Here is a paragraph with some ordinary words in it and one freind.\n";
        edit->setPlainText(text + "The libary");
        WaitChecked();
        QCOMPARE(Underlined(edit).size(), 4001);
        QCOMPARE(Underlined(edit).constLast(), QString("libary"));
    }

    // The switch is remembered; without a dictionary one message turns the check off.
    void theSwitchIsRememberedAndAMissingDictionaryTurnsItOff()
    {
        QAction *toggle = form->Action("AEditSpellAsYouType");
        QVERIFY(toggle->isCheckable() && toggle->isChecked());
        toggle->trigger();
        QVERIFY(!form->LiveSpelling()->Enabled());
        form.reset();
        Open(dir.path());
        QTest::qWait(20);
        QVERIFY(!form->Action("AEditSpellAsYouType")->isChecked());
        QVERIFY(!form->LiveSpelling()->Enabled());

        Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, true);
        form.reset();
        QTemporaryDir empty;
        int messages = 0;
        AnswerMessages(this, &messages);
        Open(empty.path());
        QTest::keyClicks(edit, "A freind and a libary ");
        QTRY_COMPARE(messages, 1);
        QTest::qWait(50);
        QCOMPARE(messages, 1);
        QVERIFY(!form->Action("AEditSpellAsYouType")->isChecked());
        QVERIFY(Underlined(edit).isEmpty());
        QVERIFY(Settings::Flag(SpellingSetup::SpellAsYouTypeKey, false));
        qDeleteAll(findChildren<QTimer *>());
    }
};

SCRIVLO_ISOLATED_QTEST_MAIN(LiveSpellCheckTest)

#include "LiveSpellCheckTest.moc"
