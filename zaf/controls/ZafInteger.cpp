// ZafInteger: the integer field's value type.
#include "zaf/controls/ZafInteger.h"

#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>

ZafInteger::ZafInteger(int left, int top, int width, std::int32_t value) : ZafNumberField(left, top, width, className)
{
    SetValueData(new ZafIntegerData(value));
}

ZafInteger::ZafInteger(int left, int top, int width, ZafIntegerData *data) : ZafNumberField(left, top, width, className)
{
    SetValueData(data);
}

ZafInteger::ZafInteger(const ZafInteger &copy) : ZafNumberField(copy, className)
{}

bool ZafInteger::IsClassID(ZafClassID id) const
{
    return id == classID || ZafString::IsClassID(id);
}

bool ZafInteger::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafString::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafInteger::ZafInteger(const char *name, ZafWindowPersistence &persistence)
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

ZafElement *ZafInteger::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafInteger(name, persistence);
}

void ZafInteger::Write(ZafWindowPersistence &persistence)
{
    WriteNumberField(persistence, className, classID);
}

void ZafInteger::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

ZafFormatData *ZafInteger::ReadValueData(const char *name, ZafDataPersistence &persistence) const
{
    auto *data = new ZafIntegerData(name, persistence);
    if (data->Error() != 0) {
        delete data;
        return nullptr;
    }
    return data;
}

// --- Value -------------------------------------------------------------------------

ZafIntegerData *ZafInteger::IntegerData() const
{
    return static_cast<ZafIntegerData *>(valueData);
}

std::int32_t ZafInteger::GetValue()
{
    ParseText();
    return IntegerData()->Value();
}

int ZafInteger::SetValue(std::int32_t value)
{
    unanswered = false;
    return IntegerData()->SetValue(value);
}

int ZafInteger::SetIntegerData(ZafIntegerData *data)
{
    return SetValueData(data);
}

ZafFormatData *ZafInteger::NewValueData() const
{
    return new ZafIntegerData(0);
}

// --- Type hooks --------------------------------------------------------------------

int ZafInteger::CompareData(ZafData *a, ZafData *b)
{
    auto *first = dynamic_cast<ZafIntegerData *>(a);
    auto *second = dynamic_cast<ZafIntegerData *>(b);
    if (!first || !second)
        return 0;
    return first->Value() < second->Value() ? -1 : first->Value() > second->Value() ? 1 : 0;
}

int ZafInteger::AssignData(ZafData *target, ZafData *source)
{
    auto *to = dynamic_cast<ZafIntegerData *>(target);
    auto *from = dynamic_cast<ZafIntegerData *>(source);
    if (!to || !from)
        return 1;
    to->AssignFrom(*from);
    return 0;
}

int ZafInteger::ParseData(ZafData *data, const char *text, const char *format)
{
    auto *target = dynamic_cast<ZafIntegerData *>(data);
    if (!target)
        return 1;
    ZafIntegerData scanned(target->Value());
    const int error = scanned.SetFormattedText(text, format);
    if (error == 0)
        target->SetValue(scanned.Value());
    return error;
}

int ZafInteger::DecrementData(ZafData *data, ZafData *step)
{
    auto *target = dynamic_cast<ZafIntegerData *>(data);
    auto *amount = dynamic_cast<ZafIntegerData *>(step);
    if (!target || !amount)
        return 1;
    target->SubtractValue(amount->Value());
    return 0;
}

int ZafInteger::IncrementData(ZafData *data, ZafData *step)
{
    auto *target = dynamic_cast<ZafIntegerData *>(data);
    auto *amount = dynamic_cast<ZafIntegerData *>(step);
    if (!target || !amount)
        return 1;
    target->AddValue(amount->Value());
    return 0;
}

bool ZafInteger::IsValueData(ZafData *data) const
{
    return dynamic_cast<ZafIntegerData *>(data) != nullptr;
}
