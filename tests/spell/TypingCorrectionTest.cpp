// A word corrected as it is typed: which word the caret follows, and where the caret ends.

#include "spell/TypingCorrection.h"

#include "platform/gui/TEdit.h"
#include "platform/gui/TMemo.h"

#include <QTest>
#include <map>

class TypingCorrectionTest : public QObject
{
    Q_OBJECT
private slots:
    void correctsTheWordBeforeTheCaret_data()
    {
        QTest::addColumn<bool>("memo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("longer") << false << "I saw u " << 8 << "u"
                                << "I saw you " << 10;
        QTest::newRow("mid-text") << false << "teh dog" << 4 << "teh"
                                  << "the dog" << 4;
        QTest::newRow("unlisted") << false << "fine " << 5 << "fine"
                                  << "fine " << 5;
        QTest::newRow("start of text") << false << "teh" << 0 << ""
                                       << "teh" << 0;
        // A memo counts the CR LF of a line break as two positions.
        QTest::newRow("line break") << true << "a u\nb" << 5 << "u"
                                    << "a you\r\nb" << 7;
    }
    void correctsTheWordBeforeTheCaret()
    {
        QFETCH(bool, memo);
        QFETCH(QString, text);
        QFETCH(int, caret);
        const std::map<std::string, QString> pairs = { { "u", "you" }, { "teh", "the" } };
        std::unique_ptr<TCustomEdit> edit;
        if (memo)
            edit = std::make_unique<TMemo>();
        else
            edit = std::make_unique<TEdit>();
        edit->SetText(text);
        edit->SetSelStart(caret);
        const std::string word = TypingCorrection::CorrectBeforeCaret(
            *edit, [&](std::string &read) { TypingCorrection::WordBeforeCaret(*edit, read); },
            [&](const std::string &read) -> std::optional<QString> {
                const auto pair = pairs.find(read);
                return pair == pairs.end() ? std::nullopt : std::optional(pair->second);
            });
        QTEST(QString::fromStdString(word), "word");
        QTEST(edit->Text(), "result");
        QTEST(edit->SelStart(), "caretAfter");
    }
};

QTEST_MAIN(TypingCorrectionTest)
#include "TypingCorrectionTest.moc"
