// The case tables' one check, for the tests of every code page.
#pragma once
#include "engine/transforms.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A name and what the uppercase and the lowercase actions propose for it.
struct CaseRow {
    std::string name;
    std::string upper;
    std::string lower;
};

inline void ExpectCaseRows(const std::vector<CaseRow>& rows)
{
    for (const CaseRow& row : rows) {
        WorkingSet set = SetOf({row.name});
        MakeUpper(set);
        EXPECT_EQ(row.upper, set.Entry(0).newName);
        MakeLower(set);
        EXPECT_EQ(row.lower, set.Entry(0).newName);
    }
}
