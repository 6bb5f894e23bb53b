// The edit messages sent by handle, on each control kind.

#include "EditControls.h"

#include <QTest>
#include <cstring>

class EditMessagesTest : public QObject
{
    Q_OBJECT
private slots:
    void kinds_data();
    void selectionMessagesUseControlPositions_data() { kinds_data(); }
    void selectionMessagesUseControlPositions();
    void replaceSelReadsAnsiText_data() { kinds_data(); }
    void replaceSelReadsAnsiText();
    void modifyFlagMessages_data() { kinds_data(); }
    void modifyFlagMessages();
    void getTextCopiesTheAnsiViewWithinTheBuffer_data();
    void getTextCopiesTheAnsiViewWithinTheBuffer();
    void limitTextHoldsTheWholeText_data() { kinds_data(); }
    void limitTextHoldsTheWholeText();
    void lineMessages_data();
    void lineMessages();
    void wrappedLinesCount_data();
    void wrappedLinesCount();
    void posFromCharGivesClientCoordinates_data();
    void posFromCharGivesClientCoordinates();
    void firstVisibleLineFollowsScrolling_data();
    void firstVisibleLineFollowsScrolling();
    void setRedrawSwitchesUpdates_data() { kinds_data(); }
    void setRedrawSwitchesUpdates();
    void unknownHandleOrMessageAnswersZero();
};

void EditMessagesTest::kinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("edit") << "edit";
    QTest::newRow("memo") << "memo";
    QTest::newRow("rich") << "rich";
}

// EM_GETSEL packs start | end << 16 and fills the optional pointers; EM_SETSEL takes
// -1 for "to the end" and a start of -1 to deselect.
void EditMessagesTest::selectionMessagesUseControlPositions()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    edit->SetText("hello world");
    const HWND h = edit->Handle();
    SendMessage(h, EM_SETSEL, 6, 11);
    QCOMPARE(edit->SelText(), QString("world"));
    std::uint32_t start = 99, end = 99;
    QCOMPARE(
        SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)),
        MakeLResult(6, 11));
    QCOMPARE(start, 6u);
    QCOMPARE(end, 11u);

    SendMessage(h, EM_SETSEL, 5, 0); // reversed
    QCOMPARE(edit->SelText(), QString("hello"));
    SendMessage(h, EM_SETSEL, 0, -1);
    QCOMPARE(edit->SelText(), QString("hello world"));
    SendMessage(h, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    QCOMPARE(edit->SelLength(), 0);

    // Beyond 16 bits the packed answer is -1; the pointers still get the positions.
    if (kind == "edit")
        return; // holds at most 32767 characters
    edit->SetText(QString(70000, QChar('a')));
    SendMessage(h, EM_SETSEL, 65600, 65610);
    QCOMPARE(
        SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)),
        -1);
    QCOMPARE(start, 65600u);
    QCOMPARE(end, 65610u);
}

void EditMessagesTest::replaceSelReadsAnsiText()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    edit->SetText("a cafe here");
    SendMessage(edit->Handle(), EM_SETSEL, 2, 6);
    SendMessage(edit->Handle(), EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("caf\xE9 \x80"));
    QCOMPARE(edit->Text(), QString::fromUtf8("a caf\xC3\xA9 \xE2\x82\xAC here"));
    QVERIFY(edit->Modified());
    QCOMPARE(SendMessage(edit->Handle(), EM_REPLACESEL, 1, 0), 0); // no text: nothing happens
    QCOMPARE(edit->Text(), QString::fromUtf8("a caf\xC3\xA9 \xE2\x82\xAC here"));
}

void EditMessagesTest::modifyFlagMessages()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    QCOMPARE(SendMessage(edit->Handle(), EM_GETMODIFY, 0, 0), 0);
    SendMessage(edit->Handle(), EM_SETMODIFY, 1, 0);
    QVERIFY(edit->Modified());
    QCOMPARE(SendMessage(edit->Handle(), EM_GETMODIFY, 0, 0), 1);
    SendMessage(edit->Handle(), EM_SETMODIFY, 0, 0);
    QVERIFY(!edit->Modified());
}

