// CArchive on CMemFile and CFile: the byte layout of numbers and strings, object graphs
// recreated by class name, damaged archives and their causes, collections, files, exceptions.
#include "TestSupport.h"
#include <afxcoll.h>

#include <tuple>

// A node of a small object graph: a name, a parent (back reference), a link and children.
class CNode : public CObject
{
    DECLARE_SERIAL(CNode)
public:
    CNode() {}
    explicit CNode(LPCTSTR name) : m_name(name) {}
    ~CNode()
    {
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            delete m_children[i];
    }
    CNode* AddChild(CNode* pChild)
    {
        pChild->m_pParent = this;
        m_children.Add(pChild);
        return pChild;
    }
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar << m_name << m_pParent << m_pLink;
        } else {
            m_nLoadedSchema = ar.GetObjectSchema();
            ar >> m_name >> m_pParent >> m_pLink;
        }
        m_children.Serialize(ar);
    }
    CString m_name;
    CNode* m_pParent = NULL;
    CObject* m_pLink = NULL;  // any object, possibly one elsewhere in the graph
    CObArray m_children;      // owned
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CNode, CObject, 2)

// A node kind written by a later version of the program, for schema checks.
class CLeaf : public CNode
{
    DECLARE_SERIAL(CLeaf)
public:
    CLeaf() {}
    explicit CLeaf(LPCTSTR name) : CNode(name) {}
};
IMPLEMENT_SERIAL(CLeaf, CNode, 1)

namespace {

// The bytes that store(ar) leaves in a memory file; the archive's destructor flushes them.
template <class Store> std::vector<BYTE> Stored(Store store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}
// Loads from bytes; the cause of the archive exception, 1000 for another exception, -1 if none.
template <class Load> int LoadCause(const std::vector<BYTE>& bytes, Load load)
{
    CMemFile file((BYTE*)bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    try {
        load(ar);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    } catch (CException* e) {
        e->Delete();
        return 1000;
    }
    return -1;
}
void LoadAny(CArchive& ar)
{
    delete ar.ReadObject(NULL);
}
// Loads a CNode (or a kind of one) through its typed extraction; its Serialize sees schema 1.
void LoadNode(CArchive& ar)
{
    CNode* pNode = NULL;
    ar >> pNode;
    EXPECT_EQ(1u, pNode->m_nLoadedSchema) << "the schema Serialize sees";
    delete pNode;
}
typedef void (*ArchiveFn)(CArchive& ar);

}  // namespace

TEST(Archive, NumbersRoundTripInLittleEndianLayout)
{
    using Numbers = std::tuple<BYTE, WORD, LONG, DWORD, int, float, double, bool, LONGLONG, short,
                               char, unsigned>;
    const Numbers stored(0xAB, 0x1234, -2, 0xDEADBEEF, -7, 1.5f, -2.25, true, -5000000000LL, -3,
                         'z', 9u);
    std::vector<BYTE> bytes =
        Stored([&](CArchive& ar) { std::apply([&](auto... v) { (ar << ... << v); }, stored); });
    ASSERT_EQ(1u + 2 + 4 + 4 + 4 + 4 + 8 + 1 + 8 + 2 + 1 + 4, bytes.size());
    EXPECT_EQ((std::vector<BYTE>{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE}),
              std::vector<BYTE>(bytes.begin(), bytes.begin() + 11));
    Numbers loaded;
    BYTE past;
    auto load = [&](CArchive& ar) {
        std::apply([&](auto&... v) { (ar >> ... >> v) >> past; }, loaded);
    };
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(bytes, load)) << "reading past the end";
    EXPECT_EQ(stored, loaded);
}

TEST(Archive, StringLengthsCrossTheByteAndWordEncodings)
{
    const struct {
        int length;
        std::vector<BYTE> header;
    } rows[] = {{0, {0x00}},
                {10, {0x0A}},
                {254, {0xFE}},
                {255, {0xFF, 0xFF, 0x00}},
                {300, {0xFF, 0x2C, 0x01}},
                {0xFFFD, {0xFF, 0xFD, 0xFF}},
                {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.length);
        CString text, loaded("previous contents");
        LPTSTR p = text.GetBufferSetLength(r.length);
        for (int i = 0; i < r.length; ++i)
            p[i] = (char)('a' + i % 23);
        std::vector<BYTE> bytes = Stored([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(r.header.size() + r.length, bytes.size());
        EXPECT_EQ(r.header, std::vector<BYTE>(bytes.begin(), bytes.begin() + r.header.size()));
        EXPECT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { ar >> loaded; }));
        EXPECT_TRUE(loaded == text);
    }
}

