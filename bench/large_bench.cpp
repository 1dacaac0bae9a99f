// Benchmark of large data sets (not a test): builds a data set of
// 10,000,000 cases (or the count given) and 197 variables, 194 of them
// 1-byte codes, 2 doubles and a float weight w uniform on 0.5-1.5 (the
// most that 10,000,000 cases fit in a system file, whose offsets are
// 32-bit: 2 GiB), through the converter's own path (value lists appended
// case by case, written by DataSetWriter), then runs every computation of
// the figures tool (statprint) on it, unweighted and weighted by w
// ("_w"), each in its own process, and prints per computation its time,
// the process's peak working set and peak pagefile use
// (GetProcessMemoryInfo), and its exit status. The first line, "open",
// only opens the data set: the base of every peak.
//
//   large_bench [cases] [--statprint path] [--keep] [--reuse] [--csv file]
//               [--csvvars a,b,...] [--codes n] [--only name,...] [--runs n] [--plain]
//
// The figures tool is found beside the benchmark (../bin/statprint.exe)
// unless given. The data set "large_bench.QVF" is written in the working
// directory and deleted at the end unless --keep; --reuse skips building
// when it exists. The memory budget is the program's setting (see
// docs/dataset-files.md), so every computation should peak at the budget
// plus the program's own size. --csv also writes the values as CSV (an
// empty field for a missing answer), for bench/large_pspp.sh; --csvvars
// writes only the variables named. --codes makes fewer 1-byte codes (at
// least 41, those the computations read; 16,000,000 cases of 41 codes fit
// a system file). --only runs only the computations named; --runs repeats
// the whole sequence, the runs interleaved (run 1 of every computation,
// then run 2 ...). Each computation's figures go to the file
// large_bench.out (written, not discarded: under Wine writing to NUL is
// slower than to a file). Each line gives the wall time, the peak working
// set and pagefile use, the processor time (user and kernel) and the peak
// of the memory budget that statprint reports (--peak; --plain leaves the
// option out, for a statprint without it).
#include <windows.h>
#include <psapi.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DataSetWriter.h"
#include "dataset/MemoryBudget.h"

namespace {

int kVariables = 197;
const int kDoubles = 2; // x1 and x2 come after the codes
int kWeight = kVariables - 1; // w is the last variable
const char *const kFile = "large_bench.QVF";

class Random
{
public:
    explicit Random(unsigned long long seed) : state(seed) {}
    unsigned Next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(state >> 33);
    }
    double Uniform() { return (Next() + 0.5) / 2147483648.0; }
    double Normal()
    {
        const double u = Uniform(), v = Uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
    }

private:
    unsigned long long state;
};

// Variable names: g, a, b (codes), d1..d10 (0/1), q1..q5 (codes 1-9 with
// missing 0), c19..c194 (codes), x1, x2 (doubles), w (float).
int kCodes = kVariables - kDoubles - 1;
std::string Name(int v)
{
    if (v == kWeight)
        return "w";
    if (v < 3)
        return std::string(1, "gab"[v]);
    if (v < 13)
        return "d" + std::to_string(v - 2);
    if (v < 18)
        return "q" + std::to_string(v - 12);
    if (v < kCodes)
        return "c" + std::to_string(v + 1);
    return "x" + std::to_string(v - kCodes + 1);
}

