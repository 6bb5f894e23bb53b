#include "platform/core/rtf/RtfReader.h"

#include "platform/core/rtf/RtfCodePages.h"
#include "platform/core/rtf/RtfControlWords.h"
#include "platform/core/rtf/RtfImageInfo.h"
#include "platform/core/rtf/RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Groups nested deeper than this are not given a state of their own: their content
// continues in the deepest state, so hostile nesting costs neither stack nor memory.
constexpr size_t MaxDepth = 300;
constexpr int32_t MaxIndent = 31680; // 22 inches
constexpr int32_t MaxFontSize = 3276; // 1638 points
constexpr int32_t DefaultFontSize = 24;
constexpr int32_t MaxUnicodeSkip = 8;
constexpr int32_t MaxPictureTwips = 200000;
constexpr size_t MaxFontName = 256;
constexpr size_t MaxPictureHeader = 512;
constexpr size_t MaxCells = 63; // per row; the content of further cells goes to the last
constexpr int32_t MaxTableWidth = 31680;

enum class Dest : uint8_t { Body, FontTable, ColorTable, Picture };

struct CharState
{
    int32_t font = 0;
    int32_t size = DefaultFontSize;
    int32_t color = 0; // colour table index
    int32_t background = 0; // colour table index; 0 = none
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    RtfVerticalAlign verticalAlign = RtfVerticalAlign::Normal;
};

struct Group
{
    CharState chr;
    RtfParagraphFormat para;
    Dest dest = Dest::Body;
    uint8_t uc = 1; // bytes of fallback after each \uN
    bool atStart = false; // nothing read in the group yet
    bool starred = false; // the group began with \*
    bool inUpr = false; // an \upr group: only its \ud part is read
    bool uprChild = false; // a group directly inside \upr
    bool inTable = false; // \intbl: paragraphs ended by \par belong to a table cell
    bool nestedProps = false; // in \nesttableprops: row definitions of a nested table
};

struct Font
{
    std::u16string name;
    int codePage = 0; // 0: the document's
};

struct PictureState
{
    RtfPicture::Kind kind = RtfPicture::Kind::Other; // until \\pngblip or \\jpegblip
    std::string data;
    std::string header; // the words other than sizes, for kinds that are kept unread
    int nibble = -1;
    int32_t goalWidth = 0, goalHeight = 0; // twips
    int32_t scaleX = 100, scaleY = 100;
};

int32_t Clamp(int32_t value, int32_t low, int32_t high)
{
    return std::clamp(value, low, high);
}

bool Toggle(const RtfToken &t)
{
    return !t.hasParam || t.param != 0;
}

bool IsControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::u16string_view Trimmed(std::u16string_view name)
{
    while (!name.empty() && name.front() == u' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == u' ')
        name.remove_suffix(1);
    return name;
}

bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\0'; });
}

// The destinations whose content the reader takes. \* in front of one only says that a
// reader that does not know it may skip it, so these are read with or without the mark:
// some programs write a field's result as {\*\fldrslt ...}.
bool ReadsDestination(RtfWord word)
{
    switch (word) {
    case RtfWord::FontTable:
    case RtfWord::ColorTable:
    case RtfWord::Pict:
    case RtfWord::Field:
    case RtfWord::FieldResult:
    case RtfWord::ListText:
    case RtfWord::ReadDestination:
    case RtfWord::NestTableProps:
    case RtfWord::Upr:
    case RtfWord::Ud:
        return true;
    default:
        return false;
    }
}

class Reader
{
public:
    explicit Reader(std::string_view input)
        : tokens_(input)
    { }

    RtfReadResult Read();

private:
    Group &Top() { return stack_.back(); }

    void OpenGroup();
    void CloseGroup();
    void SkipGroup(size_t depth = 1);
    bool StartOfGroup(const RtfToken &t);

    void OnText(std::string_view text);
    void OnByte(unsigned char byte);
    void OnWord(RtfWord word, const RtfToken &t);
    // A handler for each control word, called with the word and its token.
    using WordHandler = void (Reader::*)(RtfWord word, const RtfToken &t);
    using WordHandlers = std::array<WordHandler, RtfWordCount>;
    static const WordHandlers &Handlers();
    void OnUnknownWord(RtfWord word, const RtfToken &t);
    void OnIgnoredWord(RtfWord word, const RtfToken &t);
    void OnCharacterSet(RtfWord word, const RtfToken &t);
    void OnAnsiCodePage(RtfWord word, const RtfToken &t);
    void OnDefaultFont(RtfWord word, const RtfToken &t);
    void OnFontTable(RtfWord word, const RtfToken &t);
    void OnColorTable(RtfWord word, const RtfToken &t);
    void OnFontCodePage(RtfWord word, const RtfToken &t);
    void OnColorComponent(RtfWord word, const RtfToken &t);
    void OnSkipDestination(RtfWord word, const RtfToken &t);
    void OnPict(RtfWord word, const RtfToken &t);
    void OnListText(RtfWord word, const RtfToken &t);
    void OnNestTableProps(RtfWord word, const RtfToken &t);
    void OnUpr(RtfWord word, const RtfToken &t);
    void OnBlip(RtfWord word, const RtfToken &t);
    void OnPictureSize(RtfWord word, const RtfToken &t);
    void OnPlain(RtfWord word, const RtfToken &t);
    void OnFont(RtfWord word, const RtfToken &t);
    void OnFontSize(RtfWord word, const RtfToken &t);
    void OnToggle(RtfWord word, const RtfToken &t);
    void OnVerticalAlign(RtfWord word, const RtfToken &t);
    void OnCharColor(RtfWord word, const RtfToken &t);
    void OnUc(RtfWord word, const RtfToken &t);
    void OnU(RtfWord word, const RtfToken &t);
    void OnPard(RtfWord word, const RtfToken &t);
    void OnAlignment(RtfWord word, const RtfToken &t);
    void OnSpacing(RtfWord word, const RtfToken &t);
    void OnRowDefinition(RtfWord word, const RtfToken &t);
    void OnIntbl(RtfWord word, const RtfToken &t);
    void OnPar(RtfWord word, const RtfToken &t);
    void OnBreak(RtfWord word, const RtfToken &t);
    void OnCell(RtfWord word, const RtfToken &t);
    void OnRow(RtfWord word, const RtfToken &t);
    void OnNestCell(RtfWord word, const RtfToken &t);
    void OnNestRow(RtfWord word, const RtfToken &t);
    void OnCharacter(RtfWord word, const RtfToken &t);
    void OnSymbol(char symbol);
    void OnUnicode(int32_t value);

