#pragma once
// The About window: the program's name, three pictures, the rights notice, the version,
// the web link, two credit lines, and the "&Close" button on a dark-blue strip.
// "&Close" (or Alt+C) gives the modal result 1, the close box 2.

#include "app/TFixedForm.h"

#include <QRect>
#include <vector>

class QLabel;
class TPicBitBtn;
class TPicURLLabel;

class TAboutForm : public TFixedForm
{
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *parent = nullptr);

    TPicBitBtn *BClose() const { return FBClose; }
    TPicURLLabel *URLLabel() const { return FURLLabel; }

    static const QString WebAddress;

    // Escape closes the window, and "&Close" takes the focus (shown) so that Space
    // presses it. Off as designed.
    void SetKeyboardClose(bool on);

protected:
    void changeEvent(QEvent *event) override;

private:
    // A label whose text follows the language, centred on its designed box.
    struct TTranslatedLabel
    {
        QLabel *Label;
        const char *Source;
        QRect Designed;
    };
    QLabel *AddTranslatedLabel(const char *source, const QRect &bounds, int pixelSize);
    void Retranslate();
    QLabel *AddLabel(QWidget *parent, const QString &text, const QRect &bounds, int pixelSize,
                     const QColor &colour);
    static void PlaceCentred(QWidget *label, const QRect &designed);

    TPicBitBtn *FBClose = nullptr;
    TPicURLLabel *FURLLabel = nullptr;
    std::vector<TTranslatedLabel> FTranslated;
};
