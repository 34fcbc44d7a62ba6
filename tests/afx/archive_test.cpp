// CArchive on CMemFile and CFile: the byte layout of numbers and strings, object graphs
// recreated by class name, schema checks, damaged archives, and collections round trips.
#include <gtest/gtest.h>
#include <afxcoll.h>

#include <string>
#include <vector>

// A node of a small object graph: a name, a parent (back reference) and children.
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
            CObject* pParent;
            CObject* pLink;
            ar >> m_name >> pParent >> pLink;
            m_pParent = (CNode*)pParent;
            m_pLink = pLink;
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

std::vector<BYTE> BytesOf(CMemFile& file)
{
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    return bytes;
}

void StoreInto(CMemFile& file, void (*store)(CArchive& ar))
{
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
    file.SeekToBegin();
}

// Loads from bytes and reports the cause of the archive exception, or -1 if none came.
int LoadCause(const std::vector<BYTE>& bytes, void (*load)(CArchive& ar))
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
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

}  // namespace

TEST(Archive, NumbersRoundTripInLittleEndianLayout)
{
    CMemFile file;
    StoreInto(file, [](CArchive& ar) {
        ar << (BYTE)0xAB << (WORD)0x1234 << (LONG)-2 << (DWORD)0xDEADBEEF << (int)-7 << 1.5f
           << -2.25 << true << (LONGLONG)-5000000000LL << (short)-3 << (char)'z' << 9u;
    });
    std::vector<BYTE> bytes = BytesOf(file);
    ASSERT_EQ(1u + 2 + 4 + 4 + 4 + 4 + 8 + 1 + 8 + 2 + 1 + 4, bytes.size());
    EXPECT_EQ((std::vector<BYTE>{0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE}),
              std::vector<BYTE>(bytes.begin(), bytes.begin() + 11));

    CArchive ar(&file, CArchive::load);
    BYTE by;
    WORD w;
    LONG l;
    DWORD dw;
    int i;
    float f;
    double d;
    bool b;
    LONGLONG ll;
    short sh;
    char ch;
    unsigned u;
    ar >> by >> w >> l >> dw >> i >> f >> d >> b >> ll >> sh >> ch >> u;
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(-7, i);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(-2.25, d);
    EXPECT_TRUE(b);
    EXPECT_EQ(-5000000000LL, ll);
    EXPECT_EQ(-3, sh);
    EXPECT_EQ('z', ch);
    EXPECT_EQ(9u, u);
    EXPECT_TRUE(ar.IsLoading());
    EXPECT_FALSE(ar.IsStoring());
    // Past the end: an archive exception, not garbage.
    EXPECT_THROW(ar >> by, CArchiveException*) << "reading past the end";
}

TEST(Archive, StringLengthsCrossTheByteAndWordEncodings)
{
    struct Case {
        int length;
        std::vector<BYTE> header;
    } cases[] = {
        {0, {0x00}},
        {10, {0x0A}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        CString text;
        LPTSTR p = text.GetBufferSetLength(c.length);
        for (int i = 0; i < c.length; ++i)
            p[i] = (char)('a' + i % 23);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << text;
        }  // the destructor flushes
        std::vector<BYTE> bytes = BytesOf(file);
        ASSERT_EQ(c.header.size() + c.length, bytes.size()) << "length " << c.length;
        EXPECT_EQ(c.header, std::vector<BYTE>(bytes.begin(), bytes.begin() + c.header.size()))
            << "length " << c.length;
        CArchive ar(&file, CArchive::load);
        CString loaded("previous contents");
        ar >> loaded;
        EXPECT_EQ(c.length, loaded.GetLength());
        EXPECT_TRUE(loaded == text) << "length " << c.length;
    }
}

