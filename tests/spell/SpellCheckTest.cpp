// Whole spell checks driven as a user would: the real dialog answered by its controls,
// on the three kinds of edit control and through a window handle.

#include "SpellCheckDriver.h"
#include "dictionary/TDictionary.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/TEdit.h"
#include "platform/gui/TMemo.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TSpellDlg.h"
#include "spell/core/TAbsBuffer.h"

#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using Action = SpellCheckDriver::Action;

// An edit control of the test, whichever kind it is.
struct Control
{
    TCustomEdit *edit;
    TCustomEdit *operator->() const { return edit; }
    operator TCustomEdit *() const { return edit; }
    operator QWidget *() const { return edit->Widget(); }
};

// The whole table runs twice: on the memo and edit controls each case names, and on the
// rich edit the program's page is, in the program's Rich Text setting.
class SpellCheckTest : public QObject
{
    Q_OBJECT
public:
    explicit SpellCheckTest(bool onRichEdit)
        : FOnRichEdit(onRichEdit)
    { }

private:
    const bool FOnRichEdit;
    QTemporaryDir dir;
    std::unique_ptr<QWidget> host;
    TSpellDlg *spell = nullptr;
    std::unique_ptr<SpellCheckDriver> driver;

    template<class Edit> Control MakeEdit(const QString &text)
    {
        TCustomEdit *edit = FOnRichEdit ? static_cast<TCustomEdit *>(new TRichEdit(host.get()))
                                        : static_cast<TCustomEdit *>(new Edit(host.get()));
        edit->SetText(text);
        edit->Widget()->resize(400, 200);
        driver->selection = [edit] { return edit->SelText(); };
        return { edit };
    }
    QStringList Asked() const
    {
        QStringList words;
        for (const Question &q : driver->questions)
            words << q.word;
        return words;
    }
    std::string DictionaryFolder() const { return dir.path().toStdString() + "/"; }
    void WriteAutoCorrect(const QByteArray &pairs)
    {
        QFile list(dir.filePath("auto.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(pairs);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dir.filePath("ENGLISH.DCT")));
    }

    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(500, 400);
        host->show();
        spell = new TSpellDlg(host.get());
        spell->SetDictionaryPath(DictionaryFolder());
        spell->SetIgnoreWithNumbers(true);
        spell->SetSupportRTF2(FOnRichEdit);
        driver = std::make_unique<SpellCheckDriver>();
    }

    void cleanup()
    {
        driver.reset();
        host.reset(); // destroys the component, which closes the dictionary
        QFile::remove(dir.filePath("USERDCT.TXT"));
    }

    // Change replaces exactly the highlighted word, on every line and after tabs.
    void changeReplacesTheHighlightedWord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("rich edit") << 0;
        QTest::newRow("memo") << 1;
        QTest::newRow("edit") << 2;
    }
    void changeReplacesTheHighlightedWord()
    {
        QFETCH(int, kind);
        const QString line2 = kind == 2 ? "\t" : "\n";
        const QString text = "Thiss is a tezt." + line2 + "A secnd line\twith tabb.";
        TCustomEdit *edit = kind == 0 ? static_cast<TCustomEdit *>(MakeEdit<TRichEdit>(text))
            : kind == 1               ? static_cast<TCustomEdit *>(MakeEdit<TMemo>(text))
                                      : static_cast<TCustomEdit *>(MakeEdit<TEdit>(text));
        spell->SetSupportRTF2(kind == 0 || FOnRichEdit);
        for (const char *word : { "This", "test", "second", "tab" })
            driver->actions.push_back(SpellCheckDriver::ReplaceWith(word));

        QCOMPARE(spell->Check(edit->Widget()), 1);
        QCOMPARE(Asked(), QStringList({ "Thiss", "tezt", "secnd", "tabb" }));
        for (const Question &q : driver->questions)
            QCOMPARE(q.selected, q.word);
        QVERIFY(driver->questions[1].suggestions.contains("test"));
        QCOMPARE(
            edit->Text(),
            QString("This is a test." + (kind == 2 ? line2 : "\r\n") + "A second line\twith tab."));
        QCOMPARE(driver->messages, QStringList({ "Spell checking complete." }));
        QVERIFY(!spell->Form->isVisible());
        QVERIFY(host->isEnabled());
    }

