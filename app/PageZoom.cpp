#include "app/PageZoom.h"

#include "app/Settings.h"

#include <QAbstractTextDocumentLayout>
#include <QTextEdit>
#include <QWheelEvent>
#include <algorithm>
#include <iterator>

namespace {

const char *const Key = "View/Zoom";
constexpr int Steps[] = { 50, 67, 80, 100, 125, 150, 175, 200, 250, 300, 400 };

} // namespace

TPageZoom::TPageZoom(QTextEdit *edit)
    : QObject(edit)
    , FEdit(edit)
{
    edit->viewport()->installEventFilter(this);
    SetPercent(Settings::Store().value(Key, 100).toInt());
}

void TPageZoom::SetPercent(int percent)
{
    FPercent = std::clamp(percent, MinPercent, MaxPercent);
    Settings::Store().setValue(Key, FPercent);
    Apply();
}

void TPageZoom::ZoomIn()
{
    const int *next = std::upper_bound(std::begin(Steps), std::end(Steps), FPercent);
    SetPercent(next == std::end(Steps) ? MaxPercent : *next);
}

void TPageZoom::ZoomOut()
{
    const int *first = std::lower_bound(std::begin(Steps), std::end(Steps), FPercent);
    SetPercent(first == std::begin(Steps) ? MinPercent : *(first - 1));
}

void TPageZoom::Apply()
{
    QTextDocument *doc = FEdit->document();
    // A font sized in pixels ignores the resolution; the same size in points (at the 96
    // pixels per inch the window was designed at) looks and saves the same and scales.
    QFont font = doc->defaultFont();
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0) {
        font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
        doc->setDefaultFont(font);
    }
    if (FPercent == 100) {
        doc->documentLayout()->setPaintDevice(nullptr);
    } else {
        const int dpi = FEdit->viewport()->logicalDpiY() * FPercent / 100;
        FDevice = QImage(1, 1, QImage::Format_RGB32);
        FDevice.setDotsPerMeterX(qRound(dpi / 0.0254));
        FDevice.setDotsPerMeterY(qRound(dpi / 0.0254));
        doc->documentLayout()->setPaintDevice(&FDevice);
    }
    doc->markContentsDirty(0, doc->characterCount());
    FEdit->viewport()->update();
}

bool TPageZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() > 0)
                ZoomIn();
            else if (wheel->angleDelta().y() < 0)
                ZoomOut();
            return true; // the page's own wheel zoom would change its font
        }
    }
    return QObject::eventFilter(watched, event);
}
