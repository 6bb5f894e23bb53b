// The picture button as it looks and as a user works it: kinds, glyph strips, the bevels
// of a coloured face, the focus frame, glyph and caption placement, mouse, keys, and the
// order of a click.

#include "widgets/ColorHLS.h"
#include "widgets/TPicBitBtn.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QtTest>

namespace {

const QColor LightBlue(189, 226, 253);

// A glyph strip of solid images: red normal, green disabled.
QPixmap TwoImageGlyph()
{
    QPixmap strip(32, 16);
    QPainter p(&strip);
    p.fillRect(0, 0, 16, 16, Qt::red);
    p.fillRect(16, 0, 16, 16, Qt::green);
    return strip;
}

bool Near(QColor a, QColor b, int tolerance = 3)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

QString Describe(QColor c)
{
    return QString("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

// The bounding box of the pixels of one colour inside a region of an image.
QRect BoxOf(const QImage &image, QColor colour, QRect region = {})
{
    if (region.isNull())
        region = image.rect();
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                box |= QRect(x, y, 1, 1);
    return box;
}

// A top-level window holding buttons, shown and active, so that focus and keys behave.
struct Window
{
    QDialog dialog;
    Window()
    {
        dialog.resize(300, 120);
        dialog.show();
        dialog.activateWindow();
    }
    bool Ready() { return QTest::qWaitForWindowActive(&dialog); }
};

} // namespace

class PicButtonTest : public QObject
{
    Q_OBJECT
private slots:
    // A kind sets the roles, the modal result, a shared two-image glyph and its caption.
    void kindsSetRolesResultGlyphAndCaption_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("isCancel");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("caption");
        QTest::newRow("OK") << int(bkOK) << true << false << 1 << "OK";
        QTest::newRow("Cancel") << int(bkCancel) << false << true << 2 << "Cancel";
        QTest::newRow("Help") << int(bkHelp) << false << false << 0 << "&Help";
        QTest::newRow("Yes") << int(bkYes) << true << false << 6 << "&Yes";
        QTest::newRow("No") << int(bkNo) << false << true << 7 << "&No";
        QTest::newRow("Close closes nothing") << int(bkClose) << false << false << 0 << "&Close";
        QTest::newRow("Abort") << int(bkAbort) << false << false << 3 << "&Abort";
        QTest::newRow("Retry") << int(bkRetry) << false << false << 4 << "&Retry";
        QTest::newRow("Ignore") << int(bkIgnore) << false << false << 5 << "&Ignore";
        QTest::newRow("All") << int(bkAll) << false << false << 8 << "&All";
    }
    void kindsSetRolesResultGlyphAndCaption()
    {
        QFETCH(int, kind);
        TPicBitBtn a, b;
        b.SetDefault(true); // overwritten by the kind
        b.SetModalResult(99);
        a.SetKind(TBitBtnKind(kind));
        b.SetKind(TBitBtnKind(kind));
        QTEST(b.Default(), "isDefault");
        QTEST(b.Cancel(), "isCancel");
        QTEST(b.ModalResult(), "result");
        QTEST(b.Caption(), "caption");
        QCOMPARE(b.NumGlyphs(), 2);
        QCOMPARE(b.Glyph().size(), QSize(32, 16));
        // Loaded once: both buttons hold the same pixels.
        QCOMPARE(a.Glyph().cacheKey(), b.Glyph().cacheKey());
        // The two images differ (the second is the disabled look).
        const QImage strip = b.Glyph().toImage();
        QVERIFY(strip.copy(0, 0, 16, 16) != strip.copy(16, 0, 16, 16));
    }

    // A new glyph whose width is a whole multiple of its height sets NumGlyphs to that
    // multiple, or to 1 beyond 4; any other width leaves NumGlyphs alone.
    void numGlyphsFollowsTheGlyphWidth_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("expected");
        QTest::newRow("one square") << QSize(16, 16) << 1;
        QTest::newRow("two images") << QSize(32, 16) << 2;
        QTest::newRow("four images") << QSize(64, 16) << 4;
        QTest::newRow("five is too many") << QSize(80, 16) << 1;
        QTest::newRow("not a multiple") << QSize(30, 16) << 3;
    }
    void numGlyphsFollowsTheGlyphWidth()
    {
        QFETCH(QSize, size);
        TPicButton b;
        b.SetNumGlyphs(3);
        QPixmap glyph(size);
        glyph.fill(Qt::blue);
        b.SetGlyph(glyph);
        QTEST(b.NumGlyphs(), "expected");
    }