    // Body output.
    void BodyText(std::string_view text);
    void BodyByte(unsigned char byte);
    void Emit(std::u16string_view text);
    void EmitCodePoint(char32_t cp);
    void AppendText(std::u16string_view text);
    std::u16string &TextTarget();
    void CloseText();
    bool AddRun(RtfRunKind kind);
    enum class Into : uint8_t { Current, Cell, Body, Last };
    void EndParagraph(Into into = Into::Current);
    void EndCell();
    void EndRow();
    void FlushTable();
    void FlushDecoder();
    void FlushPending();
    void FormatChanged();
    const RtfCharFormat &CurrentFormat();
    int CodePage();

    // Tables and pictures.
    void FontByte(unsigned char byte);
    void StartFont(int32_t number);
    void FinishFontName();
    void EndColor();
    void PictureHex(std::string_view text);
    void PictureWord(const RtfToken &t);
    void FinishPicture();

    RtfTokenizer tokens_;
    RtfCodePageDecoder decoder_;
    std::vector<Group> stack_;
    size_t overflow_ = 0; // groups opened beyond MaxDepth and not yet closed
    bool overflowAtStart_ = false; // such a group was just opened
    bool damaged_ = false;
    bool rootClosed_ = false;

    int docCodePage_ = 1252;
    int32_t defaultFont_ = 0;
    std::unordered_map<int32_t, Font> fonts_;
    int32_t fontEntry_ = 0;
    bool fontNameOpen_ = false;
    size_t fontGroup_ = 0; // index of the group the font entry began in
    bool codePageCached_ = false;
    int32_t cachedFont_ = 0;
    int cachedCodePage_ = 1252;

    std::vector<std::optional<RtfColor>> colors_;
    RtfColor colorEntry_;
    bool colorEntrySet_ = false;

    PictureState picture_;
    size_t pictureGroup_ = 0; // index of the group holding \pict; 0 = none

    RtfDocument document_;
    RtfParagraph paragraph_; // being read; only its runs are used
    RtfCharFormat format_;
    bool formatDirty_ = true;
    bool lastRunMatches_ = false; // the last run is text in format_
    bool textOpen_ = false; // the last run is text, gathered in runText_
    std::u16string runText_;
    bool listTextSeen_ = false; // the paragraph has its list number already
    bool cellSeparator_ = false; // the last run is the tab that \nestcell added
    RtfTable table_; // rows read so far of the table being read
    RtfTableRow row_;
    RtfTableCell cell_;
    std::vector<int32_t> cellEdges_; // \cellx of the current row definition
    int32_t rowLeft_ = 0;
    int32_t unicodeSkip_ = 0; // fallback bytes still to skip after \uN
    char16_t pendingHigh_ = 0; // high surrogate waiting for its low half
    std::u16string decoded_;
};

RtfReadResult Reader::Read()
{
    stack_.reserve(64);
    stack_.emplace_back(); // the state outside the document's group
    for (;;) {
        const RtfToken t = tokens_.Next();
        if (t.type == RtfToken::Type::End)
            break;
        if (rootClosed_ && stack_.size() == 1) {
            if (t.type == RtfToken::Type::Text && IsBlank(t.text))
                continue; // blanks and NULs after the end are common and harmless
            damaged_ = true; // content after the end: keep reading it
        }
        if (overflowAtStart_) {
            // Groups beyond the depth limit have no state, but \* still hides one.
            overflowAtStart_ = false;
            if (t.type == RtfToken::Type::ControlSymbol && t.symbol == '*') {
                SkipGroup();
                continue;
            }
        }
        if (t.type == RtfToken::Type::GroupOpen) {
            if (Top().atStart && overflow_ == 0 && !StartOfGroup(t))
                continue;
            OpenGroup();
            continue;
        }
        if (t.type == RtfToken::Type::GroupClose) {
            CloseGroup();
            continue;
        }
        if (Top().atStart && overflow_ == 0 && !StartOfGroup(t))
            continue;
        if (unicodeSkip_ > 0 && t.type != RtfToken::Type::Text) {
            --unicodeSkip_; // a fallback character written as an escape or control word
            continue;
        }
        switch (t.type) {
        case RtfToken::Type::Text:
            OnText(t.text);
            break;
        case RtfToken::Type::HexByte:
            OnByte(t.byte);
            break;
        case RtfToken::Type::ControlWord: {
            const RtfWord word = RtfLookupWord(t.text);
            // Words that only set a property (\uc, \f, \lang, ...) may come between the
            // halves of a surrogate pair; a word that gives content ends the pair.
            if (word >= RtfWord::Par)
                FlushPending();
            else if (word != RtfWord::U)
                FlushDecoder();
            OnWord(word, t);
            break;
        }
        case RtfToken::Type::ControlSymbol:
            if (t.symbol != '{' && t.symbol != '}' && t.symbol != '\\')
                FlushPending(); // escaped characters may be the trail byte of a character
            OnSymbol(t.symbol);
            break;
        case RtfToken::Type::Binary:
            if (Top().dest == Dest::Picture)
                picture_.data.append(t.text);
            break;
        default:
            break;
        }
    }
    FlushPending();
    if (!paragraph_.runs.empty())
        EndParagraph(Into::Last);
    FlushTable();
    if (stack_.size() > 1 || overflow_ > 0 || tokens_.BinaryCut())
        damaged_ = true;
    RtfReadResult result;
    result.document = std::move(document_);
    result.status = damaged_ ? RtfReadStatus::Damaged : RtfReadStatus::Ok;
    return result;
}