TEST(Archive, ObjectGraphIsRecreatedByClassName)
{
    std::vector<BYTE> bytes = Stored([](CArchive& ar) {
        CNode root("root");
        CNode* pA = root.AddChild(new CNode("a"));
        CNode* pB = root.AddChild(new CLeaf("b"));
        CNode* pC = pA->AddChild(new CLeaf("c"));
        pA->m_pLink = pC;     // a forward reference
        pC->m_pLink = &root;  // a cycle back to the root
        pB->m_pLink = pC;     // shared: c is written once
        ar << &root << (CObject*)NULL << pC;
    });
    CObject *pRootOb = NULL, *pNull = (CObject*)&bytes;
    CNode* pAgain = NULL;  // loaded through CNode's own typed extraction
    ASSERT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { ar >> pRootOb >> pNull >> pAgain; }));
    CNode* pRoot = DYNAMIC_DOWNCAST(CNode, pRootOb);
    ASSERT_TRUE(pRoot && pRoot->m_children.GetSize() == 2);
    CNode* pA = (CNode*)pRoot->m_children[0];
    CNode* pB = (CNode*)pRoot->m_children[1];
    ASSERT_EQ(1, pA->m_children.GetSize());
    CNode* pC = (CNode*)pA->m_children[0];
    std::string names;
    for (CNode* p : {pRoot, pA, pB, pC})
        names += std::string(p->m_name) + ":" + p->GetRuntimeClass()->m_lpszClassName + " ";
    EXPECT_EQ("root:CNode a:CNode b:CLeaf c:CLeaf ", names);
    ExpectAll({{"a NULL pointer loads as NULL", pNull == nullptr},
               {"parents", !pRoot->m_pParent && pA->m_pParent == pRoot && pC->m_pParent == pA},
               {"the forward reference", pA->m_pLink == pC},
               {"shared: loaded once", pB->m_pLink == pC && pAgain == pC},
               {"the cycle closes", pC->m_pLink == pRoot},
               {"schemas as stored", pRoot->m_nLoadedSchema == 2 && pC->m_nLoadedSchema == 1}});
    delete pRoot;
}

// Once the indices outgrow a word, a reference is the tag 0x7FFF and a dword index; earlier
// objects keep the word form. The root is index 2 (its class is 1), child k is index k + 3.
TEST(Archive, ReferencesPastTheWordRangeTakeTheDwordForm)
{
    std::vector<BYTE> bytes = Stored([](CArchive& ar) {
        CNode root("root");
        for (INT_PTR i = 0; i < 0x8000; ++i)
            root.AddChild(new CNode);
        ar << &root << root.m_children[0x7FFF] << root.m_children[0];
    });
    const BYTE expected[8] = {0xFF, 0x7F, 0x02, 0x80, 0x00, 0x00, 0x03, 0x00};
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::vector<BYTE>(expected, expected + 8),
              std::vector<BYTE>(bytes.end() - 8, bytes.end()));
    CObject *pRootOb = NULL, *pLast = NULL, *pFirst = NULL;
    ASSERT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { ar >> pRootOb >> pLast >> pFirst; }));
    CNode* pRoot = DYNAMIC_DOWNCAST(CNode, pRootOb);
    ASSERT_TRUE(pRoot && pRoot->m_children.GetSize() == 0x8000);
    EXPECT_EQ(pRoot->m_children[0x7FFF], pLast) << "a dword reference loads the same object";
    EXPECT_EQ(pRoot->m_children[0], pFirst) << "a word reference loads the same object";
    delete pRoot;
}

