// Rich Text to and from the editor's document: text and formatting survive both ways.

#include "platform/gui/RichTextAdapter.h"

#include "platform/core/rtf/RtfReader.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace {

QTextCharFormat FormatAt(const QTextDocument &doc, int position)
{
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat();
}

} // namespace

class RichTextAdapterTest : public QObject
{
    Q_OBJECT
private slots:
    void readsTextAndFormatting()
    {
        QTextDocument doc;
        QVERIFY(ReadRichText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Serif;}}"
                             "{\\colortbl;\\red255\\green0\\blue0;}"
                             "\\pard\\qc\\fs28 plain {\\b bold} {\\i\\cf1 red}\\par"
                             "\\pard\\li720 caf\\'e9\\tab x\\line y\\par}",
                             doc));
        QCOMPARE(doc.blockCount(), 2);
        QCOMPARE(doc.begin().text(), QString("plain bold red"));
        QCOMPARE(doc.begin().next().text(), QString("caf\u00e9\tx\u2028y"));
        QCOMPARE(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(doc.begin().next().blockFormat().leftMargin(), 48.0); // 720 twips at 96 dpi
        QVERIFY(!FormatAt(doc, 0).font().bold());
        QVERIFY(FormatAt(doc, 6).font().bold());
        QVERIFY(FormatAt(doc, 11).font().italic());
        QCOMPARE(FormatAt(doc, 11).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(FormatAt(doc, 0).fontPointSize(), 14.0);
        QCOMPARE(FormatAt(doc, 0).fontFamilies().toStringList().value(0),
                 QString("Liberation Serif"));
    }

    void notRtfIsRefused()
    {
        QTextDocument doc;
        doc.setPlainText("kept");
        QVERIFY(!ReadRichText("just some text", doc));
        QCOMPARE(doc.toPlainText(), QString("kept"));
    }

    void writtenDocumentsReadBackAlike()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont("Liberation Sans", 10));
        QTextCursor c(&doc);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(18);
        c.insertText("Hello ", QTextCharFormat());
        c.insertText("world", bold);
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        QTextCharFormat coloured;
        coloured.setForeground(QColor(10, 20, 30));
        coloured.setFontUnderline(true);
        c.insertBlock(right);
        c.insertText(
            QString::fromUtf8("emoji \xF0\x9F\x98\x80 and \xE6\x97\xA5\xE6\x9C\xAC\t{braces}\\"),
            coloured);

        const std::string rtf = WriteRichText(doc);
        QVERIFY(
            QByteArray::fromStdString(rtf).startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
        for (unsigned char ch : rtf)
            QVERIFY(ch < 128);

        QTextDocument back;
        QVERIFY(ReadRichText(rtf, back));
        QCOMPARE(back.toPlainText(), doc.toPlainText());
        QVERIFY(FormatAt(back, 6).font().bold());
        QCOMPARE(FormatAt(back, 6).fontPointSize(), 18.0);
        QVERIFY(!FormatAt(back, 0).font().bold());
        QCOMPARE(FormatAt(back, 0).fontPointSize(), 10.0);
        const int second = back.begin().next().position();
        QCOMPARE(back.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QCOMPARE(FormatAt(back, second).foreground().color(), QColor(10, 20, 30));
        QVERIFY(FormatAt(back, second).fontUnderline());
    }

    void picturesKeepTheirBytes()
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const std::string rtf = "{\\rtf1\\ansi a{\\pict\\pngblip\\picw4\\pich3 "
            + png.toHex().toStdString() + "}b\\par}";
        QTextDocument doc;
        QVERIFY(ReadRichText(rtf, doc));
        QCOMPARE(doc.toPlainText(), QString("a\uFFFCb"));
        QTextDocument back;
        QVERIFY(ReadRichText(WriteRichText(doc), back));
        QCOMPARE(back.toPlainText(), QString("a\uFFFCb"));
        const QTextImageFormat f = FormatAt(back, 1).toImageFormat();
        QVERIFY(f.isValid());
        const QImage shown
            = back.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        QCOMPARE(shown.size(), QSize(4, 3));
        QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::blue));
    }

    // A worksheet's table is a table of the editor's document, and is saved as one.
    void tablesReadAndWriteAsTables()
    {
        const std::string rtf
            = "{\\rtf1 before\\par\\trowd\\cellx1500\\cellx4500\\pard\\intbl{\\b a}\\par a2\\cell"
              " b\\cell\\row\\trowd\\cellx1500\\pard\\intbl c\\cell\\row\\pard after\\par}";
        QTextDocument doc;
        QVERIFY(ReadRichText(rtf, doc));
        QTextTable *table = nullptr;
        for (auto it = doc.rootFrame()->begin(); !it.atEnd() && !table; ++it)
            table = qobject_cast<QTextTable *>(it.currentFrame());
        QVERIFY(table);
        QCOMPARE(table->rows(), 2);
        QCOMPARE(table->columns(), 2);
        QCOMPARE(table->format().columnWidthConstraints().value(1).rawValue(), 200.0);
        QTextCursor first = table->cellAt(0, 0).firstCursorPosition();
        first.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        QVERIFY(first.charFormat().font().bold());
        QCOMPARE(table->cellAt(1, 0).columnSpan(), 2);

        const RtfReadResult back = ReadRtf(WriteRichText(doc));
        const RtfReadResult original = ReadRtf(rtf);
        QCOMPARE(RtfPlainText(back.document), RtfPlainText(original.document));
        QCOMPARE(back.document.tables.size(), size_t(1));
        QCOMPARE(back.document.tables[0].position, size_t(1));
        QCOMPARE(back.document.tables[0].rows[0].cells[1].width, 3000);
        QCOMPARE(back.document.tables[0].rows[1].cells[0].width, 4500); // spans both columns
    }

    // Every picture keeps its bytes, shown or not; soft hyphens and page breaks keep their
    // places.
    void undecodedPicturesAndBreaksSurviveASave()
    {
        const std::string brokenPng = "89504e470d0a1a0a00000000";
        const std::string rtf = "{\\rtf1 before {\\pict\\pngblip " + brokenPng
            + "} mid {\\pict\\wmetafile8\\picw10\\pich10 0100090000} after\\par "
              "soft\\-hyphen\\page next\\par end\\page\\par}";
        QTextDocument doc;
        QVERIFY(ReadRichText(rtf, doc));
        QCOMPARE(doc.begin().text(), QString("before \uFFFC mid \uFFFC after"));
        const RtfReadResult back = ReadRtf(WriteRichText(doc));
        const RtfReadResult original = ReadRtf(rtf);
        QCOMPARE(RtfPlainText(back.document), RtfPlainText(original.document));
        const RtfParagraph &pictures = back.document.paragraphs.at(0);
        QCOMPARE(pictures.runs.at(1).picture, original.document.paragraphs[0].runs.at(1).picture);
        QCOMPARE(pictures.runs.at(3).picture, original.document.paragraphs[0].runs.at(3).picture);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RichTextAdapterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RichTextAdapterTest.moc"