    // Lightness changes on the 0..240 scale stay within it: far past white is white, far
    // below black is black, and hue survives a moderate change.
    void lightnessChangesStayInTheScale()
    {
        QCOMPARE(ColorAdjustLuma(LightBlue, 100), QColor(Qt::white));
        QCOMPARE(ColorAdjustLuma(Qt::white, 255), QColor(Qt::white));
        QCOMPARE(ColorAdjustLuma(QColor(40, 120, 60), -100), QColor(Qt::black));
        QCOMPARE(ColorAdjustLuma(QColor(128, 128, 128), 0), QColor(128, 128, 128));
        const THLS before = ColorRGBToHLS(QColor(200, 80, 80));
        const THLS after = ColorRGBToHLS(ColorAdjustLuma(QColor(200, 80, 80), 40));
        QCOMPARE(after.Hue, before.Hue);
        QVERIFY(std::abs(after.Lightness - (before.Lightness + 40)) <= 1);
    }

    // A coloured face has two bevel rings: outer lighter 100 / darker 100, inner lighter
    // 40 / darker 50; pressed, both outer sides darker 100 and both inner sides darker 50.
    // (Expected colours computed independently of the button's own arithmetic.)
    void colouredFaceBevels_data()
    {
        QTest::addColumn<QColor>("face");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QColor>("outerTopLeft");
        QTest::addColumn<QColor>("outerBottomRight");
        QTest::addColumn<QColor>("innerTopLeft");
        QTest::addColumn<QColor>("innerBottomRight");
        const QColor red(200, 80, 80);
        QTest::newRow("light blue")
            << LightBlue << false << QColor(255, 255, 255) << QColor(7, 132, 223)
            << QColor(255, 255, 255) << QColor(86, 181, 250);
        QTest::newRow("light blue pressed")
            << LightBlue << true << QColor(7, 132, 223) << QColor(7, 132, 223)
            << QColor(86, 181, 250) << QColor(86, 181, 250);
        QTest::newRow("red") << red << false << QColor(251, 242, 242) << QColor(51, 16, 16)
                             << QColor(220, 145, 145) << QColor(132, 42, 42);
        QTest::newRow("red pressed") << red << true << QColor(51, 16, 16) << QColor(51, 16, 16)
                                     << QColor(132, 42, 42) << QColor(132, 42, 42);
    }
    void colouredFaceBevels()
    {
        QFETCH(QColor, face);
        QFETCH(bool, pressed);
        TPicBitBtn b;
        b.SetColor(face);
        b.setDown(pressed);
        const QImage image = b.grab().toImage();
        const int w = image.width(), h = image.height();
        auto check = [&](QPoint p, const QColor &expected) {
            const QColor seen = image.pixelColor(p);
            QVERIFY2(Near(seen, expected),
                     qPrintable(QString("at (%1, %2): %3, expected %4")
                                    .arg(p.x())
                                    .arg(p.y())
                                    .arg(Describe(seen), Describe(expected))));
        };
        QFETCH(QColor, outerTopLeft);
        QFETCH(QColor, outerBottomRight);
        QFETCH(QColor, innerTopLeft);
        QFETCH(QColor, innerBottomRight);
        check({ w / 2, 0 }, outerTopLeft);
        check({ 0, h / 2 }, outerTopLeft);
        check({ w / 2, h - 1 }, outerBottomRight);
        check({ w - 1, h / 2 }, outerBottomRight);
        check({ w / 2, 1 }, innerTopLeft);
        check({ 1, h / 2 }, innerTopLeft);
        check({ w / 2, h - 2 }, innerBottomRight);
        check({ w - 2, h / 2 }, innerBottomRight);
        check({ 2, 2 }, face);
        check({ w - 3, h - 3 }, face);
    }

    // The system face colour keeps the platform's own button border, not the rings.
    void systemFaceKeepsThePlatformBorder()
    {
        TPicBitBtn b;
        const QImage image = b.grab().toImage();
        const QPalette pal = QApplication::palette();
        QCOMPARE(image.pixelColor(37, 0).rgb(), pal.color(QPalette::Light).rgb());
        QCOMPARE(image.pixelColor(37, 24).rgb(), pal.color(QPalette::Shadow).rgb());
        QCOMPARE(image.pixelColor(10, 10).rgb(), pal.color(QPalette::Button).rgb());
    }

