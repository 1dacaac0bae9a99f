// UIDataFile: the program's own UI data file, MERVALO.ZNC, made from the
// windows that the program reads by name.
//
// Every such window is defined once, in code beside the subsystem that
// owns it, and listed in Definitions. Generate builds each definition,
// writes it through the library's Write into a new storage and saves the
// file; Verify reopens a file, reads every listed window back by its class
// and name and checks that writing them again gives the same file, byte
// for byte. Both answer 0 or an error code (a ZafError code, or 17 for
// a file that differs from its rewrite) and describe what they did or what
// failed in report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ZafWindow;

class UIDataFile
{
public:
    struct Definition
    {
        const char *name;
        ZafWindow *(*make)(); // a new window; the caller owns it
    };

    // Every window of the program's UI data file, in the order written.
    static const std::vector<Definition> &Definitions();

    static std::uint32_t Generate(const char *path, std::string &report);
    static std::uint32_t Verify(const char *path, std::string &report);
};
