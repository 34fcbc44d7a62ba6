// CArchive: buffered binary serialization of numbers, strings and object graphs on a CFile,
// and the storing and loading of runtime classes by name.
#include <afx.h>

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include <unordered_map>
#include <vector>

namespace {
// Tags of the object stream: a WORD before each object or class reference.
const WORD wNullTag = 0;           // a NULL object pointer
const WORD wNewClassTag = 0xFFFF;  // a class written for the first time follows
const WORD wClassTag = 0x8000;     // or'ed with the index of a class already written
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;  // a DWORD index follows
const DWORD nMaxMapCount = 0x3FFFFFFE;
// Class names in the stream are short; a longer one means a damaged archive.
const WORD nMaxClassNameLength = 64;
}  // namespace

// Objects and classes seen so far share one index space, starting at 1 (0 is NULL).
struct CArchive::MapState {
    struct Entry {
        void* p;
        bool isClass;
        UINT schema;
    };
    std::unordered_map<const void*, DWORD> stored;
    DWORD nextIndex = 1;
    std::vector<Entry> loaded{Entry{NULL, false, 0}};

    // The index p was stored under, or 0 when it has not been stored yet.
    DWORD FindStored(const void* p) const
    {
        auto found = stored.find(p);
        return found == stored.end() ? 0 : found->second;
    }

    // Gives p the next index; an archive that would need more indices than the format holds
    // cannot be written.
    void AddStored(const void* p, const CString& strFileName)
    {
        if (nextIndex >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, strFileName);
        stored[p] = nextIndex++;
    }
};

namespace {
// A reference to an object or class stored earlier: its index in a word, or the big-index tag
// and the index in a dword; a class reference carries its tag in either form.
void WriteReference(CArchive& ar, DWORD nIndex, WORD wTag, DWORD dwBigTag)
{
    if (nIndex < wBigObjectTag)
        ar << (WORD)(wTag | nIndex);
    else
        ar << wBigObjectTag << (DWORD)(dwBigTag | nIndex);
}
}  // namespace

/////////////////////////////////////////////////////////////////////////////
// CRuntimeClass storing and loading

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)lstrlenA(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLen = 0;
    ar >> wSchema >> nLen;
    char name[nMaxClassNameLength + 1];
    if (nLen > nMaxClassNameLength || ar.Read(name, nLen) != nLen)
        return NULL;
    name[nLen] = '\0';
    CRuntimeClass* pClass = FromName(name);
    if (pClass == NULL) {
        TRACE("CRuntimeClass::Load: class %s is not registered\n", name);
        return NULL;
    }
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wSchema;
    return pClass;
}

/////////////////////////////////////////////////////////////////////////////
// Construction, buffer and file

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nMode(nMode), m_nBufSize(nBufSize < 128 ? 128u : (UINT)nBufSize),
      m_nObjectSchema((UINT)-1), m_bUserBuf(lpBuf != NULL && nBufSize > 0), m_pFile(pFile),
      m_lpBufCur(NULL), m_lpBufMax(NULL), m_lpBufStart(NULL), m_pMapState(NULL)
{
    if (m_bUserBuf) {
        m_nBufSize = (UINT)nBufSize;
        m_lpBufStart = (BYTE*)lpBuf;
    } else {
        m_lpBufStart = (BYTE*)malloc(m_nBufSize);
        if (m_lpBufStart == NULL)
            AfxThrowMemoryException();
    }
    m_lpBufCur = m_lpBufStart;
    // Storing fills up to the end of the buffer; loading has nothing buffered yet.
    m_lpBufMax = IsStoring() ? m_lpBufStart + m_nBufSize : m_lpBufStart;
    if (pFile != NULL)
        m_strFileName = pFile->GetFilePath();
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    Abort();
}

void CArchive::Abort()
{
    if (!m_bUserBuf)
        free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
    m_bUserBuf = FALSE;
    delete m_pMapState;
    m_pMapState = NULL;
    m_pFile = NULL;
}

void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    Flush();
    m_pFile = NULL;
}