// WM_GETTEXT copies at most size - 1 bytes and a terminator; characters outside code
// page 1252 become one '?' per UTF-16 unit; line ends are CR LF.
void EditMessagesTest::getTextCopiesTheAnsiViewWithinTheBuffer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray full = "caf\xE9 ??\r\nx";
    for (const char *kind : { "memo", "rich" }) {
        QTest::addRow("%s whole", kind) << kind << 100 << full;
        QTest::addRow("%s exact", kind) << kind << int(full.size() + 1) << full;
        QTest::addRow("%s cut", kind) << kind << 4 << QByteArray("caf");
        QTest::addRow("%s no room", kind) << kind << 0 << QByteArray();
    }
    QTest::newRow("edit") << "edit" << 100 << QByteArray("caf\xE9 ?? x");
}

void EditMessagesTest::getTextCopiesTheAnsiViewWithinTheBuffer()
{
    QFETCH(QString, kind);
    QFETCH(int, size);
    QFETCH(QByteArray, expected);
    auto edit = MakeEdit(kind);
    edit->SetText(QString::fromUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80\nx"));
    char buffer[128];
    std::memset(buffer, 'Z', sizeof buffer);
    QCOMPARE(SendMessage(edit->Handle(), WM_GETTEXT, static_cast<WPARAM>(size),
                         reinterpret_cast<LPARAM>(buffer)),
             expected.size());
    if (size > 0)
        QCOMPARE(QByteArray(buffer), expected);
    QCOMPARE(buffer[std::max(size, 1)], 'Z'); // nothing written past the buffer
    QCOMPARE(SendMessage(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), edit->Text().size());
}

void EditMessagesTest::limitTextHoldsTheWholeText()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    edit->SetText(QString(40000, QChar('a')));
    QVERIFY(SendMessage(edit->Handle(), EM_GETLIMITTEXT, 0, 0)
            >= SendMessage(edit->Handle(), WM_GETTEXTLENGTH, 0, 0));
}

// Lines of "one", "two", "three": memo positions count CR LF as two, rich as one.
void EditMessagesTest::lineMessages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("threeStart");
    QTest::addColumn<int>("lastLine");
    QTest::newRow("edit") << "edit" << -1 << 0;
    QTest::newRow("memo") << "memo" << 10 << 2;
    QTest::newRow("rich") << "rich" << 8 << 2;
}

void EditMessagesTest::lineMessages()
{
    QFETCH(QString, kind);
    QFETCH(int, threeStart);
    QFETCH(int, lastLine);
    auto edit = MakeEdit(kind);
    edit->SetText("one\ntwo\nthree");
    const HWND h = edit->Handle();
    QCOMPARE(SendMessage(h, EM_LINEINDEX, 0, 0), 0);
    QCOMPARE(SendMessage(h, EM_LINEINDEX, 2, 0), threeStart);
    QCOMPARE(SendMessage(h, EM_LINEINDEX, 7, 0), -1);
    QCOMPARE(SendMessage(h, EM_LINEFROMCHAR, static_cast<WPARAM>(edit->PositionCount()), 0),
             lastLine);
    QCOMPARE(SendMessage(h, EM_LINEFROMCHAR, 1, 0), 0);
    edit->SetSelStart(edit->PositionCount());
    QCOMPARE(SendMessage(h, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0),
             lastLine); // the caret's line
    QCOMPARE(SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(-1), 0),
             lastLine == 0 ? 0 : threeStart);
}

// Lines are the displayed lines: a wrapped paragraph spans several.
void EditMessagesTest::wrappedLinesCount_data()
{
    firstVisibleLineFollowsScrolling_data();
}

