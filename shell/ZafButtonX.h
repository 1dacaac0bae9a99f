// ZafButtonX: the program's own button class (class id 3500, "ZafButtonX"),
// from which the option windows' check boxes and radio buttons (OpButton,
// RadioButton) derive. It is a ZafButton under a class of its own, so that
// a window of the UI data file that holds one reads it back as one: it
// reads and writes the button's fields under its own level.
//
// RegisterPersistence enters its New in the program's constructor table;
// the program's start-up and every builder of the program's windows call
// it (RegisterMainWindowClasses, OptionWindowBuilder::RegisterClasses).
#pragma once

#include "zaf/controls/ZafButton.h"

class ZafButtonX : public ZafButton
{
public:
    static constexpr ZafClassID classID = 3500;
    static constexpr const char *className = "ZafButtonX";

    ZafButtonX(int left, int top, int width, int height, const char *text, ZafBitmapData *bitmap = nullptr,
               ButtonType type = pushButton)
        : ZafButton(left, top, width, height, text, bitmap, type)
    {}
    ZafButtonX(const ZafButtonX &copy) = default;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override { return id == classID || ZafButton::IsClassID(id); }
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafButtonX(*this); }

    // --- Persistence ------------------------------------------------------
    ZafButtonX(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();
};
