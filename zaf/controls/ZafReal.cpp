// ZafReal: the real field's value type.
#include "zaf/controls/ZafReal.h"

#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>

ZafReal::ZafReal(int left, int top, int width, double value) : ZafNumberFieldOf(left, top, width, className)
{
    SetValueData(new ZafRealData(value));
}

ZafReal::ZafReal(int left, int top, int width, ZafRealData *data) : ZafNumberFieldOf(left, top, width, className)
{
    SetValueData(data);
}

ZafReal::ZafReal(const ZafReal &copy) : ZafNumberFieldOf(copy, className)
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
    : ZafNumberFieldOf(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry), className)
{
    FinishReading(persistence);
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

int ZafReal::SetRealData(ZafRealData *data)
{
    return SetValueData(data);
}
