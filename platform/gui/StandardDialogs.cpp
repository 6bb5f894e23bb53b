#include "platform/gui/StandardDialogs.h"

#include "platform/gui/Application.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

StandardDialogs *Installed = nullptr;

// The extension of an entry that shows one kind of file ("rtf" of "Rich Text files
// (*.rtf)"); fallback for an entry of several kinds or of any file.
QString ExtensionOfEntry(const QString &nameFilter, const QString &fallback)
{
    static const QRegularExpression single(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    const QRegularExpressionMatch match = single.match(nameFilter);
    return match.hasMatch() ? match.captured(1) : fallback;
}

// A name typed without an extension gets the one of the file type chosen when the user
// accepts, so a story saved as Rich Text is named .rtf.
class TypedFileDialog : public QFileDialog
{
public:
    TypedFileDialog(QWidget *parent, const QString &title, const QString &dir,
                    const QString &defaultExt)
        : QFileDialog(parent, title, dir)
        , FDefaultExt(defaultExt)
    { }

    void accept() override
    {
        // Enter on an empty name names no file: the dialog stays open.
        const auto *name = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (acceptMode() == AcceptSave && name && name->text().trimmed().isEmpty())
            return;
        setDefaultSuffix(ExtensionOfEntry(selectedNameFilter(), FDefaultExt));
        QFileDialog::accept();
    }

private:
    QString FDefaultExt;
};

bool RunFileDialog(QWidget *parent, TFileDialogRequest &request, bool save)
{
    // A folder that does not exist would be taken for a file name to propose ("Documents");
    // the dialog then starts in the home folder instead.
    const QString folder
        = QFileInfo(request.InitialDir).isDir() ? request.InitialDir : QDir::homePath();
    TypedFileDialog dialog(parent, request.Title, folder, request.DefaultExt);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.DefaultExt.isEmpty())
        dialog.setDefaultSuffix(request.DefaultExt);
    const QStringList filters = NameFiltersFromClassic(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
            dialog.selectNameFilter(filters.at(request.FilterIndex - 1));
    }
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.FileName = dialog.selectedFiles().constFirst();
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    if (index >= 0)
        request.FilterIndex = static_cast<int>(index) + 1;
    return true;
}

} // namespace

StandardDialogs &StandardDialogs::Instance()
{
    static QtStandardDialogs qtDialogs;
    return Installed ? *Installed : qtDialogs;
}

void StandardDialogs::SetInstance(StandardDialogs *dialogs)
{
    Installed = dialogs;
}

QStringList NameFiltersFromClassic(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts.at(i + 1);
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString &description = parts.at(i);
        // Qt reads the patterns from the parentheses at the end of an entry.
        out << (description.endsWith(QLatin1Char(')'))
                    ? description
                    : description + QLatin1String(" (") + pattern + QLatin1Char(')'));
    }
    return out;
}

bool QtStandardDialogs::OpenFile(QWidget *parent, TFileDialogRequest &request)
{
    return RunFileDialog(parent, request, false);
}

bool QtStandardDialogs::SaveFile(QWidget *parent, TFileDialogRequest &request)
{
    return RunFileDialog(parent, request, true);
}

bool QtStandardDialogs::ChooseFont(QWidget *parent, QFont &font, QColor &color)
{
    // The font dialog with a colour choice under it, as one dialog.
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("Font"));
    auto *fonts = new QFontDialog(font, &dialog);
    fonts->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
    fonts->setWindowFlags(Qt::Widget);
    auto *colours = new QComboBox(&dialog);
    colours->setObjectName(QStringLiteral("cbxColor"));
    static const struct
    {
        const char *name;
        QRgb rgb;
    } named[] = { { QT_TRANSLATE_NOOP("QObject", "Black"), 0x000000 },
                  { QT_TRANSLATE_NOOP("QObject", "Maroon"), 0x800000 },
                  { QT_TRANSLATE_NOOP("QObject", "Green"), 0x008000 },
                  { QT_TRANSLATE_NOOP("QObject", "Olive"), 0x808000 },
                  { QT_TRANSLATE_NOOP("QObject", "Navy"), 0x000080 },
                  { QT_TRANSLATE_NOOP("QObject", "Purple"), 0x800080 },
                  { QT_TRANSLATE_NOOP("QObject", "Teal"), 0x008080 },
                  { QT_TRANSLATE_NOOP("QObject", "Gray"), 0x808080 },
                  { QT_TRANSLATE_NOOP("QObject", "Silver"), 0xC0C0C0 },
                  { QT_TRANSLATE_NOOP("QObject", "Red"), 0xFF0000 },
                  { QT_TRANSLATE_NOOP("QObject", "Lime"), 0x00FF00 },
                  { QT_TRANSLATE_NOOP("QObject", "Yellow"), 0xFFFF00 },
                  { QT_TRANSLATE_NOOP("QObject", "Blue"), 0x0000FF },
                  { QT_TRANSLATE_NOOP("QObject", "Fuchsia"), 0xFF00FF },
                  { QT_TRANSLATE_NOOP("QObject", "Aqua"), 0x00FFFF },
                  { QT_TRANSLATE_NOOP("QObject", "White"), 0xFFFFFF } };
    for (const auto &c : named)
        colours->addItem(QObject::tr(c.name), QColor(c.rgb));
    const int current = colours->findData(color);
    if (current < 0)
        colours->addItem(color.name(), color);
    colours->setCurrentIndex(current < 0 ? colours->count() - 1 : current);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // Escape in the font part ends the whole dialog, not that part alone.
    QObject::connect(fonts, &QDialog::finished, &dialog, &QDialog::done);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    auto *colourLabel = new QLabel(QObject::tr("&Color:"), &dialog);
    colourLabel->setBuddy(colours); // Alt+C; the "&" marks the key and is not shown
    layout->addWidget(colourLabel);
    layout->addWidget(colours);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = fonts->currentFont();
    color = colours->currentData().value<QColor>();
    return true;
}

bool QtStandardDialogs::PrintSetup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtStandardDialogs::Print(QWidget *parent, QPrinter &printer)
{
    // Without a printer the dialog's "print to file" entry still writes a PDF.
    if (QPrinterInfo::availablePrinters().isEmpty() && printer.outputFileName().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        QString name = printer.docName();
        if (name.isEmpty())
            name = TApplication::Title();
        printer.setOutputFileName(QDir::home().filePath(name + QLatin1String(".pdf")));
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
