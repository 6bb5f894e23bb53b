// TRichEdit document operations: load, save, attributes and printing.

#include "platform/core/Exceptions.h"
#include "platform/gui/TRichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

template<typename F> QString MessageOf(F &&f)
{
    try {
        f();
    } catch (const Exception &e) {
        return QString::fromStdString(e.Message());
    }
    return QString();
}

} // namespace

class RichEditFileTest : public QObject
{
    Q_OBJECT
private slots:
    void loadDecodesText_data();
    void loadDecodesText();
    void unreadableFileFailsAndKeepsTheText_data();
    void unreadableFileFailsAndKeepsTheText();
    void plainTextKeepsEncodingAndLineEnds_data();
    void plainTextKeepsEncodingAndLineEnds();
    void newPlainTextSavesUtf8WithLf();
    void richTextSaveWritesRtf();
    void failedSaveKeepsTheOldFile();
    void selAttributesApplyToSelectionOrTyping();
    void printWritesOneJobWithTheName();
    void cancelledLoadKeepsTheDocument();
    void loadLaysOutTheRestWhenIdle();
    void richTextLoadKeepsTheWindowsDocumentSettings();
};

// A Rich Text load shows a new document, announced, with the font, margin and paint device
// (the zoom) of the old one, undo on and not modified.
void RichEditFileTest::richTextLoadKeepsTheWindowsDocumentSettings()
{
    TRichEdit edit;
    QTextDocument *old = edit.document();
    const QFont font("Liberation Sans", 17);
    old->setDefaultFont(font);
    old->setDocumentMargin(9);
    QImage device(1, 1, QImage::Format_RGB32);
    old->documentLayout()->setPaintDevice(&device);
    QSignalSpy replaced(&edit, &TRichEdit::DocumentReplaced);
    edit.LoadFromBytes("{\\rtf1 new}");
    QCOMPARE(replaced.size(), 1);
    QTextDocument *doc = edit.document();
    QCOMPARE(replaced[0][0].value<QTextDocument *>(), doc);
    QCOMPARE(doc->toPlainText(), QString("new"));
    QCOMPARE(doc->defaultFont(), font);
    QCOMPARE(doc->documentMargin(), 9.0);
    QCOMPARE(doc->documentLayout()->paintDevice(), &device);
    QVERIFY(doc->isUndoRedoEnabled() && !doc->isModified());
}

// Open lays out what the window shows, with the caret at the start; the rest of a long
// text is laid out later, while the window is idle, not before Open returns.
void RichEditFileTest::loadLaysOutTheRestWhenIdle()
{
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i)
        rtf += "{\\b Once} upon {\\i a time} a little dragon found a shiny pebble\\par ";
    rtf += "end}";
    TRichEdit edit;
    edit.resize(400, 300);
    edit.show();
    edit.LoadFromBytes(rtf);
    QTextDocument *doc = edit.document();
    QCOMPARE(doc->blockCount(), 3001);
    QCOMPARE(edit.textCursor().position(), 0);
    QCOMPARE(doc->pageSize().width(), edit.viewport()->width());
    QVERIFY(doc->firstBlock().layout()->lineCount() > 0);
    QCOMPARE(doc->lastBlock().layout()->lineCount(), 0);
    QTRY_VERIFY(doc->lastBlock().layout()->lineCount() > 0);
}

// Cancel in the progress of a long Rich Text load: EAbort, and the text and its modified
// flag are what they were.
void RichEditFileTest::cancelledLoadKeepsTheDocument()
{
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i)
        rtf += "{\\b Once} upon {\\i a time} a little dragon found a shiny pebble\\tab x\\par ";
    rtf += "}";
    TRichEdit edit;
    edit.setPlainText("kept");
    edit.document()->setModified(true);
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&edit] {
        if (auto *progress = edit.findChild<QProgressDialog *>())
            progress->cancel();
    });
    cancel.start(0);
    bool aborted = false;
    try {
        edit.LoadFromBytes(rtf);
    } catch (const EAbort &) {
        aborted = true;
    }
    QVERIFY(aborted);
    QCOMPARE(edit.toPlainText(), QString("kept"));
    QVERIFY(edit.document()->isModified());
}

