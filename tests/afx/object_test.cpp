// Runtime classes: kind checks through a hierarchy, creation by name, the class list, and
// classes of afx.dll seen from this executable; CObject's allocator.
#include "TestSupport.h"
#include <afx.h>
#include <afxcoll.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>

// Declared outside any anonymous namespace: the IMPLEMENT macros define functions that are
// only reached through the class record.
struct CAnimal : CObject {
    DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)
struct CDog : CAnimal {
    DECLARE_DYNCREATE(CDog)
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)
struct CPuppy : CDog {
    DECLARE_SERIAL(CPuppy)
    int m_nAge = 0;  // a size of its own
};
IMPLEMENT_SERIAL(CPuppy, CDog, 3)
// A class of this executable derived from a class of afx.dll.
struct CTaggedList : CStringList {
    DECLARE_DYNCREATE(CTaggedList)
};
IMPLEMENT_DYNCREATE(CTaggedList, CStringList)

TEST(RuntimeClass, IsKindOfFollowsTheHierarchy)
{
    CDog dog;
    CPuppy puppy;
    CStringList list;
    CTaggedList tagged;
    // For dog, puppy, list and tagged list in turn: whether it is a kind of each of these classes.
    CRuntimeClass* const classes[] = {RUNTIME_CLASS(CObject),     RUNTIME_CLASS(CAnimal),
                                      RUNTIME_CLASS(CDog),        RUNTIME_CLASS(CPuppy),
                                      RUNTIME_CLASS(CStringList), NULL};
    std::string kinds;
    const CObject* objects[] = {&dog, &puppy, &list, &tagged};
    for (const CObject* object : objects) {
        for (CRuntimeClass* pClass : classes)
            kinds += object->IsKindOf(pClass) ? "T" : "F";
        kinds += " ";
    }
    EXPECT_EQ("TTTFFF TTTTFF TFFFTF TFFFTF ", kinds);
    ExpectAll({{"GetRuntimeClass", puppy.GetRuntimeClass() == RUNTIME_CLASS(CPuppy)},
               {"_GetBaseClass", CPuppy::_GetBaseClass() == RUNTIME_CLASS(CDog)},
               {"GetThisClass", CTaggedList::GetThisClass() == RUNTIME_CLASS(CTaggedList)},
               {"downcast to a base", DYNAMIC_DOWNCAST(CDog, (CObject*)&puppy) == &puppy},
               {"no downcast to a derived class", !DYNAMIC_DOWNCAST(CPuppy, (CObject*)&dog)},
               {"no downcast of NULL", !DYNAMIC_DOWNCAST(CPuppy, (CObject*)NULL)},
               {"a serial class is serializable", puppy.IsSerializable()},
               {"a dyncreate class is not", !dog.IsSerializable()}});
}

namespace {
void AFX_CDECL CollectName(const CRuntimeClass* pClass, void* pContext)
{
    static_cast<std::multiset<std::string>*>(pContext)->insert(pClass->m_lpszClassName);
}
}  // namespace