    // A clicked button takes the focus (also when it is no tab stop) and shows the
    // window-frame outline around the rings; the dotted rectangle only with ShowFocusRect.
    void focusFrameAndFocusRectangle_data()
    {
        QTest::addColumn<bool>("showFocusRect");
        QTest::newRow("no focus rectangle") << false;
        QTest::newRow("focus rectangle") << true;
    }
    void focusFrameAndFocusRectangle()
    {
        QFETCH(bool, showFocusRect);
        Window window;
        auto *b = new TPicBitBtn(&window.dialog);
        b->move(10, 10);
        b->SetColor(LightBlue);
        b->SetFontColor(Qt::blue);
        b->SetTabStop(false);
        b->SetShowFocusRect(showFocusRect);
        auto *edit = new QLineEdit(&window.dialog);
        edit->move(10, 60);
        b->show();
        edit->show();
        QVERIFY(window.Ready());
        edit->setFocus();
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(b->hasFocus());
        const QImage image = b->grab().toImage();
        const QColor frame = QApplication::palette().color(QPalette::Shadow);
        for (QPoint p : { QPoint(37, 0), QPoint(0, 12), QPoint(37, 24), QPoint(74, 12) })
            QCOMPARE(image.pixelColor(p).rgb(), frame.rgb());
        QCOMPARE(image.pixelColor(37, 1).rgb(), QColor(Qt::white).rgb()); // rings moved in
        // The dotted rectangle would run along the fourth pixel from the edge.
        QCOMPARE(!BoxOf(image, Qt::blue, QRect(4, 4, 67, 1)).isNull(), showFocusRect);
    }

