// ZafReal: the real-number field: a ZafNumberField over a ZafRealData
// (double). The program reads it through GetValue, which first takes
// what the user typed. Persistence: level "ZafReal", class id 12.
#pragma once

#include "zaf/controls/ZafNumberField.h"

class ZafRealData;

class ZafReal : public ZafNumberFieldOf<ZafRealData, double>
{
public:
    static constexpr ZafClassID classID = 12;
    static constexpr const char *className = "ZafReal";

    ZafReal(int left, int top, int width, double value);
    // With an existing value data (null: a new zero one), attached as it is.
    ZafReal(int left, int top, int width, ZafRealData *data);
    ZafReal(const ZafReal &copy);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafReal(*this); }

    ZafReal(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    int SetRealData(ZafRealData *data);
    ZafRealData *RealData() const { return TypedData(); }
};