// Each row: a name, the record FromName finds (NULL: none, and the class list holds it no
// times, else once), whether CreateObject(name) makes one, and the record's size and schema.
TEST(RuntimeClass, RecordsAreListedFoundAndCreatedByName)
{
    std::multiset<std::string> listed;
    AfxDoForAllClasses(CollectName, &listed);
    AfxDoForAllClasses(NULL, NULL);  // nothing to call: nothing happens
    const struct {
        const char* name;
        CRuntimeClass* found;
        bool creates;
        size_t size;
        UINT schema;
    } rows[] = {
        {"CAnimal", RUNTIME_CLASS(CAnimal), false, sizeof(CAnimal), 0xFFFF},  // DYNAMIC only
        {"CDog", RUNTIME_CLASS(CDog), true, sizeof(CDog), 0xFFFF},
        {"CPuppy", RUNTIME_CLASS(CPuppy), true, sizeof(CPuppy), 3},
        {"CTaggedList", RUNTIME_CLASS(CTaggedList), true, sizeof(CTaggedList), 0xFFFF},
        {"CObject", RUNTIME_CLASS(CObject), false, sizeof(CObject), 0xFFFF},
        // classes of afx.dll
        {"CObArray", RUNTIME_CLASS(CObArray), true, sizeof(CObArray), 0},
        {"CObList", RUNTIME_CLASS(CObList), true, sizeof(CObList), 0},
        {"CStringList", RUNTIME_CLASS(CStringList), true, sizeof(CStringList), 0},
        {"CPtrList", RUNTIME_CLASS(CPtrList), false, sizeof(CPtrList), 0xFFFF},
        {"CMapStringToPtr", RUNTIME_CLASS(CMapStringToPtr), false, sizeof(CMapStringToPtr), 0xFFFF},
        {"CString", NULL, false, 0, 0},  // not a CObject
        {"CNoSuchClass", NULL, false, 0, 0},
        {"cdog", NULL, false, 0, 0},  // names are case-sensitive
        {"", NULL, false, 0, 0},
        {NULL, NULL, false, 0, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name != NULL ? r.name : "(null)");
        CObject* pOb = CRuntimeClass::CreateObject(r.name);
        EXPECT_EQ(r.creates ? r.found : NULL, pOb ? pOb->GetRuntimeClass() : NULL);
        delete pOb;
        ASSERT_EQ(r.found, CRuntimeClass::FromName(r.name));
        EXPECT_EQ(r.found ? 1u : 0u, listed.count(r.name ? r.name : ""));
        if (r.found != NULL) {
            EXPECT_STREQ(r.name, r.found->m_lpszClassName);
            ExpectValues({{"m_nObjectSize", (long long)r.size, r.found->m_nObjectSize},
                          {"m_wSchema", r.schema, r.found->m_wSchema}});
        }
    }
}

// CObject's allocator, the operator new and delete of every CObject class: blocks of the sizes
// of many classes, alive together, never overlap and keep their contents; freed blocks come back
// for objects of the same size, whichever thread frees them.
TEST(ObjectAllocator, BlocksOfEverySizeStayApartAndAreReused)
{
    struct Block {
        unsigned char* bytes;
        size_t size;
    };
    std::vector<Block> blocks;
    for (int round = 0; round < 200; ++round) {
        for (size_t size : {16, 32, 112, 248, 4008 /* larger than any free list */}) {
            blocks.push_back({(unsigned char*)CObject::operator new(size), size});
            memset(blocks.back().bytes, round, size);
        }
    }
    std::set<void*> freed;
    for (size_t i = 0; i < blocks.size(); ++i) {
        for (size_t k = 0; k < blocks[i].size; ++k)
            ASSERT_EQ((unsigned char)(i / 5), blocks[i].bytes[k]) << "block " << i << " byte " << k;
        EXPECT_EQ(0u, (uintptr_t)blocks[i].bytes % sizeof(void*)) << "block " << i << " misaligned";
        if (i % 5 == 1)
            freed.insert(blocks[i].bytes);
    }
    // Freed on another thread, allocated again here: the same blocks come back.
    std::thread([&] {
        for (size_t i = 1; i < blocks.size(); i += 5)
            CObject::operator delete(blocks[i].bytes);
    }).join();
    std::set<void*> again;
    for (int i = 0; i < 200; ++i)
        again.insert(CObject::operator new(32));
    EXPECT_EQ(freed, again) << "blocks freed on another thread were not handed out again";
    for (void* p : again)
        CObject::operator delete(p);
    for (size_t i = 0; i < blocks.size(); ++i)
        if (i % 5 != 1)
            CObject::operator delete(blocks[i].bytes);

    // The nothrow form answers NULL instead of throwing; a huge size fails cleanly.
    EXPECT_EQ(nullptr, CObject::operator new((size_t)-8, std::nothrow));
    EXPECT_THROW(CObject::operator new((size_t)-8), std::bad_alloc);

    // Delayed freeing: a freed block is filled and never handed out again, pooled or not. The
    // block is read after its delete on purpose: it is set aside, not freed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuse-after-free"
    afxMemDF |= delayFreeMemDF;
    for (size_t size : {32, 4008}) {
        void* p = CObject::operator new(size);
        CObject::operator delete(p);
        EXPECT_EQ(std::string(32, '\xDD'), std::string((const char*)p, 32)) << size;
        std::vector<void*> later;
        for (int i = 0; i < 4; ++i)
            later.push_back(CObject::operator new(size));
        EXPECT_EQ(later.end(), std::find(later.begin(), later.end(), p)) << size;
        for (void* q : later)
            CObject::operator delete(q);
    }
#pragma GCC diagnostic pop
    afxMemDF &= ~delayFreeMemDF;
}
