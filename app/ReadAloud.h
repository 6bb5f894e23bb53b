#pragma once
// Reading the page aloud: "Read Aloud" (F8) says the selection, or the sentence around the
// caret when nothing is selected; "Read Everything" says the text from the caret on. While
// it speaks, "Read Aloud" reads "Stop Reading", and F8 or Escape stops. Without a voice the
// commands are disabled and their tooltips say what to install.

#include <QObject>
#include <QString>

class QAction;
class QShortcut;
class QTextCursor;
class QWidget;
class TRichEdit;
class TSpeaker;

class ReadAloud : public QObject
{
    Q_OBJECT
public:
    ReadAloud(TRichEdit *edit, TSpeaker &speaker, QAction *readAloud, QAction *readEverything,
              QWidget *window);

    // The sentence that holds the caret; at the end of a paragraph, the one just finished.
    static QString SentenceAt(const QTextCursor &cursor);

private:
    void ReadOrStop();
    void ReadEverything();
    void SpeakingChanged(bool speaking);

    TRichEdit *FEdit;
    TSpeaker &FSpeaker;
    QAction *FReadAloud;
    QAction *FReadEverything;
    QShortcut *FEscape;
    QString FCaption;
};
