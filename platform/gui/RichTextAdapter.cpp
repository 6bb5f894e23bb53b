#include "platform/gui/RichTextAdapter.h"

#include "platform/core/rtf/RtfReader.h"
#include "platform/core/rtf/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {

// Document layout units are pixels at 96 dpi; the file counts twips (1440 an inch).
constexpr double TwipsPerPixel = 15.0;
// Where an image keeps the bytes it was read from, so a save writes them back unchanged.
constexpr int PictureDataProperty = QTextFormat::UserProperty + 1;
constexpr int PictureKindProperty = QTextFormat::UserProperty + 2;

QColor ToQColor(const RtfColor &c)
{
    return QColor(c.red, c.green, c.blue);
}
RtfColor ToRtfColor(const QColor &c)
{
    return { uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()) };
}

QTextCharFormat ToCharFormat(const RtfCharFormat &f)
{
    QTextCharFormat out;
    if (!f.fontFamily.empty())
        out.setFontFamilies({ QString::fromStdU16String(f.fontFamily) });
    out.setFontPointSize(f.sizeHalfPoints / 2.0);
    out.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(f.italic);
    out.setFontUnderline(f.underline);
    out.setFontStrikeOut(f.strikeOut);
    if (f.verticalAlign == RtfVerticalAlign::Superscript)
        out.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (f.verticalAlign == RtfVerticalAlign::Subscript)
        out.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (f.color)
        out.setForeground(ToQColor(*f.color));
    if (f.background)
        out.setBackground(ToQColor(*f.background));
    return out;
}

QTextBlockFormat ToBlockFormat(const RtfParagraphFormat &f)
{
    QTextBlockFormat out;
    switch (f.alignment) {
    case RtfAlignment::Left:
        out.setAlignment(Qt::AlignLeft);
        break;
    case RtfAlignment::Right:
        out.setAlignment(Qt::AlignRight);
        break;
    case RtfAlignment::Center:
        out.setAlignment(Qt::AlignHCenter);
        break;
    case RtfAlignment::Justify:
        out.setAlignment(Qt::AlignJustify);
        break;
    }
    out.setLeftMargin(f.leftIndent / TwipsPerPixel);
    out.setRightMargin(f.rightIndent / TwipsPerPixel);
    out.setTextIndent(f.firstLineIndent / TwipsPerPixel);
    out.setTopMargin(f.spaceBefore / TwipsPerPixel);
    out.setBottomMargin(f.spaceAfter / TwipsPerPixel);
    return out;
}

void InsertPicture(QTextCursor &cursor, QTextDocument &doc, const RtfRun &run, int serial)
{
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar *>(run.picture.data.data()),
                            int(run.picture.data.size())))
        return; // an image the toolkit cannot decode is dropped, its text neighbours stay
    const QUrl name(QStringLiteral("scrivlo-picture:%1").arg(serial));
    doc.addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.merge(ToCharFormat(run.format));
    format.setName(name.toString());
    format.setWidth(run.picture.widthTwips / TwipsPerPixel);
    format.setHeight(run.picture.heightTwips / TwipsPerPixel);
    format.setProperty(PictureDataProperty, QByteArray::fromStdString(run.picture.data));
    format.setProperty(PictureKindProperty, int(run.picture.kind));
    cursor.insertImage(format);
}

int Twips(double pixels)
{
    return int(std::lround(pixels * TwipsPerPixel));
}

RtfCharFormat ToRtfCharFormat(const QTextCharFormat &f, const QFont &defaultFont)
{
    RtfCharFormat out;
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        out.fontFamily = families.front().toStdU16String();
    else if (f.hasProperty(QTextFormat::FontFamily))
        out.fontFamily = f.fontFamily().toStdU16String();
    else
        out.fontFamily = defaultFont.family().toStdU16String(); // the editor's own font

    double points = f.fontPointSize();
    if (points <= 0 && f.hasProperty(QTextFormat::FontPixelSize))
        points = f.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    if (points <= 0)
        points = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
                                              : defaultFont.pixelSize() * 72.0 / 96.0;
    out.sizeHalfPoints = std::clamp(int(std::lround(points * 2)), 1, 3276);
    out.bold = f.fontWeight() >= QFont::DemiBold;
    out.italic = f.fontItalic();
    out.underline = f.fontUnderline();
    out.strikeOut = f.fontStrikeOut();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out.verticalAlign = RtfVerticalAlign::Superscript;
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out.verticalAlign = RtfVerticalAlign::Subscript;
    if (f.foreground().style() != Qt::NoBrush)
        out.color = ToRtfColor(f.foreground().color());
    if (f.background().style() != Qt::NoBrush)
        out.background = ToRtfColor(f.background().color());
    return out;
}