double Value(int v, Random &r, const double *x)
{
    if (v == kWeight)
        return static_cast<float>(0.5 + r.Uniform());
    if (v == 0)
        return 1 + r.Next() % 5;
    if (v == 1)
        return 1 + r.Next() % 4;
    if (v < 13)
        return r.Next() % 2;
    if (v < 18) {
        const unsigned code = r.Next() % 10;
        return code == 0 ? DBL_MAX : code; // some cases without an answer
    }
    if (v < kCodes)
        return r.Next() % (2 + v % 30);
    // x2 follows x1.
    if (v == kCodes)
        return std::round((50 + 10 * r.Normal()) * 100) / 100;
    return std::round((0.5 * x[0] + 10 * r.Normal()) * 100) / 100;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double MiB(size_t bytes)
{
    return bytes / 1048576.0;
}

// The variables written to the CSV (all when none are named).
std::vector<bool> csvWanted;

bool Build(long cases, const char *csv)
{
    std::FILE *out = csv ? std::fopen(csv, "w") : nullptr;
    csvWanted.resize(kVariables, csvWanted.empty());
    int lastWanted = 0;
    for (int v = 0; v < kVariables; ++v)
        if (csvWanted[v])
            lastWanted = v;
    if (out)
        for (int v = 0; v < kVariables; ++v)
            if (csvWanted[v])
                std::fprintf(out, "%s%c", Name(v).c_str(), v < lastWanted ? ',' : '\n');
    std::vector<TMPLISTETYPE *> lists;
    for (int v = 0; v < kVariables; ++v)
        lists.push_back(new TMPLISTETYPE(v < kCodes ? STORAGE_U8 : v == kWeight ? STORAGE_FLOAT : STORAGE_DOUBLE));
    Random random(20261206);
    double x[kDoubles];
    for (long c = 0; c < cases; ++c)
        for (int v = 0; v < kVariables; ++v) {
            const double value = Value(v, random, x);
            const bool write = out && csvWanted[v];
            const char end = v < lastWanted ? ',' : '\n';
            if (v == kWeight) {
                lists[v]->AppendReal(value);
                if (write)
                    std::fprintf(out, "%.9g%c", value, end);
            } else if (v >= kCodes) {
                x[v - kCodes] = value;
                lists[v]->AppendReal(value);
                if (write)
                    std::fprintf(out, "%.2f%c", value, end);
            } else {
                lists[v]->AppendInt(value == DBL_MAX ? 255 : static_cast<long>(value));
                if (write) {
                    if (value != DBL_MAX)
                        std::fprintf(out, "%d", static_cast<int>(value));
                    std::fputc(end, out);
                }
            }
        }
    if (out)
        std::fclose(out);
    DataSetWriter writer(kFile);
    writer.SetCaseCount(cases);
    for (int v = 0; v < kVariables; ++v) {
        VariableInfo info;
        std::snprintf(info.name, sizeof info.name, "%s", Name(v).c_str());
        info.storageType = lists[v]->storageType;
        info.decimals = v < kCodes ? 0 : v == kWeight ? 3 : 2;
        if (writer.AddVariable(info, std::vector<CategoryLabel>(), lists[v], true) != 0) {
            std::fprintf(stderr, "large_bench: variable %s refused: %s\n", info.name, writer.GetErrorText());
            return false;
        }
    }
    if (writer.Write() != 0) {
        std::fprintf(stderr, "large_bench: the data set cannot be written: %s\n", writer.GetErrorText());
        return false;
    }
    return true;
}

void PrintMemory(const char *name, double seconds, HANDLE process, const char *status)
{
    PROCESS_MEMORY_COUNTERS counters;
    std::memset(&counters, 0, sizeof counters);
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    std::printf("%-12s %9.3f s  peak working set %7.1f MiB  peak pagefile %7.1f MiB  %s\n", name, seconds,
                MiB(counters.PeakWorkingSetSize), MiB(counters.PeakPagefileUsage), status);
    std::fflush(stdout);
}

// Runs the figures tool on the data set; its figures go to NUL.
bool askPeak = true; // statprint --peak (an older statprint lacks it: --plain)

void RunComputation(const std::string &statprint, const char *name, const char *arguments)
{
    std::string command = "\"" + statprint + "\" " + kFile + " " + arguments + (askPeak ? " --peak" : "");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("large_bench.out", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        std::printf("%-12s cannot start %s\n", name, statprint.c_str());
        CloseHandle(nul);
        return;
    }
    // The counters are read while the process still exists: after its
    // last instruction, before the handle lets it go.
    PROCESS_MEMORY_COUNTERS last;
    std::memset(&last, 0, sizeof last);
    while (WaitForSingleObject(info.hProcess, 50) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS now;
        now.cb = sizeof now;
        if (GetProcessMemoryInfo(info.hProcess, &now, sizeof now) && now.PeakWorkingSetSize)
            last = now;
    }
    const double seconds = Seconds(start);
    // The processor time of the process (user and kernel): less moved by
    // other processes on a shared machine than the wall time.
    FILETIME created, ended, kernel, user;
    double cpu = 0.0;
    if (GetProcessTimes(info.hProcess, &created, &ended, &kernel, &user)) {
        const auto ticks = [](const FILETIME &t) {
            return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        cpu = static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    char status[40];
    std::snprintf(status, sizeof status, code == 0 ? "finished" : "exit %#lx", static_cast<unsigned long>(code));
    PROCESS_MEMORY_COUNTERS after;
    std::memset(&after, 0, sizeof after);
    after.cb = sizeof after;
    GetProcessMemoryInfo(info.hProcess, &after, sizeof after);
    if (after.PeakWorkingSetSize < last.PeakWorkingSetSize)
        after = last;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(nul);
    // The budget's peak, from the figures' last line (statprint --peak).
    double budget = -1.0;
    if (std::FILE *figures = std::fopen("large_bench.out", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, figures))
            if (std::strncmp(line, "peak.budget ", 12) == 0)
                budget = std::atof(line + 12);
        std::fclose(figures);
    }
    std::printf("%-12s %9.3f s  peak working set %7.1f MiB  peak pagefile %7.1f MiB  cpu %7.3f s  budget %7.2f MiB  %s\n",
                name, seconds, MiB(after.PeakWorkingSetSize), MiB(after.PeakPagefileUsage), cpu,
                budget < 0 ? -1.0 : MiB(static_cast<size_t>(budget)), status);
    std::fflush(stdout);
}

// A path relative to the benchmark's own directory.
std::string Beside(const char *relative)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string own(path, n < sizeof path ? n : 0);
    const size_t slash = own.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : own.substr(0, slash + 1)) + relative;
}

} // namespace

