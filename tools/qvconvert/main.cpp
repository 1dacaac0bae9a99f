// qvconvert: makes a data set from a description and a CSV file of values,
// or a map file from a map source. docs/dataset-description.md tells the
// input formats.
//
//   qvconvert <description> <values.csv> <dataset.QVF>
//   qvconvert --map <map source> <map.KRT>
#include "MapSource.h"

#include "dataset/DataSetBuilder.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--map") == 0) {
        std::string error;
        if (!ConvertMapSource(argv[2], argv[3], &error)) {
            std::fprintf(stderr, "qvconvert: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: qvconvert <description> <values.csv> <dataset.QVF>\n"
                             "       qvconvert --map <map source> <map.KRT>\n");
        return 2;
    }
    DataSetBuilder builder;
    try {
        if (builder.ReadDescriptionFile(argv[1]) || builder.ReadCsvFile(argv[2]) || builder.Write(argv[3])) {
            std::fprintf(stderr, "qvconvert: %s\n", builder.GetErrorText());
            return 1;
        }
    } catch (const std::bad_alloc &) {
        // The values go to paged lists; what did not fit is the rest (the
        // description, one line of the file, the writer's buffers).
        std::fprintf(stderr,
                     "qvconvert: there is not enough memory to convert %s into %s (%ld variables, %ld cases "
                     "read); the data set was not written\n",
                     argv[2], argv[3], builder.GetVariableCount(), builder.GetCaseCount());
        return 1;
    }
    std::printf("qvconvert: %s: %ld variables, %ld cases\n", argv[3], builder.GetVariableCount(),
                builder.GetCaseCount());
    return 0;
}
