// TRichEdit loads: the window keeps turning while a document loads and is laid out, in
// pieces of bounded size, and a save writes the text that was read.

#include "platform/core/Exceptions.h"
#include "platform/core/rtf/RtfReader.h"
#include "platform/gui/RichTextAdapter.h"
#include "platform/gui/TRichEdit.h"

#include <QProgressDialog>
#include <QTest>
#include <QTextBlock>
#include <QTextTable>
#include <QTimer>

namespace {

std::string Letters(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += char('a' + i % 26);
    return out;
}

std::string Words(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += i % 9 == 8 ? ' ' : char('a' + i % 26);
    return out;
}

std::string TableRtf(int rows, int columns)
{
    std::string rtf = "{\\rtf1\\ansi first\\par\n";
    for (int r = 0; r < rows; ++r) {
        rtf += "\\trowd";
        for (int c = 1; c <= columns; ++c)
            rtf += "\\cellx" + std::to_string(c * 1000);
        rtf += "\\intbl ";
        for (int c = 0; c < columns; ++c)
            rtf += "r" + std::to_string(r) + "c" + std::to_string(c) + "\\cell ";
        rtf += "\\row\n";
    }
    return rtf + "\\pard after\\par}";
}

// The text of each paragraph of a Rich Text file, a table's cells each a paragraph.
QStringList RtfParagraphs(const std::string &rtf)
{
    const RtfDocument doc = ReadRtf(rtf).document;
    QStringList out;
    auto add = [&out](const RtfParagraph &paragraph) {
        QString text;
        for (const RtfRun &run : paragraph.runs)
            text += QString::fromStdU16String(run.text);
        out << text;
    };
    size_t table = 0;
    for (size_t i = 0; i <= doc.paragraphs.size(); ++i) {
        for (; table < doc.tables.size() && doc.tables[table].position <= i; ++table)
            for (const RtfTableRow &row : doc.tables[table].rows)
                for (const RtfTableCell &cell : row.cells)
                    for (const RtfParagraph &paragraph : cell.paragraphs)
                        add(paragraph);
        if (i < doc.paragraphs.size())
            add(doc.paragraphs[i]);
    }
    return out;
}

int LongestBlock(const QTextDocument &doc)
{
    int longest = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        longest = std::max(longest, block.length() - 1);
    return longest;
}

} // namespace

class RichEditLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void longParagraphsLoadInPiecesAndSaveWhole_data();
    void longParagraphsLoadInPiecesAndSaveWhole();
    void editsAtAPieceBreakSaveWhatWasTyped_data();
    void editsAtAPieceBreakSaveWhatWasTyped();
    void longTablesLoadInPiecesAndSaveAsOne();
    void plainTextLoadTurnsTheEventLoopAndCancels();
};

// A paragraph longer than MaxBlockLength is shown in blocks of at most that length; saved,
// it is one paragraph with the same text and format again.
void RichEditLayoutTest::longParagraphsLoadInPiecesAndSaveWhole_data()
{
    QTest::addColumn<bool>("plain");
    QTest::addColumn<QByteArray>("bytes");
    const std::string letters = Letters(100000), words = Words(100000);
    QTest::newRow("rtf, no spaces")
        << false << QByteArray::fromStdString("{\\rtf1 " + letters + "\\par}");
    QTest::newRow("rtf, words, indented")
        << false << QByteArray::fromStdString("{\\rtf1 \\fi720\\sa240 " + words + "\\par next}");
    QTest::newRow("text, no spaces") << true << QByteArray::fromStdString(letters + "\n");
    QTest::newRow("text, CR LF, words")
        << true << QByteArray::fromStdString("a\r\n" + words + "\r\nb");
}