// The first token of a group decides whether the group is read: a group opened with \*
// is read only when the reader knows its destination, and only the \ud part of an \upr.
// Returns false when the group was skipped.
bool Reader::StartOfGroup(const RtfToken &t)
{
    Group &g = Top();
    if (t.type == RtfToken::Type::ControlSymbol && t.symbol == '*') {
        g.starred = true;
        return false; // consumed; the group is still at its start
    }
    g.atStart = false;
    if (!g.starred && !g.uprChild)
        return true;
    const RtfWord word
        = t.type == RtfToken::Type::ControlWord ? RtfLookupWord(t.text) : RtfWord::Unknown;
    const bool known = g.uprChild ? word == RtfWord::Ud : ReadsDestination(word);
    if (known)
        return true;
    // A brace just read opened a group inside the skipped one.
    SkipGroup(t.type == RtfToken::Type::GroupOpen ? 2 : 1);
    return false;
}

void Reader::OpenGroup()
{
    FlushPending();
    unicodeSkip_ = 0;
    if (stack_.size() >= MaxDepth) {
        ++overflow_;
        overflowAtStart_ = true;
        damaged_ = true;
        return;
    }
    Group g = Top();
    g.uprChild = g.inUpr;
    g.inUpr = false;
    g.atStart = true;
    g.starred = false;
    stack_.push_back(g);
}

void Reader::CloseGroup()
{
    FlushPending();
    unicodeSkip_ = 0;
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (stack_.size() <= 1) {
        damaged_ = true; // a brace that closes nothing
        return;
    }
    if (stack_.size() - 1 == pictureGroup_)
        FinishPicture();
    if (fontNameOpen_ && stack_.size() - 1 == fontGroup_)
        FinishFontName(); // an entry without its ';'
    if (stack_.size() == 2 && !paragraph_.runs.empty())
        EndParagraph(Into::Last); // the last paragraph, without \par, in the document's format
    stack_.pop_back();
    FormatChanged();
    if (stack_.size() == 1)
        rootClosed_ = true;
}

// Reads past the rest of the current group without interpreting it, then closes it.
void Reader::SkipGroup(size_t depth)
{
    while (depth > 0) {
        const RtfToken t = tokens_.Next();
        if (t.type == RtfToken::Type::End)
            return; // unclosed: the final check reports the damage
        if (t.type == RtfToken::Type::GroupOpen)
            ++depth;
        else if (t.type == RtfToken::Type::GroupClose)
            --depth;
    }
    CloseGroup();
}

void Reader::OnText(std::string_view text)
{
    if (unicodeSkip_ > 0) {
        const size_t n = std::min<size_t>(unicodeSkip_, text.size());
        unicodeSkip_ -= static_cast<int32_t>(n);
        text.remove_prefix(n);
        if (text.empty())
            return;
    }
    if (pendingHigh_) {
        pendingHigh_ = 0;
        Emit(u"\uFFFD");
    }
    switch (Top().dest) {
    case Dest::Body:
        BodyText(text);
        break;
    case Dest::FontTable:
        for (char c : text)
            FontByte(static_cast<unsigned char>(c));
        break;
    case Dest::ColorTable:
        for (char c : text)
            if (c == ';')
                EndColor();
        break;
    case Dest::Picture:
        PictureHex(text);
        break;
    }
}

void Reader::OnByte(unsigned char byte)
{
    if (pendingHigh_) {
        pendingHigh_ = 0;
        Emit(u"\uFFFD");
    }
    if (Top().dest == Dest::Body)
        BodyByte(byte);
    else if (Top().dest == Dest::FontTable)
        FontByte(byte);
    else if (Top().dest == Dest::ColorTable && byte == ';')
        EndColor();
}

