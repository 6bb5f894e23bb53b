// Qt's standard dialogs behind the seam: the filter entry chosen comes back as a 1-based
// index, Cancel changes nothing, the font dialog returns font and colour.

#include "platform/gui/StandardDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString ClassicFilter
    = "Rich Text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt|Any files|*.*";

template<typename Dialog> void AnswerDialog(std::function<void(Dialog *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answer(dialog);
    });
}

} // namespace

class StandardDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void classicFilterBecomesNameFilters();
    void openReportsTheChosenEntryAndFile_data();
    void openReportsTheChosenEntryAndFile();
    void typedNameGetsTheExtensionOfTheChosenEntry_data();
    void typedNameGetsTheExtensionOfTheChosenEntry();
    void fontDialogReturnsFontAndColour();
    void escapeClosesTheWholeFontDialog();
    void saveStartsWithAnEmptyNameAndSavesNothingWithoutOne();
};

void StandardDialogsTest::classicFilterBecomesNameFilters()
{
    QCOMPARE(NameFiltersFromClassic(ClassicFilter),
             (QStringList { "Rich Text files (*.rtf)", "Text files (*.txt)", "Any files (*.*)" }));
    QCOMPARE(NameFiltersFromClassic("Pictures|*.png;*.jpg"),
             QStringList { "Pictures (*.png *.jpg)" });
}

void StandardDialogsTest::openReportsTheChosenEntryAndFile_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("index");
    QTest::newRow("OK with entry 2") << true << 2;
    QTest::newRow("OK with entry 3") << true << 3;
    QTest::newRow("Cancel") << false << 1;
}

void StandardDialogsTest::openReportsTheChosenEntryAndFile()
{
    QFETCH(bool, accept);
    QFETCH(int, index);
    QTemporaryDir dir;
    const QString path = dir.filePath("story.rtf"); // the entry decides, not the extension
    QFile(path).open(QIODevice::WriteOnly);
    TFileDialogRequest request { "Open file", ClassicFilter, 1, dir.path(), QString(), "txt" };
    const QStringList filters = NameFiltersFromClassic(ClassicFilter);
    AnswerDialog<QFileDialog>([&](QFileDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Open file"));
        QCOMPARE(dialog->selectedNameFilter(), filters.at(0));
        if (!accept)
            return dialog->reject();
        dialog->selectNameFilter(filters.at(index - 1));
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, checking the name
    });
    QCOMPARE(StandardDialogs::Instance().OpenFile(nullptr, request), accept);
    QCOMPARE(request.FilterIndex, index);
    QCOMPARE(request.FileName, accept ? path : QString());
}

// A name typed without an extension gets the chosen entry's ("txt" for any files); a
// typed extension is kept.
void StandardDialogsTest::typedNameGetsTheExtensionOfTheChosenEntry_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("rich text") << 1 << "story"
                               << "story.rtf";
    QTest::newRow("text") << 2 << "story"
                          << "story.txt";
    QTest::newRow("any files") << 3 << "story"
                               << "story.txt";
    QTest::newRow("rich text, typed .txt") << 1 << "story.txt"
                                           << "story.txt";
    QTest::newRow("text, typed .rtf") << 2 << "story.rtf"
                                      << "story.rtf";
}

void StandardDialogsTest::typedNameGetsTheExtensionOfTheChosenEntry()
{
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir dir;
    TFileDialogRequest request { "Save as", ClassicFilter, 1, dir.path(), QString(), "txt" };
    AnswerDialog<QFileDialog>([&](QFileDialog *dialog) {
        auto *types = dialog->findChild<QComboBox *>("fileTypeCombo");
        QVERIFY(types);
        types->setCurrentIndex(index - 1);
        emit types->activated(index - 1); // as a user's choice in the list
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText(typed);
        static_cast<QDialog *>(dialog)->accept();
    });
    QVERIFY(StandardDialogs::Instance().SaveFile(nullptr, request));
    QCOMPARE(request.FilterIndex, index);
    QCOMPARE(request.FileName, dir.filePath(saved));
}

void StandardDialogsTest::fontDialogReturnsFontAndColour()
{
    QFont font("Liberation Sans", 8);
    QColor color = Qt::black;
    AnswerDialog<QDialog>([](QDialog *dialog) {
        auto *fonts = dialog->findChild<QFontDialog *>();
        auto *colours = dialog->findChild<QComboBox *>("cbxColor");
        QVERIFY(fonts && colours);
        QFont chosen("Liberation Serif", 16);
        chosen.setBold(true);
        fonts->setCurrentFont(chosen);
        colours->setCurrentIndex(colours->findData(QColor(Qt::red)));
        dialog->accept();
    });
    QVERIFY(StandardDialogs::Instance().ChooseFont(nullptr, font, color));
    QCOMPARE(font.pointSize(), 16);
    QVERIFY(font.bold());
    QCOMPARE(color, QColor(Qt::red));
}

// Escape in the font list closes the dialog with nothing chosen; the colour's label
// shows no "&".
void StandardDialogsTest::escapeClosesTheWholeFontDialog()
{
    QFont font("Liberation Sans", 8);
    QColor color = Qt::black;
    bool stayedOpen = false;
    QStringList ampersands; // labels that would show their "&"
    AnswerDialog<QDialog>([&](QDialog *dialog) {
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            if (label->text().contains('&') && !label->buddy())
                ampersands << label->text();
        QTest::keyClick(dialog->findChild<QFontDialog *>()->findChild<QLineEdit *>(),
                        Qt::Key_Escape);
        QTimer::singleShot(0, dialog, [dialog, &stayedOpen] {
            stayedOpen = dialog->isVisible();
            dialog->reject();
        });
    });
    QVERIFY(!StandardDialogs::Instance().ChooseFont(nullptr, font, color));
    QVERIFY(!stayedOpen);
    QCOMPARE(ampersands, QStringList());
    QCOMPARE(font.pointSize(), 8);
    QCOMPARE(color, QColor(Qt::black));
}

// A documents folder that does not exist is not proposed as the file's name, and Enter
// on an empty name leaves the dialog open.
void StandardDialogsTest::saveStartsWithAnEmptyNameAndSavesNothingWithoutOne()
{
    QTemporaryDir dir;
    TFileDialogRequest request { "Save as", ClassicFilter, 1, dir.filePath("Documents"),
                                 QString(), "txt" };
    QString proposed;
    bool stayedOpen = false;
    AnswerDialog<QFileDialog>([&](QFileDialog *dialog) {
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        proposed = name->text();
        name->clear();
        QTest::keyClick(name, Qt::Key_Return);
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    QVERIFY(!StandardDialogs::Instance().SaveFile(nullptr, request));
    QCOMPARE(proposed, QString());
    QVERIFY(stayedOpen);
}

QTEST_MAIN(StandardDialogsTest)
#include "StandardDialogsTest.moc"
