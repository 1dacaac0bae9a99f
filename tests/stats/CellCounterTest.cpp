// Cells counted by category numbers: the dense array that widens as
// categories come and the hash beyond it give the same cells, and the
// n-way table built on them counts every cell, column base and percentage
// as a count over the cases by hand does, dense or not, for a variable or
// a multiple-response set whose members are stored differently.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GoldenData.h"
#include "dataset/DATASET.h"
#include "stats/CellCounter.h"
#include "stats/NTABOBJ.h"

namespace {

typedef std::map<std::vector<uint32_t>, double> CellMap;

CellMap CellsOf(const CellCounter &counter, int dimensions)
{
    CellMap cells;
    counter.ForEach([&](const uint32_t *index, double count) {
        cells[std::vector<uint32_t>(index, index + dimensions)] += count;
    });
    return cells;
}

} // namespace

TEST(CellCounter, DenseWideningAndHashCountTheSameCells)
{
    CellCounter dense(3), small(3, 64), none(0);
    CellMap expected;
    double all = 0.0;
    for (uint32_t i = 0; i < 5000; ++i) {
        // Numbers that grow unevenly, so the array widens in every
        // dimension more than once, and the small one turns to the hash.
        const uint32_t index[3] = {i % 7, (i * 31) % (1 + i / 40), (i / 3) % 5};
        const double w = 0.25 * (i % 4 + 1);
        dense.Add(index, w);
        small.Add(index, w);
        none.Add(index, w);
        expected[std::vector<uint32_t>(index, index + 3)] += w;
        all += w;
    }
    EXPECT_TRUE(dense.Dense());
    EXPECT_FALSE(small.Dense());
    EXPECT_EQ(CellsOf(dense, 3), expected);
    EXPECT_EQ(CellsOf(small, 3), expected);
    const CellMap one = CellsOf(none, 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one.begin()->second, all);
}

namespace {

// 1 a: i mod 4 (1-byte, 3 user-missing); 2 b: 7i mod 600 - 300 (2-byte);
// 3 c: (13i mod 3000) / 4 (double); 4 d: (i / 3) mod 7 (1-byte, empty
// every 11th case); 5 e: i mod 9 (2-byte); 6 w: (i mod 5) / 2 (the weight;
// 0 leaves the case out).
const long kCases = 9000;

double A(long i) { return static_cast<double>(i % 4); }
double B(long i) { return static_cast<double>((7 * i) % 600 - 300); }
double C(long i) { return static_cast<double>((13 * i) % 3000) / 4.0; }
bool HasD(long i) { return i % 11 != 0; }
double D(long i) { return static_cast<double>((i / 3) % 7); }
double E(long i) { return static_cast<double>(i % 9); }
double W(long i) { return static_cast<double>(i % 5) / 2.0; }

class NwayCells : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::string csv = "a,b,c,d,e,w\n";
        char line[160];
        for (long i = 0; i < kCases; ++i) {
            std::snprintf(line, sizeof line, "%g,%g,%.2f,%s,%g,%g\n", A(i), B(i), C(i),
                          HasD(i) ? std::to_string(static_cast<int>(D(i))).c_str() : "", E(i), W(i));
            csv += line;
        }
        set = BuildDataSet("variable a\ntype u8\nmissing 3\nvariable b\ntype i16\nvariable c\ntype double\n"
                           "decimals 2\nvariable d\ntype u8\nvariable e\ntype i16\nvariable w\ntype double\n"
                           "decimals 1\nweight w\n",
                           csv, "nway.QVF");
    }
    static void TearDownTestSuite() { delete set; }
    void SetUp() override { ASSERT_TRUE(set); }

    // Every cell of the table against the cells counted here, with the
    // percentages of its column (the cases of its control categories) and
    // of the table.
    static void ExpectCells(const NTABOBJ &table, const std::map<std::vector<double>, double> &cells,
                            const std::map<std::vector<double>, double> &columns, double tableBase)
    {
        const size_t nc = table.dimensions.size() - 1;
        std::vector<std::map<double, int>> categories(nc + 1);
        for (const auto &cell : cells)
            for (size_t d = 0; d <= nc; ++d)
                categories[d][cell.first[d]] = 1;
        for (size_t d = 0; d <= nc; ++d) {
            ASSERT_EQ(table.dimensions[d].categories.size(), categories[d].size()) << "dimension " << d;
            size_t k = 0;
            for (const auto &value : categories[d])
                EXPECT_EQ(table.dimensions[d].categories[k++].value, value.first);
        }
        std::map<std::vector<double>, double> cumulative;
        for (const auto &cell : cells) {
            const NtabCell *found = table.FindCell(cell.first.data());
            ASSERT_NE(found, nullptr);
            const std::vector<double> column(cell.first.begin(), cell.first.begin() + nc);
            EXPECT_EQ(found->count, cell.second);
            EXPECT_NEAR(found->percents[0], cell.second * 100.0 / columns.at(column), 1e-9);
            EXPECT_NEAR(found->percents[1], cell.second * 100.0 / tableBase, 1e-9);
            cumulative[column] += found->percents[0];
            EXPECT_NEAR(found->percents[2], cumulative[column], 1e-9);
        }
    }

    static DATASET *set;
};
DATASET *NwayCells::set = nullptr;

} // namespace

