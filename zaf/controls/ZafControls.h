// ZafRegisterControls: enters every control class of the library in the
// persistence constructor table (so that windows read from a UI data file
// get their controls) and installs the notebook's tab class. The program
// calls it once at start-up, before it reads a window; calling it again
// does no harm.
#pragma once

void ZafRegisterControls();
