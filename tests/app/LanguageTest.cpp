// The Language menu: Spanish and English switch the whole program at once, each with its
// own dictionary and learned words, and the choice outlives the window.

#include "app/FindDialog.h"
#include "app/InterfaceLanguage.h"
#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TAboutForm.h"
#include "app/THelpForm.h"
#include "app/TMainForm.h"
#include "dictionary/TDictionary.h"
#include "platform/core/UserDataFolder.h"
#include "platform/gui/TRichEdit.h"
#include "spell/TSpellDlg.h"
#include "tests/support/IsolatedQTestMain.h"
#include "tests/support/RecordingSpeaker.h"
#include "widgets/TPicBitBtn.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList MenuTitles(TMainForm &form)
{
    QStringList titles;
    for (QAction *menu : form.menuBar()->actions())
        titles << menu->text();
    return titles;
}

// Types text key by key, letters beyond ASCII too (QTest::keyClicks knows only ASCII).
void Type(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        for (const auto kind : { QTest::Press, QTest::Release })
            QTest::sendKeyEvent(kind, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Runs F7, ignoring every word; the words and messages shown, in order, and the
// suggestions offered.
QStringList CheckSpelling(TMainForm &form, QStringList &offered)
{
    QStringList asked;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            asked << modal->findChild<QLabel *>("Message")->text();
            modal->findChild<QAbstractButton *>("OK")->click();
            return;
        }
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() != "SpellForm" || !w->isVisible() || !w->isEnabled())
                continue;
            const QString bad = w->findChild<QLineEdit *>("edtBadWord")->text();
            if (asked.contains(bad))
                return;
            asked << bad;
            for (const QListWidgetItem *item :
                 w->findChild<QListWidget *>("lstSuggest")->findItems("*", Qt::MatchWildcard))
                offered << item->text();
            w->findChild<QAbstractButton *>("btnIgnore")->click();
        }
    });
    timer.start(5);
    QTest::keyClick(&form, Qt::Key_F7);
    return asked;
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Settings::Store().clear();
        // English whatever the machine's language, as the texts below are.
        Settings::Store().setValue(InterfaceLanguage::SettingKey, "en");
        Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, false);
        TSpeaker::SetInstance(&speaker);
        // Both dictionaries in a folder of the test's own, where learned words may go.
        dir = std::make_unique<QTemporaryDir>();
        for (const char *file : { "ENGLISH.DCT", "ESPANOL.DCT", "AUTOCORR.TXT" })
            QVERIFY2(QFile::copy(QString(SCRIVLO_BIN_DIR "/") + file, dir->filePath(file)),
                     qPrintable(QString("%1 is missing from the build's bin folder").arg(file)));
        form = std::make_unique<TMainForm>();
        form->SpellDlg()->SetDictionaryPath(dir->path().toStdString());
        form->SpellDlg()->SetAutoCorrectList("AUTOCORR.TXT");
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup()
    {
        form->RichEdit()->SetModified(false);
        form->SpellDlg()->SetDictionaryActive(false);
        form.reset();
        TSpeaker::SetInstance(nullptr);
    }

    // In Spanish, F7 finds only the misspelt Spanish word and offers the right one; the
    // menus are Spanish, and English comes back at once.
    void spanishChecksSpanishAndRelabelsAtOnce()
    {
        form->Action("ALanguage_es")->trigger();
        QCOMPARE(MenuTitles(*form),
                 QStringList({ "Archivo", "Edici\u00f3n", "Ver", "Formato", "Idioma", "Ayuda" }));
        QCOMPARE(form->SpellDlg()->LabelLanguage(), lgSpanish);
        Type(form->RichEdit(), "Ma\u00f1ana vamos a la biblioteca con mi hermano pequeno.");
        QStringList offered;
        const QStringList asked = CheckSpelling(*form, offered);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0], QString("pequeno"));
        QVERIFY(asked[1].startsWith("Se termin\u00f3 de verificar la ortograf\u00eda."));
        QVERIFY2(!offered.isEmpty() && offered[0] == "peque\u00f1o",
                 qPrintable(offered.join(", ")));

        form->Action("ALanguage_en")->trigger();
        QCOMPARE(MenuTitles(*form),
                 QStringList({ "File", "Edit", "View", "Format", "Language", "Help" }));
        QCOMPARE(form->SpellDlg()->LabelLanguage(), lgEnglish);
        QCOMPARE(form->SpellDlg()->DictionaryName(), std::string("ENGLISH.DCT"));
    }

    // The program's other windows follow the language while they exist.
    void ownWindowsRelabel()
    {
        TAboutForm about;
        THelpForm help;
        form->Action("AEditFind")->setEnabled(true);
        form->Action("AEditFind")->trigger();
        auto *find = form->findChild<TFindDialog *>();
        QVERIFY(find);
        form->Action("ALanguage_es")->trigger();
        QCOMPARE(about.windowTitle(), QString("Acerca de"));
        QCOMPARE(about.BClose()->Caption(), QString("&Cerrar"));
        QVERIFY(help.RichEdit1()->toPlainText().startsWith("Scrivlo es un editor"));
        QCOMPARE(find->windowTitle(), QString("Buscar"));
        // Qt's standard dialogs too, from Qt's own translations.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancelar"));
        form->Action("ALanguage_en")->trigger();
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(help.RichEdit1()->toPlainText(), THelpForm::HelpLines.join('\n'));
        QCOMPARE(find->windowTitle(), QString("Find"));
    }

    // A file that cannot be opened is reported in the chosen language, with its reason.
    void fileErrorsSpeakTheLanguage()
    {
        form->Action("ALanguage_es")->trigger();
        const QString missing = dir->filePath("cuento.rtf");
        QString message;
        try {
            form->RichEdit()->LoadFromFile(missing);
        } catch (const std::exception &e) {
            message = QString::fromUtf8(e.what());
        }
        form->Action("ALanguage_en")->trigger();
        QCOMPARE(message, "No se pudo abrir el archivo.\n«" + missing + "»: el archivo no existe.");
    }

    // Each dictionary keeps its own learned words, and English misspellings are not
    // corrected in Spanish text.
    void learnedWordsAndCorrectionsBelongToTheirLanguage()
    {
        TDictionary &dictionary = form->SpellDlg()->Dictionary();
        QVERIFY(form->SpellDlg()->ActivateDictionary()); // the English pairs are loaded
        form->Action("ALanguage_es")->trigger();
        QVERIFY(form->SpellDlg()->DictionaryActive());
        QVERIFY(dictionary.AddWord(AnsiText("zorrito")));
        QTest::keyClicks(form->RichEdit(), "teh ");
        QCOMPARE(form->RichEdit()->toPlainText(), QString("teh "));
        QVERIFY(!form->Action("AEditAutoCorrect")->isEnabled());
        QStringList offered;
        QCOMPARE(CheckSpelling(*form, offered).first(), QString("teh"));
        QCOMPARE(form->RichEdit()->toPlainText(), QString("teh "));

        form->Action("ALanguage_en")->trigger();
        QVERIFY(!dictionary.IsWord(AnsiText("zorrito")));
        const QString data = QString::fromStdString(UserDataFolder::Path());
        QVERIFY(QFile(data + "USERDCT-ES.TXT").open(QIODevice::ReadOnly));
        QVERIFY(!QFile::exists(data + "USERDCT.TXT"));
        QTest::keyClicks(form->RichEdit(), "teh ");
        QCOMPARE(form->RichEdit()->toPlainText(), QString("teh the "));
    }

    // The first start speaks the system's language; a choice in the menu wins from then on.
    void choiceIsRememberedOverTheSystemLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("language");
        QTest::newRow("Spain") << "es_ES" << int(lgSpanish);
        QTest::newRow("Mexico") << "es_MX" << int(lgSpanish);
        QTest::newRow("Britain") << "en_GB" << int(lgEnglish);
        QTest::newRow("Germany") << "de_DE" << int(lgEnglish);
        QTest::newRow("C") << "C" << int(lgEnglish);
    }
    void choiceIsRememberedOverTheSystemLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(int, language);
        QCOMPARE(int(InterfaceLanguage::ForLocale(QLocale(locale))), language);
        const TLanguages other = language == lgSpanish ? lgEnglish : lgSpanish;
        form->Action(QString("ALanguage_") + InterfaceLanguage::Of(other).Code)->trigger();
        QCOMPARE(InterfaceLanguage::Saved(), other);
        QCOMPARE(TMainForm().Language(), other);
        form->Action("ALanguage_en")->trigger();
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    RecordingSpeaker speaker;
    std::unique_ptr<TMainForm> form;
};

SCRIVLO_ISOLATED_QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
