// The English language file (qivsteng.btx in MERVALO_LANGUAGE_DIR, which the
// test's build defines) as the computations' text catalogue while the object
// lives; a file that fails to load fails the test.
#pragma once

#include <gtest/gtest.h>

#include "dataset/TextCatalog.h"
#include "stats/StatClass.h"

namespace testsupport {

class EnglishTexts
{
public:
    EnglishTexts() : catalog(MERVALO_LANGUAGE_DIR, "eng")
    {
        EXPECT_EQ(TEXTCAT_OK, catalog.Error()) << catalog.ErrorText();
        SetStatTextCatalog(&catalog);
    }
    ~EnglishTexts() { SetStatTextCatalog(nullptr); }
    EnglishTexts(const EnglishTexts &) = delete;
    EnglishTexts &operator=(const EnglishTexts &) = delete;

    TextCatalog catalog;
};

} // namespace testsupport
