#pragma once
// The stock kinds of a picture button; each gives a glyph, a standard caption and, on the
// program's own picture button, the default and cancel roles and a modal result.

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