    // Glyph at content left + Margin, centred vertically; caption centred in the area to
    // its right; both move by (1, 1) while pressed.
    void glyphAndCaptionPlacement_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::newRow("raised") << false;
        QTest::newRow("pressed") << true;
    }
    void glyphAndCaptionPlacement()
    {
        QFETCH(bool, pressed);
        TPicBitBtn b;
        b.SetColor(LightBlue);
        b.SetGlyph(TwoImageGlyph());
        b.SetCaption("Go");
        b.SetFontColor(Qt::blue);
        b.setDown(pressed);
        const QPoint shift = pressed ? QPoint(1, 1) : QPoint();
        const QImage image = b.grab().toImage();
        QCOMPARE(BoxOf(image, Qt::red), QRect(QPoint(7, 5) + shift, QSize(16, 16)));
        const QRect text = BoxOf(image, Qt::blue);
        QVERIFY(!text.isEmpty());
        const QRect area = QRect(27, 5, 43, 15).translated(shift);
        QVERIFY2(area.contains(text),
                 qPrintable(QString("caption at x %1..%2").arg(text.left()).arg(text.right())));
        QVERIFY(std::abs(text.center().x() - area.center().x()) <= 2);
    }

    // Disabled: the disabled image of the strip, and a caption embossed in the system
    // highlight and shadow colours, never in its font colour.
    void disabledLook()
    {
        TPicBitBtn b;
        b.SetColor(LightBlue);
        b.SetGlyph(TwoImageGlyph());
        b.SetCaption("Go");
        b.SetFontColor(Qt::blue);
        b.setEnabled(false);
        const QImage image = b.grab().toImage();
        QVERIFY(BoxOf(image, Qt::red).isNull());
        QCOMPARE(BoxOf(image, Qt::green), QRect(7, 5, 16, 16));
        QVERIFY(BoxOf(image, Qt::blue).isNull());
        const QRect captionArea(27, 5, 43, 15);
        const QRect shadow
            = BoxOf(image, QApplication::palette().color(QPalette::Dark), captionArea);
        const QRect light = BoxOf(image, QApplication::palette().color(QPalette::Light),
                                  captionArea.adjusted(0, 0, 1, 1));
        QVERIFY(!shadow.isEmpty());
        QVERIFY(!light.isEmpty());
        QCOMPARE(light.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
    }

    // Press shows it pressed, dragging out raises it, back presses it again, and only a
    // release inside clicks.
    void mousePressDragAndRelease_data()
    {
        QTest::addColumn<bool>("releaseInside");
        QTest::newRow("release inside clicks") << true;
        QTest::newRow("release outside does not") << false;
    }
    void mousePressDragAndRelease()
    {
        QFETCH(bool, releaseInside);
        Window window;
        auto *b = new TPicBitBtn(&window.dialog);
        b->SetTabStop(false);
        b->show();
        QVERIFY(window.Ready());
        QSignalSpy clicks(b, &QAbstractButton::clicked);
        const QPoint inside(20, 12), outside(120, 12);
        QTest::mousePress(b, Qt::LeftButton, {}, inside);
        QVERIFY(b->isDown());
        QVERIFY(b->hasFocus());
        QTest::mouseMove(b, outside);
        QVERIFY(!b->isDown());
        QTest::mouseMove(b, inside);
        QVERIFY(b->isDown());
        if (!releaseInside)
            QTest::mouseMove(b, outside);
        QTest::mouseRelease(b, Qt::LeftButton, {}, releaseInside ? inside : outside);
        QVERIFY(!b->isDown());
        QCOMPARE(clicks.count(), releaseInside ? 1 : 0);
    }

    // Space down presses, Space up clicks; a disabled button ignores the mouse.
    void spaceAndDisabledMouse()
    {
        Window window;
        auto *b = new TPicBitBtn(&window.dialog);
        b->show();
        QVERIFY(window.Ready());
        b->setFocus();
        QSignalSpy clicks(b, &QAbstractButton::clicked);
        QTest::keyPress(b, Qt::Key_Space);
        QVERIFY(b->isDown());
        QCOMPARE(clicks.count(), 0);
        QTest::keyRelease(b, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        b->setEnabled(false);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }

    // Enter clicks the active default button (the default one, unless another button has
    // the focus),
    // Escape the cancel button, both only without Shift, Ctrl or Alt; Alt plus the marked
    // letter clicks its button.
    void keysAndRoles_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("clicked");
        QTest::newRow("Enter in an edit") << "edit" << int(Qt::Key_Return) << 0 << "OK";
        QTest::newRow("keypad Enter")
            << "edit" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "OK";
        QTest::newRow("Escape") << "edit" << int(Qt::Key_Escape) << 0 << "Cancel";
        QTest::newRow("Enter on the focused default") << "OK" << int(Qt::Key_Return) << 0 << "OK";
        QTest::newRow("Enter with another button focused")
            << "Cancel" << int(Qt::Key_Return) << 0 << "";
        QTest::newRow("Shift+Enter")
            << "edit" << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "";
        QTest::newRow("Ctrl+Escape")
            << "edit" << int(Qt::Key_Escape) << int(Qt::ControlModifier) << "";
        QTest::newRow("access key") << "edit" << int(Qt::Key_G) << int(Qt::AltModifier) << "Go";
    }
    void keysAndRoles()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Window window;
        QStringList clicked;
        auto add = [&](TBitBtnKind kind, const char *name, int x) {
            auto *b = new TPicBitBtn(&window.dialog);
            b->setObjectName(name);
            b->SetKind(kind);
            b->move(x, 10);
            QObject::connect(b, &QAbstractButton::clicked, [&clicked, name] { clicked << name; });
            return b;
        };
        add(bkOK, "OK", 10);
        add(bkCancel, "Cancel", 90);
        add(bkCustom, "Go", 170)->SetCaption("&Go");
        auto *edit = new QLineEdit(&window.dialog);
        edit->setObjectName("edit");
        edit->move(10, 60);
        for (QWidget *w : window.dialog.findChildren<QWidget *>())
            w->show();
        QVERIFY(window.Ready());
        QWidget *target = window.dialog.findChild<QWidget *>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(clicked.join(','), "clicked");
        QCOMPARE(QApplication::focusWidget(), target); // the access key moves no focus
    }

    // A click first gives the window the button's modal result, then runs its command;
    // a result of 0 (the close kind) runs the command and leaves the window open.
    void clickOrder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("result");
        QTest::newRow("OK ends the modal show") << int(bkOK) << 1;
        QTest::newRow("Close runs the command only") << int(bkClose) << 0;
    }
    void clickOrder()
    {
        QFETCH(int, kind);
        QFETCH(int, result);
        QDialog dialog;
        dialog.setResult(-1);
        auto *b = new TPicBitBtn(&dialog);
        b->SetKind(TBitBtnKind(kind));
        QAction command("Command");
        b->SetAction(&command);
        QList<int> seenByCommand;
        connect(&command, &QAction::triggered, [&] { seenByCommand << dialog.result(); });
        bool stillOpen = false;
        QTimer::singleShot(0, [&] {
            b->click();
            QApplication::processEvents();
            stillOpen = dialog.isVisible();
            if (stillOpen)
                dialog.done(42);
        });
        const int shown = dialog.exec();
        QCOMPARE(seenByCommand, QList<int>({ result }));
        QCOMPARE(stillOpen, result == 0);
        QCOMPARE(shown, result == 0 ? 42 : result);
        QCOMPARE(b->Caption(), QString("Command")); // bound: the command's caption
    }

    // A bound button follows its command's enabled state.
    void boundButtonFollowsTheCommand()
    {
        QAction command("&New");
        command.setEnabled(false);
        TPicBitBtn b;
        b.SetKind(bkClose);
        b.SetAction(&command);
        QCOMPARE(b.Caption(), QString("&New"));
        QVERIFY(!b.isEnabled());
        command.setEnabled(true);
        QVERIFY(b.isEnabled());
        QCOMPARE(b.Glyph().cacheKey(), TPicBitBtn::KindGlyph(bkClose).cacheKey());
    }
};

QTEST_MAIN(PicButtonTest)
#include "PicButtonTest.moc"
