// The link label: its colours, the fly-by colour under the mouse, the hand cursor, and a
// click that opens its target through the desktop (replaced here by a recorder).

#include "widgets/TPicURLLabel.h"

#include <QEnterEvent>
#include <QtTest>

class URLLabelTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        opened.clear();
        openResult = true;
        TPicURLLabel::Opener = [this](const QString &target) {
            opened << target;
            return openResult;
        };
    }
    void cleanup() { TPicURLLabel::Opener = &TPicURLLabel::DesktopOpen; }

    // Underlined, in the unvisited colour, with the pointing hand as its cursor.
    void looksLikeALink()
    {
        TPicURLLabel label;
        QVERIFY(label.font().underline());
        QCOMPARE(label.FontColor(), QApplication::palette().color(QPalette::Highlight));
        QCOMPARE(label.cursor().shape(), Qt::BitmapCursor);
        QVERIFY(!label.cursor().pixmap().isNull());
    }

    // With fly-by on, entering takes the fly-by colour and leaving brings back the colour
    // seen on entering; with it off, the mouse changes nothing.
    void flyBy_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("fly-by on") << true;
        QTest::newRow("fly-by off") << false;
    }
    void flyBy()
    {
        QFETCH(bool, enabled);
        TPicURLLabel label;
        label.SetUnvisitedColor(Qt::darkBlue);
        label.SetFlyByEnabled(enabled);
        label.SetFlyByColor(Qt::red);
        Enter(label);
        QCOMPARE(label.FontColor(), enabled ? QColor(Qt::red) : QColor(Qt::darkBlue));
        Leave(label);
        QCOMPARE(label.FontColor(), QColor(Qt::darkBlue));
    }

    // A click opens URL, or the caption when URL is blank after trimming; nothing is
    // opened for a blank target. Success marks the label visited; failure (also for a
    // ".htm" target) changes nothing.
    void clickOpensTheTarget_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QString>("target"); // what the desktop was asked to open
        QTest::newRow("url") << "https://scrivlo.example/"
                             << "home" << true << "https://scrivlo.example/";
        QTest::newRow("blank url: caption") << "   "
                                            << "notes.txt" << true << "notes.txt";
        QTest::newRow("blank target") << ""
                                      << "  " << true << "";
        QTest::newRow("failure") << "missing.txt"
                                 << "" << false << "missing.txt";
        QTest::newRow("failure on .htm") << "page.HTM"
                                         << "" << false << "page.HTM";
    }
    void clickOpensTheTarget()
    {
        QFETCH(QString, url);
        QFETCH(QString, caption);
        QFETCH(bool, succeeds);
        QFETCH(QString, target);
        openResult = succeeds;
        TPicURLLabel label;
        label.SetURL(url);
        label.SetCaption(caption);
        label.SetUnvisitedColor(Qt::darkBlue);
        label.SetAutoSize(false);
        label.resize(100, 20);
        label.show();
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(opened.join('|'), target);
        const bool visited = succeeds && !target.isEmpty();
        QCOMPARE(label.Visited(), visited);
        QCOMPARE(label.FontColor(), visited ? QColor(128, 0, 128) : QColor(Qt::darkBlue));
    }

    // The click handler runs before the target is opened; a release outside is no click.
    void clickHandlerFirstAndReleaseOutside()
    {
        TPicURLLabel label;
        label.SetCaption("https://scrivlo.example/");
        label.show();
        QStringList order;
        connect(&label, &TPicURLLabel::clicked, [&] { order << "handler:" + opened.join(','); });
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 1));
        QVERIFY(order.isEmpty());
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(order, QStringList({ "handler:" }));
        QCOMPARE(opened, QStringList({ "https://scrivlo.example/" }));
    }

    // Visiting while under the mouse shows the visited colour until the mouse leaves,
    // which brings back the colour remembered on entering.
    void leavingAfterAVisitRestoresTheEnteringColour()
    {
        TPicURLLabel label;
        label.SetCaption("https://scrivlo.example/");
        label.SetUnvisitedColor(Qt::darkBlue);
        label.SetFlyByEnabled(true);
        label.SetFlyByColor(Qt::red);
        label.show();
        Enter(label);
        label.Click();
        QCOMPARE(label.FontColor(), QColor(128, 0, 128));
        Leave(label);
        QCOMPARE(label.FontColor(), QColor(Qt::darkBlue));
        QVERIFY(label.Visited());
    }

    // Changing the visited state or either colour shows the colour that applies now.
    void colourChangesApplyAtOnce()
    {
        TPicURLLabel label;
        label.SetUnvisitedColor(Qt::darkBlue);
        QCOMPARE(label.FontColor(), QColor(Qt::darkBlue));
        label.SetVisited(true);
        QCOMPARE(label.FontColor(), QColor(128, 0, 128));
        label.SetVisitedColor(Qt::darkGreen);
        QCOMPARE(label.FontColor(), QColor(Qt::darkGreen));
        label.SetVisited(false);
        QCOMPARE(label.FontColor(), QColor(Qt::darkBlue));
    }

    // The desktop is never asked to open a local file that isn't there.
    void missingLocalFilesAreNotHandedToTheDesktop()
    {
        QVERIFY(!TPicURLLabel::DesktopOpen("/no/such/folder/notes.txt"));
        QVERIFY(!TPicURLLabel::DesktopOpen("file:///no/such/folder/page.htm"));
        QVERIFY(!TPicURLLabel::DesktopOpen("no-such-file-here.htm"));
    }

    // With ShowAccelChar off, "&" is an ordinary character and counts in the size.
    void ampersandShownPlainWithoutAccelChar()
    {
        TPicURLLabel label;
        label.SetCaption("A&B");
        const int withAccel = label.width();
        label.SetShowAccelChar(false);
        QVERIFY(label.width() > withAccel);
    }

private:
    static void Enter(QWidget &w)
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), w.mapToGlobal(QPointF(1, 1)));
        QApplication::sendEvent(&w, &enter);
    }
    static void Leave(QWidget &w)
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&w, &leave);
    }

    QStringList opened;
    bool openResult = true;
};

QTEST_MAIN(URLLabelTest)
#include "URLLabelTest.moc"
