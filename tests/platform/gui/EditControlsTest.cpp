// Positions, the ANSI view, selection and the modified flag of the edit controls.

#include "EditControls.h"

#include <QHash>
#include <QTest>
#include <cmath>

class EditControlsTest : public QObject
{
    Q_OBJECT
private slots:
    void multiLineTextUsesCrLf_data();
    void multiLineTextUsesCrLf();
    void selectingAWordFoundInTheTextSelectsExactlyIt_data();
    void selectingAWordFoundInTheTextSelectsExactlyIt();
    void selectionReadsBackAsControlPositions_data();
    void selectionReadsBackAsControlPositions();
    void replacingTheSelectionTakesLineEnds_data();
    void replacingTheSelectionTakesLineEnds();
    void modifiedIsSetByTypingOnly_data();
    void modifiedIsSetByTypingOnly();
    void clearEmptiesAndClearsModified_data();
    void clearEmptiesAndClearsModified();
    void disabledTextStaysReadable_data();
    void disabledTextStaysReadable();
};

// Multi-line controls report CR LF; positions count it as two (memo) or one (rich edit).
void EditControlsTest::multiLineTextUsesCrLf_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("positions");
    QTest::newRow("memo") << "memo" << 13;
    QTest::newRow("rich") << "rich" << 11;
}

void EditControlsTest::multiLineTextUsesCrLf()
{
    QFETCH(QString, kind);
    QFETCH(int, positions);
    auto edit = MakeEdit(kind);
    edit->SetText("one\r\ntwo\nthr");
    QCOMPARE(edit->Text(), QString("one\r\ntwo\r\nthr"));
    QCOMPARE(edit->PositionCount(), positions);
    QCOMPARE(edit->GetTextLen(), 13);
}

// The spell check finds a word in the (ANSI) text and selects it by position: it must
// select exactly that word on any line, also after emoji and CJK text.
void EditControlsTest::selectingAWordFoundInTheTextSelectsExactlyIt_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    const QString lines = "The first line\r\nand the second\r\nthird has a wrod in it\r\nlast";
    const QString wide
        = QString::fromUtf8("Emoji \xF0\x9F\x98\x80 here\r\n\xE6\xBC\xA2\xE5\xAD\x97 text\r\n"
                            "caf\xC3\xA9 and wrod");
    for (const char *kind : { "edit", "memo", "rich" }) {
        if (QString(kind) != "edit") {
            QTest::addRow("%s third line", kind) << kind << lines << "wrod";
            QTest::addRow("%s last line", kind) << kind << lines << "last";
            QTest::addRow("%s after emoji and CJK", kind) << kind << wide << "wrod";
        }
        QTest::addRow("%s one line after emoji", kind)
            << kind << QString::fromUtf8("\xF0\x9F\x98\x80\xE6\xBC\xA2 the wrod") << "wrod";
    }
}

void EditControlsTest::selectingAWordFoundInTheTextSelectsExactlyIt()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, word);
    auto edit = MakeEdit(kind);
    edit->SetText(text);
    const std::string ansi = edit->AnsiText();
    QCOMPARE(static_cast<qsizetype>(ansi.size()), edit->Text().size());
    const auto offset = static_cast<int>(ansi.rfind(word.toStdString()));
    QVERIFY(offset >= 0);
    edit->Select(ControlPos(*edit, edit->Text(), offset), static_cast<int>(word.size()));
    QCOMPARE(edit->SelText(), word);
}

// SelStart/SelLength read back the positions they were given, including across breaks.
void EditControlsTest::selectionReadsBackAsControlPositions_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("selected");
    QTest::newRow("memo across a line end") << "memo" << 2 << 5 << "c\r\nde";
    QTest::newRow("rich across a break") << "rich" << 2 << 4 << "c\r\nde";
    QTest::newRow("memo at the end") << "memo" << 5 << 3 << "def";
    QTest::newRow("rich at the end") << "rich" << 4 << 3 << "def";
}

void EditControlsTest::selectionReadsBackAsControlPositions()
{
    QFETCH(QString, kind);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, selected);
    auto edit = MakeEdit(kind);
    edit->SetText("abc\r\ndef");
    edit->Select(start, length);
    QCOMPARE(edit->SelStart(), start);
    QCOMPARE(edit->SelLength(), length);
    QCOMPARE(edit->SelText(), selected);
}

