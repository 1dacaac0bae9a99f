// XtabOptionWindowDefinition: the crosstab's option window as the UI data
// file holds it ("XtabOptionWindow", read by XtOptions). Built in code here,
// beside the analysis, and written into MERVALO.ZNC by the UI data file
// generator. Laid out in cells: the table boxes at the left under their
// caption "tabtyp", the measure boxes at the right under "tabmes" with the
// buttons "all_set" and "all_clear" below them, the note "notab" along the
// bottom. The texts written here are placeholders: the window takes its
// texts from the language file when it opens.
#pragma once

class ZafWindow;

// A new window as defined (the caller owns it).
ZafWindow *MakeXtabOptionWindowDefinition();