// Each control word the reader knows has one handler; the table is indexed by RtfWord.
const Reader::WordHandlers &Reader::Handlers()
{
    using W = RtfWord;
    static constexpr std::pair<RtfWord, WordHandler> Entries[] = {
        { W::Unknown, &Reader::OnUnknownWord },
        { W::Rtf, &Reader::OnIgnoredWord },
        { W::Field, &Reader::OnIgnoredWord },
        { W::FieldResult, &Reader::OnIgnoredWord },
        { W::ReadDestination, &Reader::OnIgnoredWord },
        { W::Ud, &Reader::OnIgnoredWord },
        { W::Ansi, &Reader::OnCharacterSet },
        { W::Mac, &Reader::OnCharacterSet },
        { W::Pc, &Reader::OnCharacterSet },
        { W::Pca, &Reader::OnCharacterSet },
        { W::AnsiCpg, &Reader::OnAnsiCodePage },
        { W::Deff, &Reader::OnDefaultFont },
        { W::FontTable, &Reader::OnFontTable },
        { W::ColorTable, &Reader::OnColorTable },
        { W::Charset, &Reader::OnFontCodePage },
        { W::Cpg, &Reader::OnFontCodePage },
        { W::Red, &Reader::OnColorComponent },
        { W::Green, &Reader::OnColorComponent },
        { W::Blue, &Reader::OnColorComponent },
        { W::SkipDestination, &Reader::OnSkipDestination },
        { W::Pict, &Reader::OnPict },
        { W::ListText, &Reader::OnListText },
        { W::NestTableProps, &Reader::OnNestTableProps },
        { W::Upr, &Reader::OnUpr },
        { W::PngBlip, &Reader::OnBlip },
        { W::JpegBlip, &Reader::OnBlip },
        { W::OtherBlip, &Reader::OnBlip },
        { W::PicWGoal, &Reader::OnPictureSize },
        { W::PicHGoal, &Reader::OnPictureSize },
        { W::PicScaleX, &Reader::OnPictureSize },
        { W::PicScaleY, &Reader::OnPictureSize },
        { W::Plain, &Reader::OnPlain },
        { W::Font, &Reader::OnFont },
        { W::FontSize, &Reader::OnFontSize },
        { W::Bold, &Reader::OnToggle },
        { W::Italic, &Reader::OnToggle },
        { W::Underline, &Reader::OnToggle },
        { W::UnderlineNone, &Reader::OnToggle },
        { W::Strike, &Reader::OnToggle },
        { W::Hidden, &Reader::OnToggle },
        { W::Super, &Reader::OnVerticalAlign },
        { W::Sub, &Reader::OnVerticalAlign },
        { W::NoSuperSub, &Reader::OnVerticalAlign },
        { W::Up, &Reader::OnVerticalAlign },
        { W::Down, &Reader::OnVerticalAlign },
        { W::Color, &Reader::OnCharColor },
        { W::Highlight, &Reader::OnCharColor },
        { W::Background, &Reader::OnCharColor },
        { W::Uc, &Reader::OnUc },
        { W::U, &Reader::OnU },
        { W::Pard, &Reader::OnPard },
        { W::Ql, &Reader::OnAlignment },
        { W::Qr, &Reader::OnAlignment },
        { W::Qc, &Reader::OnAlignment },
        { W::Qj, &Reader::OnAlignment },
        { W::Li, &Reader::OnSpacing },
        { W::Ri, &Reader::OnSpacing },
        { W::Fi, &Reader::OnSpacing },
        { W::Sb, &Reader::OnSpacing },
        { W::Sa, &Reader::OnSpacing },
        { W::Trowd, &Reader::OnRowDefinition },
        { W::TrLeft, &Reader::OnRowDefinition },
        { W::Cellx, &Reader::OnRowDefinition },
        { W::Intbl, &Reader::OnIntbl },
        { W::Par, &Reader::OnPar },
        { W::Sect, &Reader::OnPar },
        { W::Line, &Reader::OnBreak },
        { W::Tab, &Reader::OnBreak },
        { W::Page, &Reader::OnBreak },
        { W::Cell, &Reader::OnCell },
        { W::Row, &Reader::OnRow },
        { W::NestCell, &Reader::OnNestCell },
        { W::NestRow, &Reader::OnNestRow },
        { W::EmDash, &Reader::OnCharacter },
        { W::EnDash, &Reader::OnCharacter },
        { W::EmSpace, &Reader::OnCharacter },
        { W::EnSpace, &Reader::OnCharacter },
        { W::QmSpace, &Reader::OnCharacter },
        { W::Bullet, &Reader::OnCharacter },
        { W::LQuote, &Reader::OnCharacter },
        { W::RQuote, &Reader::OnCharacter },
        { W::LdblQuote, &Reader::OnCharacter },
        { W::RdblQuote, &Reader::OnCharacter },
        { W::Zwj, &Reader::OnCharacter },
        { W::Zwnj, &Reader::OnCharacter },
        { W::LtrMark, &Reader::OnCharacter },
        { W::RtlMark, &Reader::OnCharacter },
    };
    static constexpr WordHandlers Table = [] {
        WordHandlers table {};
        for (const auto &[word, handler] : Entries)
            table[static_cast<size_t>(word)] = handler;
        return table;
    }();
    static constexpr bool EveryWordOnce = [] {
        std::array<int, RtfWordCount> entries {};
        for (const auto &entry : Entries)
            ++entries[static_cast<size_t>(entry.first)];
        return std::all_of(entries.begin(), entries.end(), [](int n) { return n == 1; });
    }();
    static_assert(EveryWordOnce, "every control word has exactly one handler");
    return Table;
}

void Reader::OnWord(RtfWord word, const RtfToken &t)
{
    (this->*Handlers()[static_cast<size_t>(word)])(word, t);
}

void Reader::OnUnknownWord(RtfWord, const RtfToken &t)
{
    if (Top().dest == Dest::Picture)
        PictureWord(t);
}

void Reader::OnIgnoredWord(RtfWord, const RtfToken &) { }

void Reader::OnCharacterSet(RtfWord word, const RtfToken &)
{
    docCodePage_ = word == RtfWord::Ansi ? 1252
        : word == RtfWord::Mac           ? 10000
        : word == RtfWord::Pc            ? 437
                                         : 850;
    codePageCached_ = false;
}

void Reader::OnAnsiCodePage(RtfWord, const RtfToken &t)
{
    if (t.hasParam && decoder_.Supports(t.param)) {
        docCodePage_ = t.param;
        codePageCached_ = false;
    }
}

void Reader::OnDefaultFont(RtfWord, const RtfToken &t)
{
    defaultFont_ = t.param;
    Top().chr.font = t.param;
    FormatChanged();
}

void Reader::OnFontTable(RtfWord, const RtfToken &)
{
    Top().dest = Dest::FontTable;
    fontNameOpen_ = false;
}

void Reader::OnColorTable(RtfWord, const RtfToken &)
{
    Top().dest = Dest::ColorTable;
    colors_.clear();
    colorEntry_ = {};
    colorEntrySet_ = false;
    FormatChanged();
}

