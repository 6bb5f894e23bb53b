// What a school sets for every user of a machine: the system-wide settings file (read by
// Qt beneath the user's own), and the class word list both programs accept.

#include "app/PageZoom.h"
#include "app/Settings.h"
#include "app/TMainForm.h"
#include "tests/support/IsolatedQTestMain.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
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
        Settings::SetFlag(TMainForm::SpellAsYouTypeKey, true);
        TMainForm form;
        QVERIFY(form.Action("AEditSpellAsYouType")->isChecked());
    }
};

SCRIVLO_ISOLATED_QTEST_MAIN(SchoolDefaultsTest)
#include "SchoolDefaultsTest.moc"