TEST(Archive, ObjectGraphIsRecreatedByClassName)
{
    CMemFile file;
    {
        CNode root("root");
        CNode* pA = root.AddChild(new CNode("a"));
        CNode* pB = root.AddChild(new CLeaf("b"));
        CNode* pC = pA->AddChild(new CLeaf("c"));
        pA->m_pLink = pC;     // a forward reference
        pC->m_pLink = &root;  // a cycle back to the root
        pB->m_pLink = pC;     // shared: c is written once
        CArchive ar(&file, CArchive::store);
        ar << &root << (CObject*)NULL << pC;
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* pRootOb;
    CObject* pNull = (CObject*)&file;
    CNode* pAgain;
    ar >> pRootOb >> pNull >> pAgain;  // pAgain uses CNode's own typed extraction
    ASSERT_NE(nullptr, pRootOb);
    CNode* pRoot = DYNAMIC_DOWNCAST(CNode, pRootOb);
    ASSERT_NE(nullptr, pRoot);
    EXPECT_EQ(nullptr, pNull);
    EXPECT_STREQ("root", (LPCTSTR)pRoot->m_name);
    EXPECT_EQ(nullptr, pRoot->m_pParent);
    ASSERT_EQ(2, pRoot->m_children.GetSize());
    CNode* pA = (CNode*)pRoot->m_children[0];
    CNode* pB = (CNode*)pRoot->m_children[1];
    ASSERT_EQ(1, pA->m_children.GetSize());
    CNode* pC = (CNode*)pA->m_children[0];
    EXPECT_EQ(RUNTIME_CLASS(CNode), pA->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CLeaf), pB->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CLeaf), pC->GetRuntimeClass());
    EXPECT_STREQ("c", (LPCTSTR)pC->m_name);
    EXPECT_EQ(pRoot, pA->m_pParent);
    EXPECT_EQ(pA, pC->m_pParent);
    EXPECT_EQ(pC, pA->m_pLink);
    EXPECT_EQ(pC, pB->m_pLink) << "a shared object loads once";
    EXPECT_EQ(pRoot, pC->m_pLink) << "the cycle closes on the same root";
    EXPECT_EQ(pC, pAgain);
    EXPECT_EQ(2u, pRoot->m_nLoadedSchema);
    EXPECT_EQ(1u, pC->m_nLoadedSchema);
    delete pRoot;
}

// Once the indices outgrow a word, a reference is the tag 0x7FFF and a dword index; earlier
// objects keep the word form. The root is index 2 (its class is 1), child k is index k + 3.
TEST(Archive, ReferencesPastTheWordRangeTakeTheDwordForm)
{
    const INT_PTR nChildren = 0x8000;
    CMemFile file;
    {
        CNode root("root");
        for (INT_PTR i = 0; i < nChildren; ++i)
            root.AddChild(new CNode);
        CArchive ar(&file, CArchive::store);
        ar << &root << root.m_children[nChildren - 1] << root.m_children[0];
        ar.Close();
    }
    std::vector<BYTE> bytes = BytesOf(file);
    ASSERT_GE(bytes.size(), 8u);
    const BYTE expected[8] = {0xFF, 0x7F, 0x02, 0x80, 0x00, 0x00, 0x03, 0x00};
    EXPECT_EQ(std::vector<BYTE>(expected, expected + 8),
              std::vector<BYTE>(bytes.end() - 8, bytes.end()))
        << "the last child as 0x7FFF and dword 0x8002, then the first child as word 3";

    CArchive ar(&file, CArchive::load);
    CObject* pRootOb = NULL;
    CObject* pLast = NULL;
    CObject* pFirst = NULL;
    ar >> pRootOb >> pLast >> pFirst;
    CNode* pRoot = DYNAMIC_DOWNCAST(CNode, pRootOb);
    ASSERT_NE(nullptr, pRoot);
    ASSERT_EQ(nChildren, pRoot->m_children.GetSize());
    EXPECT_EQ(pRoot->m_children[nChildren - 1], pLast) << "a dword reference loads the same object";
    EXPECT_EQ(pRoot->m_children[0], pFirst) << "a word reference loads the same object";
    delete pRoot;
}