int main(int argc, char **argv)
{
    long cases = 10000000;
    bool keep = false, reuse = false;
    const char *csv = nullptr;
    std::string only, csvVars;
    int repeat = 1, codes = 0;
    std::string statprint = Beside("..\\bin\\statprint.exe");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--statprint") == 0 && i + 1 < argc)
            statprint = argv[++i];
        else if (std::strcmp(argv[i], "--csv") == 0 && i + 1 < argc)
            csv = argv[++i];
        else if (std::strcmp(argv[i], "--csvvars") == 0 && i + 1 < argc)
            csvVars = argv[++i];
        else if (std::strcmp(argv[i], "--codes") == 0 && i + 1 < argc)
            codes = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = std::string(",") + argv[++i] + ",";
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            repeat = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--plain") == 0)
            askPeak = false;
        else if (std::strcmp(argv[i], "--keep") == 0)
            keep = true;
        else if (std::strcmp(argv[i], "--reuse") == 0)
            reuse = true;
        else
            cases = std::atol(argv[i]);
    }
    if (codes >= 41 && codes < kCodes) {
        kCodes = codes;
        kVariables = kCodes + kDoubles + 1;
        kWeight = kVariables - 1;
    }
    if (!csvVars.empty()) {
        csvWanted.assign(kVariables, false);
        const std::string list = "," + csvVars + ",";
        for (int v = 0; v < kVariables; ++v)
            csvWanted[v] = list.find("," + Name(v) + ",") != std::string::npos;
    }
    std::printf("%ld cases, %d variables; memory budget %.0f MiB\n", cases, kVariables, MiB(MemoryBudget::Limit()));
    if (!(reuse && GetFileAttributesA(kFile) != INVALID_FILE_ATTRIBUTES)) {
        const auto start = std::chrono::steady_clock::now();
        if (!Build(cases, csv))
            return 1;
        PrintMemory("build", Seconds(start), GetCurrentProcess(), "finished");
    }
    const struct
    {
        const char *name;
        const char *arguments;
    } runs[] = {
        {"freq", "freq a"},
        {"desc", "desc x1"},
        {"xtab", "xtab b a"},
        {"oneway", "oneway x1 g"},
        {"corr", "corr x1 x2 c19 c20 c21 c22 c23 c24 c25 c26 c27 c28 c29 c30 c31 c32 c33 c34 c35 c36 c37 c38 c39 c40"},
        {"reg", "reg x2 x1 c19 c20 c21 c22 c23 c24 c25 c26 c27 c28 c29 c30 c31 c32 c33 c34 c35 c36 c37 c38 c39 c40"},
        {"desc_a", "desc a"},
        {"ttest", "ttest x1 x2"},
        {"sign", "sign x1 x2"},
        {"wilcoxon", "wilcoxon x1 x2"},
        {"mcnemar", "mcnemar d1 d2"},
        {"multfreq", "multfreq q1 q2 q3 q4 q5"},
        {"multdiko", "multdiko d1 d2 d3 d4 d5 d6 d7 d8 d9 d10"},
        {"ntab", "ntab a g b"},
    };
    for (int r = 0; r < repeat; ++r) {
        RunComputation(statprint, "open", "open");
        for (const auto &run : runs) {
            if (!only.empty() && only.find("," + std::string(run.name) + ",") == std::string::npos)
                continue;
            RunComputation(statprint, run.name, run.arguments);
            RunComputation(statprint, (std::string(run.name) + "_w").c_str(),
                           (std::string(run.arguments) + " --weight w").c_str());
        }
    }
    if (!keep) {
        DeleteFileA(kFile);
        DeleteFileA("large_bench.IND");
        DeleteFileA("large_bench.dkm");
    }
    return 0;
}
