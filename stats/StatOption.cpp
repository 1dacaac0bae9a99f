#include "stats/StatOption.h"

#include <cstring>

StatOption::StatOption()
{}

StatOption::~StatOption()
{
    delete[] name;
}

ZafWindow *StatOption::PreOptionWindow()
{
    return preOptionWindow;
}

ZafWindow *StatOption::CreateOptionWindow()
{
    return nullptr;
}

const char *StatOption::ListText()
{
    return GetName();
}

void StatOption::SetVariablePrompts(ZafWindow *)
{}

void StatOption::ToWindow()
{}

void StatOption::FromWindow()
{}

bool StatOption::Run()
{
    return false;
}

void StatOption::SaveSettings()
{
    FromWindow();
}

void StatOption::LoadSettings(int)
{}

void StatOption::TakeFromWindow()
{
    FromWindow();
}

void StatOption::TakeFromWindow(const StatOption &)
{}

void StatOption::Assign(const StatOption &other)
{
    parameterWord = other.parameterWord;
    optionsBeforeRun = other.optionsBeforeRun;
    SetName(other.name);
}

void StatOption::TakePreOptionAnswers(const StatOption &)
{}

void StatOption::SetName(const char *text)
{
    if (text == name)
        return;
    delete[] name;
    name = nullptr;
    if (text) {
        const size_t length = std::strlen(text);
        name = new char[length + 1];
        std::memcpy(name, text, length + 1);
    }
}
