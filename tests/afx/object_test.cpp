// Runtime classes: kind checks through a hierarchy, creation by name, the class list, and
// classes of afx.dll seen from this executable.
#include <gtest/gtest.h>
#include <afx.h>
#include <afxcoll.h>
#include <NamedChecks.h>

#include <set>
#include <string>
#include <vector>
#include <windows.h>

// Declared outside any anonymous namespace: the IMPLEMENT macros define functions that are
// only reached through the class record.
class CAnimal : public CObject
{
    DECLARE_DYNAMIC(CAnimal)
public:
    CAnimal() {}
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CDog : public CAnimal
{
    DECLARE_DYNCREATE(CDog)
public:
    CDog() {}
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

class CPuppy : public CDog
{
    DECLARE_SERIAL(CPuppy)
public:
    CPuppy() {}
    int m_nAge = 0;
};
IMPLEMENT_SERIAL(CPuppy, CDog, 3)

// A class of this executable derived from a class of afx.dll.
class CTaggedList : public CStringList
{
    DECLARE_DYNCREATE(CTaggedList)
};
IMPLEMENT_DYNCREATE(CTaggedList, CStringList)

TEST(RuntimeClass, IsKindOfFollowsTheHierarchy)
{
    CDog dog;
    CPuppy puppy;
    CStringList list;
    CTaggedList tagged;
    const struct {
        const char* name;
        const CObject* object;
        CRuntimeClass* pClass;
        BOOL expected;
    } rows[] = {
        {"dog is a CObject", &dog, RUNTIME_CLASS(CObject), TRUE},
        {"dog is a CAnimal", &dog, RUNTIME_CLASS(CAnimal), TRUE},
        {"dog is a CDog", &dog, RUNTIME_CLASS(CDog), TRUE},
        {"dog is not a CPuppy", &dog, RUNTIME_CLASS(CPuppy), FALSE},
        {"puppy is a CAnimal", &puppy, RUNTIME_CLASS(CAnimal), TRUE},
        {"puppy is a CPuppy", &puppy, RUNTIME_CLASS(CPuppy), TRUE},
        {"puppy is not a CStringList", &puppy, RUNTIME_CLASS(CStringList), FALSE},
        {"list is a CObject", &list, RUNTIME_CLASS(CObject), TRUE},
        {"list is not a CAnimal", &list, RUNTIME_CLASS(CAnimal), FALSE},
        {"tagged list is a CStringList", &tagged, RUNTIME_CLASS(CStringList), TRUE},
        {"tagged list is a CObject", &tagged, RUNTIME_CLASS(CObject), TRUE},
        {"nothing is a NULL class", &puppy, NULL, FALSE},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.expected, r.object->IsKindOf(r.pClass)) << r.name;
    ExpectAll({{"GetRuntimeClass", puppy.GetRuntimeClass() == RUNTIME_CLASS(CPuppy)},
               {"_GetBaseClass", CPuppy::_GetBaseClass() == RUNTIME_CLASS(CDog)},
               {"GetThisClass", CTaggedList::GetThisClass() == RUNTIME_CLASS(CTaggedList)},
               {"downcast to a base", DYNAMIC_DOWNCAST(CDog, (CObject*)&puppy) == &puppy},
               {"no downcast to a derived class", !DYNAMIC_DOWNCAST(CPuppy, (CObject*)&dog)},
               {"no downcast of NULL", !DYNAMIC_DOWNCAST(CPuppy, (CObject*)NULL)},
               {"a serial class is serializable", puppy.IsSerializable()},
               {"a dyncreate class is not", !dog.IsSerializable()}});
}

TEST(RuntimeClass, DescribesItsClass)
{
    const struct {
        CRuntimeClass* pClass;
        const char* name;
        int size;
        UINT schema;
        bool creatable;
    } rows[] = {
        {RUNTIME_CLASS(CAnimal), "CAnimal", (int)sizeof(CAnimal), 0xFFFF, false},
        {RUNTIME_CLASS(CDog), "CDog", (int)sizeof(CDog), 0xFFFF, true},
        {RUNTIME_CLASS(CPuppy), "CPuppy", (int)sizeof(CPuppy), 3, true},
        {RUNTIME_CLASS(CObList), "CObList", (int)sizeof(CObList), 0, true},
        {RUNTIME_CLASS(CPtrList), "CPtrList", (int)sizeof(CPtrList), 0xFFFF, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_STREQ(r.name, r.pClass->m_lpszClassName);
        ExpectValues({{"m_nObjectSize", r.size, r.pClass->m_nObjectSize},
                      {"m_wSchema", r.schema, r.pClass->m_wSchema},
                      {"creatable", r.creatable, r.pClass->m_pfnCreateObject != NULL}});
    }
}

// Each row: what CreateObject(name) makes and what FromName(name) finds (NULL: nothing).
TEST(RuntimeClass, CreatesAndFindsClassesByName)
{
    const struct {
        const char* name;
        CRuntimeClass* created;
        CRuntimeClass* found;
    } rows[] = {
        {"CDog", RUNTIME_CLASS(CDog), RUNTIME_CLASS(CDog)},
        {"CPuppy", RUNTIME_CLASS(CPuppy), RUNTIME_CLASS(CPuppy)},
        {"CTaggedList", RUNTIME_CLASS(CTaggedList), RUNTIME_CLASS(CTaggedList)},
        {"CObArray", RUNTIME_CLASS(CObArray), RUNTIME_CLASS(CObArray)},  // a class of afx.dll
        {"CStringList", RUNTIME_CLASS(CStringList), RUNTIME_CLASS(CStringList)},
        {"CAnimal", NULL, RUNTIME_CLASS(CAnimal)},  // DYNAMIC only: found, no creator
        {"CPtrList", NULL, RUNTIME_CLASS(CPtrList)},
        {"CObject", NULL, RUNTIME_CLASS(CObject)},
        {"CNoSuchClass", NULL, NULL},
        {"cdog", NULL, NULL},  // names are case-sensitive
        {"", NULL, NULL},
        {NULL, NULL, NULL},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name != NULL ? r.name : "(null)");
        CObject* pOb = CRuntimeClass::CreateObject(r.name);
        EXPECT_EQ(r.created, pOb ? pOb->GetRuntimeClass() : NULL);
        EXPECT_EQ(r.found, CRuntimeClass::FromName(r.name));
        delete pOb;
    }
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
}

namespace {
void AFX_CDECL CollectName(const CRuntimeClass* pClass, void* pContext)
{
    static_cast<std::multiset<std::string>*>(pContext)->insert(pClass->m_lpszClassName);
}
}  // namespace

TEST(RuntimeClass, EveryImplementedClassIsListedOnce)
{
    std::multiset<std::string> names;
    AfxDoForAllClasses(CollectName, &names);
    for (const char* name : {"CAnimal", "CDog", "CPuppy", "CTaggedList", "CObject", "CObArray",
                             "CMapStringToPtr", "CString" /* not a CObject: absent */})
        EXPECT_EQ(std::string(name) == "CString" ? 0u : 1u, names.count(name)) << name;
    AfxDoForAllClasses(NULL, NULL);  // nothing to call: nothing happens
}

// CObject's allocator: objects of many sizes, alive together, never overlap and keep their
// contents; freed blocks come back for objects of the same size, whichever thread frees them.
namespace {

template <size_t N> class CBlob : public CObject
{
public:
    unsigned char bytes[N];
};

struct CBlobSet {
    std::vector<CObject*> objects;
    std::vector<std::pair<unsigned char*, size_t>> spans;
    template <size_t N> void Add(unsigned char fill)
    {
        CBlob<N>* p = new CBlob<N>;
        memset(p->bytes, fill, N);
        objects.push_back(p);
        spans.emplace_back(p->bytes, N);
    }
};

DWORD WINAPI DeleteEveryFifthFromOne(LPVOID p)
{
    CBlobSet* s = static_cast<CBlobSet*>(p);
    for (size_t i = 1; i < s->objects.size(); i += 5)
        delete s->objects[i];
    return 0;
}

}  // namespace

TEST(ObjectAllocator, BlocksOfEverySizeStayApartAndAreReused)
{
    CBlobSet set;
    for (int round = 0; round < 200; ++round) {
        const unsigned char fill = (unsigned char)round;
        set.Add<1>(fill);
        set.Add<24>(fill);
        set.Add<100>(fill);
        set.Add<240>(fill);
        set.Add<4000>(fill);  // larger than any free list
    }
    for (size_t i = 0; i < set.objects.size(); ++i) {
        const unsigned char expected = (unsigned char)(i / 5);
        const auto& span = set.spans[i];
        for (size_t k = 0; k < span.second; ++k)
            ASSERT_EQ(expected, span.first[k])
                << "object " << i << " byte " << k << " was overwritten";
        EXPECT_EQ(0u, (uintptr_t)set.objects[i] % sizeof(void*)) << "object " << i << " misaligned";
    }
    // Freed on another thread, allocated again here: the same blocks come back.
    std::set<void*> freed;
    for (size_t i = 1; i < set.objects.size(); i += 5)
        freed.insert(set.objects[i]);
    HANDLE thread = ::CreateThread(nullptr, 0, DeleteEveryFifthFromOne, &set, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    int reused = 0;
    std::vector<CObject*> again;
    for (int i = 0; i < 200; ++i) {
        CObject* p = new CBlob<24>;
        reused += freed.count(p) != 0;
        again.push_back(p);
    }
    EXPECT_EQ(200, reused) << "blocks freed on another thread were not handed out again";
    for (CObject* p : again)
        delete p;
    for (size_t i = 0; i < set.objects.size(); ++i)
        if (i % 5 != 1)
            delete set.objects[i];

    // The nothrow form answers NULL instead of throwing; a huge size fails cleanly.
    EXPECT_EQ(nullptr, CObject::operator new((size_t)-8, std::nothrow));
    EXPECT_THROW(CObject::operator new((size_t)-8), std::bad_alloc);
}
