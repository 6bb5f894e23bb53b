// English is played by the flite program, with the voice and rate chosen, and Stop or a new
// text ends it. A stand-in "flite" on PATH records what it was given and waits to be ended.

#include "platform/gui/TTextToSpeechSpeaker.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextToSpeech>
#include <QtTest>
#include <csignal>

class SpeakerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QTextToSpeech::availableEngines().contains("flite"))
            QSKIP("the Flite engine of Qt's text-to-speech is not installed");
        QFile fake(FDir.filePath("flite"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("#!/bin/sh\n"
                   "echo \"$@\" > \"$0.args\"\n"
                   "cat > \"$0.text\"\n"
                   "echo $$ > \"$0.pid\"\n"
                   "exec sleep 30\n");
        fake.close();
        fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(FDir.path()) + ":" + qgetenv("PATH"));
    }

    void englishIsPlayedByTheFliteProgram()
    {
        TTextToSpeechSpeaker speaker;
        speaker.SetLanguage(QLocale(QLocale::English));
        speaker.SetRate(-0.2);
        QSignalSpy speaking(&speaker, &TSpeaker::SpeakingChanged);
        speaker.Say("beach");
        QVERIFY(speaker.Speaking());
        QTRY_COMPARE(Read("flite.text"), QByteArray("beach"));
        QTRY_VERIFY(!Read("flite.pid").isEmpty());
        const QByteArray arguments = Read("flite.args");
        QVERIFY(arguments.contains("-voice " + speaker.Voice().toUtf8()));
        QVERIFY(arguments.contains("--setf duration_stretch=1.4"));

        // A new text replaces the one being said.
        const pid_t first = Read("flite.pid").trimmed().toInt();
        QFile::remove(FDir.filePath("flite.pid"));
        speaker.Say("castle");
        QVERIFY(::kill(first, 0) != 0);
        QTRY_COMPARE(Read("flite.text"), QByteArray("castle"));
        QTRY_VERIFY(!Read("flite.pid").isEmpty());
        const pid_t second = Read("flite.pid").trimmed().toInt();
        speaker.Stop();
        QVERIFY(!speaker.Speaking());
        QVERIFY(::kill(second, 0) != 0);
        QCOMPARE(speaking.size(), 2); // began, and ended once at the Stop
    }

private:
    QByteArray Read(const QString &name)
    {
        QFile file(FDir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir FDir;
};

QTEST_MAIN(SpeakerTest)
#include "SpeakerTest.moc"
