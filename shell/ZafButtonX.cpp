#include "shell/ZafButtonX.h"

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

bool ZafButtonX::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

// The level pushed here names the object's class; the button's own
// constructor shares it and reads the fields.
ZafButtonX::ZafButtonX(const char *name, ZafWindowPersistence &persistence)
    : ZafButton(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafButtonX::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafButtonX(name, persistence);
}

void ZafButtonX::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafButton::Write(persistence);
    persistence.PopLevel();
}

void ZafButtonX::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}
