// The one switch of the golden files: with MERVALO_UPDATE_GOLDEN set in the
// environment the tests write what they produce as the new golden files
// instead of comparing with them; the difference is then reviewed like code.
#pragma once

#include <cstdlib>

namespace testsupport {

inline bool UpdateGolden()
{
    return std::getenv("MERVALO_UPDATE_GOLDEN") != nullptr;
}

} // namespace testsupport