// \fcharsetN or \cpgN of a font table entry.
void Reader::OnFontCodePage(RtfWord word, const RtfToken &t)
{
    if (Top().dest != Dest::FontTable || !fontNameOpen_)
        return;
    if (word == RtfWord::Charset) {
        fonts_[fontEntry_].codePage = RtfCodePageOfCharset(t.param);
        codePageCached_ = false;
    } else if (decoder_.Supports(t.param)) {
        fonts_[fontEntry_].codePage = t.param;
        codePageCached_ = false;
    }
}

void Reader::OnColorComponent(RtfWord word, const RtfToken &t)
{
    if (Top().dest != Dest::ColorTable)
        return;
    const auto value = static_cast<uint8_t>(Clamp(t.param, 0, 255));
    (word == RtfWord::Red         ? colorEntry_.red
         : word == RtfWord::Green ? colorEntry_.green
                                  : colorEntry_.blue)
        = value;
    colorEntrySet_ = true;
}

void Reader::OnSkipDestination(RtfWord, const RtfToken &)
{
    if (stack_.size() > 2 || overflow_ > 0)
        SkipGroup(); // never the document's own group
}

void Reader::OnPict(RtfWord, const RtfToken &)
{
    Top().dest = Dest::Picture;
    picture_ = PictureState {};
    pictureGroup_ = stack_.size() - 1;
}

void Reader::OnListText(RtfWord, const RtfToken &)
{
    if (Top().dest != Dest::Body)
        return;
    if (listTextSeen_ && (stack_.size() > 2 || overflow_ > 0))
        SkipGroup(); // a second numbering text for the same paragraph
    listTextSeen_ = true;
}

void Reader::OnNestTableProps(RtfWord, const RtfToken &)
{
    Top().nestedProps = true;
}

void Reader::OnUpr(RtfWord, const RtfToken &)
{
    Top().inUpr = true;
}

void Reader::OnBlip(RtfWord word, const RtfToken &t)
{
    if (Top().dest != Dest::Picture)
        return;
    picture_.kind = word == RtfWord::PngBlip ? RtfPicture::Kind::Png
        : word == RtfWord::JpegBlip          ? RtfPicture::Kind::Jpeg
                                             : RtfPicture::Kind::Other;
    if (word == RtfWord::OtherBlip)
        PictureWord(t);
}

void Reader::OnPictureSize(RtfWord word, const RtfToken &t)
{
    const int32_t scale = t.hasParam ? Clamp(t.param, 1, 10000) : 100;
    switch (word) {
    case RtfWord::PicWGoal:
        picture_.goalWidth = t.param;
        break;
    case RtfWord::PicHGoal:
        picture_.goalHeight = t.param;
        break;
    case RtfWord::PicScaleX:
        picture_.scaleX = scale;
        break;
    default:
        picture_.scaleY = scale;
        break;
    }
}

void Reader::OnPlain(RtfWord, const RtfToken &)
{
    Top().chr = CharState {};
    Top().chr.font = defaultFont_;
    FormatChanged();
}

void Reader::OnFont(RtfWord, const RtfToken &t)
{
    if (Top().dest == Dest::FontTable) {
        StartFont(t.param);
    } else {
        Top().chr.font = t.param;
        FormatChanged();
    }
}

void Reader::OnFontSize(RtfWord, const RtfToken &t)
{
    Top().chr.size = (t.hasParam && t.param > 0) ? Clamp(t.param, 1, MaxFontSize) : DefaultFontSize;
    FormatChanged();
}

// \b, \i, \ul, \strike and \v: on, or off with a parameter of 0; \ulnone: off.
void Reader::OnToggle(RtfWord word, const RtfToken &t)
{
    CharState &chr = Top().chr;
    bool &flag = word == RtfWord::Bold ? chr.bold
        : word == RtfWord::Italic      ? chr.italic
        : word == RtfWord::Strike      ? chr.strike
        : word == RtfWord::Hidden      ? chr.hidden
                                       : chr.underline;
    flag = word != RtfWord::UnderlineNone && Toggle(t);
    FormatChanged();
}

void Reader::OnVerticalAlign(RtfWord word, const RtfToken &t)
{
    RtfVerticalAlign &align = Top().chr.verticalAlign;
    if (word == RtfWord::Up || word == RtfWord::Down) {
        const bool raised = t.hasParam ? t.param != 0 : true;
        align = !raised                               ? RtfVerticalAlign::Normal
            : (word == RtfWord::Up) == (t.param >= 0) ? RtfVerticalAlign::Superscript
                                                      : RtfVerticalAlign::Subscript;
    } else {
        align = word == RtfWord::Super ? RtfVerticalAlign::Superscript
            : word == RtfWord::Sub     ? RtfVerticalAlign::Subscript
                                       : RtfVerticalAlign::Normal;
    }
    FormatChanged();
}

void Reader::OnCharColor(RtfWord word, const RtfToken &t)
{
    (word == RtfWord::Color ? Top().chr.color : Top().chr.background) = t.hasParam ? t.param : 0;
    FormatChanged();
}

void Reader::OnUc(RtfWord, const RtfToken &t)
{
    Top().uc = static_cast<uint8_t>(Clamp(t.param, 0, MaxUnicodeSkip));
}

void Reader::OnU(RtfWord, const RtfToken &t)
{
    OnUnicode(t.param);
    unicodeSkip_ = Top().uc;
}

void Reader::OnPard(RtfWord, const RtfToken &)
{
    Top().para = RtfParagraphFormat {};
    Top().inTable = false;
}

