// FreqOptionWindowDefinition: the frequency table's option window as the UI
// data file holds it ("FreqOptionWindow"), built in code here and written
// into MERVALO.ZNC by the UI data file generator (ui/). FreqOption's window (a TableOptionWindow) reads it.
//
// Controls, by name (the texts here are placeholders; the record's control rows put the
// language file's texts on them):
//   check boxes "title", "coltitles", "category", "code", "number",
//     "pctofall", "pctofvalid" (what the table shows);
//   group "accumtype" with the radio buttons "notused", "ofvalid",
//     "oftotal" (the cumulative column and its base);
//   group "sorting" with "byvalue", "byfreq", "byvalue_desc", "byfreq_desc";
//   group "stat" with the check boxes "modus", "median", "mean";
//   prompt "pr_colwid" and the integer field "spin_int_colwid" (in a spin
//     control) for the column width, 3 to 40.
#pragma once

class ZafWindow;

// A new window as defined (the caller owns it); registers the classes.
ZafWindow *MakeFreqOptionWindowDefinition();
