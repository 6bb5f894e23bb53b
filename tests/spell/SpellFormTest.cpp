// The spelling dialog on its own: layout rules, accent buttons, completion while typing.

#include "dialogs/TBitBtn.h"
#include "dictionary/TDictionary.h"
#include "platform/gui/CommandKeyFilter.h"
#include "spell/TNewListBox.h"
#include "spell/TSpellForm.h"
#include "tests/support/RecordingSpeaker.h"

#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

class SpellFormTest : public QObject
{
    Q_OBJECT
private slots:
    void noAccentsWidensBothEditBoxes()
    {
        TSpellForm form(nullptr);
        form.SetAccentedCharacters("");
        QCOMPARE(form.edtBadWord->width(), 424);
        QCOMPARE(form.edtReplace->width(), 424);
        QVERIFY(form.pnlAccents->isHidden());
    }

    // One button per non-blank character, ten to a row.
    void accentButtonsFillRows()
    {
        TSpellForm form(nullptr);
        form.SetAccentedCharacters("\xe1 \xe9 \xed \xf3 \xfa \xf1 \xfc \xe0 \xe8 \xec \xf2");
        const auto buttons = form.pnlAccents->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 11);
        QCOMPARE(buttons[0]->geometry(), QRect(2, 2, 23, 22));
        QCOMPARE(buttons[9]->pos(), QPoint(218, 2));
        QCOMPARE(buttons[10]->pos(), QPoint(2, 25));
        QCOMPARE(buttons[5]->text(), QString::fromUtf8("ñ"));
        form.edtReplace->setText("ano");
        form.edtReplace->setCursorPosition(1);
        buttons[5]->click();
        QCOMPARE(form.edtReplace->text(), QString::fromUtf8("añno"));
    }

    void labelStripFitsTheLongestLabel()
    {
        TSpellForm form(nullptr);
        form.SetAccentedCharacters("");
        for (TLanguages language : { lgEnglish, lgSpanish }) {
            form.SetLabelLanguage(language);
            form.show();
            int longest = 0;
            for (QLabel *l : form.pnlLabels->findChildren<QLabel *>())
                longest = std::max(longest, l->fontMetrics().horizontalAdvance(l->text()));
            QVERIFY(form.pnlLabels->width() >= longest + 10);
            QCOMPARE(form.width(), form.pnlLabels->width() + 450);
            QCOMPARE(form.pnlMain->x(), form.pnlLabels->width());
            form.hide();
        }
        QCOMPARE(form.btnIgnore->text(), QString("Saltar"));
        QCOMPARE(form.btnIgnoreAll->text(), QString("Ignorar"));
    }

    // A flagged word's question names the problem and leaves Add and Change All out; the
    // next unknown word, in another language too, has them back with its own label.
    void aFlaggedWordsQuestionAndTheNextOne()
    {
        TSpellForm form(nullptr);
        form.SetLabelLanguage(lgEnglish);
        form.show();
        QStringList labels;
        QList<bool> learnEnabled;
        const auto ask = [&](TQueryKind kind) {
            form.QueryKind = kind;
            QTimer::singleShot(0, &form, [&] {
                labels << form.lblNotFound->text();
                learnEnabled << form.btnLearn->isEnabled();
                form.btnIgnore->click();
            });
            AnsiText word("monday");
            QCOMPARE(form.QueryWord(word, nullptr), srIgnore);
        };
        ask(qkCapital);
        form.QueryKind = qkUnknownWord; // as the check leaves it
        form.SetLabelLanguage(lgSpanish);
        ask(qkUnknownWord);
        ask(qkWrongWord);
        QCOMPARE(labels,
                 QStringList({ "Capital letter?", "No Encontrado:", "Revisa esta palabra:" }));
        QCOMPARE(learnEnabled, QList<bool>({ false, true, false }));
    }

    // Each key lists the words that begin with the box's text as the key leaves it; a
    // click on a suggestion fills the box and a double click chooses Change.
    void typingListsCompletionsAndTheListFillsTheBox()
    {
        TDictionary dictionary;
        QVERIFY(dictionary.OpenDictionary(SCRIVLO_BIN_DIR "/ENGLISH.DCT"));
        TSpellForm form(nullptr);
        form.Dictionary = &dictionary;
        form.show();
        form.edtReplace->setText("ca");
        form.edtReplace->setFocus();
        QTest::keyClick(form.edtReplace, Qt::Key_T);
        QVERIFY(form.lstSuggest->count() > 0);
        QCOMPARE(form.lstSuggest->sizeHintForRow(0), 13);
        for (int i = 0; i < form.lstSuggest->count(); ++i)
            QVERIFY(form.lstSuggest->item(i)->text().startsWith("cat", Qt::CaseInsensitive));
        QCOMPARE(form.edtReplace->text(), QString("cat"));

        QListWidgetItem *item = form.lstSuggest->item(0);
        const QRect rect = form.lstSuggest->visualItemRect(item);
        QTest::mouseClick(form.lstSuggest->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(form.edtReplace->text(), item->text());
        QCOMPARE(form.Choice, srNone);
        QTest::mouseDClick(form.lstSuggest->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(form.Choice, srReplace);
    }

    // Keys that change no text (Tab, arrows, any key in the read-only box) keep the
    // list; every edit lists the words for the text it leaves, the last letter included.
    void listFollowsTheBoxAfterEachEdit()
    {
        TDictionary dictionary;
        QVERIFY(dictionary.OpenDictionary(SCRIVLO_BIN_DIR "/ENGLISH.DCT"));
        TSpellForm form(nullptr);
        form.Dictionary = &dictionary;
        form.show();
        form.lstSuggest->addItems({ "Friend", "Fiend" });
        for (int key : { Qt::Key_Left, Qt::Key_Tab })
            QTest::keyClick(form.edtReplace, Qt::Key(key));
        QTest::keyClicks(form.edtBadWord, "ab");
        QCOMPARE(form.lstSuggest->item(0)->text(), QString("Friend"));
        QTest::keyClicks(form.edtReplace, "wedn");
        QVERIFY(form.lstSuggest->count() > 0);
        for (int i = 0; i < form.lstSuggest->count(); ++i)
            QVERIFY(form.lstSuggest->item(i)->text().startsWith("wedn", Qt::CaseInsensitive));
    }

    // A word low on the screen sends the dialog to the top, a high one to the bottom; the
    // mouse pointer moves by the same distance.
    void shiftAwayFromMovesTheDialogAndThePointer()
    {
        TSpellForm form(nullptr);
        form.show();
        const int screenHeight = QGuiApplication::primaryScreen()->availableGeometry().height();
        form.move(100, 200);
        QCursor::setPos(300, 250);
        form.ShiftAwayFrom(screenHeight - 10);
        QCOMPARE(form.frameGeometry().top(), 30);
        QCOMPARE(QCursor::pos(), QPoint(300, 80));
        form.ShiftAwayFrom(10);
        QCOMPARE(form.frameGeometry().top(), screenHeight - form.frameGeometry().height() - 30);
        const QPoint before = form.pos();
        form.ShiftAwayFrom(0);
        QCOMPARE(form.pos(), before);
    }

    // Listen says the selected suggestion, else the box's text; with "Speak suggestions"
    // each suggestion chosen with the arrow keys is said. No control of the dialog moves.
    void speechControlsSpeakAndMoveNothing()
    {
        RecordingSpeaker speaker;
        TSpellForm plain(nullptr);
        plain.SetLabelLanguage(lgEnglish);
        TSpellForm form(nullptr);
        QList<bool> toggled;
        form.SetLabelLanguage(lgEnglish); // as the component makes it: Learn is "&Add"
        form.EnableSpeech(&speaker, false, [&toggled](bool on) { toggled << on; });
        plain.show();
        form.show();
        QCOMPARE(form.size(), plain.size());
        for (QWidget *w : plain.findChildren<QWidget *>())
            if (!w->objectName().isEmpty())
                QCOMPARE(form.findChild<QWidget *>(w->objectName())->geometry(), w->geometry());

        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.lstSuggest->addItems({ "friend", "fiend", "fried" });
        form.edtReplace->setText("frend");
        QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(speaker.said, QStringList({ "frend" })); // a key's click comes shortly
        form.lstSuggest->setCurrentRow(1);
        form.btnListen->click();
        form.chkSpeak->click();
        form.lstSuggest->setFocus();
        QTest::keyClick(form.lstSuggest, Qt::Key_Down);
        QCOMPARE(speaker.said, QStringList({ "frend", "fiend", "fried" }));
        QCOMPARE(toggled, QList<bool>({ true }));
        form.SetLabelLanguage(lgSpanish); // the speech controls follow the other labels
        QCOMPARE(form.chkSpeak->text(), QString("Decir las\nsugerencias"));
        QCOMPARE(form.btnListen->accessibleName(), QString("Escuchar"));

        RecordingSpeaker mute;
        mute.available = false;
        TSpellForm without(nullptr);
        without.EnableSpeech(&mute, true, {});
        QVERIFY(!without.btnListen->isEnabled());
        QVERIFY(without.btnListen->toolTip().contains("qt6-speech-flite-plugin"));
    }

    void escapePressesCancelAndEnterChoosesNothing()
    {
        TSpellForm form(nullptr);
        form.show();
        form.edtReplace->setFocus();
        QTest::keyClick(form.edtReplace, Qt::Key_Return);
        QCOMPARE(form.Choice, srNone);
        QTest::keyClick(form.edtReplace, Qt::Key_Escape);
        QCOMPARE(form.Choice, srCancel);
    }

    // The Spanish labels have no access keys: Alt+letter changes neither the word in the
    // box nor the list. Tab visits every control in reading order, the speech controls
    // beside the list right after it, and Space presses the button that has the focus.
    void keyboardAloneWorksTheSpanishDialog()
    {
        const CommandKeyFilter chords(nullptr); // as the program runs it
        RecordingSpeaker speaker;
        TSpellForm form(nullptr);
        form.SetLabelLanguage(lgSpanish);
        form.SetAccentedCharacters("");
        form.EnableSpeech(&speaker, false, {});
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.lstSuggest->addItems({ "hermano", "hermana" });
        form.edtReplace->setText("hermano");
        form.edtReplace->setFocus();
        for (Qt::Key key : { Qt::Key_C, Qt::Key_S, Qt::Key_A })
            QTest::keyClick(form.edtReplace, key, Qt::AltModifier);
        QCOMPARE(form.edtReplace->text(), QString("hermano"));
        QCOMPARE(form.lstSuggest->count(), 2);

        form.edtBadWord->setFocus();
        QStringList visited;
        for (int i = 0; i < 13; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QStringList expected { "edtBadWord", "edtReplace", "lstSuggest",    "btnListen",
                                     "chkSpeak",   "btnReplace", "btnReplaceAll", "btnLearn",
                                     "btnSuggest", "btnIgnore",  "btnIgnoreAll",  "btnCancel",
                                     "edtBadWord" };
        QCOMPARE(visited, expected);
        form.btnIgnoreAll->setFocus();
        QTest::keyClick(form.btnIgnoreAll, Qt::Key_Space);
        QCOMPARE(form.Choice, srIgnoreAll);
    }
};

QTEST_MAIN(SpellFormTest)
#include "SpellFormTest.moc"
