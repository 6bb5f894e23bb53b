#pragma once
// The standard Open, Save As, Font, Print and Print Setup dialogs behind one seam, so
// tests can answer them. The default implementation uses Qt's own (non-native) dialogs.

#include <QColor>
#include <QFont>
#include <QString>

class QPrinter;
class QWidget;

struct TFileDialogRequest
{
    QString Title;
    // Pairs "description|pattern|description|pattern..." as the classic dialogs take them.
    QString Filter;
    int FilterIndex = 1; // 1-based entry shown first; on OK, the entry chosen
    QString InitialDir;
    QString FileName; // proposed name; on OK, the chosen file's full path
    // Appended (without dot) to a name typed without extension when the chosen entry
    // shows any file; an entry of one kind ("*.rtf") appends its own.
    QString DefaultExt;
};

class StandardDialogs
{
public:
    virtual ~StandardDialogs() = default;

    // Each returns true on OK and false on Cancel; on Cancel the arguments are unchanged.
    virtual bool OpenFile(QWidget *parent, TFileDialogRequest &request) = 0;
    virtual bool SaveFile(QWidget *parent, TFileDialogRequest &request)
        = 0; // asks before overwriting
    virtual bool ChooseFont(QWidget *parent, QFont &font, QColor &color) = 0;
    virtual bool PrintSetup(QWidget *parent, QPrinter &printer) = 0;
    virtual bool Print(QWidget *parent, QPrinter &printer) = 0;

    // The dialogs in use: the installed ones, else Qt's.
    static StandardDialogs &Instance();
    // Installs dialogs (not owned; nullptr returns to Qt's).
    static void SetInstance(StandardDialogs *dialogs);
};

// Qt's own widgets-based dialogs.
class QtStandardDialogs : public StandardDialogs
{
public:
    bool OpenFile(QWidget *parent, TFileDialogRequest &request) override;
    bool SaveFile(QWidget *parent, TFileDialogRequest &request) override;
    bool ChooseFont(QWidget *parent, QFont &font, QColor &color) override;
    bool PrintSetup(QWidget *parent, QPrinter &printer) override;
    bool Print(QWidget *parent, QPrinter &printer) override;
};

// "Rich Text files (*.rtf)|*.rtf|..." as Qt name filters, one per entry.
QStringList NameFiltersFromClassic(const QString &filter);
