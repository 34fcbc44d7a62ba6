// Interns drawing states as a view does for every drawing call (a heap copy handed to
// AddUnique) and prints how 100,000 appends cycling through 10,000 distinct states compare
// with 100,000 appends of one state (goal: ratio below 3). The plain linear search over a
// CObArray is measured the same way on fewer appends, for the record. Reports only; exits 0.
#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "state/GraphicState.h"

#include "BenchTiming.h"

namespace {

const int kAppends = 100000;
const int kDistinct = 10000;
const int kLinearAppends = 20000;
const int kRepetitions = 5;

// States that differ in colour, pen and face name, as a busy picture's would.
std::vector<CGraphicState*> MakeStates(int count)
{
    const char* faces[] = {"Arial", "Times New Roman", "Courier New", "ARIAL"};
    std::vector<CGraphicState*> states;
    for (int i = 0; i < count; ++i) {
        CGraphicState* s = new CGraphicState;
        s->m_fogndColor = RGB(i % 256, (i / 256) % 256, 7);
        s->m_penSize = 1 + i % 5;
        s->m_fontName = faces[i % 4];
        states.push_back(s);
    }
    return states;
}

// The view's interning: a heap copy, then AddUnique, which keeps or deletes it.
double InternWithTable(const std::vector<CGraphicState*>& states, int appends,
                       std::vector<int>* pIndices)
{
    DestroyStateTable();
    CGraphicState* first = new CGraphicState;  // creates a fresh table
    delete first;
    CGraphicStateTable* table = GetStateTable();
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < appends; ++i) {
        CGraphicState* rec = new CGraphicState;
        rec->Assign(*states[i % states.size()]);
        const int index = table->AddUnique(rec);
        if (pIndices)
            pIndices->push_back(index);
    }
    ::QueryPerformanceCounter(&end);
    DestroyStateTable();
    return Seconds(start, end);
}

// The same interning with the plain search from index 0 over an array of records.
double InternLinear(const std::vector<CGraphicState*>& states, int appends,
                    std::vector<int>* pIndices)
{
    CObArray array;
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < appends; ++i) {
        CGraphicState* rec = new CGraphicState;
        rec->Assign(*states[i % states.size()]);
        INT_PTR index = -1;
        for (INT_PTR j = 0; j < array.GetSize(); ++j) {
            if (static_cast<CGraphicState*>(array.GetAt(j))->IsEqual(*rec)) {
                index = j;
                break;
            }
        }
        if (index >= 0)
            delete rec;
        else
            index = array.Add(rec);
        if (pIndices)
            pIndices->push_back((int)index);
    }
    ::QueryPerformanceCounter(&end);
    for (INT_PTR j = 0; j < array.GetSize(); ++j)
        delete array.GetAt(j);
    return Seconds(start, end);
}

typedef double (*InternFunction)(const std::vector<CGraphicState*>&, int, std::vector<int>*);

void Compare(const char* name, InternFunction intern, int appends,
             const std::vector<CGraphicState*>& many, const std::vector<CGraphicState*>& one,
             bool withGoal)
{
    std::vector<double> manyTimes, oneTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        if (i % 2) {
            oneTimes.push_back(intern(one, appends, NULL));
            manyTimes.push_back(intern(many, appends, NULL));
        } else {
            manyTimes.push_back(intern(many, appends, NULL));
            oneTimes.push_back(intern(one, appends, NULL));
        }
    }
    const double ratio = Median(manyTimes) / Median(oneTimes);
    std::printf("%s: %d appends, %d runs\n", name, appends, kRepetitions);
    std::printf("  one state        median %9.2f ms\n", Median(oneTimes) * 1e3);
    std::printf("  %5d states     median %9.2f ms\n", (int)many.size(), Median(manyTimes) * 1e3);
    if (withGoal)
        std::printf("  ratio many/one   %.2f  (goal < 3)  %s\n", ratio,
                    ratio < 3 ? "met" : "NOT met");
    else
        std::printf("  ratio many/one   %.2f\n", ratio);
}

}  // namespace

int main()
{
    std::vector<CGraphicState*> many = MakeStates(kDistinct);
    std::vector<CGraphicState*> one = MakeStates(1);

    Compare("state table (hash index)", InternWithTable, kAppends, many, one, true);
    Compare("linear search, for the record", InternLinear, kLinearAppends, many, one, false);

    std::vector<int> hashed, linear;
    InternWithTable(many, kLinearAppends, &hashed);
    InternLinear(many, kLinearAppends, &linear);
    std::printf("indices of the two searches %s over %d appends\n",
                hashed == linear ? "identical" : "DIFFER", kLinearAppends);

    for (CGraphicState* s : many)
        delete s;
    for (CGraphicState* s : one)
        delete s;
    DestroyStateTable();
    return 0;
}