void CArchive::Flush()
{
    if (m_pFile == NULL || m_lpBufStart == NULL)
        return;
    if (IsStoring()) {
        if (m_lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
        m_lpBufCur = m_lpBufStart;
    } else {
        // Give the unread bytes back, so the file position is where the archive stopped reading.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    UINT nUnread = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnread;
    if (nBytesNeeded > m_nBufSize)
        nBytesNeeded = m_nBufSize;
    while ((UINT)(m_lpBufMax - m_lpBufStart) < nBytesNeeded) {
        UINT nRead = m_pFile->Read(m_lpBufMax, m_nBufSize - (UINT)(m_lpBufMax - m_lpBufStart));
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return 0;
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (lpBuf == NULL || m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    BYTE* pDest = (BYTE*)lpBuf;
    UINT nDone = 0;
    while (nDone < nMax) {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail == 0) {
            UINT nLeft = nMax - nDone;
            if (nLeft >= m_nBufSize) {  // large reads go straight to the caller
                UINT nRead = m_pFile->Read(pDest + nDone, nLeft);
                if (nRead == 0)
                    break;
                nDone += nRead;
                continue;
            }
            FillBuffer(nLeft);
            nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
            if (nAvail == 0)
                break;
        }
        UINT nCopy = nMax - nDone < nAvail ? nMax - nDone : nAvail;
        memcpy(pDest + nDone, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        nDone += nCopy;
    }
    return nDone;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (nMax == 0)
        return;
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (lpBuf == NULL || m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    const BYTE* pSrc = (const BYTE*)lpBuf;
    while (nMax > 0) {
        UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nRoom == 0) {
            Flush();
            if (nMax >= m_nBufSize) {
                m_pFile->Write(pSrc, nMax);
                return;
            }
            nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
        }
        UINT nCopy = nMax < nRoom ? nMax : nRoom;
        memcpy(m_lpBufCur, pSrc, nCopy);
        m_lpBufCur += nCopy;
        pSrc += nCopy;
        nMax -= nCopy;
    }
}

/////////////////////////////////////////////////////////////////////////////
// Numbers, little-endian as in memory

#define AFX_ARCHIVE_VALUE(Type, StoredType)                                                        \
    CArchive& CArchive::operator<<(Type value)                                                     \
    {                                                                                              \
        StoredType stored = (StoredType)value;                                                     \
        Write(&stored, sizeof stored);                                                             \
        return *this;                                                                              \
    }                                                                                              \
    CArchive& CArchive::operator>>(Type& value)                                                    \
    {                                                                                              \
        StoredType stored;                                                                         \
        ReadExact(&stored, sizeof stored);                                                         \
        value = (Type)stored;                                                                      \
        return *this;                                                                              \
    }

AFX_ARCHIVE_VALUE(BYTE, BYTE)
AFX_ARCHIVE_VALUE(WORD, WORD)
AFX_ARCHIVE_VALUE(LONG, LONG)
AFX_ARCHIVE_VALUE(DWORD, DWORD)
AFX_ARCHIVE_VALUE(float, float)
AFX_ARCHIVE_VALUE(double, double)
AFX_ARCHIVE_VALUE(int, LONG)
AFX_ARCHIVE_VALUE(short, WORD)
AFX_ARCHIVE_VALUE(char, BYTE)
AFX_ARCHIVE_VALUE(unsigned, DWORD)
AFX_ARCHIVE_VALUE(LONGLONG, LONGLONG)
AFX_ARCHIVE_VALUE(ULONGLONG, ULONGLONG)

#undef AFX_ARCHIVE_VALUE

CArchive& CArchive::operator<<(bool b)
{
    return *this << (BYTE)(b ? 1 : 0);
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    *this >> by;
    b = by != 0;
    return *this;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
        return;
    }
    *this << (WORD)0xFFFF;
    if ((ULONGLONG)dwCount < 0xFFFFFFFF) {
        *this << (DWORD)dwCount;
    } else {
        *this << (DWORD)0xFFFFFFFF << (ULONGLONG)dwCount;
    }
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    if (qwCount > (ULONGLONG)(DWORD_PTR)-1)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    return (DWORD_PTR)qwCount;
}

/////////////////////////////////////////////////////////////////////////////
// Text

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != NULL)
        Write(lpsz, (UINT)strlen(lpsz));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    char chunk[256];
    int nChunk = 0;
    BOOL bAny = FALSE;
    char ch;
    while (Read(&ch, 1) == 1) {
        bAny = TRUE;
        if (ch == '\n')
            break;
        chunk[nChunk++] = ch;
        if (nChunk == (int)sizeof chunk) {
            rString += CString(chunk, nChunk);
            nChunk = 0;
        }
    }
    rString += CString(chunk, nChunk);
    int nLen = rString.GetLength();
    if (nLen > 0 && rString[nLen - 1] == '\r')
        rString.Delete(nLen - 1);
    return bAny;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        return NULL;
    UINT nLen = 0;
    BOOL bAny = FALSE;
    char ch;
    while (nLen + 1 < nMax && Read(&ch, 1) == 1) {
        bAny = TRUE;
        if (ch == '\n')
            break;
        lpsz[nLen++] = ch;
    }
    if (nLen > 0 && lpsz[nLen - 1] == '\r')
        --nLen;
    lpsz[nLen] = '\0';
    return bAny ? lpsz : NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Strings

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    int nLen = string.GetLength();
    if (nLen < 0xFF) {
        ar << (BYTE)nLen;
    } else if (nLen < 0xFFFE) {
        ar << (BYTE)0xFF << (WORD)nLen;
    } else {
        ar << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)nLen;
    }
    ar.Write((LPCTSTR)string, (UINT)nLen);
    return ar;
}