// Each row loads bytes (a stored CLeaf, changed or cut) with the program's CLeaf at some schema.
TEST(Archive, DamagedArchivesAndSchemaMismatchesThrowTheirCause)
{
    CLeaf stored("leaf");
    const std::vector<BYTE> leaf = Stored([&](CArchive& ar) { ar << &stored; });
    std::vector<BYTE> renamed = leaf, neverStored = {0x05, 0x00};
    size_t at = std::string(leaf.begin(), leaf.end()).find("CLeaf");
    ASSERT_NE(std::string::npos, at);
    renamed[at + 4] = 'X';  // "CLeaf" stored as "CLeaX": an unknown class
    const struct {
        const char* name;
        std::vector<BYTE> bytes;
        UINT schema;
        ArchiveFn load;
        int cause;
    } rows[] = {
        {"as written, through the base class's typed extraction", leaf, 1, LoadNode, -1},
        {"a class the object is not derived from", leaf, 1,
         [](CArchive& ar) { delete ar.ReadObject(RUNTIME_CLASS(CStringList)); },
         CArchiveException::badClass},
        {"the program moved on to schema 2", leaf, 2, LoadAny, CArchiveException::badSchema},
        {"a versionable class reads old schemas itself", leaf, 2 | VERSIONABLE_SCHEMA, LoadNode,
         -1},
        {"an unknown class name", renamed, 1, LoadAny, CArchiveException::badClass},
        {"an object index never stored", neverStored, 1, LoadAny, CArchiveException::badIndex}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        RUNTIME_CLASS(CLeaf)->m_wSchema = r.schema;
        EXPECT_EQ(r.cause, LoadCause(r.bytes, r.load));
        RUNTIME_CLASS(CLeaf)->m_wSchema = 1;
    }
    for (size_t n = 0; n < leaf.size(); ++n)
        EXPECT_NE(-1, LoadCause(std::vector<BYTE>(leaf.begin(), leaf.begin() + n), LoadAny))
            << "every truncation throws: cut to " << n << " bytes";
    // Storing: CStringList is serializable, CPtrList is not.
    CStringList serial;
    CPtrList ptrs;
    EXPECT_NO_THROW(Stored([&](CArchive& ar) { ar << &serial; }));
    EXPECT_THROW(Stored([&](CArchive& ar) { ar << &ptrs; }), CNotSupportedException*);
}

namespace {
// One collection of each kind, stored and loaded in one order; the list owns its objects.
struct Collections {
    CStringArray strings;
    CDWordArray numbers;
    CStringList list;
    CMapStringToOb map;
    CObList objects;
    void Serialize(CArchive& ar)
    {
        strings.Serialize(ar);
        numbers.Serialize(ar);
        list.Serialize(ar);
        map.Serialize(ar);
        objects.Serialize(ar);
    }
    ~Collections()
    {
        while (!objects.IsEmpty())
            delete objects.RemoveHead();
    }
};
}  // namespace

TEST(Archive, CollectionsRoundTrip)
{
    std::vector<BYTE> bytes = Stored([](CArchive& ar) {
        Collections c;
        c.strings.Add("x");
        c.strings.Add(CString('y', 300));
        for (DWORD i = 0; i < 70000; ++i)  // a count past 0xFFFF
            c.numbers.Add(i * 3);
        c.list.AddTail("first");
        c.list.AddTail("second");
        c.objects.AddTail(c.map["k"] = new CNode("shared"));
        c.objects.AddTail(new CLeaf("own"));
        c.Serialize(ar);
    });
    Collections c;
    ASSERT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { c.Serialize(ar); }));
    CObject* pShared = NULL;
    ExpectAll(
        {{"strings",
          c.strings.GetSize() == 2 && c.strings[0] + c.strings[1] == "x" + CString('y', 300)},
         {"numbers", c.numbers.GetSize() == 70000 && c.numbers[69999] == 3 * 69999 &&
                         c.numbers[1234] == 3 * 1234},
         {"list", c.list.GetCount() == 2 && c.list.GetHead() + c.list.GetTail() == "firstsecond"},
         {"map", c.map.GetCount() == 1 && c.map.Lookup("k", pShared)},
         {"the list and the map share one object",
          c.objects.GetCount() == 2 && c.objects.GetHead() == pShared},
         {"the list's own object",
          c.objects.GetTail()->GetRuntimeClass() == RUNTIME_CLASS(CLeaf)}});
}

