// The message dialogs as a user meets them: layout, buttons, keys, clipboard text, the
// exception handler's texts and the fallback box.

#include "dialogs/MessageDialogs.h"

#include "dialogs/TBitBtn.h"
#include "dialogs/TExceptionHandler.h"
#include "platform/core/Exceptions.h"
#include "platform/gui/Application.h"

#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Runs action on the next modal window as soon as it shows.
void OnNextModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start(10);
}

QStringList ButtonNames(QWidget *w)
{
    QList<TBitBtn *> buttons = w->findChildren<TBitBtn *>();
    std::sort(buttons.begin(), buttons.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
    QStringList names;
    for (auto *b : buttons)
        names << b->objectName() + "=" + b->text();
    return names;
}

} // namespace

class MessageDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void saveQuestionLooksAndAnswersAsExpected_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << int(mrCancel);
        QTest::newRow("Enter presses the focused Yes") << int(Qt::Key_Return) << int(mrYes);
    }
    void saveQuestionLooksAndAnswersAsExpected()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        QString caption, message;
        QStringList buttons;
        QString focused;
        bool hasIcon = false;
        OnNextModal([&](QWidget *w) {
            caption = w->windowTitle();
            message = w->findChild<QLabel *>("Message")->text();
            hasIcon = w->findChild<QLabel *>("Image") != nullptr;
            buttons = ButtonNames(w);
            QWidget *target = w->focusWidget() ? w->focusWidget() : w;
            focused = target->objectName();
            QTest::keyClick(target, Qt::Key(key));
        });
        QCOMPARE(QuestionDlg("Do you want to save your work?", 0, true), result);
        QCOMPARE(caption, QString("Question"));
        QCOMPARE(message, QString("Do you want to save your work?"));
        QVERIFY(hasIcon);
        QCOMPARE(buttons, QStringList({ "Yes=&Yes", "No=&No", "Cancel=Cancel" }));
        QCOMPARE(focused, QString("Yes"));
    }

    void layoutFollowsTheFontsAverageCharacterSize()
    {
        std::unique_ptr<QDialog> w(CreateMessageDialog("Hello", mtInformation, Buttons({ mbOK })));
        const QFontMetrics fm(w->font());
        const int cy = fm.height();
        auto *ok = w->findChild<TBitBtn *>("OK");
        const int layoutHeight = (14 * cy + 4) / 8;
        QCOMPARE(ok->height(), std::max(25, layoutHeight));
        // The button row sits below the text by the vertical spacing; the window keeps its
        // size even when the buttons grew.
        const int vMargin = (8 * cy + 4) / 8, vSpacing = (10 * cy + 4) / 8;
        QCOMPARE(ok->y(),
                 std::max(32, w->findChild<QLabel *>("Message")->height()) + vMargin + vSpacing);
        QCOMPARE(w->height(),
                 std::max(32, w->findChild<QLabel *>("Message")->height()) + layoutHeight + vSpacing
                     + 2 * vMargin);
    }

    void yesNoHasNoEscapeButton()
    {
        OnNextModal([](QWidget *w) {
            QTest::keyClick(w, Qt::Key_Escape);
            QTimer::singleShot(50, w, [w] { w->findChild<TBitBtn *>("No")->click(); });
        });
        QCOMPARE(CustomMessageDlg("Sure?", "Confirm", mtConfirmation, Buttons({ mbYes, mbNo }), 0,
                                  4, false, mbYes, true),
                 int(mrNo));
    }

    void ampersandsShowAsThemselvesAndHelpKeepsTheDialogOpen()
    {
        int helpAsked = 0;
        HelpHook = [&](int context) { helpAsked = context; };
        QString shown;
        QStringList buttons;
        OnNextModal([&](QWidget *w) {
            shown = w->findChild<QLabel *>("Message")->text();
            buttons = ButtonNames(w);
            w->findChild<TBitBtn *>("Help")->click();
            QVERIFY(w->isVisible());
            w->findChild<TBitBtn *>("OK")->click();
        });
        QCOMPARE(CustomMessageDlg("Salt & pepper", "Info", mtInformation, Buttons({ mbOK }), 42, 0,
                                  false, mbOK, true),
                 int(mrOk));
        HelpHook = nullptr;
        QCOMPARE(shown, QString("Salt & pepper"));
        QCOMPARE(buttons.last(), QString("Help=&Help"));
        QCOMPARE(helpAsked, 42);
    }

    void ctrlCCopiesTheSevenLines()
    {
        OnNextModal([](QWidget *w) {
            QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier);
            w->findChild<TBitBtn *>("Cancel")->click();
        });
        QuestionDlg("Do you want to save your work?", 0, true);
        const QString d(27, '-');
        QCOMPARE(QApplication::clipboard()->text(),
                 d + "\r\nQuestion\r\n" + d + "\r\nDo you want to save your work?\r\n" + d
                     + "\r\nCancel   No   Yes   \r\n" + d + "\r\n");
    }

    void longTextWrapsAndGrowsDown()
    {
        const QString longText = QString("word ").repeated(400);
        std::unique_ptr<QDialog> w(CreateMessageDialog(longText, mtWarning, Buttons({ mbOK })));
        QVERIFY(w->width() <= TApplication::ScreenSize().width() / 2 + 200);
        QVERIFY(w->findChild<QLabel *>("Message")->height() > 3 * w->fontMetrics().height());
    }

    void exceptionTexts()
    {
        QCOMPARE(TExceptionHandler::MessageText(EDivByZero()), QString("Division by zero."));
        QCOMPARE(TExceptionHandler::MessageText(EFOpenError("Cannot open file x")),
                 QString("Cannot open file x."));
        QCOMPARE(TExceptionHandler::MessageText(TEDictionaryCorrupt()),
                 QString("Dictionary Corrupt.")); // one full stop, not two
        const QString range = TExceptionHandler::MessageText(ERangeError());
        QVERIFY2(
            QRegularExpression("^Range check error at [0-9A-F]{8}\\.$").match(range).hasMatch(),
            qPrintable(range));
    }

    void handlerShowsTheErrorDialogAndCanBeRemoved()
    {
        TApplication::OnException = nullptr;
        TExceptionHandler::Install();
        QString caption, text;
        OnNextModal([&](QWidget *w) {
            caption = w->windowTitle();
            text = w->findChild<QLabel *>("Message")->text();
            w->findChild<TBitBtn *>("OK")->click();
        });
        TApplication::OnException(nullptr, Exception("Failed to Save Stream"));
        QCOMPARE(caption, QString("Error"));
        QCOMPARE(text, QString("Failed to Save Stream."));
        TExceptionHandler::Remove();
        QVERIFY(!TApplication::OnException);
    }

    void fallbackBoxAnswersWhenTheDialogCannotBeBuilt()
    {
        DialogBuildProbe = [] { throw std::runtime_error("no window"); };
        QString text, caption;
        OnNextModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            text = box->text();
            caption = box->windowTitle();
            box->button(QMessageBox::No)->click();
        });
        const int result = QuestionDlg("Cats & dogs?", 0, true);
        DialogBuildProbe = nullptr;
        QCOMPARE(result, int(mrNo));
        QCOMPARE(text, QString("Cats & dogs?"));
        QCOMPARE(caption, QString("Question"));
    }

    void stayOnTopModeWaitsForTheButtonAndClosingGivesZero()
    {
        int round = 0;
        bool onTop = false;
        auto pressLater = [&](const char *button) {
            QTimer::singleShot(50, [&, button] {
                for (QWidget *w : QApplication::topLevelWidgets()) {
                    if (w->isVisible() && w->findChild<QLabel *>("Message")) {
                        onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                        if (button)
                            w->findChild<TBitBtn *>(button)->click();
                        else
                            w->close();
                        ++round;
                    }
                }
            });
        };
        pressLater("OK");
        QCOMPARE(CustomMessageDlg("Floating", "Note", mtInformation, Buttons({ mbOK }), 0, 0, false,
                                  mbOK, false),
                 int(mrOk));
        QVERIFY(onTop);
        pressLater(nullptr);
        QCOMPARE(CustomMessageDlg("Floating", "Note", mtInformation, Buttons({ mbOK }), 0, 0, false,
                                  mbOK, false),
                 int(mrNone));
        QCOMPARE(round, 2);
    }

    void doubleAmpersands()
    {
        QCOMPARE(DoubleAmpersands("A&B"), QString("A&&B"));
        QCOMPARE(DoubleAmpersands("&&"), QString("&&&&"));
        QCOMPARE(DoubleAmpersands("none"), QString("none"));
    }
};

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    MessageDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MessageDialogsTest.moc"