namespace {
// Reads a length in the string encoding; TRUE in *pbWide when a UTF-16 marker came first.
DWORD ReadStringLength(CArchive& ar, bool* pbWide)
{
    *pbWide = false;
    for (;;) {
        BYTE bLen;
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        WORD wLen;
        ar >> wLen;
        if (wLen == 0xFFFE && !*pbWide) {
            *pbWide = true;  // the real length follows in the same encoding
            continue;
        }
        if (wLen < 0xFFFF)
            return wLen;
        DWORD dwLen;
        ar >> dwLen;
        return dwLen;
    }
}
}  // namespace

// Long strings are read in chunks, so a damaged length cannot make one huge allocation.
CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    bool bWide = false;
    DWORD nLen = ReadStringLength(ar, &bWide);
    if (nLen > (DWORD)(INT_MAX / 4))
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    CString result;
    if (!bWide) {
        char chunk[4096];
        while (nLen > 0) {
            UINT n = nLen < sizeof chunk ? (UINT)nLen : (UINT)sizeof chunk;
            if (ar.Read(chunk, n) != n)
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            result += CString(chunk, (int)n);
            nLen -= n;
        }
    } else {
        std::vector<WCHAR> wide;
        WCHAR chunk[2048];
        while (nLen > 0) {
            UINT n = nLen < 2048 ? (UINT)nLen : 2048u;
            if (ar.Read(chunk, n * sizeof(WCHAR)) != n * sizeof(WCHAR))
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
            wide.insert(wide.end(), chunk, chunk + n);
            nLen -= n;
        }
        if (!wide.empty()) {
            int nBytes =
                WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
            if (nBytes > 0) {
                WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(),
                                    result.GetBuffer(nBytes), nBytes, NULL, NULL);
                result.ReleaseBuffer(nBytes);
            }
        }
    }
    string = result;
    return ar;
}

/////////////////////////////////////////////////////////////////////////////
// Objects and classes

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;  // valid once, for the object being loaded
    return nResult;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (pClassRef == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pClassRef->m_wSchema == 0xFFFF) {
        TRACE("CArchive::WriteClass: %s is not serializable\n", pClassRef->m_lpszClassName);
        AfxThrowNotSupportedException();
    }
    if (m_pMapState == NULL)
        m_pMapState = new MapState;
    if (DWORD nClassIndex = m_pMapState->FindStored(pClassRef)) {
        WriteReference(*this, nClassIndex, wClassTag, dwBigClassTag);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_pMapState->AddStored(pClassRef, m_strFileName);
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pOb == NULL) {
        *this << wNullTag;
        return;
    }
    if (m_pMapState == NULL)
        m_pMapState = new MapState;
    if (DWORD nObIndex = m_pMapState->FindStored(pOb)) {
        WriteReference(*this, nObIndex, 0, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Mapped before its contents, so references back to it inside Serialize become indices.
    m_pMapState->AddStored(pOb, m_strFileName);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (m_pMapState == NULL)
        m_pMapState = new MapState;
    if (IsStoring()) {
        if (pOb != NULL && m_pMapState->FindStored(pOb) == 0)
            m_pMapState->stored[pOb] = m_pMapState->nextIndex++;
    } else {
        m_pMapState->loaded.push_back(MapState::Entry{const_cast<CObject*>(pOb), false, 0});
    }
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (m_pMapState == NULL)
        m_pMapState = new MapState;
    std::vector<MapState::Entry>& loaded = m_pMapState->loaded;

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag)) {  // a reference to an object, or NULL
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema = 0;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        if (loaded.size() >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        loaded.push_back(MapState::Entry{pClassRef, true, nSchema});
    } else {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= loaded.size() || !loaded[nClassIndex].isClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = (CRuntimeClass*)loaded[nClassIndex].p;
        nSchema = loaded[nClassIndex].schema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, NULL, NULL);
}

// On a failed load the objects already created are not freed: the graph may refer to them.
CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    std::vector<MapState::Entry>& loaded = m_pMapState->loaded;
    if (pClassRef == NULL) {
        if (obTag == 0)
            return NULL;
        if (obTag >= loaded.size() || loaded[obTag].isClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = (CObject*)loaded[obTag].p;
        if (pClassRefRequested != NULL && (pOb == NULL || !pOb->IsKindOf(pClassRefRequested)))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (loaded.size() >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    loaded.push_back(MapState::Entry{pOb, false, 0});
    m_nObjectSchema = nSchema;
    pOb->Serialize(*this);
    m_nObjectSchema = (UINT)-1;
    return pOb;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}
