#include "analyses/GraphToolOption.h"

#include <map>

namespace {

std::map<int, GraphToolOption::Makers> &Registry()
{
    static std::map<int, GraphToolOption::Makers> makers;
    return makers;
}

} // namespace

void GraphToolOption::Register(int section, const Makers &makers)
{
    Registry()[section] = makers;
}

const GraphToolOption::Makers *GraphToolOption::Find(int section)
{
    const auto found = Registry().find(section);
    return found == Registry().end() ? nullptr : &found->second;
}

GraphToolOption::GraphToolOption(int section, unsigned long word) : GraphOption(section, word)
{}

ZafWindow *GraphToolOption::CreateGraphWindow(StatClass *computation)
{
    const Makers *makers = Find(sectionId);
    return makers && makers->graph && computation ? makers->graph(computation, this) : nullptr;
}

ZafWindow *GraphToolOption::CreateOptionWindow()
{
    const Makers *makers = Find(sectionId);
    return makers && makers->optionWindow ? makers->optionWindow(this) : nullptr;
}

void GraphToolOption::ToWindow()
{
    const Makers *makers = Find(sectionId);
    if (makers && makers->toWindow && optionWindow)
        makers->toWindow(optionWindow, optionWord);
}

void GraphToolOption::FromWindow()
{
    const Makers *makers = Find(sectionId);
    if (makers && makers->fromWindow && optionWindow)
        optionWord = makers->fromWindow(optionWindow, optionWord);
}
