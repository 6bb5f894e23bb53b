// The auto-correct pairs as the spell check component holds them, and the capitals a
// correction takes from the word typed.

#include "spell/AutoCorrections.h"

#include <QTest>

class AutoCorrectionsTest : public QObject
{
    Q_OBJECT
private slots:
    void correctionTakesTheTypedCapitals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("result");
        QTest::newRow("lower") << "teh"
                               << "the" << true << "the";
        QTest::newRow("first capital") << "Teh"
                                       << "the" << true << "The";
        QTest::newRow("all capitals") << "TEH"
                                      << "the" << true << "THE";
        QTest::newRow("one capital letter") << "I"
                                            << "it" << true << "It";
        QTest::newRow("accented") << QString::fromUtf8("FEONSAY") << QString::fromUtf8("fiancée")
                                  << true << QString::fromUtf8("FIANCÉE");
        QTest::newRow("off keeps the list") << "Teh"
                                            << "the" << false << "the";
    }
    void correctionTakesTheTypedCapitals()
    {
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        QFETCH(bool, matchCase);
        QTEST(AutoCorrections::AsTyped(typed, listed.toStdString(), matchCase), "result");
    }

    void assignReplacesThePairs()
    {
        AutoCorrections pairs;
        pairs.Assign({ { "teh", "the" }, { "thru", "through" } });
        pairs.Assign({ { "wrnog", "wrong" } });
        QCOMPARE(pairs.IndexOf("teh"), -1);
        QCOMPARE(pairs.IndexOf("wrnog"), 0);
        QCOMPARE(pairs.To()[0], std::string("wrong"));
    }
};

QTEST_MAIN(AutoCorrectionsTest)
#include "AutoCorrectionsTest.moc"
