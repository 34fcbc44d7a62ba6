// Named checks walked in one loop, so a list of calls and their expected results reads as a
// table and each failure names its row:
//
//   ExpectAll({{"CreatePen twice", !pen.CreatePen(PS_SOLID, 2, 0)},
//              {"one live pen", guard.GdiObjectsDelta() == 1}});
//   ExpectValues({{"GetEntryCount", 4, palette.GetEntryCount()}});
//   EXPECT_EQ("destroy, ncdestroy", Joined(log));
//
// The rows of a braced list are evaluated in order, so a row may depend on the one before.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

struct Truth {
    template <class T> Truth(const char* n, const T& value) : name(n), holds(!!value) {}
    const char* name;
    bool holds;
};
inline void ExpectAll(std::initializer_list<Truth> rows)
{
    for (const Truth& r : rows)
        EXPECT_TRUE(r.holds) << "row: " << r.name;
}

struct Value {
    const char* name;
    long long expected, actual;
};
inline void ExpectValues(std::initializer_list<Value> rows)
{
    for (const Value& r : rows)
        EXPECT_EQ(r.expected, r.actual) << "row: " << r.name;
}

// A log's entries joined with ", ", to compare a whole sequence of events at once.
inline std::string Joined(const std::vector<std::string>& log)
{
    std::string s;
    for (const std::string& e : log)
        s += (s.empty() ? "" : ", ") + e;
    return s;
}
