// What a school sets for every user of a machine: the system-wide settings file (read by
// Qt beneath the user's own), and the class word list both programs accept.

#include "app/PageZoom.h"
#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TMainForm.h"
#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"
#include "tests/support/IsolatedQTestMain.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

class SchoolDefaultsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir system; // stands in for /etc/xdg

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, system.path());
        QVERIFY(QDir(system.path()).mkpath("Scrivlo"));
        QFile conf(system.filePath("Scrivlo/Scrivlo.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[Editor]\nCheckSpellingAsYouType=false\n"
                   "[edit]\ncorrectWhileTyping=false\n"
                   "[View]\nZoom=150\n");
    }

    // The machine's defaults hold until a user chooses otherwise; the user's choice wins.
    void systemSettingsAreDefaults()
    {
        Settings::Store().clear();
        {
            TMainForm form;
            QVERIFY(!form.Action("AEditSpellAsYouType")->isChecked());
            QVERIFY(!form.Action("AEditAutoCorrect")->isChecked());
            QCOMPARE(form.Zoom().Percent(), 150);
        }
        Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, true);
        TMainForm form;
        QVERIFY(form.Action("AEditSpellAsYouType")->isChecked());
    }

    // A class word list beside the dictionary: its words are known to the editor and to
    // scrivlo-spell alike.
    void classWordsAreKnownToBothPrograms()
    {
        Settings::Store().clear();
        Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, true); // off on this machine
        QTemporaryDir dictionaries;
        QVERIFY(QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dictionaries.filePath("ENGLISH.DCT")));
        QFile list(dictionaries.filePath("CLASSWORDS.TXT"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("Kwabena\nTomasz\n");
        list.close();
        const QString text = "Kwabena met Tomasz in the gardn.";

        TMainForm form;
        form.SpellDlg()->SetDictionaryPath(dictionaries.path().toStdString());
        form.show();
        QTRY_VERIFY(form.LiveSpelling()->Enabled());
        form.RichEdit()->setPlainText(text);
        QTRY_VERIFY(form.LiveSpelling()->Idle());
        const QTextBlock block = form.RichEdit()->document()->firstBlock();
        QStringList underlined;
        for (const LiveSpellChecker::Underline &u : form.LiveSpelling()->Underlines(block))
            underlined << block.text().mid(u.Start, u.Length);
        QCOMPARE(underlined, QStringList({ "gardn" }));

        QProcess spell;
        spell.start(SCRIVLO_BIN_DIR "/scrivlo-spell",
                    { "--dict", dictionaries.filePath("ENGLISH.DCT"), "check" });
        spell.write(text.toUtf8() + "\n");
        spell.closeWriteChannel();
        QVERIFY(spell.waitForFinished());
        QCOMPARE(QString::fromUtf8(spell.readAllStandardOutput()), QString("-:1:27: gardn\n"));
    }
};

SCRIVLO_ISOLATED_QTEST_MAIN(SchoolDefaultsTest)
#include "SchoolDefaultsTest.moc"