TEST_F(NwayCells, DenseAndHashedTablesOfAVariableCountAsByHand)
{
    // a x b x d fits the dense array; a x b x c x d (4 x 1024 x 4096 x 8
    // numbers) is counted in the hash.
    for (bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "hashed" : "dense");
        std::map<std::vector<double>, double> cells, columns;
        double all = 0.0;
        for (long i = 0; i < kCases; ++i) {
            if (W(i) <= 0.0 || A(i) == 3.0 || !HasD(i))
                continue;
            std::vector<double> key = {A(i), B(i)};
            if (wide)
                key.push_back(C(i));
            columns[key] += W(i);
            key.push_back(D(i));
            cells[key] += W(i);
            all += W(i);
        }
        NTABOBJ table(set);
        const long narrow[] = {1, 2, 0}, broad[] = {1, 2, 3, 0};
        ASSERT_TRUE(table.ComputeForVariable(4, wide ? broad : narrow, 0));
        ExpectCells(table, cells, columns, all);
        EXPECT_DOUBLE_EQ(table.caseCount, all);
    }
}

TEST_F(NwayCells, ASetOfDifferentlyStoredMembersSharesItsCategories)
{
    // d (1-byte) and e (2-byte) answer together; a case counts while one
    // of them has a value, each answer in its own cell (the same code twice
    // counts twice), the column base of the cases or of the answers.
    for (int base : {1, 0}) {
        SCOPED_TRACE(base ? "of the cases" : "of the answers");
        std::map<std::vector<double>, double> cells, columns;
        double all = 0.0, answers = 0.0;
        for (long i = 0; i < kCases; ++i) {
            if (W(i) <= 0.0 || A(i) == 3.0)
                continue;
            const double given = HasD(i) ? 2.0 : 1.0;
            columns[{A(i)}] += base ? W(i) : W(i) * given;
            all += W(i);
            answers += W(i) * given;
            if (HasD(i))
                cells[{A(i), D(i)}] += W(i);
            cells[{A(i), E(i)}] += W(i);
        }
        NTABOBJ table(set);
        table.percentageBase = base;
        const long members[] = {4, 5, 0}, controls[] = {1, 0};
        ASSERT_TRUE(table.ComputeForTwoLists(members, controls, 0));
        EXPECT_EQ(table.dimensions.back().categories.size(), 9u);
        ExpectCells(table, cells, columns, base ? all : answers);
        EXPECT_DOUBLE_EQ(table.caseCount, all);
    }
}
