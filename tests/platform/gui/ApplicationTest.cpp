// The application services: the exception hook, the window disabler, the busy cursor and
// the plain message box.

#include "platform/gui/Application.h"

#include "platform/core/Exceptions.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

class ApplicationTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { TApplication::OnException = nullptr; }
    void exceptionsFromHandlersReachTheHook_data();
    void exceptionsFromHandlersReachTheHook();
    void exceptionFromAClickedSlotReachesTheHook();
    void windowDisablerRestoresOnlyWhatItDisabled();
    void plainMessageBoxReturnsTheButton_data();
    void plainMessageBoxReturnsTheButton();
    void plainMessageBoxCutsLongTexts();
    void titleIsAddedToNoWindowTitle();

private:
    QStringList FReported;
};

void ApplicationTest::init()
{
    FReported.clear();
    TApplication::OnException
        = [this](QObject *, const std::exception &e) { FReported << e.what(); };
}

// Every exception escaping an event handler reaches OnException, except EAbort.
void ApplicationTest::exceptionsFromHandlersReachTheHook_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("reported");
    QTest::newRow("Exception") << 0 << QStringList { "boom" };
    QTest::newRow("EFOpenError") << 1 << QStringList { "Cannot open file x" };
    QTest::newRow("std::exception") << 2 << QStringList { "std" };
    QTest::newRow("EAbort is silent") << 3 << QStringList {};
}

void ApplicationTest::exceptionsFromHandlersReachTheHook()
{
    QFETCH(int, kind);
    QFETCH(QStringList, reported);
    bool after = false;
    QTimer::singleShot(0, this, [kind] {
        switch (kind) {
        case 0:
            throw Exception("boom");
        case 1:
            throw EFOpenError("Cannot open file x");
        case 2:
            throw std::runtime_error("std");
        default:
            throw EAbort("quiet");
        }
    });
    QTimer::singleShot(0, this, [&] { after = true; });
    QTRY_VERIFY(after); // the loop goes on after the exception
    QCOMPARE(FReported, reported);
}

void ApplicationTest::exceptionFromAClickedSlotReachesTheHook()
{
    QPushButton button("Go");
    connect(&button, &QPushButton::clicked, [] { throw Exception("from slot"); });
    QObject *sender = nullptr;
    TApplication::OnException = [&](QObject *s, const std::exception &e) {
        sender = s;
        FReported << e.what();
    };
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(FReported, QStringList { "from slot" });
    QCOMPARE(sender, &button);
}

// Disables the other visible, enabled windows (keeping the excepted one usable even when
// it belongs to a disabled window), and enables afterwards only what it disabled.
void ApplicationTest::windowDisablerRestoresOnlyWhatItDisabled()
{
    QWidget main, other, alreadyOff, hidden;
    QWidget *dialog = new QWidget(&main, Qt::Dialog);
    for (QWidget *w : { &main, &other, &alreadyOff, dialog })
        w->show();
    alreadyOff.setEnabled(false);
    {
        TWindowDisabler disabler(dialog);
        QVERIFY(!main.isEnabled());
        QVERIFY(!other.isEnabled());
        QVERIFY(dialog->isEnabled());
        QVERIFY(hidden.isEnabled());
        hidden.show(); // shown meanwhile: not the disabler's
    }
    QVERIFY(main.isEnabled());
    QVERIFY(other.isEnabled());
    QVERIFY(dialog->isEnabled());
    QVERIFY(!alreadyOff.isEnabled());
    QVERIFY(hidden.isEnabled());
}

// Answers the next message box from the event loop: clicks the given button or, for
// NoButton, closes the box.
static void AnswerMessageBox(QMessageBox::StandardButton button, QString *seenText = nullptr,
                             QMessageBox::Icon *seenIcon = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (seenText)
            *seenText = box->text() + '|' + box->windowTitle();
        if (seenIcon)
            *seenIcon = box->icon();
        if (button == QMessageBox::NoButton)
            box->reject();
        else
            box->button(button)->click();
    });
}

void ApplicationTest::plainMessageBoxReturnsTheButton_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("icon");
    using B = QMessageBox;
    QTest::newRow("ok") << 0 << int(B::Ok) << 1 << int(B::NoIcon);
    QTest::newRow("ok/cancel cancel") << 0x11 << int(B::Cancel) << 2 << int(B::Critical);
    QTest::newRow("abort") << 0x22 << int(B::Abort) << 3 << int(B::Question);
    QTest::newRow("retry") << 0x32 << int(B::Retry) << 4 << int(B::Warning);
    QTest::newRow("ignore") << 0x42 << int(B::Ignore) << 5 << int(B::Information);
    QTest::newRow("yes") << 3 << int(B::Yes) << 6 << int(B::NoIcon);
    QTest::newRow("no") << 4 << int(B::No) << 7 << int(B::NoIcon);
    QTest::newRow("retry/cancel retry") << 5 << int(B::Retry) << 4 << int(B::NoIcon);
    QTest::newRow("closed yes/no") << 4 << int(B::NoButton) << 2 << int(B::NoIcon);
}

void ApplicationTest::plainMessageBoxReturnsTheButton()
{
    QFETCH(int, style);
    QFETCH(int, button);
    QFETCH(int, result);
    QFETCH(int, icon);
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    AnswerMessageBox(QMessageBox::StandardButton(button), nullptr, &seenIcon);
    QCOMPARE(PlainMessageBox("Text", "Caption", style), result);
    QCOMPARE(int(seenIcon), icon);
}

void ApplicationTest::plainMessageBoxCutsLongTexts()
{
    QString seen;
    AnswerMessageBox(QMessageBox::Ok, &seen);
    // A cut in the middle of a surrogate pair drops the whole character.
    const QString text = QString(254, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + "tail";
    PlainMessageBox(text, QString(300, 'c'), 0);
    QCOMPARE(seen, QString(254, 'a') + '|' + QString(255, 'c'));
}

// The window system adds the display name to every window's title ("Error - Scrivlo"),
// which cuts the captions of message boxes sized for their own: the title is not it.
void ApplicationTest::titleIsAddedToNoWindowTitle()
{
    TApplication::SetTitle("Scrivlo");
    QCOMPARE(TApplication::Title(), QString("Scrivlo"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
