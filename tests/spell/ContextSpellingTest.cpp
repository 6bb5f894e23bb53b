// Words checked in their sentence, in the main window as a child meets them: the blue
// line while typing, its menu, F7's questions and the Edit menu's switches.

#include "SpellCheckDriver.h"
#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TMainForm.h"
#include "dictionary/ChildRanker.h"
#include "dictionary/WordSequenceModel.h"
#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "spell/core/ContextCheck.h"
#include "tests/support/IsolatedQTestMain.h"
#include "tests/support/RightClick.h"

#include <QAccessible>
#include <QMenu>
#include <QTextBlock>
#include <QtTest>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Problem = LiveSpellChecker::Problem;

// The words under a line of the kind, in document order.
QStringList Underlined(QTextEdit *edit, Problem kind)
{
    const auto *live = edit->findChild<LiveSpellChecker *>("LiveSpellChecker");
    QStringList words;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        for (const LiveSpellChecker::Underline &u : live->Underlines(b))
            if (u.Kind == kind)
                words << b.text().mid(u.Start, u.Length);
    return words;
}

// Answers the next popup menu: records its items and triggers the one named choice.
void ChooseFromMenu(const QString &choice, QStringList *items)
{
    QTimer::singleShot(0, [choice, items] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                *items << a->objectName() + "=" + a->text();
        QAction *chosen = menu->findChild<QAction *>(choice);
        menu->close();
        if (chosen)
            chosen->trigger();
    });
}

// The sentences of the check's own tests as one paragraph, with the words typed.
std::string CorpusParagraph()
{
    std::ifstream in(SCRIVLO_SOURCE_DIR "/tests/spell/data/context-sentences.txt");
    std::string paragraph;
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 3 || line[0] == '#')
            continue;
        std::string text = line.substr(2);
        if (const size_t open = text.find('['); open != std::string::npos)
            text = text.substr(0, open) + text.substr(open + 1, text.find('|') - open - 1)
                + text.substr(text.find(']') + 1);
        paragraph += text + ' ';
    }
    return paragraph;
}

} // namespace

class ContextSpellingTest : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TMainForm> form;
    TRichEdit *edit = nullptr;

    void Open()
    {
        form = std::make_unique<TMainForm>();
        form->SpellDlg()->SetDictionaryPath(SCRIVLO_BIN_DIR "/");
        form->show();
        edit = form->RichEdit();
        QTRY_VERIFY(form->LiveSpelling()->Enabled());
        form->SpellDlg()->WaitForContextModel();
        WaitChecked();
    }
    void WaitChecked() { QTRY_VERIFY(form->LiveSpelling()->Idle()); }
    void RightClick(const QString &word) { RightClickOn(edit, word); }

