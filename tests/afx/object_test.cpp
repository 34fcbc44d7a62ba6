// Runtime classes: kind checks through a hierarchy, creation by name, the class list, and
// classes of afx.dll seen from this executable.
#include <gtest/gtest.h>
#include <afx.h>
#include <afxcoll.h>

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
    struct Case {
        const char* name;
        const CObject* object;
        CRuntimeClass* pClass;
        BOOL expected;
    } cases[] = {
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
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.object->IsKindOf(c.pClass)) << c.name;

    EXPECT_EQ(RUNTIME_CLASS(CPuppy), puppy.GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CDog), CPuppy::_GetBaseClass());
    EXPECT_EQ(RUNTIME_CLASS(CTaggedList), CTaggedList::GetThisClass());
    EXPECT_EQ(&puppy, DYNAMIC_DOWNCAST(CDog, (CObject*)&puppy));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPuppy, (CObject*)&dog));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPuppy, (CObject*)NULL));
}

TEST(RuntimeClass, DescribesItsClass)
{
    struct Case {
        CRuntimeClass* pClass;
        const char* name;
        int size;
        UINT schema;
        bool creatable;
    } cases[] = {
        {RUNTIME_CLASS(CAnimal), "CAnimal", (int)sizeof(CAnimal), 0xFFFF, false},
        {RUNTIME_CLASS(CDog), "CDog", (int)sizeof(CDog), 0xFFFF, true},
        {RUNTIME_CLASS(CPuppy), "CPuppy", (int)sizeof(CPuppy), 3, true},
        {RUNTIME_CLASS(CObList), "CObList", (int)sizeof(CObList), 0, true},
        {RUNTIME_CLASS(CPtrList), "CPtrList", (int)sizeof(CPtrList), 0xFFFF, false},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.name, c.pClass->m_lpszClassName);
        EXPECT_EQ(c.size, c.pClass->m_nObjectSize) << c.name;
        EXPECT_EQ(c.schema, c.pClass->m_wSchema) << c.name;
        EXPECT_EQ(c.creatable, c.pClass->m_pfnCreateObject != NULL) << c.name;
    }
    CPuppy puppy;
    CDog dog;
    EXPECT_TRUE(puppy.IsSerializable());
    EXPECT_FALSE(dog.IsSerializable());
}

TEST(RuntimeClass, CreatesObjectsByName)
{
    struct Case {
        const char* name;
        CRuntimeClass* expected;  // NULL: nothing is created
    } cases[] = {
        {"CDog", RUNTIME_CLASS(CDog)},
        {"CPuppy", RUNTIME_CLASS(CPuppy)},
        {"CTaggedList", RUNTIME_CLASS(CTaggedList)},
        {"CObArray", RUNTIME_CLASS(CObArray)},  // a class of afx.dll
        {"CStringList", RUNTIME_CLASS(CStringList)},
        {"CAnimal", NULL},  // DYNAMIC only: no creator
        {"CPtrList", NULL},
        {"CObject", NULL},
        {"CNoSuchClass", NULL},
        {"cdog", NULL},  // names are case-sensitive
        {"", NULL},
        {NULL, NULL},
    };
    for (const Case& c : cases) {
        const char* label = c.name != NULL ? c.name : "(null)";
        CObject* pOb = CRuntimeClass::CreateObject(c.name);
        if (c.expected == NULL) {
            EXPECT_EQ(nullptr, pOb) << label;
            delete pOb;
            continue;
        }
        ASSERT_NE(nullptr, pOb) << label << " was not created";
        EXPECT_EQ(c.expected, pOb->GetRuntimeClass()) << label;
        EXPECT_EQ(c.expected, CRuntimeClass::FromName(c.name)) << label;
        EXPECT_TRUE(pOb->IsKindOf(c.expected)) << label;
        delete pOb;
    }
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
    EXPECT_EQ(RUNTIME_CLASS(CAnimal), CRuntimeClass::FromName("CAnimal"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
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
                             "CMapStringToPtr", "CString" /* not a CObject: absent */}) {
        size_t expected = std::string(name) == "CString" ? 0 : 1;
        EXPECT_EQ(expected, names.count(name)) << name;
    }
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
