#pragma once
// The spell check component as windows place it; it adds nothing to its base.

#include "spell/TCustomSpellDlg.h"

class TSpellDlg : public TCustomSpellDlg
{
    Q_OBJECT
public:
    using TCustomSpellDlg::TCustomSpellDlg;
};