private slots:
    void init()
    {
        Settings::Store().clear();
        Open();
    }
    void cleanup()
    {
        edit->SetModified(false);
        form.reset();
    }

    void flaggedWords_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("meant");
        QTest::newRow("wrong word") << "We want to go their after lunch."
                                    << "their"
                                    << "Check this word:"
                                    << "there";
        QTest::newRow("capital") << "We can play on monday."
                                 << "monday"
                                 << "Capital letter?"
                                 << "Monday";
    }

    // Once the sentence is finished the word gets the blue line, which a screen reader
    // hears as a grammar error; the menu offers the word meant first and puts it in.
    void typedFlagsAreUnderlinedAndCorrectedFromTheMenu_data() { flaggedWords_data(); }
    void typedFlagsAreUnderlinedAndCorrectedFromTheMenu()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, word);
        QFETCH(QString, meant);
        QTest::keyClicks(edit, sentence.chopped(1));
        WaitChecked();
        QVERIFY(Underlined(edit, Problem::Context).isEmpty()); // still being written
        QTest::keyClicks(edit, ".");
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context), QStringList({ word }));
        QVERIFY(Underlined(edit, Problem::Spelling).isEmpty());

        const int at = static_cast<int>(sentence.indexOf(word));
        auto *text = QAccessible::queryAccessibleInterface(edit)->textInterface();
        int start = 0, end = 0;
        QCOMPARE(text->attributes(at + 1, &start, &end), QString("invalid:grammar;"));
        QCOMPARE(QList<int>({ start, end }), QList<int>({ at, at + int(word.size()) }));

        QStringList items;
        ChooseFromMenu("Suggestion", &items);
        RightClick(word);
        QCOMPARE(items.mid(0, 3),
                 QStringList({ "Suggestion=" + meant, "Ignore=Ignore", "IgnoreAll=Ignore All" }));
        QCOMPARE(edit->toPlainText(), QString(sentence).replace(word, meant));
        WaitChecked();
        QVERIFY(Underlined(edit, Problem::Context).isEmpty());
    }

    // A paragraph the caret has left counts as finished, without its full stop.
    void leavingAParagraphFinishesIt()
    {
        QTest::keyClicks(edit, "It was fun.");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "We want to go their after lunch");
        QTest::keyClick(edit, Qt::Key_Home); // still in the sentence
        WaitChecked();
        QVERIFY(Underlined(edit, Problem::Context).isEmpty());
        QTest::keyClick(edit, Qt::Key_Up);
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context), QStringList({ "their" }));
    }

    // F7 stops on the flagged word with a label that says why; Change puts in the word meant.
    void spellingDialogAsksAboutFlags_data() { flaggedWords_data(); }
    void spellingDialogAsksAboutFlags()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, word);
        QFETCH(QString, label);
        QFETCH(QString, meant);
        edit->setPlainText(sentence + " A freind came.");
        SpellCheckDriver driver;
        QString shownLabel;
        driver.actions = { [&shownLabel](TSpellForm &f) {
                              shownLabel = f.lblNotFound->text();
                              f.btnReplace->click();
                          },
                           SpellCheckDriver::Press("btnReplace") };
        form->Action("AEditSpelling")->trigger();
        QCOMPARE(driver.questions.size(), size_t(2));
        QCOMPARE(driver.questions[0].word, word);
        QCOMPARE(driver.questions[0].suggestions.value(0), meant);
        for (const QString &other : driver.questions[0].suggestions) // no names for "their"
            QCOMPARE(other.front().isUpper(), meant.front().isUpper());
        QCOMPARE(shownLabel, label);
        QCOMPARE(driver.questions[1].word, QString("freind")); // in text order, as asked before
        QCOMPARE(edit->toPlainText(), QString(sentence).replace(word, meant) + " A friend came.");
    }

    // Ignore leaves this occurrence alone, Ignore All every one, F7 included.
    void ignoringAFlag_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("this one") << "Ignore" << QStringList({ "monday" });
        QTest::newRow("all") << "IgnoreAll" << QStringList();
    }
    void ignoringAFlag()
    {
        QFETCH(QString, choice);
        QFETCH(QStringList, left);
        edit->setPlainText("It was monday.\nWe came on monday.\n");
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context).size(), 2);
        QStringList items;
        ChooseFromMenu(choice, &items);
        RightClick("monday");
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context), left);
        SpellCheckDriver driver;
        driver.actions
            = { SpellCheckDriver::Press("btnIgnore"), SpellCheckDriver::Press("btnIgnore") };
        form->Action("AEditSpelling")->trigger();
        QCOMPARE(int(driver.questions.size()), choice == "IgnoreAll" ? 0 : 2);
    }

    // The window weighs each sentence on its own and remembers its flags: they are those of
    // the whole paragraph checked at once, also after one sentence of it changed.
    void sentencesAloneFlagAsTheWholeParagraph()
    {
        TSpellDlg *spell = form->SpellDlg();
        ChildRanker ranker(spell->Dictionary());
        std::string error;
        const auto model = WordSequenceModel::ForLanguage(SpellingLanguage::English, error);
        QVERIFY(model);
        ContextCheck whole(spell->Dictionary());
        whole.SetModel(model.get());
        whole.SetRanker(&ranker);
        QVERIFY(whole.LoadConfusables(SCRIVLO_BIN_DIR "/CONFUSABLE.TXT"));
        std::string text = CorpusParagraph()
            + "\"Stop!\" said tom. Mr. smith came on monday... "
              "i saw 'their' dog|we go their. #monday came. It is 3.5 km to "
              "/usr/bin and london";
        const auto flagCount = whole.Check(text).size();
        QVERIFY(flagCount > 60); // most of its errors are found
        const std::pair<std::string, std::string> changes[]
            = { { "", "" }, { "we go their", "We go their" }, { "tom", "so we go their after" } };
        for (const auto &[from, to] : changes) {
            if (!from.empty())
                text.replace(text.find(from), from.size(), to);
            for (bool finishedOnly : { false, true })
                QVERIFY(spell->ContextFlags(text, finishedOnly) == whole.Check(text, finishedOnly));
        }
    }

    // Suggestions for a misspelt word are ordered by how they fit the sentence while words
    // are checked in context, in the menu and in F7 alike.
    void suggestionsFitTheSentence_data()
    {
        QTest::addColumn<bool>("inContext");
        QTest::addColumn<QString>("first");
        QTest::newRow("in context") << true << "dog";
        QTest::newRow("alone") << false << "do";
    }
    void suggestionsFitTheSentence()
    {
        QFETCH(bool, inContext);
        QFETCH(QString, first);
        form->Action("AEditCheckInContext")->setChecked(inContext);
        edit->setPlainText("The dgo barked at the cat.");
        WaitChecked();
        QStringList items;
        ChooseFromMenu("None", &items);
        RightClick("dgo");
        QCOMPARE(items.value(0), "Suggestion=" + first);
        SpellCheckDriver driver;
        driver.actions = { SpellCheckDriver::Press("btnIgnore") };
        form->Action("AEditSpelling")->trigger();
        QCOMPARE(driver.questions.at(0).suggestions.value(0), first);
    }

    // Spanish has no model: its command says so, and capitals are still checked.
    void spanishChecksCapitalsOnly()
    {
        form->SetLanguage(lgSpanish);
        QVERIFY(!form->Action("AEditCheckInContext")->isEnabled());
        edit->setPlainText("Fuimos el lunes. yo quiero ir.\n");
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context), QStringList({ "yo" }));
        form->SetLanguage(lgEnglish);
        QVERIFY(form->Action("AEditCheckInContext")->isEnabled());
    }

    // Both switches are on at first, remembered, and each turns its own flags off.
    void theSwitchesAreRemembered()
    {
        edit->setPlainText("We want to go their on monday.\n");
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context), QStringList({ "their", "monday" }));
        form->Action("AEditCheckCapitals")->trigger();
        WaitChecked();
        QCOMPARE(Underlined(edit, Problem::Context), QStringList({ "their" }));
        form->Action("AEditCheckInContext")->trigger();
        WaitChecked();
        QVERIFY(Underlined(edit, Problem::Context).isEmpty());
        cleanup();
        Open();
        QVERIFY(!form->Action("AEditCheckInContext")->isChecked());
        QVERIFY(!form->Action("AEditCheckCapitals")->isChecked());
        QVERIFY(!Settings::Flag(SpellingSetup::CapitalsKey, true));
    }
};

SCRIVLO_ISOLATED_QTEST_MAIN(ContextSpellingTest)

#include "ContextSpellingTest.moc"
