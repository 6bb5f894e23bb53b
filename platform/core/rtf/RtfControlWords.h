#pragma once
// The control words the reader acts on, looked up by name. Every other word is Unknown.

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class RtfWord : uint8_t {
    Unknown,
    // header and tables
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    Deff,
    FontTable,
    ColorTable,
    Charset,
    Cpg,
    Red,
    Green,
    Blue,
    // destinations
    SkipDestination,
    Pict,
    Field,
    FieldResult,
    ListText,
    ReadDestination, // read even after \*: \shppict (a picture)
    NestTableProps, // read even after \*: a nested table's row end
    Upr,
    Ud,
    // picture properties
    PngBlip,
    JpegBlip,
    OtherBlip,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
    // character format
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Super,
    Sub,
    NoSuperSub,
    Up,
    Down,
    Color,
    Highlight,
    Background,
    Hidden,
    Uc,
    U,
    // paragraph format
    Pard,
    Ql,
    Qr,
    Qc,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    // table properties
    Trowd,
    TrLeft,
    Cellx,
    Intbl,
    // content: every word from here on gives text or a break (the reader relies on it)
    Par,
    Sect,
    Line,
    Tab,
    Page,
    Cell,
    Row,
    NestCell,
    NestRow,
    EmDash,
    EnDash,
    EmSpace,
    EnSpace,
    QmSpace,
    Bullet,
    LQuote,
    RQuote,
    LdblQuote,
    RdblQuote,
    Zwj,
    Zwnj,
    LtrMark,
    RtlMark,
};
constexpr size_t RtfWordCount = static_cast<size_t>(RtfWord::RtlMark) + 1; // the last above

RtfWord RtfLookupWord(std::string_view name);
