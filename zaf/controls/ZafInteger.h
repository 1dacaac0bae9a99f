// ZafInteger: the whole-number field: a ZafNumberField over a ZafIntegerData
// (signed 32 bits). The program reads it through GetValue, which first takes
// what the user typed. Persistence: level "ZafInteger", class id 6.
#pragma once

#include "zaf/controls/ZafNumberField.h"

#include <cstdint>

class ZafIntegerData;

class ZafInteger : public ZafNumberFieldOf<ZafIntegerData, std::int32_t>
{
public:
    static constexpr ZafClassID classID = 6;
    static constexpr const char *className = "ZafInteger";

    ZafInteger(int left, int top, int width, std::int32_t value);
    // With an existing value data (null: a new zero one), attached as it is.
    ZafInteger(int left, int top, int width, ZafIntegerData *data);
    ZafInteger(const ZafInteger &copy);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafInteger(*this); }

    ZafInteger(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    int SetIntegerData(ZafIntegerData *data);
    ZafIntegerData *IntegerData() const { return TypedData(); }
};
