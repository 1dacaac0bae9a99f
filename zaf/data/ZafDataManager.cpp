#include "zaf/data/ZafDataManager.h"

#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafStringData.h"

ZafDataManager *zafDataManager = nullptr;
ZafDataPersistence *zafDataPersistence = nullptr;

bool ZafDataManager::IsClassID(ZafClassID id) const
{
    return id == classID || ZafDataRecord::IsClassID(id);
}

bool ZafDataManager::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafDataRecord::IsClassName(name);
}

ZafData *ZafDataManager::GetData(const char *name, const char *dataClassName)
{
    if (ZafElement *found = FindByStringID(name))
        return dynamic_cast<ZafData *>(found);
    if (!zafDataPersistence || !name || !dataClassName)
        return nullptr;
    ZafReadFunction New = zafDataPersistence->GetDataConstructor(0, dataClassName);
    if (!New)
        return nullptr;
    ZafElement *read = New(name, *zafDataPersistence);
    auto *data = dynamic_cast<ZafData *>(read);
    if (!data || data->Error() != 0) {
        delete read;
        return nullptr;
    }
    Add(data);
    data->AddNotification(this, nullptr, 3);
    return data;
}

namespace {

struct DataClass
{
    const char *className;
    ZafClassID classID;
    ZafReadFunction New;
};

// Bitmaps and icons are found by name only, as the program's table has it.
const DataClass dataClasses[] = {
    {ZafStringData::className, ZafStringData::classID, ZafStringData::New},
    {ZafIntegerData::className, ZafIntegerData::classID, ZafIntegerData::New},
    {ZafRealData::className, ZafRealData::classID, ZafRealData::New},
    {ZafScrollData::className, ZafScrollData::classID, ZafScrollData::New},
    {ZafPaletteData::className, ZafPaletteData::classID, ZafPaletteData::New},
    {ZafBitmapData::className, 0, ZafBitmapData::New},
    {ZafIconData::className, 0, ZafIconData::New},
    {ZafLanguageData::className, 0, ZafLanguageData::New},
    {ZafMouseData::className, ZafMouseData::classID, ZafMouseData::New},
    {ZafDataRecord::className, ZafDataRecord::classID, ZafDataRecord::New},
};

} // namespace

void ZafDataManager::RegisterDataClasses()
{
    for (const DataClass &entry : dataClasses)
        ZafPersistenceRegistry::RegisterNew(entry.className, entry.New);
}

void ZafDataManager::AddDataConstructors(ZafDataPersistence &persistence)
{
    for (const DataClass &entry : dataClasses)
        persistence.AddDataConstructor(entry.className, entry.classID, entry.New);
}
