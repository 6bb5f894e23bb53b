// The About and Help windows: their looks, how they close and with what result, the help
// text and its edits, and the main window's commands that show them.

#include "app/InterfaceLanguage.h"
#include "app/Settings.h"
#include "app/SpellingSetup.h"
#include "app/TAboutForm.h"
#include "app/THelpForm.h"
#include "app/TMainForm.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"
#include "widgets/TPicBitBtn.h"
#include "widgets/TPicURLLabel.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Runs action on the next modal window once it is shown and active.
void OnNextModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || QApplication::activeWindow() != modal)
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start(10);
}

const QColor LightBlue(189, 226, 253);
const QColor Navy(0, 0, 128);

} // namespace

class AboutHelpTest : public QObject
{
    Q_OBJECT
private slots:
    // One version everywhere: the build's, in the About box and from --version of both
    // programs, which answer with --help too without any screen.
    void oneVersionAndInformationWithoutAScreen()
    {
        auto run = [](const char *program, const QStringList &args) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *screen : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
                env.remove(screen);
            QTemporaryDir home; // English, whatever was chosen on this machine
            env.insert("HOME", home.path());
            env.insert("LANG", "C");
            env.insert("LC_ALL", "C");
            p.setProcessEnvironment(env);
            p.start(QString(SCRIVLO_BIN_DIR "/") + program, args);
            p.waitForFinished(20000);
            return QString::number(p.exitCode()) + ":"
                + QString::fromUtf8(p.readAllStandardOutput());
        };
        const QString version = SCRIVLO_VERSION;
        QCOMPARE(run("scrivlo", { "--version" }), "0:scrivlo " + version + "\n");
        QCOMPARE(run("scrivlo", { "-style", "windows", "--version" }),
                 "0:scrivlo " + version + "\n");
        QCOMPARE(run("scrivlo-spell", { "--version" }), "0:scrivlo-spell " + version + "\n");
        const QString help = run("scrivlo", { "--help" });
        QVERIFY2(help.startsWith("0:Usage: ") && help.contains("[file]"), qPrintable(help));
        TAboutForm about;
        QStringList labels;
        for (const QLabel *label : about.findChildren<QLabel *>())
            labels << label->text();
        QVERIFY2(labels.contains("Version " + version), qPrintable(labels.join('|')));
    }

    // The About window as designed: fixed size, colours, controls and the Close button.
    void aboutWindowLayout()
    {
        TAboutForm about;
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.size(), QSize(303, 320));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(
            !(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(about.palette().color(QPalette::Window), LightBlue);
        QCOMPARE(about.findChild<QWidget *>("Panel1")->geometry(), QRect(0, 279, 303, 41));
        QCOMPARE(about.findChild<QWidget *>("Panel2")->geometry(), QRect(11, 40, 281, 113));
        QCOMPARE(about.findChild<QLabel *>("LTitle")->text(), QString("Scrivlo"));
        QCOMPARE(about.findChild<QLabel *>("Image3")->pixmap().size(), QSize(75, 75));

        TPicBitBtn *close = about.BClose();
        QCOMPARE(close->objectName(), QString("BClose"));
        QCOMPARE(close->geometry(), QRect(114, 8, 75, 25));
        QCOMPARE(close->Caption(), QString("&Close"));
        QCOMPARE(close->Color(), LightBlue);
        QCOMPARE(close->FontColor(), Navy);
        QCOMPARE(close->ModalResult(), 1);
        QCOMPARE(close->NumGlyphs(), 2);
        QCOMPARE(close->Glyph().size(), QSize(32, 16));
        QVERIFY(!close->ShowFocusRect() && !close->TabStop());
        QVERIFY(!close->Default() && !close->Cancel());

        TPicURLLabel *link = about.URLLabel();
        QCOMPARE(link->y(), 205);
        QVERIFY(std::abs(link->geometry().center().x() - 151) <= 1);
        QCOMPARE(link->Target(), TAboutForm::WebAddress);
        QVERIFY(link->FlyByEnabled());
        QVERIFY(!link->ShowAccelChar());
        QCOMPARE(link->FontColor(), Navy);
        QCOMPARE(link->VisitedColor(), QColor(128, 0, 128));
        QVERIFY(link->font().underline() && link->font().bold());
    }

    // Every text of the About window is shown whole and centred in the window.
    void aboutTextsAreWholeAndCentred()
    {
        TAboutForm about;
        QList<QWidget *> labels;
        for (QLabel *l : about.findChildren<QLabel *>())
            if (l->pixmap().isNull())
                labels << l;
        labels << about.URLLabel();
        QCOMPARE(labels.size(), 6);
        for (QWidget *l : labels) {
            QVERIFY(l->width() >= l->sizeHint().width());
            QVERIFY(std::abs(l->geometry().center().x() - 151) <= 1);
            QVERIFY(about.rect().contains(l->geometry().adjusted(0, 2, 0, 0)));
        }
    }

    // "&Close" and Alt+C give 1, the close box 2; Enter and Escape leave it open.
    void aboutResults_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("Close clicked") << "click" << 1;
        QTest::newRow("Alt+C") << "alt+c" << 1;
        QTest::newRow("close box") << "closebox" << 2;
    }
    void aboutResults()
    {
        QFETCH(QString, how);
        TAboutForm about;
        bool survivedEnterAndEscape = false;
        OnNextModal([&](QWidget *w) {
            QTest::keyClick(w, Qt::Key_Escape);
            QTest::keyClick(w, Qt::Key_Return);
            // Also once "&Close" has the focus (pressed, dragged off and let go).
            QTest::mousePress(about.BClose(), Qt::LeftButton);
            QTest::mouseMove(about.BClose(), QPoint(200, 12));
            QTest::mouseRelease(about.BClose(), Qt::LeftButton, {}, QPoint(200, 12));
            QTest::keyClick(about.BClose(), Qt::Key_Return);
            QTest::keyClick(about.BClose(), Qt::Key_Escape);
            survivedEnterAndEscape = w->isVisible() && about.BClose()->hasFocus();
            if (how == "click")
                QTest::mouseClick(about.BClose(), Qt::LeftButton);
            else if (how == "alt+c")
                QTest::keyClick(w, Qt::Key_C, Qt::AltModifier);
            else
                w->close();
        });
        QTEST(about.exec(), "result");
        QVERIFY(survivedEnterAndEscape);
        QVERIFY(!about.isVisible());
    }

    // Closing only hides the window; it comes back as it was.
    void aboutComesBackUnchanged()
    {
        TAboutForm about;
        const QImage before = about.grab().toImage();
        for (int round = 0; round < 2; ++round) {
            OnNextModal([&](QWidget *) { QTest::mouseClick(about.BClose(), Qt::LeftButton); });
            QCOMPARE(about.exec(), 1);
        }
        about.BClose()->clearFocus();
        QCOMPARE(about.grab().toImage(), before);
    }

    // The help text is the eleven designed lines, trailing blanks included.
    void helpTextIsTheElevenLines()
    {
        THelpForm help;
        QCOMPARE(help.windowTitle(), QString("Help"));
        QCOMPARE(help.size(), QSize(303, 423));
        QCOMPARE(help.RichEdit1()->geometry(), QRect(7, 8, 289, 385));
        QCOMPARE(help.RichEdit1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QStringList lines = help.RichEdit1()->toPlainText().split('\n');
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.first(), QString("Scrivlo is a basic text editor for kids that "));
        QCOMPARE(lines[3], QString("and (.rtf) files.  You can also save your "));
        QCOMPARE(lines[5], QString());
        QCOMPARE(lines.last(), QString("and Size. "));
        QCOMPARE(lines, THelpForm::HelpLines);
    }

    // Text typed into the Help window is still there the next time it is shown; the
    // window shows at the centre of the screen.
    void helpEditsSurviveASecondShowing()
    {
        THelpForm help;
        QPoint offCentre;
        OnNextModal([&](QWidget *w) {
            offCentre = w->geometry().center()
                - QApplication::primaryScreen()->availableGeometry().center();
            help.RichEdit1()->moveCursor(QTextCursor::Start);
            QTest::keyClicks(help.RichEdit1(), "Hello! ");
            w->close();
        });
        QCOMPARE(help.exec(), 2);
        // (within the frame the platform may add)
        QVERIFY(std::abs(offCentre.x()) <= 3 && std::abs(offCentre.y()) <= 3);
        QString seen;
        OnNextModal([&](QWidget *w) {
            seen = help.RichEdit1()->toPlainText();
            w->close();
        });
        help.exec();
        QVERIFY(seen.startsWith("Hello! Scrivlo is a basic"));
    }

    // As the program shows it, Help is a guide that cannot be changed by mistake, in the
    // interface's language, and Escape closes it; About closes with Escape, or with Space
    // on its Close button, which the keyboard reaches.
    void keyboardClosesTheGuideAndAbout()
    {
        THelpForm help;
        help.SetGuide(true);
        QString seen;
        OnNextModal([&](QWidget *w) {
            QTest::keyClicks(help.RichEdit1(), "Hello! ");
            seen = help.RichEdit1()->toPlainText();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            if (w->isVisible())
                w->close(); // so that a failure does not hang
        });
        QCOMPARE(help.exec(), 2);
        QVERIFY(seen.startsWith("Scrivlo is a basic"));
        for (const char *part : { "Spelling while you type", "F7", "F8", "Ctrl+S", "Restore" })
            QVERIFY2(seen.contains(part), part);
        InterfaceLanguage::Install(lgSpanish);
        const QString spanish = help.RichEdit1()->toPlainText();
        InterfaceLanguage::Install(lgEnglish);
        QVERIFY2(spanish.contains("Revisar la ortograf\u00eda mientras escribes"),
                 qPrintable(spanish));

        TAboutForm about;
        about.SetKeyboardClose(true);
        for (Qt::Key key : { Qt::Key_Escape, Qt::Key_Space }) {
            OnNextModal([key](QWidget *w) {
                QTest::keyClick(QApplication::focusWidget(), key);
                if (w->isVisible())
                    w->close();
            });
            QCOMPARE(about.exec(), key == Qt::Key_Escape ? 2 : 1);
        }
    }

    // "&About..." and the hidden "&Contents" show their windows modally.
    void mainWindowCommandsShowTheWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("About") << "AHelpAbout"
                               << "AboutForm";
        QTest::newRow("Contents") << "AHelpContents"
                                  << "HelpForm";
    }
    void mainWindowCommandsShowTheWindows()
    {
        QFETCH(QString, command);
        TMainForm form;
        THelpForm help;
        TAboutForm about;
        form.SetHelpForms(&help, &about);
        form.show();
        QVERIFY(form.Action("AHelpAbout")->isEnabled());
        QString shown;
        OnNextModal([&](QWidget *w) {
            shown = w->objectName();
            w->close();
        });
        form.Action(command)->trigger();
        QTEST(shown, "window");
        QVERIFY(form.isVisible());
    }
};

int main(int argc, char **argv)
{
    // Settings of this run only, apart from those of tests running beside it.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QTemporaryDir data; // and a data folder of its own, where the window keeps learned words
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    TApplication app(argc, argv);
    // Checking while typing would open the dictionary, which is not beside this test.
    Settings::SetFlag(SpellingSetup::SpellAsYouTypeKey, false);
    AboutHelpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AboutHelpTest.moc"