// Text loads as UTF-8 (BOM honoured) else code page 1252, in both modes (a load in Rich
// Text mode of something that is not RTF is read again as text); the load leaves the
// control unmodified.
void RichEditFileTest::loadDecodesText_data()
{
    QTest::addColumn<bool>("plain");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString cafe = QString::fromUtf8("caf\xC3\xA9\r\n\xE2\x82\xAC 5");
    for (bool plain : { true, false }) {
        const char *mode = plain ? "plain" : "rich";
        QTest::addRow("%s utf-8", mode)
            << plain << QByteArray("caf\xC3\xA9\n\xE2\x82\xAC 5") << cafe;
        QTest::addRow("%s utf-8 bom crlf", mode) << plain
                                                 << QByteArray("\xEF\xBB\xBF"
                                                               "caf\xC3\xA9\r\n\xE2\x82\xAC 5")
                                                 << cafe;
        QTest::addRow("%s cp1252", mode) << plain << QByteArray("caf\xE9\r\n\x80 5") << cafe;
        QTest::addRow("%s empty", mode) << plain << QByteArray() << QString();
    }
}

void RichEditFileTest::loadDecodesText()
{
    QFETCH(bool, plain);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.txt");
    WriteAll(path, bytes);
    TRichEdit edit;
    edit.SetText("old");
    edit.SetModified(true);
    edit.SetPlainText(plain);
    edit.LoadFromFile(path);
    QCOMPARE(edit.Text(), text);
    QVERIFY(!edit.Modified());
    QCOMPARE(edit.PlainText(), plain);
}

void RichEditFileTest::unreadableFileFailsAndKeepsTheText_data()
{
    QTest::addColumn<bool>("plain");
    QTest::newRow("plain") << true;
    QTest::newRow("rich") << false;
}

void RichEditFileTest::unreadableFileFailsAndKeepsTheText()
{
    QFETCH(bool, plain);
    QTemporaryDir dir;
    TRichEdit edit;
    edit.SetText("kept");
    edit.SetPlainText(plain);
    // The designed message, then the file and why it could not be read.
    const QString missing = dir.filePath("missing.txt"), pipe = dir.filePath("pipe.rtf");
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString failed = "Failed to Load Stream.\n“%1”: %2.";
    QCOMPARE(MessageOf([&] { edit.LoadFromFile(missing); }),
             failed.arg(missing, "the file does not exist"));
    QCOMPARE(MessageOf([&] { edit.LoadFromFile(dir.path()); }),
             failed.arg(dir.path(), "it is a folder"));
    QCOMPARE(MessageOf([&] { edit.LoadFromFile(pipe); }),
             failed.arg(pipe, "it is not an ordinary file (it may be a device or a pipe)"));
    QCOMPARE(edit.Text(), QString("kept"));
}

// A text file is shown as it was written and saved back in its own encoding and line
// ends, typed text included (a file of well-formed UTF-8 with stray bytes is UTF-8).
// Text that code page 1252 cannot hold is saved as UTF-8 rather than lost.
void RichEditFileTest::plainTextKeepsEncodingAndLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");
    const QString e = QString::fromUtf8("\xC3\xA9");
    const QByteArray le("\xFF\xFEH\0i\0\r\0\n\0=\0\x3D\xD8\x00\xDE", 16);
    QTest::newRow("utf-16 le") << le << QString::fromUtf8("Hi\r\n=\xF0\x9F\x98\x80") << e
                               << le + QByteArray("\xE9\0", 2);
    const QByteArray be("\xFE\xFF\0H\0i\0\n", 8);
    QTest::newRow("utf-16 be") << be << QString("Hi\r\n") << e << be + QByteArray("\0\xE9", 2);
    QTest::newRow("utf-8 bom, lf") << QByteArray("\xEF\xBB\xBF"
                                                 "a\nb")
                                   << QString("a\r\nb") << e
                                   << QByteArray("\xEF\xBB\xBF"
                                                 "a\nb\xC3\xA9");
    QTest::newRow("cp1252, lf") << QByteArray("caf\xE9\n\x80")
                                << QString::fromUtf8("caf\xC3\xA9\r\n\xE2\x82\xAC") << e
                                << QByteArray("caf\xE9\n\x80\xE9");
    QTest::newRow("cp1252, emoji typed")
        << QByteArray("caf\xE9") << QString::fromUtf8("caf\xC3\xA9")
        << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray("caf\xC3\xA9\xF0\x9F\x98\x80");
    QTest::newRow("utf-8, one bad byte")
        << QByteArray("caf\xC3\xA9 \x92 caf\xC3\xA9\r\n")
        << QString::fromUtf8("caf\xC3\xA9 \xE2\x80\x99 caf\xC3\xA9\r\n") << e
        << QByteArray("caf\xC3\xA9 \xE2\x80\x99 caf\xC3\xA9\r\n\xC3\xA9");
    QTest::newRow("cr") << QByteArray("a\rb\r") << QString("a\r\nb\r\n") << e
                        << QByteArray("a\rb\r\xC3\xA9");
    QTest::newRow("crlf") << QByteArray("a\r\nb") << QString("a\r\nb") << e
                          << QByteArray("a\r\nb\xC3\xA9");
}

