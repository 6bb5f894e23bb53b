// What a screen reader finds, read through Qt's accessibility interfaces as AT-SPI reads
// them: the dialogs' roles and the names of their fields, the page's name and its
// misspelt words, the decorative pictures and the link; and the spelling list's focused
// row visible against its neighbours.

#include "app/FindDialog.h"
#include "app/Settings.h"
#include "app/SpeechDialog.h"
#include "app/TAboutForm.h"
#include "app/THelpForm.h"
#include "app/TImage.h"
#include "app/TMainForm.h"
#include "dialogs/MessageDialogs.h"
#include "platform/gui/TRichEdit.h"
#include "platform/gui/TSpeaker.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TNewListBox.h"
#include "spell/TSpellDlg.h"
#include "spell/TSpellForm.h"
#include "tests/support/IsolatedQTestMain.h"
#include "widgets/TPicURLLabel.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

// The controls a screen reader must be able to name, in a window's accessible tree, that
// have no name: "objectName (role)" each.
QStringList UnnamedFields(QAccessibleInterface *node)
{
    static const QList<QAccessible::Role> fields
        = { QAccessible::EditableText, QAccessible::List,       QAccessible::ComboBox,
            QAccessible::Slider,       QAccessible::CheckBox,   QAccessible::PushButton,
            QAccessible::SpinBox,      QAccessible::RadioButton };
    QStringList unnamed;
    if (fields.contains(node->role()) && !node->state().invisible
        && node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << QStringLiteral("%1 (%2)")
                       .arg(node->object() ? node->object()->objectName() : QString())
                       .arg(node->role());
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface *child = node->child(i))
            unnamed << UnnamedFields(child);
    return unnamed;
}