TEST(Archive, WorksOnADiskFileAndReadsText)
{
    char dir[MAX_PATH], path[MAX_PATH];
    ASSERT_TRUE(GetTempPathA(MAX_PATH, dir) && GetTempFileNameA(dir, "arc", 0, path));
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store, 16);  // a tiny buffer flushes often
        ar << CString("on disk") << (DWORD)77;
        ar.WriteString("line one\r\nline two\nlast");
        ar.Close();
        EXPECT_EQ(1u + 7 + 4 + 23, file.GetLength());
    }
    {
        CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
        EXPECT_STRCASEEQ(strrchr(path, '\\') + 1, (LPCTSTR)file.GetFileName());
        CArchive ar(&file, CArchive::load, 16);
        CString s;
        DWORD n;
        ar >> s >> n;
        EXPECT_EQ("on disk 77", std::string(s) + " " + std::to_string(n));
        std::vector<std::string> lines;
        while (ar.ReadString(s))
            lines.push_back((LPCTSTR)s);
        EXPECT_EQ("line one, line two, last", Joined(lines));
    }
    CFile::Remove(path);
    CFile missing;
    CFileException error;
    ExpectAll({{"Open of a missing file", !missing.Open(path, CFile::modeRead, &error)},
               {"its cause and handle", error.m_cause == CFileException::fileNotFound &&
                                            missing.m_hFile == CFile::hFileNull}});
    EXPECT_THROW(CFile(path, CFile::modeRead), CFileException*);
    EXPECT_THROW(CFile::Remove(path), CFileException*);
}

TEST(MemFile, GrowsSeeksAndTruncates)
{
    CMemFile file(16);
    char buf[16] = {};
    file.Write("0123456789", 10);
    ExpectValues({{"GetLength", 10, (long long)file.GetLength()},
                  {"Seek from the end", 5, (long long)file.Seek(-5, CFile::end)},
                  {"Read to the end", 5, file.Read(buf, sizeof buf)}});
    EXPECT_STREQ("56789", buf);
    ExpectValues(
        {{"grown by a write past the end", 21,
          (file.Seek(20, CFile::begin), file.Write("x", 1), (long long)file.GetLength())},
         {"Read of the gap", 11, (file.Seek(10, CFile::begin), file.Read(buf, sizeof buf))}});
    EXPECT_EQ(std::string(10, '\0') + "x", std::string(buf, 11)) << "the gap reads as zeros";
    EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException*);
    ExpectValues({{"SetLength", 4, (file.SetLength(4), (long long)file.GetLength())},
                  {"the position follows", 4, (long long)file.GetPosition()},
                  {"nothing left to read", 0, file.Read(buf, 1)}});
    // A fixed buffer cannot grow.
    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile attached(fixed, sizeof fixed);
    attached.Write("ab", 2);
    EXPECT_EQ('a', fixed[0]);
    attached.Seek(0, CFile::end);
    EXPECT_THROW(attached.Write("more", 4), CMemoryException*);
    EXPECT_EQ(fixed, attached.Detach());
    BYTE* pOwned = file.Detach();
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ('0', pOwned[0]);
    free(pOwned);
}

// Messages name the file and the cause: a cause outside the table reads as the generic one, a
// missing name as a placeholder; a short buffer gets a cut text.
TEST(Exceptions, MessagesNameTheFileAndTheCause)
{
    const struct {
        CException* pException;
        const char* expected;
    } rows[] = {{new CFileException(CFileException::fileNotFound, 2, "a.txt"),
                 "File a.txt: the file was not found."},
                {new CFileException(CFileException::endOfFile),
                 "File (unknown): the end of the file was reached."},
                {new CFileException(99, 0, "b"), "File b: an unspecified error."},
                {new CFileException(-1, 0, "b"), "File b: an unspecified error."},
                {new CArchiveException(CArchiveException::badSchema, "doc.bin"),
                 "Archive doc.bin: it holds an unsupported version of a class."},
                {new CArchiveException(8), "Archive (unnamed): an unspecified error."},
                {new CMemoryException(), "Out of memory."}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.expected);
        char text[128] = "unchanged", shortText[8];
        UINT nHelpContext = 7;
        EXPECT_TRUE(r.pException->GetErrorMessage(text, sizeof text, &nHelpContext));
        EXPECT_STREQ(r.expected, text);
        EXPECT_EQ(0u, nHelpContext);
        EXPECT_TRUE(r.pException->GetErrorMessage(shortText, sizeof shortText));
        EXPECT_EQ(std::string(r.expected).substr(0, 7), shortText);
        EXPECT_FALSE(r.pException->GetErrorMessage(NULL, 0));
        r.pException->Delete();
    }
}
