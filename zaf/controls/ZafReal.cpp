// ZafReal: the real field's value type.
#include "zaf/controls/ZafReal.h"

#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>

ZafReal::ZafReal(int left, int top, int width, double value) : ZafNumberField(left, top, width, className)
{
    SetValueData(new ZafRealData(value));
}

ZafReal::ZafReal(int left, int top, int width, ZafRealData *data) : ZafNumberField(left, top, width, className)
{
    SetValueData(data);
}

ZafReal::ZafReal(const ZafReal &copy) : ZafNumberField(copy, className)
{}

bool ZafReal::IsClassID(ZafClassID id) const
{
    return id == classID || ZafString::IsClassID(id);
}

bool ZafReal::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafString::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafReal::ZafReal(const char *name, ZafWindowPersistence &persistence)
    : ZafNumberField(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry), className)
{
    if (persistence.Error() == 0)
        ReadValueRecord(persistence);
    if (!valueData)
        SetValueData(nullptr);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafReal::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafReal(name, persistence);
}

void ZafReal::Write(ZafWindowPersistence &persistence)
{
    WriteNumberField(persistence, className, classID);
}

void ZafReal::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

ZafFormatData *ZafReal::ReadValueData(const char *name, ZafDataPersistence &persistence) const
{
    auto *data = new ZafRealData(name, persistence);
    if (data->Error() != 0) {
        delete data;
        return nullptr;
    }
    return data;
}

// --- Value -------------------------------------------------------------------------

ZafRealData *ZafReal::RealData() const
{
    return static_cast<ZafRealData *>(valueData);
}

double ZafReal::GetValue()
{
    ParseText();
    return RealData()->Value();
}

int ZafReal::SetValue(double value)
{
    unanswered = false;
    return RealData()->SetValue(value);
}

int ZafReal::SetRealData(ZafRealData *data)
{
    return SetValueData(data);
}

ZafFormatData *ZafReal::NewValueData() const
{
    return new ZafRealData(0.0);
}

// --- Type hooks --------------------------------------------------------------------

int ZafReal::CompareData(ZafData *a, ZafData *b)
{
    auto *first = dynamic_cast<ZafRealData *>(a);
    auto *second = dynamic_cast<ZafRealData *>(b);
    if (!first || !second)
        return 0;
    return first->Value() < second->Value() ? -1 : first->Value() > second->Value() ? 1 : 0;
}

int ZafReal::AssignData(ZafData *target, ZafData *source)
{
    auto *to = dynamic_cast<ZafRealData *>(target);
    auto *from = dynamic_cast<ZafRealData *>(source);
    if (!to || !from)
        return 1;
    to->AssignFrom(*from);
    return 0;
}

int ZafReal::ParseData(ZafData *data, const char *text, const char *format)
{
    auto *target = dynamic_cast<ZafRealData *>(data);
    if (!target)
        return 1;
    ZafRealData scanned(target->Value());
    const int error = scanned.SetFormattedText(text, format);
    if (error == 0)
        target->SetValue(scanned.Value());
    return error;
}

int ZafReal::DecrementData(ZafData *data, ZafData *step)
{
    auto *target = dynamic_cast<ZafRealData *>(data);
    auto *amount = dynamic_cast<ZafRealData *>(step);
    if (!target || !amount)
        return 1;
    target->SubtractValue(amount->Value());
    return 0;
}

int ZafReal::IncrementData(ZafData *data, ZafData *step)
{
    auto *target = dynamic_cast<ZafRealData *>(data);
    auto *amount = dynamic_cast<ZafRealData *>(step);
    if (!target || !amount)
        return 1;
    target->AddValue(amount->Value());
    return 0;
}

bool ZafReal::IsValueData(ZafData *data) const
{
    return dynamic_cast<ZafRealData *>(data) != nullptr;
}
