// savekill: saves a data set and ends its own process at a chosen step of
// the save, as a crash or a power cut would, so that a test can check what
// the next open makes of the files left behind.
//
//   savekill add <dataset.QVF> <step>      adds a variable "res" (DATASET::AddVariable)
//   savekill rewrite <dataset.QVF> <step>  writes a new data set of 2 variables and
//                                          5 cases over it, without documentation
//   savekill open <dataset.QVF> <step>     only opens it (an interrupted save is then
//                                          finished or undone, and may be killed too)
//   savekill hold <name file> <event>      makes a value list with a temporary file,
//                                          writes the file's name to <name file>, sets
//                                          the named event and waits to be ended
//
// The step is a DataSetWriter::SaveStep (0: none). Exit code: 0 done,
// DataSetWriter::KILLED_EXIT_CODE ended at the step, 1 a failure (told on
// standard error).
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetWriter.h"

#include <windows.h>

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

int Fail(const char *what, const char *text)
{
    std::fprintf(stderr, "savekill: %s: %s\n", what, text);
    return 1;
}

VariableInfo Variable(const char *name, int type)
{
    VariableInfo info;
    DataSetLayout::CopyBounded(info.name, sizeof info.name, name);
    info.storageType = type;
    info.decimals = IsIntegerStorage(type) ? 0 : 3;
    return info;
}

int AddVariable(const char *fileName)
{
    DATASET dataSet;
    if (dataSet.Open(fileName))
        return Fail("open", dataSet.GetErrorText());
    // Case c (from 0) holds c / 4; case 3 is missing.
    TMPLISTETYPE values(STORAGE_DOUBLE);
    for (long c = 0; c < dataSet.GetCaseCount(); ++c)
        values.AppendReal(c == 3 ? DBL_MAX : c / 4.0);
    if (!dataSet.AddVariable(Variable("res", STORAGE_DOUBLE), {{0.0, "Zero"}}, &values))
        return Fail("add", dataSet.GetErrorText());
    return 0;
}

int Rewrite(const char *fileName)
{
    // Case c (from 0): p = c + 1, q = c * 1.5.
    std::unique_ptr<TMPLISTETYPE> p(new TMPLISTETYPE(STORAGE_DOUBLE)), q(new TMPLISTETYPE(STORAGE_DOUBLE));
    for (long c = 0; c < 5; ++c) {
        p->AppendReal(c + 1.0);
        q->AppendReal(c * 1.5);
    }
    DataSetWriter writer(fileName);
    writer.SetCaseCount(5);
    if (writer.AddVariable(Variable("p", STORAGE_U8), {}, p.get()) ||
        writer.AddVariable(Variable("q", STORAGE_DOUBLE), {}, q.get()) || writer.Write())
        return Fail("write", writer.GetErrorText());
    return 0;
}

int Hold(const char *nameFile, const char *eventName)
{
    // A window of 8 KiB for 200000 doubles: the rest lives in the file.
    TMPLISTETYPE values(STORAGE_DOUBLE, 200000, 8192);
    if (!values.HasFile())
        return Fail("hold", "the list made no temporary file");
    FILE *out = std::fopen(nameFile, "wb");
    if (!out)
        return Fail("hold", nameFile);
    std::fputs(values.FileName(), out);
    std::fclose(out);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!ready || !SetEvent(ready))
        return Fail("hold", eventName);
    Sleep(INFINITE);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return Fail("usage", "savekill add|rewrite|open <dataset.QVF> <step>");
    if (std::strcmp(argv[1], "hold") == 0)
        return Hold(argv[2], argv[3]);
    DataSetWriter::SetKillStep(std::atoi(argv[3]));
    if (std::strcmp(argv[1], "add") == 0)
        return AddVariable(argv[2]);
    if (std::strcmp(argv[1], "rewrite") == 0)
        return Rewrite(argv[2]);
    if (std::strcmp(argv[1], "open") == 0) {
        DATASET dataSet;
        if (dataSet.Open(argv[2]))
            return Fail("open", dataSet.GetErrorText());
        return 0;
    }
    return Fail("mode", argv[1]);
}
