// TTESTWIN: the text pane of one paired t-test page: the table its
// TtestPar writes, shown on the screen.
//
// Ownership: the page owns the window and the computation; the window only
// points to the computation.
#pragma once

#include "shell/TXTWIN.h"

class TtestPar;

class TTESTWIN : public TXTWIN
{
public:
    explicit TTESTWIN(TtestPar *computation);

    void WriteResult() override;

private:
    TtestPar *computation; // not owned
};
