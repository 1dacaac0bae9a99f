// ZafInteger: the integer field's value type.
#include "zaf/controls/ZafInteger.h"

#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>

ZafInteger::ZafInteger(int left, int top, int width, std::int32_t value) : ZafNumberFieldOf(left, top, width, className)
{
    SetValueData(new ZafIntegerData(value));
}

ZafInteger::ZafInteger(int left, int top, int width, ZafIntegerData *data)
    : ZafNumberFieldOf(left, top, width, className)
{
    SetValueData(data);
}

ZafInteger::ZafInteger(const ZafInteger &copy) : ZafNumberFieldOf(copy, className)
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
    : ZafNumberFieldOf(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry), className)
{
    FinishReading(persistence);
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

int ZafInteger::SetIntegerData(ZafIntegerData *data)
{
    return SetValueData(data);
}
