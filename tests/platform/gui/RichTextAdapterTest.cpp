// Rich Text to and from the editor's document: text and formatting survive both ways.

#include "platform/gui/RichTextAdapter.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RichTextAdapterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "RichTextAdapterTest.moc"
