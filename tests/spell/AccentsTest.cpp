// Spanish accents through the whole path of the editor's spell check: the page, the scan,
// the dictionary, the suggestions and the replacement. Capitals matter: code page 437, in
// which the dictionary file holds its letters, has no Á, Í, Ó or Ú.

#include "SpellCheckDriver.h"
#include "platform/gui/TMemo.h"
#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "tests/support/SpanishDct.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <memory>

namespace {
// ¿ ¡ « » belong to no word; only the two words without their accents are misspelt.
const QString Text = QString::fromUtf8("¿Dónde? «ÁRBOL», Árbol y ÉL. ¡MAÑANA! Arbol TAMBIEN");
} // namespace

class AccentsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    std::unique_ptr<QWidget> host;
    TSpellDlg *spell = nullptr;

private slots:
    void initTestCase()
    {
        QFile file(dir.filePath("ESPANOL.DCT"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const std::string bytes = SpanishDct();
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    void init()
    {
        host = std::make_unique<QWidget>();
        host->show();
        spell = new TSpellDlg(host.get());
        spell->SetDictionaryPath(dir.path().toStdString() + "/");
        spell->SetDictionaryName("ESPANOL");
        spell->SetSuggestionRanking(rkChildren);
    }
    void cleanup()
    {
        host.reset();
        QFile::remove(dir.filePath("USERDCT.TXT"));
    }

    // F7 asks only about the words without their accents, offers them with accented
    // capitals, and Change writes those into the page.
    void checkAsksOnlyAboutMissingAccents()
    {
        SpellCheckDriver driver;
        auto *edit = new TRichEdit(host.get());
        edit->SetText(Text);
        driver.selection = [edit] { return edit->SelText(); };
        driver.actions
            = { SpellCheckDriver::Press("btnReplace"), SpellCheckDriver::Press("btnReplace") };
        QCOMPARE(spell->Check(edit), 1);
        QCOMPARE(driver.questions.size(), size_t(2));
        QCOMPARE(driver.questions[0].word, QString("Arbol"));
        QCOMPARE(driver.questions[0].suggestions.value(0), QString::fromUtf8("Árbol"));
        QCOMPARE(driver.questions[1].word, QString("TAMBIEN"));
        QCOMPARE(driver.questions[1].suggestions.value(0), QString::fromUtf8("TAMBIÉN"));
        QCOMPARE(edit->Text(),
                 QString::fromUtf8("¿Dónde? «ÁRBOL», Árbol y ÉL. ¡MAÑANA! Árbol TAMBIÉN"));
    }

    // The dialog's Suggest asks about the "Change To" text with its accented capitals.
    void dialogSuggestKeepsAccentedCapitals()
    {
        SpellCheckDriver driver;
        auto *edit = new TRichEdit(host.get());
        edit->SetText("Arbol");
        QString suggested;
        driver.actions = { [&suggested](TSpellForm &form) {
            form.edtReplace->setText(QString::fromUtf8("ÁRBOLL"));
            form.btnSuggest->click();
            suggested = form.lstSuggest->count() > 0 ? form.lstSuggest->item(0)->text() : "";
            form.btnCancel->click();
        } };
        spell->SetSuggestionRanking(rkFixedSearch);
        QCOMPARE(spell->Check(edit), 2);
        QCOMPARE(suggested, QString::fromUtf8("ÁRBOL"));
    }

    // Add learns the word as shown, its accented capital lowered, not without the accent.
    void learnKeepsTheAccent()
    {
        SpellCheckDriver driver;
        auto *edit = new TRichEdit(host.get());
        edit->SetText(QString::fromUtf8("Ábaco"));
        spell->SetConfirmAdd(false);
        driver.actions = { SpellCheckDriver::Press("btnLearn") };
        QCOMPARE(spell->Check(edit), 0);
        QVERIFY(spell->IsKnownWord(AnsiFromUtf8("ÁBACO")));
        QVERIFY(!spell->IsKnownWord(AnsiText("abaco")));
    }

    // Checking while typing underlines by the same rule.
    void liveCheckUnderlinesOnlyMissingAccents()
    {
        auto *edit = new TRichEdit(host.get());
        edit->setPlainText(Text);
        QVERIFY(spell->ActivateDictionary());
        auto *live = new LiveSpellChecker(edit, spell);
        live->SetEnabled(true);
        QTRY_VERIFY(live->Idle());
        const QTextBlock block = edit->document()->begin();
        QStringList words;
        for (const LiveSpellChecker::Underline &u : live->Underlines(block))
            words << block.text().mid(u.Start, u.Length);
        QCOMPARE(words, QStringList({ "Arbol", "TAMBIEN" }));
    }

    // A correction while typing is found for accented capitals and keeps them.
    void typingCorrectionKeepsAccentedCapitals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("corrected");
        QTest::newRow("all capitals") << "ÁRBOLL "
                                      << "ÁRBOL ";
        QTest::newRow("first capital") << "Árboll "
                                       << "Árbol ";
        QTest::newRow("after ¿") << "¿DÓNDEE "
                                 << "¿DÓNDE ";
        QTest::newRow("small letters") << "¿dóndee "
                                       << "¿dónde ";
    }
    void typingCorrectionKeepsAccentedCapitals()
    {
        QFETCH(QString, typed);
        QFile pairs(dir.filePath("auto.txt"));
        QVERIFY(pairs.open(QIODevice::WriteOnly));
        pairs.write("\xE1rboll=\xE1rbol\nd\xF3ndee=d\xF3nde\n"); // code page 1252
        pairs.close();
        spell->SetAutoCorrectList("auto.txt");
        spell->SetMatchTypedCase(true);
        auto *edit = new TMemo(host.get());
        edit->SetText(typed);
        edit->SetSelStart(edit->PositionCount());
        spell->AutoCorrectKey(edit->Widget(), true, 32);
        QTEST(edit->Text(), "corrected");
    }
};

QTEST_MAIN(AccentsTest)
#include "AccentsTest.moc"