TEST(Archive, SchemaAndClassChecksRejectMismatches)
{
    CMemFile file;
    StoreInto(file, [](CArchive& ar) {
        CLeaf leaf("leaf");
        ar << &leaf;
    });
    const std::vector<BYTE> bytes = BytesOf(file);

    // As written: loads, and the requested base class accepts it.
    EXPECT_EQ(-1, LoadCause(bytes, [](CArchive& ar) {
        CNode* pNode;
        ar >> pNode;
        delete pNode;
    }));
    // A class the object is not derived from.
    EXPECT_EQ(CArchiveException::badClass, LoadCause(bytes, [](CArchive& ar) {
                  delete ar.ReadObject(RUNTIME_CLASS(CStringList));
              }));
    // The program's class moved on to schema 2: the old object is refused...
    RUNTIME_CLASS(CLeaf)->m_wSchema = 2;
    EXPECT_EQ(CArchiveException::badSchema,
              LoadCause(bytes, [](CArchive& ar) { delete ar.ReadObject(NULL); }));
    // ...unless the class says it reads old schemas itself.
    RUNTIME_CLASS(CLeaf)->m_wSchema = 2 | VERSIONABLE_SCHEMA;
    EXPECT_EQ(-1, LoadCause(bytes, [](CArchive& ar) {
        CNode* pNode = (CNode*)ar.ReadObject(NULL);
        EXPECT_EQ(1u, pNode->m_nLoadedSchema) << "Serialize sees the stored schema";
        delete pNode;
    }));
    RUNTIME_CLASS(CLeaf)->m_wSchema = 1;

    // An unknown class name: "CLeaf" stored as "CLeaX".
    std::vector<BYTE> renamed = bytes;
    std::string text(renamed.begin(), renamed.end());
    size_t at = text.find("CLeaf");
    ASSERT_NE(std::string::npos, at);
    renamed[at + 4] = 'X';
    EXPECT_EQ(CArchiveException::badClass,
              LoadCause(renamed, [](CArchive& ar) { delete ar.ReadObject(NULL); }));
    // Every truncation ends in an exception, never a crash.
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        EXPECT_NE(-1, LoadCause(cut, [](CArchive& ar) { delete ar.ReadObject(NULL); }))
            << "cut to " << n << " bytes";
    }
    // A reference to an object index that was never stored.
    EXPECT_EQ(CArchiveException::badIndex,
              LoadCause({0x05, 0x00}, [](CArchive& ar) { ar.ReadObject(NULL); }));
    // Storing an object whose class is not serializable.
    CMemFile out;
    CArchive ar(&out, CArchive::store);
    CStringList notSerial;  // CStringList is serializable; CPtrList is not
    CPtrList ptrs;
    EXPECT_NO_THROW(ar << &notSerial);
    EXPECT_THROW(ar << &ptrs, CNotSupportedException*);
}

TEST(Archive, CollectionsRoundTrip)
{
    CMemFile file;
    StoreInto(file, [](CArchive& ar) {
        CStringArray strings;
        strings.Add("x");
        strings.Add(CString('y', 300));
        CDWordArray numbers;
        for (DWORD i = 0; i < 70000; ++i)  // a count past 0xFFFF
            numbers.Add(i * 3);
        CStringList list;
        list.AddTail("first");
        list.AddTail("second");
        CMapStringToOb map;
        CObList objects;
        CNode* pShared = new CNode("shared");
        map["k"] = pShared;
        objects.AddTail(pShared);
        objects.AddTail(new CLeaf("own"));
        strings.Serialize(ar);
        numbers.Serialize(ar);
        list.Serialize(ar);
        map.Serialize(ar);
        objects.Serialize(ar);
        while (!objects.IsEmpty())
            delete objects.RemoveHead();
    });
    CArchive ar(&file, CArchive::load);
    CStringArray strings;
    CDWordArray numbers;
    CStringList list;
    CMapStringToOb map;
    CObList objects;
    strings.Serialize(ar);
    numbers.Serialize(ar);
    list.Serialize(ar);
    map.Serialize(ar);
    objects.Serialize(ar);
    ASSERT_EQ(2, strings.GetSize());
    EXPECT_STREQ("x", (LPCTSTR)strings[0]);
    EXPECT_EQ(CString('y', 300), strings[1]);
    ASSERT_EQ(70000, numbers.GetSize());
    EXPECT_EQ(3u * 69999, numbers[69999]);
    EXPECT_EQ(3u * 1234, numbers[1234]);
    ASSERT_EQ(2, list.GetCount());
    EXPECT_STREQ("second", (LPCTSTR)list.GetTail());
    CObject* pShared = NULL;
    ASSERT_TRUE(map.Lookup("k", pShared));
    ASSERT_EQ(2, objects.GetCount());
    EXPECT_EQ(pShared, objects.GetHead()) << "the list and the map share one loaded object";
    EXPECT_EQ(RUNTIME_CLASS(CLeaf), objects.GetTail()->GetRuntimeClass());
    while (!objects.IsEmpty())
        delete objects.RemoveHead();
}

