#pragma once
// Find and Replace on the page: a small window in the program's look, case-insensitive
// unless asked, optionally whole words only, going on from the start at the end.

#include "app/TFixedForm.h"

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

struct TFindOptions
{
    QString Text;
    bool MatchCase = false;
    bool WholeWords = false;
};

enum class TFindResult { Found, FoundAfterWrap, NotFound };

// Selects the next match after the selection (or caret), going on from the start.
TFindResult FindText(QTextEdit *edit, const TFindOptions &options);
// Replaces every match as one undo step; the number replaced.
int ReplaceAllText(QTextEdit *edit, const TFindOptions &options, const QString &replacement);

class TFindDialog : public TFixedForm
{
    Q_OBJECT
public:
    explicit TFindDialog(QTextEdit *edit, QWidget *parent = nullptr);

    void ShowFind();
    void ShowReplace();
    // The next match of the last search; opens Find when nothing was searched yet.
    void FindNext();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Show(bool replace);
    void Retranslate();
    TFindOptions Options() const;
    void Replace();
    void ReplaceAll();

    QTextEdit *FEdit;
    QLabel *FFindLabel;
    QLineEdit *FFindText;
    QLabel *FReplaceLabel;
    QLineEdit *FReplaceText;
    QCheckBox *FMatchCase;
    QCheckBox *FWholeWords;
    QPushButton *FReplaceButton;
    QPushButton *FReplaceAllButton;
    QPushButton *FFindButton;
    QPushButton *FCloseButton;
    bool FReplaceMode = false;
};