void Reader::OnAlignment(RtfWord word, const RtfToken &)
{
    Top().para.alignment = word == RtfWord::Ql ? RtfAlignment::Left
        : word == RtfWord::Qr                  ? RtfAlignment::Right
        : word == RtfWord::Qc                  ? RtfAlignment::Center
                                               : RtfAlignment::Justify;
}

// Indents (\li, \ri, \fi) and the space before and after a paragraph (\sb, \sa).
void Reader::OnSpacing(RtfWord word, const RtfToken &t)
{
    RtfParagraphFormat &para = Top().para;
    const int32_t indent = Clamp(t.param, -MaxIndent, MaxIndent);
    const int32_t space = Clamp(t.param, 0, MaxIndent);
    switch (word) {
    case RtfWord::Li:
        para.leftIndent = indent;
        break;
    case RtfWord::Ri:
        para.rightIndent = indent;
        break;
    case RtfWord::Fi:
        para.firstLineIndent = indent;
        break;
    case RtfWord::Sb:
        para.spaceBefore = space;
        break;
    default:
        para.spaceAfter = space;
        break;
    }
}

// \trowd, \trleftN and \cellxN of the outer table; a nested table's are not kept.
void Reader::OnRowDefinition(RtfWord word, const RtfToken &t)
{
    if (Top().nestedProps)
        return;
    if (word == RtfWord::Trowd) {
        cellEdges_.clear();
        rowLeft_ = 0;
    } else if (word == RtfWord::TrLeft) {
        rowLeft_ = Clamp(t.param, -MaxTableWidth, MaxTableWidth);
    } else if (cellEdges_.size() < MaxCells) {
        cellEdges_.push_back(Clamp(t.param, -MaxTableWidth, MaxTableWidth));
    }
}

void Reader::OnIntbl(RtfWord, const RtfToken &)
{
    Top().inTable = true;
}

void Reader::OnPar(RtfWord, const RtfToken &)
{
    if (Top().dest == Dest::Body)
        EndParagraph();
}

void Reader::OnBreak(RtfWord word, const RtfToken &)
{
    if (Top().dest != Dest::Body)
        return;
    AddRun(word == RtfWord::Line      ? RtfRunKind::LineBreak
               : word == RtfWord::Tab ? RtfRunKind::Tab
                                      : RtfRunKind::PageBreak);
}

void Reader::OnCell(RtfWord, const RtfToken &)
{
    if (Top().dest != Dest::Body)
        return;
    EndParagraph(Into::Cell);
    EndCell();
}

void Reader::OnRow(RtfWord, const RtfToken &)
{
    if (Top().dest != Dest::Body)
        return;
    if (!paragraph_.runs.empty() || !cell_.paragraphs.empty()) {
        EndParagraph(Into::Cell); // text after the last \cell: one more cell
        EndCell();
    }
    EndRow();
}

// A nested table is flattened into its cell: its cells separated by tabs, its rows
// paragraphs of the outer cell.
void Reader::OnNestCell(RtfWord, const RtfToken &)
{
    if (Top().dest == Dest::Body && AddRun(RtfRunKind::Tab))
        cellSeparator_ = true;
}

void Reader::OnNestRow(RtfWord, const RtfToken &)
{
    if (Top().dest != Dest::Body)
        return;
    if (cellSeparator_) {
        paragraph_.runs.pop_back();
        lastRunMatches_ = false;
    }
    EndParagraph(Into::Cell);
}

// Dashes, special spaces, the bullet, typographic quotes and the joiner and direction marks.
void Reader::OnCharacter(RtfWord word, const RtfToken &)
{
    // In the order of the words in RtfWord.
    static constexpr char16_t Characters[] = u"\u2014\u2013\u2003\u2002\u2005\u2022\u2018"
                                             u"\u2019\u201C\u201D\u200D\u200C\u200E\u200F";
    Emit(std::u16string_view(&Characters[int(word) - int(RtfWord::EmDash)], 1));
}

void Reader::OnSymbol(char symbol)
{
    switch (symbol) {
    case '~':
        Emit(u"\u00A0");
        break;
    case '_':
        Emit(u"\u2011");
        break;
    case '{':
    case '}':
    case '\\':
        OnByte(static_cast<unsigned char>(symbol));
        break;
    case '\n':
        if (Top().dest == Dest::Body)
            EndParagraph(); // a backslash before a line end is a paragraph end
        break;
    case '\t':
        if (Top().dest == Dest::Body)
            AddRun(RtfRunKind::Tab);
        break;
    case '-':
        Emit(u"\u00AD"); // optional hyphen
        break;
    default: // \* out of place, index and formula marks
        break;
    }
}

void Reader::OnUnicode(int32_t value)
{
    int64_t cp = value;
    if (cp < 0)
        cp += 65536; // written as a signed 16-bit number
    if (cp < 0 || cp > 0x10FFFF)
        cp = 0xFFFD;
    if (cp >= 0xDC00 && cp <= 0xDFFF) {
        if (pendingHigh_) {
            const char16_t pair[2] = { pendingHigh_, static_cast<char16_t>(cp) };
            pendingHigh_ = 0;
            Emit(std::u16string_view(pair, 2));
        } else {
            Emit(u"\uFFFD");
        }
        return;
    }
    FlushPending();
    if (cp >= 0xD800 && cp <= 0xDBFF)
        pendingHigh_ = static_cast<char16_t>(cp);
    else
        EmitCodePoint(static_cast<char32_t>(cp));
}

void Reader::FlushDecoder()
{
    if (decoder_.Pending()) {
        decoded_.clear();
        decoder_.Flush(decoded_);
        Emit(decoded_);
    }
}

void Reader::FlushPending()
{
    FlushDecoder();
    if (pendingHigh_) {
        pendingHigh_ = 0;
        Emit(u"\uFFFD");
    }
}

