// CorrOptionWindowDefinition: the correlation's option window as the UI
// data file holds it ("CorrOptionWindow", read by CorrOptionWindow). Laid
// out in cells: the three display boxes "DIS_LAB", "DIS_FMATR" and
// "DIS_SIGSYM" one under the other (a free row before the last), below them
// the group "StaMissdel" with the radio buttons "StaList" and "StaPair".
// The texts written here are placeholders: the window takes its texts from
// the language file when it opens.
#pragma once

class ZafWindow;

// A new window as defined (the caller owns it).
ZafWindow *MakeCorrOptionWindowDefinition();