void EditMessagesTest::wrappedLinesCount()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    if (auto *memo = dynamic_cast<TMemo *>(edit.get()))
        memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    else
        static_cast<TRichEdit *>(edit.get())->setLineWrapMode(QTextEdit::WidgetWidth);
    edit->Widget()->resize(120, 200);
    edit->Widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(edit->Widget()));
    edit->SetText(QString("word ").repeated(40).trimmed() + "\nend");
    const HWND h = edit->Handle();
    const auto last
        = SendMessage(h, EM_LINEFROMCHAR, static_cast<WPARAM>(edit->PositionCount()), 0);
    QVERIFY(last > 2);
    const auto second = SendMessage(h, EM_LINEINDEX, 1, 0);
    QVERIFY(second > 0 && second < 200);
    QCOMPARE(SendMessage(h, EM_LINEFROMCHAR, static_cast<WPARAM>(second), 0), 1);
    QCOMPARE(SendMessage(h, EM_LINEINDEX, static_cast<WPARAM>(last), 0), edit->PositionCount() - 3);
}

void EditMessagesTest::posFromCharGivesClientCoordinates_data()
{
    kinds_data();
}

// Later characters on a line lie to the right, later lines lower; beyond the text: -1.
void EditMessagesTest::posFromCharGivesClientCoordinates()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    edit->Widget()->resize(300, 200);
    edit->Widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(edit->Widget()));
    edit->SetText("wide words\nnext");
    const HWND h = edit->Handle();
    const LRESULT first = SendMessage(h, EM_POSFROMCHAR, 0, 0);
    const LRESULT fifth = SendMessage(h, EM_POSFROMCHAR, 5, 0);
    QVERIFY(LoWord(fifth) > LoWord(first));
    QCOMPARE(HiWord(fifth), HiWord(first));
    QVERIFY(LoWord(first) >= 0 && LoWord(first) < 20);
    QCOMPARE(SendMessage(h, EM_POSFROMCHAR, static_cast<WPARAM>(edit->PositionCount() + 1), 0), -1);
    if (kind != "edit") {
        const int nextLine = static_cast<int>(SendMessage(h, EM_LINEINDEX, 1, 0));
        const LRESULT below = SendMessage(h, EM_POSFROMCHAR, static_cast<WPARAM>(nextLine), 0);
        QVERIFY(HiWord(below) > HiWord(first));
        QCOMPARE(LoWord(below), LoWord(first));
    }
}

void EditMessagesTest::firstVisibleLineFollowsScrolling_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("memo") << "memo";
    QTest::newRow("rich") << "rich";
}

void EditMessagesTest::firstVisibleLineFollowsScrolling()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    edit->Widget()->resize(200, 100);
    edit->Widget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(edit->Widget()));
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QString("line %1").arg(i);
    edit->SetText(lines.join('\n'));
    edit->SetSelStart(0);
    QCOMPARE(SendMessage(edit->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    edit->SetSelStart(edit->PositionCount()); // scrolls the caret into view
    const LRESULT first = SendMessage(edit->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    QVERIFY(first > 40 && first < 59);
}

void EditMessagesTest::setRedrawSwitchesUpdates()
{
    QFETCH(QString, kind);
    auto edit = MakeEdit(kind);
    SendMessage(edit->Handle(), WM_SETREDRAW, 0, 0);
    QVERIFY(!edit->Widget()->updatesEnabled());
    SendMessage(edit->Handle(), WM_SETREDRAW, 1, 0);
    QVERIFY(edit->Widget()->updatesEnabled());
}

void EditMessagesTest::unknownHandleOrMessageAnswersZero()
{
    auto edit = MakeEdit("memo");
    edit->SetText("text");
    edit->SetModified(true);
    QCOMPARE(SendMessage(edit->Handle(), 0x7FFF, 0, 0), 0);
    const HWND gone = edit->Handle();
    edit.reset();
    QCOMPARE(FindEditControl(gone), nullptr);
    QCOMPARE(SendMessage(gone, EM_GETMODIFY, 0, 0), 0);
    QCOMPARE(SendMessage(gone, WM_GETTEXTLENGTH, 0, 0), 0);
    QCOMPARE(SendMessage(nullptr, WM_GETTEXTLENGTH, 0, 0), 0);
}

QTEST_MAIN(EditMessagesTest)
#include "EditMessagesTest.moc"