RtfParagraphFormat ToRtfParagraphFormat(const QTextBlockFormat &f)
{
    RtfParagraphFormat out;
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignRight)
        out.alignment = RtfAlignment::Right;
    else if (a & Qt::AlignHCenter)
        out.alignment = RtfAlignment::Center;
    else if (a & Qt::AlignJustify)
        out.alignment = RtfAlignment::Justify;
    out.leftIndent = Twips(f.leftMargin());
    out.rightIndent = Twips(f.rightMargin());
    out.firstLineIndent = Twips(f.textIndent());
    out.spaceBefore = Twips(f.topMargin());
    out.spaceAfter = Twips(f.bottomMargin());
    return out;
}

RtfPicture ToRtfPicture(const QTextImageFormat &f, const QTextDocument &doc)
{
    RtfPicture out;
    const QByteArray data = f.property(PictureDataProperty).toByteArray();
    if (!data.isEmpty()) {
        out.data = data.toStdString();
        out.kind = RtfPicture::Kind(f.intProperty(PictureKindProperty));
    } else {
        // An image pasted in: saved as PNG.
        const QImage image
            = doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        out.data = png.toStdString();
        out.kind = RtfPicture::Kind::Png;
    }
    out.widthTwips = Twips(f.width());
    out.heightTwips = Twips(f.height());
    return out;
}

} // namespace

bool ReadRichText(std::string_view bytes, QTextDocument &doc)
{
    const RtfReadResult result = ReadRtf(bytes);
    if (result.status == RtfReadStatus::NotRtf)
        return false;
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    int serial = 0;
    bool first = true;
    for (const RtfParagraph &paragraph : result.document.paragraphs) {
        const QTextBlockFormat blockFormat = ToBlockFormat(paragraph.format);
        const QTextCharFormat markFormat = ToCharFormat(paragraph.markFormat);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(markFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, markFormat);
        }
        for (const RtfRun &run : paragraph.runs) {
            const QTextCharFormat format = ToCharFormat(run.format);
            switch (run.kind) {
            case RtfRunKind::Text:
                cursor.insertText(QString::fromStdU16String(run.text), format);
                break;
            case RtfRunKind::Tab:
                cursor.insertText(QStringLiteral("\t"), format);
                break;
            case RtfRunKind::LineBreak:
                cursor.insertText(QString(QChar(QChar::LineSeparator)), format);
                break;
            case RtfRunKind::PageBreak: {
                QTextBlockFormat withBreak = cursor.blockFormat();
                withBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
                cursor.setBlockFormat(withBreak);
                break;
            }
            case RtfRunKind::Picture:
                InsertPicture(cursor, doc, run, ++serial);
                break;
            }
        }
    }
    cursor.endEditBlock();
    return true;
}

std::string WriteRichText(const QTextDocument &doc)
{
    RtfDocument out;
    const QFont defaultFont = doc.defaultFont();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.format = ToRtfParagraphFormat(block.blockFormat());
        paragraph.markFormat = ToRtfCharFormat(block.charFormat(), defaultFont);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const RtfCharFormat runFormat = ToRtfCharFormat(format, defaultFont);
            const QString text = fragment.text();
            std::u16string pending;
            auto flush = [&] {
                if (!pending.empty())
                    paragraph.runs.push_back({ RtfRunKind::Text, runFormat, pending, {} });
                pending.clear();
            };
            for (const QChar ch : text) {
                const char16_t unit = ch.unicode();
                if (unit == u'\t' || unit == QChar::LineSeparator
                    || unit == QChar::ObjectReplacementCharacter) {
                    flush();
                    RtfRun run { RtfRunKind::Tab, runFormat, {}, {} };
                    if (unit == QChar::LineSeparator)
                        run.kind = RtfRunKind::LineBreak;
                    if (unit == QChar::ObjectReplacementCharacter) {
                        if (!format.isImageFormat())
                            continue;
                        run.kind = RtfRunKind::Picture;
                        run.picture = ToRtfPicture(format.toImageFormat(), doc);
                    }
                    paragraph.runs.push_back(std::move(run));
                } else if (unit >= 0x20 || unit == u'\n') {
                    pending.push_back(unit == u'\n' ? u' ' : unit);
                }
            }
            flush();
        }
        if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
            paragraph.runs.push_back({ RtfRunKind::PageBreak, paragraph.markFormat, {}, {} });
        out.paragraphs.push_back(std::move(paragraph));
    }
    NormalizeRtf(out);
    return WriteRtf(out);
}
