#include "zaf/data/ZafLocaleDefaults.h"

namespace {

const ZafNumberConventions canonicalConventions = {
    ".",
    ".",
    ",",
    ",",
    "$",
    {3, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {3, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    1,
    1,
    "+",
    1,
    0,
    "-",
    1,
    0,
    "(",
    ")",
    "%d",
    "%d",
    "%g",
    "%g",
    "0123456789",
    "0123456789",
};

const ZafNumberConventions *currentConventions = nullptr;

} // namespace

const ZafNumberConventions &ZafLocaleDefaults::Canonical()
{
    return canonicalConventions;
}

const ZafNumberConventions &ZafLocaleDefaults::Current()
{
    return currentConventions ? *currentConventions : canonicalConventions;
}

const ZafNumberConventions *ZafLocaleDefaults::SetCurrent(const ZafNumberConventions *conventions)
{
    const ZafNumberConventions *previous = currentConventions;
    currentConventions = conventions == &canonicalConventions ? nullptr : conventions;
    return previous;
}
