// BattFreqOptionWindowDefinition: the battery frequencies' option window as
// the UI data file holds it ("BattfreqOptions"), built in code here and
// written into MERVALO.ZNC by the UI data file generator (ui/).
//
// Controls, by name (placeholder texts; the record's control rows put the
// language file's texts on them): group "bf_tabletypes" with the check boxes
// "bf_rawnum", "bf_pctvalid", "bf_pctall"; group "bf_sums" with "bf_rowsums"
// and "bf_colsums"; the check box "bf_separate".
#pragma once

class ZafWindow;

// A new window as defined (the caller owns it); registers the classes.
ZafWindow *MakeBattFreqOptionWindowDefinition();