void RichEditLayoutTest::longParagraphsLoadInPiecesAndSaveWhole()
{
    QFETCH(bool, plain);
    QFETCH(QByteArray, bytes);
    TRichEdit edit;
    edit.SetPlainText(plain);
    edit.LoadFromBytes(bytes.toStdString());
    QVERIFY(LongestBlock(*edit.document()) <= MaxBlockLength);
    const std::string saved = edit.SaveToBytes();
    if (plain) {
        QCOMPARE(QByteArray::fromStdString(saved), bytes);
    } else {
        QCOMPARE(RtfParagraphs(saved), RtfParagraphs(bytes.toStdString()));
        QVERIFY(ReadRtf(saved).document.paragraphs.front().format
                == ReadRtf(bytes.toStdString()).document.paragraphs.front().format);
    }
}

// Edits where a long paragraph was divided: the save has the paragraph breaks typed, no
// more, also after an undo.
void RichEditLayoutTest::editsAtAPieceBreakSaveWhatWasTyped_data()
{
    QTest::addColumn<QString>("keys"); // typed at the start of the third block
    QTest::addColumn<int>("breaks"); // paragraph breaks saved
    QTest::addColumn<int>("letters"); // characters saved besides them
    QTest::newRow("nothing") << "" << 1 << 10001;
    QTest::newRow("a letter") << "x" << 1 << 10002;
    QTest::newRow("Enter") << "\n" << 2 << 10001;
    QTest::newRow("Backspace") << "\b" << 1 << 10001;
    QTest::newRow("Enter, undo") << "\nu" << 1 << 10001;
    // The second block and the break after it: the paragraph break before them stays.
    QTest::newRow("delete the block before") << "d" << 1 << 10001 - MaxBlockLength;
}

void RichEditLayoutTest::editsAtAPieceBreakSaveWhatWasTyped()
{
    QFETCH(QString, keys);
    QFETCH(int, breaks);
    QFETCH(int, letters);
    TRichEdit edit;
    edit.SetPlainText(true);
    edit.LoadFromBytes("x\n" + Letters(10000));
    const QTextBlock second = edit.document()->begin().next();
    QTextCursor at(second.next());
    for (const QChar key : keys) {
        if (key == 'd') {
            at.setPosition(second.position(), QTextCursor::KeepAnchor);
            at.removeSelectedText();
        } else if (key == '\n')
            at.insertBlock();
        else if (key == '\b')
            at.deletePreviousChar();
        else if (key == 'u')
            edit.document()->undo();
        else
            at.insertText(key);
    }
    const QString saved = QString::fromStdString(edit.SaveToBytes());
    QCOMPARE(saved.count('\n'), breaks);
    QCOMPARE(saved.size() - breaks, letters);
}

// A table of more than TablePieceCells cells is shown as tables of at most that many cells,
// one under another; saved, they are the rows of one table again, with nothing between.
void RichEditLayoutTest::longTablesLoadInPiecesAndSaveAsOne()
{
    const std::string rtf = TableRtf(500, 3);
    TRichEdit edit;
    edit.LoadFromBytes(rtf);
    int tables = 0;
    for (QTextFrame *frame : edit.document()->rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        QVERIFY(table && table->rows() * table->columns() <= TablePieceCells);
        ++tables;
    }
    QVERIFY(tables > 1);
    const std::string saved = edit.SaveToBytes();
    const RtfDocument doc = ReadRtf(saved).document;
    QCOMPARE(doc.tables.size(), size_t(1));
    QCOMPARE(doc.tables.front().rows.size(), size_t(500));
    QCOMPARE(RtfParagraphs(saved), RtfParagraphs(rtf));
}

// Plain text loads under the progress bar too: its Cancel leaves the text as it was.
void RichEditLayoutTest::plainTextLoadTurnsTheEventLoopAndCancels()
{
    TRichEdit edit;
    edit.SetPlainText(true);
    edit.setPlainText("kept");
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&edit] {
        if (auto *progress = edit.findChild<QProgressDialog *>())
            progress->cancel();
    });
    cancel.start(0);
    QVERIFY_THROWS_EXCEPTION(EAbort, edit.LoadFromBytes(Words(400000)));
    QCOMPARE(edit.toPlainText(), QString("kept"));
}

QTEST_MAIN(RichEditLayoutTest)
#include "RichEditLayoutTest.moc"
