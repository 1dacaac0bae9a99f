#include "graphs/RegisterGraphTools.h"

#include "analyses/GraphToolOption.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOptionWindow.h"

namespace {

template <class Graph> ZafWindow *MakeGraph(StatClass *computation, GraphToolOption *record)
{
    auto *distribution = dynamic_cast<FREQOBJ *>(computation);
    return distribution ? new Graph(distribution, record) : nullptr;
}

template <class Window> ZafWindow *MakeOptionWindow(GraphToolOption *)
{
    return new Window;
}

} // namespace

void RegisterGraphTools()
{
    GraphToolOption::Register(FREQBAR::settingsSection,
                              {MakeGraph<FREQBAR>, MakeOptionWindow<FreqbarOptionWindow>,
                               FreqGraphOptionWindow::ToWindow, FreqGraphOptionWindow::FromWindow});
    GraphToolOption::Register(FREQPIE::settingsSection,
                              {MakeGraph<FREQPIE>, MakeOptionWindow<FreqpieOptionWindow>,
                               FreqGraphOptionWindow::ToWindow, FreqGraphOptionWindow::FromWindow});
}
