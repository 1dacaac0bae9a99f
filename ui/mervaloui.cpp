// The UI data file generator, run by the build: writes MERVALO.ZNC (or the
// file named by the first argument) and checks it. Exit code 0 when the
// file was written and read back unchanged, 1 otherwise.
#include "ui/UIDataFile.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    const char *path = argc > 1 ? argv[1] : "MERVALO.ZNC";
    std::string report;
    std::uint32_t error = UIDataFile::Generate(path, report);
    if (error == 0)
        error = UIDataFile::Verify(path, report);
    std::fputs(report.c_str(), error ? stderr : stdout);
    if (error != 0) {
        std::fprintf(stderr, "mervaloui: error %u; %s removed\n", static_cast<unsigned>(error), path);
        std::remove(path);
        return 1;
    }
    return 0;
}