TEST(Archive, WorksOnADiskFileAndReadsText)
{
    char dir[MAX_PATH];
    char path[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, dir));
    ASSERT_NE(0u, GetTempFileNameA(dir, "arc", 0, path));
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
        EXPECT_STRCASEEQ(CString(path).Mid(CString(path).ReverseFind('\\') + 1),
                         (LPCTSTR)file.GetFileName());
        CArchive ar(&file, CArchive::load, 16);
        CString s;
        DWORD n;
        ar >> s >> n;
        EXPECT_STREQ("on disk", (LPCTSTR)s);
        EXPECT_EQ(77u, n);
        std::vector<std::string> lines;
        while (ar.ReadString(s))
            lines.push_back((LPCTSTR)s);
        EXPECT_EQ((std::vector<std::string>{"line one", "line two", "last"}), lines);
    }
    CFile::Remove(path);

    CFile missing;
    CFileException error;
    EXPECT_FALSE(missing.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(CFile::hFileNull, missing.m_hFile);
    EXPECT_THROW(CFile(path, CFile::modeRead), CFileException*);
    EXPECT_THROW(CFile::Remove(path), CFileException*);
}

TEST(MemFile, GrowsSeeksAndTruncates)
{
    CMemFile file(16);
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(5u, file.Seek(-5, CFile::end));
    char buf[16] = {};
    EXPECT_EQ(5u, file.Read(buf, sizeof buf));
    EXPECT_STREQ("56789", buf);
    file.Seek(20, CFile::begin);  // past the end: the gap reads as zeros
    file.Write("x", 1);
    EXPECT_EQ(21u, file.GetLength());
    file.Seek(10, CFile::begin);
    EXPECT_EQ(11u, file.Read(buf, sizeof buf));
    EXPECT_EQ(std::string(10, '\0') + "x", std::string(buf, 11));
    EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException*);
    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    EXPECT_EQ(4u, file.GetPosition());
    EXPECT_EQ(0u, file.Read(buf, 1));

    // A fixed buffer cannot grow.
    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile attached(fixed, sizeof fixed);
    EXPECT_EQ(4u, attached.GetLength());
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

// File and archive exception messages name the file and the cause: a cause outside the table
// reads as the generic one, a missing name as a placeholder; a short buffer gets a cut text.
TEST(Exceptions, MessagesNameTheFileAndTheCause)
{
    struct Case {
        CException* pException;
        const char* expected;
    } cases[] = {
        {new CFileException(CFileException::fileNotFound, 2, "a.txt"),
         "File a.txt: the file was not found."},
        {new CFileException(CFileException::endOfFile),
         "File (unknown): the end of the file was reached."},
        {new CFileException(99, 0, "b"), "File b: an unspecified error."},
        {new CFileException(-1, 0, "b"), "File b: an unspecified error."},
        {new CArchiveException(CArchiveException::badSchema, "doc.bin"),
         "Archive doc.bin: it holds an unsupported version of a class."},
        {new CArchiveException(8), "Archive (unnamed): an unspecified error."},
        {new CMemoryException(), "Out of memory."},
    };
    for (const Case& c : cases) {
        char text[128] = "unchanged";
        UINT nHelpContext = 7;
        EXPECT_TRUE(c.pException->GetErrorMessage(text, sizeof text, &nHelpContext)) << c.expected;
        EXPECT_STREQ(c.expected, text);
        EXPECT_EQ(0u, nHelpContext) << "help context of \"" << c.expected << "\"";
        char shortText[8];
        EXPECT_TRUE(c.pException->GetErrorMessage(shortText, sizeof shortText));
        EXPECT_EQ(std::string(c.expected).substr(0, 7), shortText);
        EXPECT_FALSE(c.pException->GetErrorMessage(NULL, 0))
            << "no buffer for \"" << c.expected << "\"";
        c.pException->Delete();
    }
}