void EditControlsTest::replacingTheSelectionTakesLineEnds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("edit") << "edit"
                          << "one x y three";
    QTest::newRow("memo") << "memo"
                          << "one x\r\ny three";
    QTest::newRow("rich") << "rich"
                          << "one x\r\ny three";
}

void EditControlsTest::replacingTheSelectionTakesLineEnds()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    auto edit = MakeEdit(kind);
    edit->SetText("one two three");
    edit->Select(4, 3);
    edit->SetSelText("x\r\ny");
    QCOMPARE(edit->Text(), expected);
    QCOMPARE(edit->SelLength(), 0);
    QVERIFY(edit->Modified());
}

// Modified follows the user's typing; setting the text programmatically leaves it clear.
void EditControlsTest::modifiedIsSetByTypingOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("edit") << "edit";
    QTest::newRow("memo") << "memo";
    QTest::newRow("rich") << "rich";
}

void EditControlsTest::modifiedIsSetByTypingOnly()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    edit->SetText("loaded");
    QVERIFY(!edit->Modified());
    QTest::keyClicks(edit->Widget(), "ab");
    QVERIFY(edit->Modified());
    QVERIFY(edit->Text().contains("ab"));
    edit->SetModified(false);
    QVERIFY(!edit->Modified());
    edit->SetModified(true);
    QVERIFY(edit->Modified());
}

void EditControlsTest::clearEmptiesAndClearsModified_data()
{
    modifiedIsSetByTypingOnly_data();
}

void EditControlsTest::clearEmptiesAndClearsModified()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    QTest::keyClicks(edit->Widget(), "typed");
    QVERIFY(edit->Modified());
    edit->Clear();
    QCOMPARE(edit->Text(), QString());
    QCOMPARE(edit->PositionCount(), 0);
    QVERIFY(!edit->Modified());
}

// Contrast (as WCAG counts it) of the darkest colour of an area, the text, with its
// commonest colour, the page.
double TextContrast(const QImage &image, const QRect &area)
{
    auto luminance = [](QColor c) {
        auto f = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * f(c.redF()) + 0.7152 * f(c.greenF()) + 0.0722 * f(c.blueF()) + 0.05;
    };
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    const auto keys = counts.keys();
    const QRgb page = *std::max_element(keys.begin(), keys.end(),
                                        [&](QRgb a, QRgb b) { return counts[a] < counts[b]; });
    const QRgb text = *std::min_element(
        keys.begin(), keys.end(), [&](QRgb a, QRgb b) { return luminance(a) < luminance(b); });
    return luminance(page) / luminance(text);
}

// A disabled control (all windows are, while the spelling dialog is up) keeps its text
// readable, 4.5:1 at least, and the selected word highlighted.
void EditControlsTest::disabledTextStaysReadable_data()
{
    clearEmptiesAndClearsModified_data();
}

void EditControlsTest::disabledTextStaysReadable()
{
    QFETCH(QString, kind);
    QWidget window;
    auto edit = MakeEdit(kind);
    edit->Widget()->setParent(&window);
    edit->Widget()->setGeometry(0, 0, 300, 60);
    edit->SetFont(QFont(edit->Font().family(), 18));
    edit->SetText("My freind and I");
    edit->SetHideSelection(false);
    edit->Select(3, 6);
    window.show();
    window.setEnabled(false);
    const QImage image = edit->Widget()->grab().toImage();
    const QRect word = edit->CaretRect(); // the caret sits at the selection's end
    QVERIFY(TextContrast(image, { 0, word.top(), edit->PosFromChar(3)->x(), word.height() })
            >= 4.5);
    const QRgb highlight
        = edit->Widget()->palette().color(QPalette::Inactive, QPalette::Highlight).rgb();
    int highlighted = 0;
    for (int x = 0; x < image.width(); ++x)
        highlighted += image.pixel(x, word.center().y()) == highlight;
    QVERIFY(highlighted > 20);
}

QTEST_MAIN(EditControlsTest)
#include "EditControlsTest.moc"
