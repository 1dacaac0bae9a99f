// Shared set-up of the data-set tests: a temporary directory per test and a
// small data set, written by the converter's builder, whose every value the
// tests know.
#pragma once

#include "dataset/DataSetBuilder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

class TempDirectory {
public:
    TempDirectory()
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int counter = 0;
        char name[MAX_PATH + 64];
        std::snprintf(name, sizeof name, "%smervalo_ds_%lu_%d", base, GetCurrentProcessId(), ++counter);
        path = name;
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempDirectory()
    {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((path + "\\*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((path + "\\" + data.cFileName).c_str());
            } while (FindNextFileA(h, &data));
            FindClose(h);
        }
        RemoveDirectoryA(path.c_str());
    }
    std::string File(const char *name) const { return path + "\\" + name; }
    // Names of the files the directory holds, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((path + "\\*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    names.push_back(data.cFileName);
            } while (FindNextFileA(h, &data));
            FindClose(h);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string path;
};

// Twelve cases; one variable of each storage type with its sentinel (empty
// cell) and user-missing codes, labels, a weight, a selection and a region.
inline const char *TypesDescription()
{
    return "doc A small data set of every storage type.\n"
           "categories ab\n"
           "value 2 = Bee\n"
           "value 1 = Ay\n"
           "value 9 = No answer\n"
           "variable u8v\n"
           "label One byte\n"
           "type u8\n"
           "width 2\n"
           "missing 9\n"
           "labels ab\n"
           "doc Byte documentation.\n"
           "variable i16v\n"
           "label Two bytes\n"
           "type i16\n"
           "missing -1\n"
           "variable i32v\n"
           "label Four bytes\n"
           "type i32\n"
           "missing 99999 88888\n"
           "variable fltv\n"
           "label A float\n"
           "type float\n"
           "decimals 2\n"
           "missing 99.5\n"
           "variable dblv\n"
           "label A double with a label of exactly seventy characters: 12345678901234567\n"
           "type double\n"
           "variable wgt\n"
           "type double\n"
           "variable sel\n"
           "type u8\n"
           "variable reg\n"
           "type u8\n"
           "value 1 = North\n"
           "value 2 = South\n"
           "weight wgt\n"
           "region reg\n"
           "selection sel Only the selected\n";
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

// The bytes of a file, or an empty vector.
inline std::vector<unsigned char> ReadFileBytes(const std::string &name)
{
    std::vector<unsigned char> bytes;
    FILE *f = std::fopen(name.c_str(), "rb");
    if (!f)
        return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
    return bytes;
}

inline void WriteFileBytes(const std::string &name, const std::vector<unsigned char> &bytes)
{
    FILE *f = std::fopen(name.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}