void Reader::EmitCodePoint(char32_t cp)
{
    if (cp < 0x10000) {
        const char16_t unit = static_cast<char16_t>(cp);
        Emit(std::u16string_view(&unit, 1));
        return;
    }
    cp -= 0x10000;
    const char16_t pair[2] = { static_cast<char16_t>(0xD800 + (cp >> 10)),
                               static_cast<char16_t>(0xDC00 + (cp & 0x3FF)) };
    Emit(std::u16string_view(pair, 2));
}

// Decoded text, to wherever the current destination takes text.
void Reader::Emit(std::u16string_view text)
{
    const Dest dest = Top().dest;
    if (dest == Dest::Body) {
        AppendText(text);
    } else if (dest == Dest::FontTable && fontNameOpen_) {
        std::u16string &name = fonts_[fontEntry_].name;
        for (char16_t c : text)
            if (!IsControl(c) && c != u';' && name.size() < MaxFontName)
                name += c;
    }
}

void Reader::BodyText(std::string_view text)
{
    if (Top().chr.hidden)
        return;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && !decoder_.Pending()) {
            size_t j = i + 1;
            while (j < text.size() && static_cast<unsigned char>(text[j]) >= 0x20
                   && static_cast<unsigned char>(text[j]) < 0x7F)
                ++j;
            std::u16string &target = TextTarget();
            target.append(text.begin() + i, text.begin() + j);
            i = j;
            continue;
        }
        BodyByte(c);
        ++i;
    }
}

void Reader::BodyByte(unsigned char byte)
{
    if (Top().chr.hidden)
        return;
    if (byte >= 0x80 || decoder_.Pending()) {
        decoded_.clear();
        decoder_.Put(CodePage(), byte, decoded_);
        AppendText(decoded_);
    } else if (byte == '\t') {
        AddRun(RtfRunKind::Tab);
    } else if (byte >= 0x20 && byte < 0x7F) {
        TextTarget() += static_cast<char16_t>(byte);
    }
}

void Reader::AppendText(std::u16string_view text)
{
    if (Top().chr.hidden)
        return;
    for (char16_t c : text) {
        if (c == u'\t')
            AddRun(RtfRunKind::Tab);
        else if (c == u'\u2028' || c == u'\u2029') // line and paragraph separators
            AddRun(RtfRunKind::LineBreak);
        else if (!IsControl(c))
            TextTarget() += c;
    }
}

// Where text in the current format goes. The last run's text is gathered in a buffer
// that is reused from run to run, and copied out once the run is complete: one
// allocation per run however the text arrives.
std::u16string &Reader::TextTarget()
{
    cellSeparator_ = false;
    if (!lastRunMatches_) {
        const RtfCharFormat &format = CurrentFormat();
        if (!textOpen_ || paragraph_.runs.back().format != format) {
            CloseText();
            RtfRun run;
            run.format = format;
            paragraph_.runs.push_back(std::move(run));
            textOpen_ = true;
        }
        lastRunMatches_ = true;
    }
    return runText_;
}

void Reader::CloseText()
{
    if (!textOpen_)
        return;
    paragraph_.runs.back().text.assign(runText_);
    runText_.clear();
    textOpen_ = false;
}

bool Reader::AddRun(RtfRunKind kind)
{
    if (Top().chr.hidden)
        return false;
    CloseText();
    RtfRun run;
    run.kind = kind;
    run.format = CurrentFormat();
    paragraph_.runs.push_back(std::move(run));
    lastRunMatches_ = false;
    cellSeparator_ = false;
    return true;
}

// Into::Current: a cell's when the paragraph is in a table, else the document's.
// Into::Last, the document's last paragraph without \par: the cell's of a row left open.
void Reader::EndParagraph(Into into)
{
    CloseText();
    if (into == Into::Current)
        into = Top().inTable ? Into::Cell : Into::Body;
    else if (into == Into::Last)
        into = row_.cells.empty() && cell_.paragraphs.empty() ? Into::Body : Into::Cell;
    if (into == Into::Body)
        FlushTable();
    RtfParagraph &paragraph
        = (into == Into::Cell ? cell_.paragraphs : document_.paragraphs).emplace_back();
    paragraph.format = Top().para;
    paragraph.markFormat = CurrentFormat();
    // Moved into a vector of the exact size; paragraph_.runs keeps its capacity for the next.
    paragraph.runs.assign(std::make_move_iterator(paragraph_.runs.begin()),
                          std::make_move_iterator(paragraph_.runs.end()));
    paragraph_.runs.clear();
    lastRunMatches_ = false;
    listTextSeen_ = false;
    cellSeparator_ = false;
}

void Reader::EndCell()
{
    if (row_.cells.size() < MaxCells) {
        row_.cells.push_back(std::move(cell_));
    } else {
        std::vector<RtfParagraph> &last = row_.cells.back().paragraphs;
        last.insert(last.end(), std::make_move_iterator(cell_.paragraphs.begin()),
                    std::make_move_iterator(cell_.paragraphs.end()));
    }
    cell_ = RtfTableCell {};
}

// The row's cells get their widths from the row definition read last.
void Reader::EndRow()
{
    if (row_.cells.empty())
        return;
    for (size_t i = 0; i < row_.cells.size() && i < cellEdges_.size(); ++i) {
        const int32_t left = i == 0 ? rowLeft_ : cellEdges_[i - 1];
        row_.cells[i].width = Clamp(cellEdges_[i] - left, 0, MaxTableWidth);
    }
    table_.rows.push_back(std::move(row_));
    row_ = RtfTableRow {};
}