QAccessibleInterface *Accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Relative luminance and contrast ratio as the web's accessibility guidelines define them.
double Luminance(QColor c)
{
    const auto channel
        = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(SCRIVLO_BIN_DIR "/ENGLISH.DCT", dir.filePath("ENGLISH.DCT")));
        Settings::Store().clear();
    }

    // The spelling dialog is a dialog, and each field has its label's name in both
    // languages; each label points at its field.
    void spellingDialogIsADialogWithNamedFields_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("names"); // the word, the box, the list
        QTest::newRow("English") << int(
            lgEnglish) << QStringList({ "Not in Dictionary", "Change To", "Suggestions" });
        QTest::newRow("Spanish") << int(
            lgSpanish) << QStringList({ "No Encontrado", "Reemplazar Con", "Sugerencias" });
    }
    void spellingDialogIsADialogWithNamedFields()
    {
        QFETCH(int, language);
        QFETCH(QStringList, names);
        TSpellForm form(nullptr);
        form.SetLabelLanguage(TLanguages(language));
        form.show();
        QAccessibleInterface *dialog = Accessible(&form);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(UnnamedFields(dialog), QStringList());
        const QWidget *fields[] = { form.edtBadWord, form.edtReplace, form.lstSuggest };
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Accessible(const_cast<QWidget *>(fields[i]))->text(QAccessible::Name),
                     names[i]);
        for (QLabel *label : { form.lblNotFound, form.lblReplace, form.lblSuggestions }) {
            const auto relations = Accessible(label)->relations(QAccessible::Labelled);
            QCOMPARE(relations.size(), 1);
            QCOMPARE(relations.first().first->object(), label->buddy());
        }
    }

    // The other windows are dialogs whose fields are named too.
    void otherWindowsAreDialogsWithNamedFields()
    {
        QTextEdit edit;
        TFindDialog find(&edit);
        SpeechDialog speech(TSpeaker::Instance(), nullptr);
        TAboutForm about;
        THelpForm help;
        // The word count is told in a message dialog.
        const std::unique_ptr<QDialog> count(
            CreateMessageDialog("Words: 3\nUnique Words: 2", mtInformation, Buttons({ mbOK })));
        for (QWidget *window :
             std::initializer_list<QWidget *> { &find, &speech, &about, &help, count.get() }) {
            window->show();
            QAccessibleInterface *node = Accessible(window);
            QCOMPARE(node->role(), QAccessible::Dialog);
            QVERIFY2(UnnamedFields(node).isEmpty(),
                     qPrintable(window->metaObject()->className() + QStringLiteral(": ")
                                + UnnamedFields(node).join(", ")));
        }
        // About's web address is a link a screen reader names.
        auto *link = about.findChild<TPicURLLabel *>();
        QVERIFY(link);
        QCOMPARE(Accessible(link)->role(), QAccessible::Link);
        QVERIFY(!Accessible(link)->text(QAccessible::Name).isEmpty());
    }

    // The page is the "Story"; its misspelt words carry invalid:spelling in their text
    // attributes, over exactly the word; the strip's pictures are decoration.
    void pageReportsMisspeltWords()
    {
        TMainForm form;
        form.SpellDlg()->SetDictionaryPath(dir.path().toStdString());
        form.show();
        TRichEdit *edit = form.RichEdit();
        QTRY_VERIFY(form.LiveSpelling()->Enabled());
        edit->setPlainText("A bone in the gardn.\nThe dog is hapy here.");
        QTRY_VERIFY(form.LiveSpelling()->Idle());
        QAccessibleInterface *page = Accessible(edit);
        QCOMPARE(page->text(QAccessible::Name), QString("Story"));
        QAccessibleTextInterface *text = page->textInterface();
        QVERIFY(text);
        const QString all = edit->toPlainText();
        QCOMPARE(text->text(0, text->characterCount()), all);
        struct Probe
        {
            QString word;
            int at; // offset into the word
            bool misspelt;
        };
        for (const Probe &p :
             { Probe { "gardn", 2, true }, Probe { "hapy", 0, true }, Probe { "hapy", 3, true },
               Probe { "bone", 1, false }, Probe { "here", 0, false } }) {
            const int wordStart = static_cast<int>(all.indexOf(p.word));
            int start = -1, end = -1;
            const QString attributes = text->attributes(wordStart + p.at, &start, &end);
            QCOMPARE(attributes.contains("invalid:spelling"), p.misspelt);
            QVERIFY(start <= wordStart + p.at && wordStart + p.at < end);
            if (p.misspelt)
                QCOMPARE(text->text(start, end), p.word);
            else
                QVERIFY(!text->text(start, end).contains("gardn")
                        && !text->text(start, end).contains("hapy"));
        }
        const QList<TImage *> pictures = form.findChildren<TImage *>();
        QCOMPARE(pictures.size(), 11);
        for (TImage *picture : pictures) {
            QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
            QVERIFY(Accessible(picture)->text(QAccessible::Name).isEmpty());
        }
    }

    // The focused row of the suggestion list stands out from its neighbours (3:1).
    void focusedSuggestionIsClearlyVisible()
    {
        TSpellForm form(nullptr);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.lstSuggest->addItems({ "garden", "gardens", "guarded" });
        form.lstSuggest->setFocus();
        form.lstSuggest->setCurrentRow(1);
        QTRY_VERIFY(form.lstSuggest->hasFocus());
        const QImage image = form.lstSuggest->viewport()->grab().toImage();
        const auto background = [&](int row) {
            const QRect r = form.lstSuggest->visualItemRect(form.lstSuggest->item(row));
            return image.pixelColor(r.right() - 3, r.center().y()); // right of the text
        };
        const QColor focused = background(1);
        QVERIFY2(Contrast(focused, background(0)) >= 3.0,
                 qPrintable(QString::number(Contrast(focused, background(0)))));
        QVERIFY2(Contrast(focused, background(2)) >= 3.0,
                 qPrintable(QString::number(Contrast(focused, background(2)))));
    }
};

SCRIVLO_ISOLATED_QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
