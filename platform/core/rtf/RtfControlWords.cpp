#include "platform/core/rtf/RtfControlWords.h"

#include <array>
#include <cstdint>
#include <utility>

namespace {

using Entry = std::pair<std::string_view, RtfWord>;
using W = RtfWord;

// Destinations whose content is never shown: document information, style and list
// definitions, headers, footers, notes, field instructions, alternative pictures, ...
constexpr std::string_view Skipped[] = {
    "annotation",   "atnauthor",
    "atndate",      "atnicn",
    "atnid",        "atnref",
    "atntime",      "author",
    "blipuid",      "bkmkend",
    "bkmkstart",    "buptim",
    "category",     "colorschememapping",
    "comment",      "company",
    "creatim",      "datafield",
    "datastore",    "do",
    "doccomm",      "docvar",
    "falt",         "fldinst",
    "fontemb",      "fontfile",
    "footer",       "footerf",
    "footerl",      "footerr",
    "footnote",     "ftncn",
    "ftnsep",       "ftnsepc",
    "aftncn",       "aftnsep",
    "aftnsepc",     "generator",
    "header",       "headerf",
    "headerl",      "headerr",
    "hlinkbase",    "info",
    "keywords",     "latentstyles",
    "leveltext",    "levelnumbers",
    "list",         "listname",
    "listoverride", "listoverridetable",
    "listpicture",  "listtable",
    "manager",      "mmathPr",
    "nonesttables", "nonshppict",
    "objclass",     "objdata",
    "objname",      "oldcprops",
    "oldpprops",    "oldsprops",
    "oldtprops",    "operator",
    "panose",       "pgdsctbl",
    "picprop",      "pn",
    "printim",      "private",
    "pxe",          "revtbl",
    "revtim",       "rsidtbl",
    "shpinst",      "stylesheet",
    "subject",      "tc",
    "template",     "themedata",
    "title",        "txe",
    "userprops",    "wgrffmtfilter",
    "xe",           "xmlnstbl",
    "filetbl",      "fchars",
    "lchars",       "pgptbl",
    "protusertbl",  "ftnalt",
};

constexpr Entry Words[] = {
    { "rtf", W::Rtf },
    { "ansi", W::Ansi },
    { "mac", W::Mac },
    { "pc", W::Pc },
    { "pca", W::Pca },
    { "ansicpg", W::AnsiCpg },
    { "deff", W::Deff },
    { "fonttbl", W::FontTable },
    { "colortbl", W::ColorTable },
    { "fcharset", W::Charset },
    { "cpg", W::Cpg },
    { "red", W::Red },
    { "green", W::Green },
    { "blue", W::Blue },
    { "pict", W::Pict },
    { "field", W::Field },
    { "fldrslt", W::FieldResult },
    { "listtext", W::ListText },
    { "pntext", W::ListText },
    { "shppict", W::ReadDestination },
    { "nesttableprops", W::NestTableProps },
    { "upr", W::Upr },
    { "ud", W::Ud },
    { "pngblip", W::PngBlip },
    { "jpegblip", W::JpegBlip },
    { "emfblip", W::OtherBlip },
    { "wmetafile", W::OtherBlip },
    { "dibitmap", W::OtherBlip },
    { "wbitmap", W::OtherBlip },
    { "macpict", W::OtherBlip },
    { "pmmetafile", W::OtherBlip },
    { "picwgoal", W::PicWGoal },
    { "pichgoal", W::PicHGoal },
    { "picscalex", W::PicScaleX },
    { "picscaley", W::PicScaleY },
    { "plain", W::Plain },
    { "f", W::Font },
    { "fs", W::FontSize },
    { "b", W::Bold },
    { "i", W::Italic },
    { "ul", W::Underline },
    { "uld", W::Underline },
    { "uldash", W::Underline },
    { "uldashd", W::Underline },
    { "uldashdd", W::Underline },
    { "uldb", W::Underline },
    { "ulhwave", W::Underline },
    { "ulldash", W::Underline },
    { "ulth", W::Underline },
    { "ulthd", W::Underline },
    { "ulthdash", W::Underline },
    { "ulthdashd", W::Underline },
    { "ulthdashdd", W::Underline },
    { "ulthldash", W::Underline },
    { "ululdbwave", W::Underline },
    { "ulw", W::Underline },
    { "ulwave", W::Underline },
    { "ulnone", W::UnderlineNone },
    { "strike", W::Strike },
    { "striked", W::Strike },
    { "super", W::Super },
    { "sub", W::Sub },
    { "nosupersub", W::NoSuperSub },
    { "up", W::Up },
    { "dn", W::Down },
    { "cf", W::Color },
    { "highlight", W::Highlight },
    { "chcbpat", W::Background },
    { "cb", W::Background },
    { "v", W::Hidden },
    { "webhidden", W::Hidden },
    { "uc", W::Uc },
    { "u", W::U },
    { "pard", W::Pard },
    { "ql", W::Ql },
    { "qr", W::Qr },
    { "qc", W::Qc },
    { "qj", W::Qj },
    { "qd", W::Qj },
    { "qt", W::Qj },
    { "li", W::Li },
    { "lin", W::Li },
    { "ri", W::Ri },
    { "rin", W::Ri },
    { "fi", W::Fi },
    { "sb", W::Sb },
    { "sa", W::Sa },
    { "par", W::Par },
    { "sect", W::Sect },
    { "line", W::Line },
    { "lbr", W::Line },
    { "tab", W::Tab },
    { "page", W::Page },
    { "cell", W::Cell },
    { "nestcell", W::NestCell },
    { "row", W::Row },
    { "nestrow", W::NestRow },
    { "trowd", W::Trowd },
    { "trleft", W::TrLeft },
    { "cellx", W::Cellx },
    { "intbl", W::Intbl },
    { "emdash", W::EmDash },
    { "endash", W::EnDash },
    { "emspace", W::EmSpace },
    { "enspace", W::EnSpace },
    { "qmspace", W::QmSpace },
    { "bullet", W::Bullet },
    { "lquote", W::LQuote },
    { "rquote", W::RQuote },
    { "ldblquote", W::LdblQuote },
    { "rdblquote", W::RdblQuote },
    { "zwj", W::Zwj },
    { "zwnj", W::Zwnj },
    { "ltrmark", W::LtrMark },
    { "rtlmark", W::RtlMark },
};

constexpr size_t LongestWord = 32; // no control word is longer
constexpr size_t Slots = 1024; // a power of two, several times the number of words

// FNV-1a: cheap and spreads these short names well.
size_t Hash(std::string_view name)
{
    uint32_t hash = 2166136261u;
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash & (Slots - 1);
}

// Open addressing with linear probing; an empty name marks a free slot.
using Table = std::array<Entry, Slots>;

void Insert(Table &table, std::string_view name, RtfWord word)
{
    size_t slot = Hash(name);
    while (!table[slot].first.empty())
        slot = (slot + 1) & (Slots - 1);
    table[slot] = { name, word };
}

Table BuildTable()
{
    Table table {};
    for (std::string_view name : Skipped)
        Insert(table, name, W::SkipDestination);
    for (const Entry &entry : Words)
        Insert(table, entry.first, entry.second);
    return table;
}

} // namespace

RtfWord RtfLookupWord(std::string_view name)
{
    static const Table table = BuildTable();
    if (name.empty() || name.size() > LongestWord)
        return W::Unknown;
    for (size_t slot = Hash(name);; slot = (slot + 1) & (Slots - 1)) {
        const Entry &entry = table[slot];
        if (entry.first.empty())
            return W::Unknown;
        if (entry.first == name)
            return entry.second;
    }
}
