// MapOptionWindowDefinition: the region map's option window as the UI data
// file holds it ("MapOptions"), built in code here and written into
// MERVALO.ZNC by the UI data file generator (ui/). MapOptionWindow reads it.
//
// Controls, by name (placeholder texts; the record's control rows put the
// language file's texts on them):
//   group "DisplayMode" with the radio buttons "choroplet", "bar", "pie";
//   group "GroupingMethod" with "data", "cases", "userdef" and the push
//     button "define_groups";
//   group "GroupingType" with "metric", "metric2", "slide", "slide2",
//     "contrast";
//   group "GroupingCount" with "num_auto", "num_userdef" and the integer
//     field "NUM" (1 to 13) in the spin control "NUM_SPIN";
//   check boxes "select_current_map" and "masteroptions".
#pragma once

class ZafWindow;

// A new window as defined (the caller owns it); registers the classes.
ZafWindow *MakeMapOptionWindowDefinition();