    // A component whose options are left alone asks about unknown words only.
    void withoutContextOptionsOnlyUnknownWordsAreAsked()
    {
        Control edit = MakeEdit<TMemo>("We want to go their on monday. A freind came.");
        driver->actions.push_back(SpellCheckDriver::Press("btnIgnore"));
        QCOMPARE(spell->Check(edit), 0);
        QCOMPARE(Asked(), QStringList({ "freind" }));
    }

    void accentsAndEmojiKeepTheSelectionExact()
    {
        auto edit = MakeEdit<TRichEdit>(QString::fromUtf8("😀 naïve caféz 😀\n🌈 wrongg café"));
        spell->SetSupportRTF2(true);
        driver->actions
            = { SpellCheckDriver::Press("btnIgnore"), SpellCheckDriver::Press("btnIgnore"),
                SpellCheckDriver::ReplaceWith("wrong") };
        const int result = spell->Check(edit);
        QCOMPARE(Asked(),
                 QStringList({ QString::fromUtf8("naïve"), QString::fromUtf8("caféz"), "wrongg" }));
        QCOMPARE(result, 1);
        for (const Question &q : driver->questions)
            QCOMPARE(q.selected, q.word);
        QCOMPARE(edit->Text(), QString::fromUtf8("😀 naïve caféz 😀\r\n🌈 wrong café"));
    }

