#include "dataset/KATLABS.h"

#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"

#include <algorithm>
#include <cstring>

KATLABS::KATLABS(DATASET *source) : dataSet(source)
{}

KATLABS *KATLABS::ConstructAndRead(long variable, DATASET *source, int flag)
{
    KATLABS *labels = new KATLABS(source);
    labels->ReadLabels(variable, flag);
    return labels;
}

bool KATLABS::ReadLabels(long variable, int flag)
{
    labels.clear();
    caption.clear();
    variableNumber = variable;
    error = 0;
    DATASET *source = dataSet ? dataSet : ProgramSettings::Instance()->GetDataSet(0);
    if (!source) {
        error = DSERR_NO_DATASET;
        return false;
    }
    char text[MAX_CAPTION + 1];
    if (!source->GetVariableCaption(variable, text, sizeof text)) {
        error = DSERR_ARGUMENT;
        return false;
    }
    caption = text;
    if (flag)
        return true;
    error = source->ReadCategoryLabels(variable, &labels);
    if (error)
        labels.clear();
    return error == 0;
}

double KATLABS::GetValue(int index) const
{
    return index >= 0 && index < GetCount() ? labels[static_cast<size_t>(index)].value : 0.0;
}

const char *KATLABS::GetText(int index) const
{
    return index >= 0 && index < GetCount() ? labels[static_cast<size_t>(index)].text.c_str() : "";
}

int KATLABS::FindValue(double value) const
{
    auto it = std::lower_bound(labels.begin(), labels.end(), value,
                               [](const CategoryLabel &label, double v) { return label.value < v; });
    if (it == labels.end() || it->value != value)
        return -1;
    return static_cast<int>(it - labels.begin());
}

const char *KATLABS::GetLabelText(double value) const
{
    int index = FindValue(value);
    return index < 0 ? "" : labels[static_cast<size_t>(index)].text.c_str();
}

int KATLABS::GetLongestLabelLength() const
{
    size_t longest = 0;
    for (const CategoryLabel &label : labels)
        longest = std::max(longest, label.text.size());
    return static_cast<int>(longest);
}

void KATLABS::Add(double value, const char *text)
{
    std::string t(text ? text : "");
    if (t.size() > QVF_MAX_CATEGORY_TEXT)
        t.resize(QVF_MAX_CATEGORY_TEXT);
    auto it = std::upper_bound(labels.begin(), labels.end(), value,
                               [](double v, const CategoryLabel &label) { return v < label.value; });
    if (it != labels.begin() && (it - 1)->value == value) {
        (it - 1)->text = t;
        return;
    }
    labels.insert(it, CategoryLabel{value, t});
}

void KATLABS::SetCaption(const char *text)
{
    caption = text ? text : "";
    if (caption.size() > MAX_CAPTION)
        caption.resize(MAX_CAPTION);
}
