#include "analyses/paired/TTESTWIN.h"

#include "analyses/paired/TtestPar.h"

TTESTWIN::TTESTWIN(TtestPar *computation) : TXTWIN(nullptr, 0), computation(computation)
{}

void TTESTWIN::WriteResult()
{
    if (computation) {
        computation->WriteTable(this);
        return;
    }
    Clear();
    ShowText();
}