    // What the child types into "Change To" goes into the page as it is, also letters code
    // page 1252 lacks; the word itself is looked up as 1252 text.
    void replacementKeepsEveryLetter_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("result");
        QTest::newRow("change") << "btnReplace" << QString::fromUtf8("Kő x wordd");
        QTest::newRow("change all") << "btnReplaceAll" << QString::fromUtf8("Kő x Kő");
    }
    void replacementKeepsEveryLetter()
    {
        QFETCH(QString, button);
        auto edit = MakeEdit<TRichEdit>("wordd x wordd");
        driver->actions = { [button](TSpellForm &f) {
                               f.edtReplace->setText(QString::fromUtf8("Kő"));
                               f.findChild<QAbstractButton *>(button)->click();
                           },
                            SpellCheckDriver::Press("btnIgnore") };
        QCOMPARE(spell->Check(edit), 1);
        QTEST(edit->Text(), "result");
    }

    // Change All replaces later occurrences without asking, also when the replacement
    // contains the word; Ignore All holds for later checks too.
    void changeAllAndIgnoreAll()
    {
        auto edit = MakeEdit<TMemo>("teh cat zorp teh dog zorp");
        driver->actions = {
            [](TSpellForm &f) {
                f.edtReplace->setText("the teh");
                f.btnReplaceAll->click();
            },
            SpellCheckDriver::Press("btnIgnoreAll"),
        };
        QCOMPARE(spell->Check(edit), 1);
        QCOMPARE(Asked(), QStringList({ "teh", "zorp" }));
        QCOMPARE(edit->Text(), QString("the teh cat zorp the teh dog zorp"));

        driver->questions.clear();
        driver->messages.clear();
        QCOMPARE(spell->Check(edit), 2); // teh is asked again and cancelled; zorp is not
        QCOMPARE(Asked(), QStringList({ "teh" }));
        QVERIFY(driver->messages.isEmpty());
    }

    void addLearnsTheWordAfterConfirmation()
    {
        auto edit = MakeEdit<TRichEdit>("blorptastic snorfle");
        driver->actions
            = { SpellCheckDriver::Press("btnLearn"), SpellCheckDriver::Press("btnLearn") };
        driver->messageAnswers = { "Yes", "No", "OK" };
        QCOMPARE(spell->Check(edit), 0);
        QCOMPARE(
            driver->messages,
            QStringList({ "Add \"blorptastic\" to dictionary?", "Add \"snorfle\" to dictionary?",
                          "No errors found. Spell checking complete." }));
        QVERIFY(spell->IsKnownWord(AnsiText("blorptastic")));
        QVERIFY(!spell->IsKnownWord(AnsiText("snorfle")));
        spell->SetDictionaryActive(false); // closing the dictionary saves learned words
        QFile user(dir.filePath("USERDCT.TXT"));
        QVERIFY(user.open(QIODevice::ReadOnly));
        QCOMPARE(user.readAll().trimmed(), QByteArray("blorptastic"));

        spell->SetConfirmAdd(false);
        driver->messages.clear();
        driver->actions = { SpellCheckDriver::Press("btnLearn") };
        spell->Check(edit);
        QCOMPARE(driver->messages, QStringList({ "No errors found. Spell checking complete." }));
        QVERIFY(spell->IsKnownWord(AnsiText("snorfle")));
    }

    void completionMessagesFollowTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("en none") << int(lgEnglish) << false
                                 << "No errors found. Spell checking complete.";
        QTest::newRow("en changed") << int(lgEnglish) << true << "Spell checking complete.";
        QTest::newRow("es none") << int(lgSpanish) << false
                                 << QString::fromUtf8("Se terminó de verificar la ortografía.\n"
                                                      "No se encontraron errores.");
        QTest::newRow("es changed") << int(lgSpanish) << true
                                    << QString::fromUtf8("Se terminó de verificar la ortografía.");
    }
    void completionMessagesFollowTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(bool, change);
        QFETCH(QString, message);
        auto edit = MakeEdit<TEdit>("a good wordd");
        spell->SetLabelLanguage(TLanguages(language));
        driver->actions = { change ? SpellCheckDriver::ReplaceWith("word")
                                   : SpellCheckDriver::Press("btnIgnore") };
        spell->Check(edit);
        QCOMPARE(driver->messages, QStringList({ message }));
    }

    void switchingLanguageRelabelsTheOpenDialog()
    {
        auto edit = MakeEdit<TEdit>("wordd");
        QString caption, learn, replaceBox;
        driver->actions = { [&](TSpellForm &f) {
            spell->SetLabelLanguage(lgSpanish);
            caption = f.windowTitle();
            learn = f.btnLearn->text();
            replaceBox = f.edtReplace->text();
            f.btnCancel->click();
        } };
        const QString before = "word";
        QCOMPARE(spell->Check(edit), 2);
        QCOMPARE(caption, QString::fromUtf8("Verificación de Ortografía."));
        QCOMPARE(learn, QString::fromUtf8("Añadir"));
        QCOMPARE(replaceBox, driver->questions[0].suggestions.value(0)); // kept as it was
    }

    // Upper-case words and words with digits are left alone when asked; one-letter and
    // digit-only words always are.
    void skippedWords()
    {
        auto edit = MakeEdit<TEdit>("NASAX abc1x 2024 q wordd");
        spell->SetIgnoreAllUpperCase(true);
        driver->actions = { SpellCheckDriver::Press("btnIgnore") };
        spell->Check(edit);
        QCOMPARE(Asked(), QStringList({ "wordd" }));
        spell->SetIgnoreAllUpperCase(false);
        spell->SetIgnoreWithNumbers(false);
        driver->questions.clear();
        driver->actions
            = { SpellCheckDriver::Press("btnIgnore"), SpellCheckDriver::Press("btnIgnore"),
                SpellCheckDriver::Press("btnIgnore") };
        spell->Check(edit);
        QCOMPARE(Asked(), QStringList({ "NASAX", "abc1x", "wordd" }));
    }

    // A control on a hidden tab page is brought into view before its word is shown.
    void checkRevealsTheControlsPage()
    {
        auto *tabs = new QTabWidget(host.get());
        tabs->addTab(new QWidget, "first");
        auto *edit = new TMemo;
        edit->SetText("wordd");
        tabs->addTab(edit, "second");
        tabs->show();
        int pageWhenAsked = -1;
        driver->actions = { [&](TSpellForm &f) {
            pageWhenAsked = tabs->currentIndex();
            f.btnIgnore->click();
        } };
        spell->Check(edit);
        QCOMPARE(pageWhenAsked, 1);
    }

    // Replacements that together outgrow the copy's reserve: the copy grows, nothing is
    // lost.
    void longReplacementsGrowTheCopy()
    {
        QStringList bad, good;
        const QString longText = QString("is ").repeated(83).trimmed(); // 248 characters
        for (char c = 'a'; c <= 't'; ++c) {
            bad << QString("zzq") + c;
            good << longText;
            driver->actions.push_back(SpellCheckDriver::ReplaceWith(longText));
        }
        auto edit = MakeEdit<TMemo>("start " + bad.join(' ') + " end");
        QCOMPARE(spell->Check(edit), 1);
        QCOMPARE(Asked(), bad);
        QCOMPARE(edit->Text(), "start " + good.join(' ') + " end");
    }

    // The selection comes back on the same text: replacements before it move it by their
    // change of length, also when the check is cancelled; those after it leave it alone.
    void selectionFollowsTheReplacements_data()
    {
        QTest::addColumn<bool>("byHandle");
        for (const char *column : { "answers", "start", "length", "newStart", "newLength" })
            QTest::addColumn<int>(column); // answers: replacements made, then Cancel
        // "Thiss is a tezt of teh caret." becomes "This is a testing of the caret."
        QTest::newRow("caret at the end") << false << 3 << 29 << 0 << 31 << 0;
        QTest::newRow("caret inside a replaced word") << false << 3 << 13 << 0 << 17 << 0;
        QTest::newRow("selection over a replaced word") << false << 3 << 8 << 10 << 7 << 13;
        QTest::newRow("cancelled after one") << false << 1 << 15 << 0 << 14 << 0;
        QTest::newRow("through a window handle") << true << 3 << 29 << 0 << 31 << 0;
    }
    void selectionFollowsTheReplacements()
    {
        QFETCH(bool, byHandle);
        QFETCH(int, answers);
        QFETCH(int, start);
        QFETCH(int, length);
        auto edit = MakeEdit<TRichEdit>("Thiss is a tezt of teh caret.");
        edit->Select(start, length);
        for (const char *word : { "This", "testing", "the" })
            if (int(driver->actions.size()) < answers)
                driver->actions.push_back(SpellCheckDriver::ReplaceWith(word));
        byHandle ? spell->CheckWindow(edit->Handle()) : spell->Check(edit);
        QTEST(edit->SelStart(), "newStart");
        QTEST(edit->SelLength(), "newLength");
    }

    void closingTheDialogCancels()
    {
        auto edit = MakeEdit<TEdit>("wordd more");
        driver->actions = { [](TSpellForm &f) { f.close(); } };
        QCOMPARE(spell->Check(edit), 2);
        QVERIFY(driver->messages.isEmpty());
        QVERIFY(host->isEnabled());
    }

    void checkThroughAWindowHandle()
    {
        auto memo = MakeEdit<TMemo>("one\ntwoo three");
        driver->actions = { SpellCheckDriver::ReplaceWith("two") };
        QCOMPARE(spell->CheckWindow(memo->Handle()), 1);
        QCOMPARE(memo->Text(), QString("one\r\ntwo three"));
    }

    // A control that is no edit control fails after the dialog was shown: the dialog is
    // hidden and the windows enabled again before the error reaches the caller.
    void notAnEditControlLeavesNothingDisabled()
    {
        auto *label = new QLabel("text", host.get());
        try {
            spell->Check(label);
            QFAIL("no exception");
        } catch (const EClassNotFound &e) {
            QCOMPARE(QString(e.what()), QString("Unknown control error."));
        }
        QVERIFY(!spell->Form->isVisible());
        QVERIFY(host->isEnabled());
    }

    void missingDictionaryIsReportedOnceAndEndsTheCheck()
    {
        QTemporaryDir empty;
        spell->SetDictionaryPath(empty.path().toStdString());
        auto edit = MakeEdit<TEdit>("wordd other wordz");
        QCOMPARE(spell->Check(edit), 2);
        QCOMPARE(driver->messages,
                 QStringList({ "Error opening dictionary: " + empty.path() + "/ENGLISH.DCT" }));
        QVERIFY(driver->questions.empty());
    }

    void autoCorrectListReplacesWithoutAsking()
    {
        WriteAutoCorrect("teh=the\n=empty\nnoequals\nwrnog=\n");
        spell->SetAutoCorrectList("auto.txt");
        auto edit = MakeEdit<TMemo>("teh end teh wrnog");
        driver->actions = { SpellCheckDriver::Press("btnIgnore") };
        // A check that changed the text says so, in its result and its closing message.
        QCOMPARE(spell->Check(edit), 1);
        QCOMPARE(edit->Text(), QString("the end the wrnog"));
        QCOMPARE(Asked(), QStringList({ "wrnog" }));
        QCOMPARE(driver->messages, QStringList({ "Spell checking complete." }));
        // The pairs hold in every check, not only in the first after the dictionary opened.
        auto again = MakeEdit<TEdit>("teh");
        QCOMPARE(spell->Check(again), 1);
        QCOMPARE(again->Text(), QString("the"));
    }

    // The file is read as UTF-8 when it is; a correction keeps every letter, and a
    // misspelling the scan cannot hold in code page 1252 is left out.
    void autoCorrectFileInEitherEncoding_data()
    {
        QTest::addColumn<QByteArray>("pairs");
        QTest::addColumn<QString>("result");
        QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF"
                                             "feonsay=fianc\xC3\xA9"
                                             "e\nkor=K\xC5\x91r\n")
                               << QString::fromUtf8("fiancée Kőr");
        QTest::newRow("code page 1252") << QByteArray("feonsay=fianc\xE9"
                                                      "e\nkor=K\xF6r\n")
                                        << QString::fromUtf8("fiancée Kör");
        QTest::newRow("beyond 1252") << QByteArray("k\xC5\x91r=x\nfeonsay=fianc\xC3\xA9"
                                                   "e\n")
                                     << QString::fromUtf8("fiancée Kor");
    }
    void autoCorrectFileInEitherEncoding()
    {
        QFETCH(QByteArray, pairs);
        WriteAutoCorrect(pairs);
        spell->SetAutoCorrectList("auto.txt");
        spell->SetMatchTypedCase(true);
        auto edit = MakeEdit<TEdit>("feonsay Kor");
        driver->actions = { SpellCheckDriver::Press("btnIgnore") };
        spell->Check(edit);
        QTEST(edit->Text(), "result");
    }

    // With MatchTypedCase the corrections of the list take the typed capitals. With the
    // list out of the check, the check asks, the listed correction first, and a key typed
    // still corrects.
    void autoCorrectionsInACheck()
    {
        WriteAutoCorrect("thier=their\nbecuase=because\n");
        spell->SetAutoCorrectList("auto.txt");
        spell->SetMatchTypedCase(true);
        auto edit = MakeEdit<TMemo>("Thier dog is happy. BECUASE it is sunny.");
        QCOMPARE(spell->Check(edit), 1);
        QCOMPARE(edit->Text(), QString("Their dog is happy. BECAUSE it is sunny."));
        QVERIFY(Asked().isEmpty());
        QCOMPARE(driver->messages, QStringList({ "Spell checking complete." }));

        spell->SetAutoCorrectInCheck(false);
        edit->SetText("Thier dog");
        driver->actions = { SpellCheckDriver::Press("btnIgnore") };
        QCOMPARE(spell->Check(edit), 0);
        QCOMPARE(edit->Text(), QString("Thier dog"));
        QCOMPARE(Asked(), QStringList({ "Thier" }));
        QCOMPARE(driver->questions.front().suggestions.value(0), QString("Their"));
        edit->SetText("thier ");
        edit->SetSelStart(6);
        spell->AutoCorrectKey(edit->Widget(), true, 32);
        QCOMPARE(edit->Text(), QString("their "));
    }

    // A space or Enter typed after a word of the change lists replaces it; the caret stays
    // after the key; WordTyped hears of every word handled, corrected or not.
    void autoCorrectKeyCorrectsTheWordJustTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("correct");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("typed");
        QTest::newRow("space") << "I saw teh " << 32 << true << false << "I saw the " << 10
                               << "teh";
        QTest::newRow("enter") << "teh\r\n" << 13 << true << false << "the\r\n" << 5 << "teh";
        QTest::newRow("longer") << "a thru " << 32 << true << false << "a through " << 10 << "thru";
        QTest::newRow("other key") << "teh " << 65 << true << false << "teh " << 4 << "";
        QTest::newRow("correct off") << "teh " << 32 << false << false << "teh " << 4 << "teh";
        QTest::newRow("not listed") << "cat " << 32 << true << false << "cat " << 4 << "cat";
        QTest::newRow("classic case") << "Teh " << 32 << true << false << "the " << 4 << "Teh";
        QTest::newRow("typed case") << "Teh " << 32 << true << true << "The " << 4 << "Teh";
        QTest::newRow("typed capitals") << "TEH " << 32 << true << true << "THE " << 4 << "TEH";
        QTest::newRow("utf-8 list")
            << "feonsay " << 32 << true << false << QString::fromUtf8("fiancée ") << 8 << "feonsay";
    }
    void autoCorrectKeyCorrectsTheWordJustTyped()
    {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(bool, correct);
        QFETCH(bool, matchCase);
        struct Recording : TSpellDlg
        {
            using TSpellDlg::TSpellDlg;
            QStringList typed;
            void WordTyped(QWidget *, const std::string &word) override
            {
                typed << QString::fromStdString(word);
            }
        };
        auto *recording = new Recording(host.get());
        recording->SetDictionaryPath(DictionaryFolder());
        WriteAutoCorrect("teh=the\nthru=through\nfeonsay=fianc\xC3\xA9"
                         "e\n");
        recording->SetAutoCorrectList("auto.txt");
        recording->SetMatchTypedCase(matchCase);
        auto edit = MakeEdit<TMemo>(text);
        edit->SetSelStart(edit->PositionCount());
        recording->AutoCorrectKey(edit->Widget(), correct, static_cast<uint16_t>(key));
        QTEST(edit->Text(), "result");
        // The rich edit counts a line break as one position, the memo its two characters.
        QFETCH(QString, result);
        QFETCH(int, caret);
        QCOMPARE(edit->SelStart(), FOnRichEdit ? caret - int(result.count("\r\n")) : caret);
        QFETCH(QString, typed);
        QCOMPARE(recording->typed, typed.isEmpty() ? QStringList() : QStringList({ typed }));
    }

    void wordBeforeCaret()
    {
        auto edit = MakeEdit<TEdit>("I don't ");
        edit->SetSelStart(8);
        std::string word = "old";
        spell->GetWordBeforeCaret(edit->Widget(), word);
        QCOMPARE(word, std::string("don't"));
        QCOMPARE(edit->SelStart(), 2);
        edit->SetSelStart(0);
        word = "old";
        spell->GetWordBeforeCaret(edit->Widget(), word);
        QCOMPARE(word, std::string("old"));
        QWidget notAnEdit;
        spell->GetWordBeforeCaret(&notAnEdit, word);
        spell->AutoCorrectKey(&notAnEdit, true, 32); // does nothing, raises nothing
        QCOMPARE(word, std::string("old"));
    }

    // Components handed one dictionary share its words and close it as they go, which
    // saves what was learned; a component handed none has a dictionary of its own.
    void componentsShareTheDictionaryTheyAreGiven()
    {
        TDictionary shared;
        spell->SetDictionary(&shared);
        auto *other = new TSpellDlg(host.get());
        other->SetDictionaryPath(DictionaryFolder());
        other->SetDictionary(&shared);
        TSpellDlg own(host.get());
        own.SetDictionaryPath(DictionaryFolder());

        QVERIFY(spell->ActivateDictionary());
        QVERIFY(other->DictionaryActive());
        QVERIFY(!own.DictionaryActive());
        QVERIFY(shared.AddWord(AnsiText("zorbleflip")));
        QVERIFY(other->Dictionary().IsWord(AnsiText("zorbleflip")));
        QVERIFY(own.ActivateDictionary());
        QVERIFY(!own.Dictionary().IsWord(AnsiText("zorbleflip")));

        delete other;
        QVERIFY(!shared.Active);
        QFile learned(dir.filePath("USERDCT.TXT"));
        QVERIFY(learned.open(QIODevice::ReadOnly));
        QVERIFY(learned.readAll().contains("zorbleflip"));
        spell->SetDictionary(nullptr); // the shared one goes before the component
    }

    // The edit controls of a window are one check: a cancel in the first ends it.
    void checkComponentStopsAtACancel()
    {
        MakeEdit<TEdit>("wordd");
        auto second = MakeEdit<TEdit>("wordz");
        QCOMPARE(spell->CheckComponent(host.get(), true), 2);
        QCOMPARE(Asked(), QStringList({ "wordd" }));
        QCOMPARE(second->Text(), QString("wordz"));
        QVERIFY(spell->FinishAfterCheck());
        QVERIFY(!spell->DictionaryActive());
        QVERIFY(driver->messages.isEmpty());
    }

    void checkComponentReportsAChangeInAnyControl()
    {
        MakeEdit<TEdit>("fine");
        auto second = MakeEdit<TEdit>("wordz");
        driver->actions = { SpellCheckDriver::ReplaceWith("words") };
        QCOMPARE(spell->CheckComponent(host.get(), true), 1);
        QCOMPARE(second->Text(), QString("words"));
        QCOMPARE(driver->messages, QStringList({ "Spell checking complete." }));
    }

    void countWordsIsInEnglishInAnyLanguage()
    {
        spell->SetLabelLanguage(lgSpanish);
        auto edit = MakeEdit<TMemo>("The the THE cat");
        int words = 0, unique = 0;
        spell->CountWords(edit->Widget(), words, unique);
        QCOMPARE(words, 4);
        QCOMPARE(unique, 2);
        QCOMPARE(driver->messages, QStringList({ "Words: 4\nUnique Words: 2" }));
        QWidget notAnEdit;
        QVERIFY_THROWS_EXCEPTION(EClassNotFound, spell->CountWords(&notAnEdit, words, unique));
    }

    void suggestionCountIsKeptInRange()
    {
        spell->SetSuggestions(300);
        spell->SetSuggestions(0);
        QCOMPARE(spell->Suggestions(), 1);
        spell->SetSuggestions(25);
        QCOMPARE(spell->Suggestions(), 25);
        QCOMPARE(
            driver->messages,
            QStringList({ "Maximum limit suggestions is 255.", "Invalid number of suggestions." }));
    }

    void tooLongRunAbortsWithAMessage()
    {
        auto edit = MakeEdit<TMemo>("fine " + QString(50, 'x') + " wordd");
        QCOMPARE(spell->Check(edit), 0);
        QCOMPARE(driver->messages.size(), 2);
        QCOMPARE(driver->messages[0], "Aborting spell check (Invalid word): \n" + QString(50, 'x'));
        QVERIFY(driver->questions.empty());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    SpellCheckTest designed(false), onRichEdit(true);
    return QTest::qExec(&designed, argc, argv) | QTest::qExec(&onRichEdit, argc, argv);
}
#include "SpellCheckTest.moc"
