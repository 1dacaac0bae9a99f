* The correlation tests' reference figures from PSPP:
*   pspp -O box=ascii tests/analyses/data/corr_reference.sps (from the repository root).
DATA LIST LIST (",") FILE="tests/analyses/data/corr.csv" SKIP=1 /a b c d k none.
MISSING VALUES b (99).
CORRELATIONS /VARIABLES=a b c d /PRINT=TWOTAIL /MISSING=LISTWISE.
CORRELATIONS /VARIABLES=a b c d /PRINT=TWOTAIL /MISSING=PAIRWISE.
