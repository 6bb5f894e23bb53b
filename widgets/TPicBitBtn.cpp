#include "widgets/TPicBitBtn.h"

#include "widgets/TPicCommon.h"

#include <array>

namespace {

constexpr std::array<TBitBtnKindInfo, 11> Kinds = { {
    { false, false, 0, nullptr, "" }, // bkCustom
    { true, false, 1, "PICCOMMON_OK", "OK" }, // bkOK
    { false, true, 2, "PICCOMMON_CANCEL", "Cancel" }, // bkCancel
    { false, false, 0, "PICCOMMON_HELP", "&Help" }, // bkHelp
    { true, false, 6, "PICCOMMON_YES", "&Yes" }, // bkYes
    { false, true, 7, "PICCOMMON_NO", "&No" }, // bkNo
    { false, false, 0, "PICCOMMON_CLOSE", "&Close" }, // bkClose: closes nothing itself
    { false, false, 3, "PICCOMMON_ABORT", "&Abort" }, // bkAbort
    { false, false, 4, "PICCOMMON_RETRY", "&Retry" }, // bkRetry
    { false, false, 5, "PICCOMMON_IGNORE", "&Ignore" }, // bkIgnore
    { false, false, 8, "PICCOMMON_ALL", "&All" }, // bkAll
} };

} // namespace

TPicBitBtn::TPicBitBtn(QWidget *parent)
    : TPicButton(parent)
{ }

const TBitBtnKindInfo &TPicBitBtn::KindInfo(TBitBtnKind kind)
{
    return Kinds.at(size_t(kind));
}

QPixmap TPicBitBtn::KindGlyph(TBitBtnKind kind)
{
    static std::array<QPixmap, Kinds.size()> glyphs;
    static std::array<bool, Kinds.size()> loaded {};
    const size_t i = size_t(kind);
    if (kind != bkCustom && !loaded.at(i)) {
        glyphs[i] = TPicCommon::Picture(Kinds[i].Resource);
        loaded[i] = true;
    }
    return glyphs.at(i); // shares the loaded pixels
}

void TPicBitBtn::SetKind(TBitBtnKind kind)
{
    FKind = kind;
    if (kind == bkCustom)
        return;
    const TBitBtnKindInfo &info = KindInfo(kind);
    SetDefault(info.Default);
    SetCancel(info.Cancel);
    SetModalResult(info.ModalResult);
    SetGlyph(KindGlyph(kind));
    SetNumGlyphs(2);
    SetCaption(info.Caption);
}