void RichEditFileTest::plainTextKeepsEncodingAndLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.txt");
    WriteAll(path, bytes);
    TRichEdit edit;
    edit.SetPlainText(true);
    edit.LoadFromFile(path);
    QCOMPARE(edit.Text(), text);
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(typed);
    edit.SaveToFile(path);
    QCOMPARE(ReadAll(path), saved);
}

// A document that was not read from a text file, also one emptied after such a load,
// is saved as UTF-8 with LF line ends.
void RichEditFileTest::newPlainTextSavesUtf8WithLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.rtf"); // the mode decides, not the extension
    WriteAll(path, QByteArray("\xFF\xFEo\0l\0d\0\r\0\n\0", 10));
    TRichEdit edit;
    edit.SetPlainText(true);
    edit.LoadFromFile(path);
    edit.Clear();
    edit.insertPlainText(QString::fromUtf8("caf\xC3\xA9\n\xF0\x9F\x98\x80"));
    edit.SetModified(true);
    edit.SaveToFile(path);
    QCOMPARE(ReadAll(path), QByteArray("caf\xC3\xA9\n\xF0\x9F\x98\x80"));
    QVERIFY(edit.Modified()); // the caller clears it after a save went through

    TRichEdit again;
    again.SetPlainText(true);
    again.LoadFromFile(path);
    QCOMPARE(again.Text(), edit.Text());
}

void RichEditFileTest::richTextSaveWritesRtf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    TRichEdit edit;
    edit.SetText("hello {world}");
    edit.SaveToFile(path);
    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.startsWith("{\\rtf1"));
    QVERIFY(bytes.contains("hello \\{world\\}"));
}

// The save goes through a temporary file: when writing fails (here the file size
// limit), the old file is untouched and the failure is raised.
void RichEditFileTest::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.txt");
    WriteAll(path, "old contents");
    TRichEdit edit;
    edit.SetPlainText(true);
    edit.SetText(QString(100000, QChar('x')));

    rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString message = MessageOf([&] { edit.SaveToFile(path); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    const QString failed = "Failed to Save Stream.\n“%1”: %2.";
    QCOMPARE(message, failed.arg(path, "the file is too large for the disk"));
    QCOMPARE(ReadAll(path), QByteArray("old contents"));
    const QString lost = dir.filePath("no/such/folder.txt");
    QCOMPARE(MessageOf([&] { edit.SaveToFile(lost); }),
             failed.arg(lost, "the folder does not exist"));
}

void RichEditFileTest::selAttributesApplyToSelectionOrTyping()
{
    TRichEdit edit;
    edit.SetText("plain bold plain");
    QFont bold("Liberation Serif", 14);
    bold.setBold(true);
    edit.Select(6, 4);
    edit.SetSelAttributes(bold, Qt::red);

    auto formatAt = [&](int pos) {
        QTextCursor c(edit.document());
        c.setPosition(pos + 1); // the format of the character before the cursor
        return c.charFormat();
    };
    QCOMPARE(formatAt(7).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(7).foreground().color(), QColor(Qt::red));
    QVERIFY(formatAt(2).fontWeight() != int(QFont::Bold));
    QVERIFY(formatAt(12).fontWeight() != int(QFont::Bold));

    edit.SetSelStart(edit.PositionCount());
    QFont italic = edit.font();
    italic.setItalic(true);
    edit.SetSelAttributes(italic, Qt::blue);
    QTest::keyClicks(&edit, "xy");
    QCOMPARE(edit.Text(), QString("plain bold plainxy"));
    QVERIFY(formatAt(17).fontItalic());
    QCOMPARE(formatAt(17).foreground().color(), QColor(Qt::blue));
    QVERIFY(!formatAt(14).fontItalic());
}

void RichEditFileTest::printWritesOneJobWithTheName()
{
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("job.pdf"));
    TRichEdit edit;
    edit.SetText("A page to print");
    edit.Print("Scrivlo", printer);
    QCOMPARE(printer.docName(), QString("Scrivlo"));
    const QByteArray pdf = ReadAll(dir.filePath("job.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.contains("Scrivlo") || pdf.contains(QByteArray("S\0c\0r\0i\0v\0l\0o", 13)));
}

QTEST_MAIN(RichEditFileTest)
#include "RichEditFileTest.moc"