// A table ends where a paragraph outside it begins, or with the document; a row left
// without \row keeps its cells.
void Reader::FlushTable()
{
    if (!cell_.paragraphs.empty())
        EndCell();
    EndRow();
    if (table_.rows.empty())
        return;
    table_.position = document_.paragraphs.size();
    document_.tables.push_back(std::move(table_));
    table_ = RtfTable {};
}

void Reader::FormatChanged()
{
    formatDirty_ = true;
    lastRunMatches_ = false;
}

const RtfCharFormat &Reader::CurrentFormat()
{
    if (!formatDirty_)
        return format_;
    const CharState &chr = Top().chr;
    const auto font = fonts_.find(chr.font);
    if (font != fonts_.end())
        format_.fontFamily = Trimmed(font->second.name); // also while the entry is unfinished
    else
        format_.fontFamily.clear();
    format_.sizeHalfPoints = chr.size;
    format_.bold = chr.bold;
    format_.italic = chr.italic;
    format_.underline = chr.underline;
    format_.strikeOut = chr.strike;
    format_.verticalAlign = chr.verticalAlign;
    const auto color = [this](int32_t index) -> std::optional<RtfColor> {
        if (index < 0 || static_cast<size_t>(index) >= colors_.size())
            return std::nullopt;
        return colors_[index];
    };
    format_.color = color(chr.color);
    format_.background = chr.background == 0 ? std::nullopt : color(chr.background);
    formatDirty_ = false;
    return format_;
}

// The code page that \'hh and 8-bit text are in: the current font's, else the document's.
int Reader::CodePage()
{
    const Group &g = Top();
    const int32_t font = g.dest == Dest::FontTable ? fontEntry_ : g.chr.font;
    if (!codePageCached_ || cachedFont_ != font) {
        const auto it = fonts_.find(font);
        cachedCodePage_
            = (it != fonts_.end() && it->second.codePage != 0) ? it->second.codePage : docCodePage_;
        cachedFont_ = font;
        codePageCached_ = true;
    }
    return cachedCodePage_;
}

void Reader::StartFont(int32_t number)
{
    fontEntry_ = number;
    fonts_[number] = Font {}; // a later definition of a number replaces the earlier one
    fontNameOpen_ = true;
    fontGroup_ = stack_.size() - 1;
    codePageCached_ = false;
    FormatChanged();
}

void Reader::FinishFontName()
{
    fontNameOpen_ = false;
    FormatChanged();
}

void Reader::FontByte(unsigned char byte)
{
    if (!fontNameOpen_)
        return;
    if (byte == ';') { // never part of a multi-byte character
        FlushPending();
        FinishFontName();
        return;
    }
    if (byte < 0x80 && !decoder_.Pending()) {
        const char16_t c = byte;
        Emit(std::u16string_view(&c, 1));
        return;
    }
    decoded_.clear();
    decoder_.Put(CodePage(), byte, decoded_);
    Emit(decoded_);
}

void Reader::EndColor()
{
    if (colorEntrySet_)
        colors_.push_back(colorEntry_);
    else
        colors_.push_back(std::nullopt); // automatic colour
    colorEntry_ = {};
    colorEntrySet_ = false;
}

void Reader::PictureHex(std::string_view text)
{
    for (char c : text) {
        const int v = HexValue(static_cast<unsigned char>(c));
        if (v < 0)
            continue;
        if (picture_.nibble < 0) {
            picture_.nibble = v;
        } else {
            picture_.data += static_cast<char>(picture_.nibble * 16 + v);
            picture_.nibble = -1;
        }
    }
}

// Keeps a word that says what a picture's data is, to be written back with it.
void Reader::PictureWord(const RtfToken &t)
{
    std::string &header = picture_.header;
    if (header.size() + t.text.size() + 12 > MaxPictureHeader)
        return;
    header += '\\';
    header += t.text;
    if (t.hasParam)
        header += std::to_string(t.param);
}

// Every picture with data becomes a picture run, whether the editor can show it or not, so
// that its bytes are written back. Its size is the one the document asks for, else a PNG
// or JPEG image's own at 96 dpi, scaled as asked.
void Reader::FinishPicture()
{
    pictureGroup_ = 0;
    PictureState pict = std::move(picture_);
    picture_ = PictureState {};
    if (pict.data.empty())
        return;
    int64_t width = pict.goalWidth > 0 ? pict.goalWidth : 0;
    int64_t height = pict.goalHeight > 0 ? pict.goalHeight : 0;
    int32_t pixelWidth = 0, pixelHeight = 0;
    if ((width == 0 || height == 0)
        && RtfImagePixelSize(pict.kind, pict.data, pixelWidth, pixelHeight)) {
        width = width ? width : int64_t(pixelWidth) * RtfTwipsPerPixel;
        height = height ? height : int64_t(pixelHeight) * RtfTwipsPerPixel;
    }
    width = width * pict.scaleX / 100;
    height = height * pict.scaleY / 100;
    const auto size = [](int64_t twips) {
        return twips <= 0 ? 0 : static_cast<int32_t>(std::min<int64_t>(twips, MaxPictureTwips));
    };
    if (AddRun(RtfRunKind::Picture)) {
        RtfPicture &picture = paragraph_.runs.back().picture;
        picture.kind = pict.kind;
        picture.data = std::move(pict.data);
        if (pict.kind == RtfPicture::Kind::Other)
            picture.header = std::move(pict.header);
        picture.widthTwips = size(width);
        picture.heightTwips = size(height);
    }
}

} // namespace

bool LooksLikeRtf(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start).starts_with("{\\rtf");
}

RtfReadResult ReadRtf(std::string_view bytes)
{
    if (!LooksLikeRtf(bytes)) {
        RtfReadResult result;
        result.status = RtfReadStatus::NotRtf;
        return result;
    }
    return Reader(bytes.substr(bytes.find('{'))).Read();
}
