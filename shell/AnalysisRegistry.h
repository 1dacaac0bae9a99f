// AnalysisRegistry: the program's list of analyses, RegisteredOptionsList,
// filled once at start-up in the program's fixed order. Each entry carries
// its help name, its text (text number menuId of language group 1), its
// menu id, its menu group (1 one variable, 2 two variables, 3 several
// variables, 4 other) and the factory that makes its option record with the
// settings loaded.
//
// An analysis joins by entering its factory under its help name
// (RegisterAnalysisFactory) before the registry is built; an entry with no
// factory is one this build does not have: it stays in the list (so that
// positions keep the program's order) but is disabled and never shown in a
// menu. The texts are copies owned by the registry; FreeAnalysisRegistry
// deletes them with the list (end of the program).
#pragma once

#include "stats/StatOption.h"

#include <vector>

class TextCatalog;

// The language group that holds the analyses' menu texts.
constexpr int analysisTextGroup = 1;

// The registry in its order; empty before BuildAnalysisRegistry and after
// FreeAnalysisRegistry.
extern std::vector<RegisteredOption> RegisteredOptionsList;

// Enters an analysis's factory under its help name ("USE_ONEWAY_FREQ"), or
// takes it out again (null); false for a name the program does not list and
// for the weight choice, which this system does not have.
bool RegisterAnalysisFactory(const char *helpName, StatOptionFactory factory);

// Fills RegisteredOptionsList (emptying it first) with the texts of the
// catalogue (null: the texts read "**ERROR**").
void BuildAnalysisRegistry(TextCatalog *catalog);
void FreeAnalysisRegistry();

// The entry of a menu id, or null.
const RegisteredOption *FindRegisteredOption(int menuId);
