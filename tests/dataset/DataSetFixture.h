// Shared set-up of the data-set tests: a temporary directory per test and a
// small data set, written by the converter's builder, whose every value the
// tests know.
#pragma once

#include "dataset/DataSetBuilder.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using testsupport::TempDirectory;

// Twelve cases; one variable of each storage type with its sentinel (empty
// cell) and user-missing codes, labels, a weight, a selection and a region.
inline const char *TypesDescription()
{
    return "doc A small data set of every storage type.\n"
           "categories ab\nvalue 2 = Bee\nvalue 1 = Ay\nvalue 9 = No answer\n"
           "variable u8v\nlabel One byte\ntype u8\nwidth 2\nmissing 9\nlabels ab\ndoc Byte documentation.\n"
           "variable i16v\nlabel Two bytes\ntype i16\nmissing -1\n"
           "variable i32v\nlabel Four bytes\ntype i32\nmissing 99999 88888\n"
           "variable fltv\nlabel A float\ntype float\ndecimals 2\nmissing 99.5\n"
           "variable dblv\n"
           "label A double with a label of exactly seventy characters: 12345678901234567\n"
           "type double\n"
           "variable wgt\ntype double\n"
           "variable sel\ntype u8\n"
           "variable reg\ntype u8\nvalue 1 = North\nvalue 2 = South\n"
           "weight wgt\nregion reg\nselection sel Only the selected\n";
}

inline const char *TypesCsv()
{
    return "u8v,i16v,i32v,fltv,dblv,wgt,sel,reg\n"
           "1,-5,100000,1.25,0.5,1,1,1\n"
           "2,32766,-2147483648,-3.5,-1e300,2,1,2\n"
           ",-32768,,99.5,,0.5,0,1\n"
           "9,,88888,,3.25,,1,2\n"
           "254,-1,99999,2.75,1e300,1.5,0,1\n"
           "0,7,7,7,7,1,1,2\n"
           "1,8,8,8,8,1,0,1\n"
           "2,9,9,9,9,1,1,2\n"
           "1,10,10,10,10,1,0,1\n"
           "2,11,11,11,11,1,1,2\n"
           "1,12,12,12,12,1,0,1\n"
           "2,13,2147483646,13,13,3,1,2\n";
}

inline int BuildDataSet(const std::string &description, const std::string &csv, const std::string &qvf,
                        std::string *error = nullptr)
{
    DataSetBuilder builder;
    int code = builder.ReadDescription(description);
    if (!code)
        code = builder.ReadCsv(csv);
    if (!code)
        code = builder.Write(qvf.c_str());
    if (error)
        *error = builder.GetErrorText();
    return code;
}

using testsupport::ReadWholeFile;

// Written whole, or the test fails.
inline void WriteFileBytes(const std::string &name, const std::vector<unsigned char> &bytes)
{
    ASSERT_TRUE(testsupport::WriteWholeFile(name, bytes)) << name;
}

inline bool FileExists(const std::string &name)
{
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The repository's English language file, found from this source file's
// path; under Wine the Unix root is drive Z:.
inline std::string EnglishLanguageFile()
{
    std::string source = __FILE__;
    std::string path = source.substr(0, source.rfind("tests")) + "lang/qivsteng.btx";
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
