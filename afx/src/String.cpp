// CString: reference-counted copy-on-write strings with a header block before the characters.
#include <afx.h>

#include "ObjectAlloc.h"

#include <ctype.h>
#include <limits.h>
#include <mbctype.h>
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The shared empty string: every empty CString points at its terminator, so a CString never
// holds a null pointer and needs no allocation to be empty.
struct NilString {
    CStringData data;
    TCHAR terminator;
};
static_assert(offsetof(NilString, terminator) == sizeof(CStringData),
              "characters follow the header directly");
NilString g_nil = {{-1, 0, 0}, 0};

inline CStringData* NilData()
{
    return &g_nil.data;
}

// Data this CString may change in place: not the shared empty string and not shared.
inline bool IsWritable(const CStringData* pData)
{
    return pData != NilData() && (pData->nRefs == 1 || pData->nRefs < 0);
}

// A new block of nLen characters, all of them allocated and counted, terminated.
CStringData* NewData(int nLen)
{
    if (nLen <= 0)
        return NilData();
    if ((size_t)nLen > (size_t)(INT_MAX - sizeof(CStringData) - 1))
        AfxThrowMemoryException();
    const size_t nBytes = sizeof(CStringData) + (size_t)nLen + 1;
    CStringData* pData = NULL;
    if (afx_detail::AllocationAllowed(nBytes, FALSE))
        pData = (CStringData*)malloc(nBytes);
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nRefs = 1;
    pData->nDataLength = nLen;
    pData->nAllocLength = nLen;
    pData->data()[nLen] = '\0';
    return pData;
}

void ReleaseData(CStringData* pData)
{
    if (pData == NilData())
        return;
    // A locked buffer (-1) has exactly one owner.
    if (pData->nRefs < 0 || InterlockedDecrement(&pData->nRefs) == 0)
        free(pData);
}

inline int SafeLength(LPCTSTR lpsz)
{
    return lpsz != NULL ? (int)strlen(lpsz) : 0;
}

// The byte length of the character at p: 2 for a lead byte with a trail byte, else 1. Never
// steps over the terminator, unlike _mbsinc.
inline int CharLength(LPCTSTR p)
{
    return (_ismbblead((unsigned char)*p) && p[1] != '\0') ? 2 : 1;
}

// Whether the character of nLen bytes at p occurs in the set.
bool SetContains(LPCTSTR lpszSet, LPCTSTR p, int nLen)
{
    for (LPCTSTR q = lpszSet; *q != '\0'; q += CharLength(q)) {
        if (CharLength(q) == nLen && memcmp(q, p, (size_t)nLen) == 0)
            return true;
    }
    return false;
}

// The offset of lpszSub in lpsz at or after nStart, matching only at character boundaries.
int FindSub(LPCTSTR lpsz, int nStart, LPCTSTR lpszSub)
{
    size_t nSub = strlen(lpszSub);
    for (LPCTSTR p = lpsz + nStart;; p += CharLength(p)) {
        if (strncmp(p, lpszSub, nSub) == 0)
            return (int)(p - lpsz);
        if (*p == '\0')
            return -1;
    }
}

enum TrimKind { trimSpace, trimChar, trimSet };

bool IsTrimmed(TrimKind kind, LPCTSTR p, int nLen, TCHAR ch, LPCTSTR lpszSet)
{
    switch (kind) {
    case trimSpace:
        return nLen == 1 && isspace((unsigned char)*p);
    case trimChar:
        return nLen == 1 && *p == ch;
    case trimSet:
        return SetContains(lpszSet, p, nLen);
    }
    return false;
}

}  // namespace

/////////////////////////////////////////////////////////////////////////////
// Storage

void CString::Init()
{
    m_pchData = NilData()->data();
}

void CString::AllocBuffer(int nLen)
{
    m_pchData = NewData(nLen)->data();
}

void CString::Release()
{
    ReleaseData(GetData());
    Init();
}

void CString::ReplaceData(CStringData* pNewData)
{
    CStringData* pOld = GetData();
    m_pchData = pNewData->data();
    ReleaseData(pOld);
}

void CString::CopyBeforeWrite()
{
    CStringData* pData = GetData();
    if (pData == NilData() || IsWritable(pData))
        return;
    CStringData* pNew = NewData(pData->nDataLength);
    memcpy(pNew->data(), pData->data(), (size_t)pData->nDataLength);
    ReplaceData(pNew);
}

// The source may lie inside this string's own characters.
void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen <= 0 || lpszSrcData == NULL) {
        Empty();
        return;
    }
    CStringData* pData = GetData();
    if (IsWritable(pData) && nSrcLen <= pData->nAllocLength) {
        memmove(m_pchData, lpszSrcData, (size_t)nSrcLen);
        pData->nDataLength = nSrcLen;
        m_pchData[nSrcLen] = '\0';
        return;
    }
    CStringData* pNew = NewData(nSrcLen);
    memcpy(pNew->data(), lpszSrcData, (size_t)nSrcLen);
    ReplaceData(pNew);
}

// Appending grows the block by half again, so a loop of += costs linear time.
void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen <= 0 || lpszSrcData == NULL)
        return;
    CStringData* pData = GetData();
    int nOldLen = pData->nDataLength;
    if (nSrcLen > INT_MAX - 64 - nOldLen)
        AfxThrowMemoryException();
    int nNewLen = nOldLen + nSrcLen;
    if (IsWritable(pData) && nNewLen <= pData->nAllocLength) {
        memmove(m_pchData + nOldLen, lpszSrcData, (size_t)nSrcLen);
        pData->nDataLength = nNewLen;
        m_pchData[nNewLen] = '\0';
        return;
    }
    int nAlloc = nNewLen;
    if (nOldLen > 0 && nOldLen / 2 < INT_MAX - 64 - nOldLen && nOldLen + nOldLen / 2 > nAlloc)
        nAlloc = nOldLen + nOldLen / 2;
    CStringData* pNew = NewData(nAlloc);
    memcpy(pNew->data(), m_pchData, (size_t)nOldLen);
    memcpy(pNew->data() + nOldLen, lpszSrcData, (size_t)nSrcLen);
    pNew->nDataLength = nNewLen;
    pNew->data()[nNewLen] = '\0';
    ReplaceData(pNew);
}

/////////////////////////////////////////////////////////////////////////////
// Construction and assignment

CString::CString()
{
    Init();
}

CString::CString(const CString& stringSrc)
{
    CStringData* pSrc = stringSrc.GetData();
    if (pSrc->nRefs >= 0) {
        InterlockedIncrement(&pSrc->nRefs);
        m_pchData = stringSrc.m_pchData;
    } else {
        Init();
        AssignCopy(pSrc->nDataLength, stringSrc.m_pchData);
    }
}

CString::CString(TCHAR ch, int nRepeat)
{
    Init();
    if (nRepeat > 0) {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, (size_t)nRepeat);
    }
}

CString::CString(LPCTSTR lpsz)
{
    Init();
    if (lpsz != NULL && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD((ULONG_PTR)lpsz));
    else
        AssignCopy(SafeLength(lpsz), lpsz);
}

CString::CString(LPCTSTR lpch, int nLength)
{
    Init();
    if (lpch != NULL && nLength > 0)
        AssignCopy(nLength, lpch);
}

CString::~CString()
{
    ReleaseData(GetData());
}

void CString::Empty()
{
    CStringData* pData = GetData();
    if (pData->nDataLength == 0)
        return;
    if (pData->nRefs < 0) {  // a locked buffer stays in place
        pData->nDataLength = 0;
        m_pchData[0] = '\0';
    } else {
        Release();
    }
}

CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData == stringSrc.m_pchData)
        return *this;
    CStringData* pSrc = stringSrc.GetData();
    CStringData* pData = GetData();
    if (pSrc->nRefs < 0 || (pData != NilData() && pData->nRefs < 0)) {
        AssignCopy(pSrc->nDataLength, stringSrc.m_pchData);
    } else {
        InterlockedIncrement(&pSrc->nRefs);
        ReplaceData(pSrc);
    }
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

CString& CString::operator=(LPCTSTR lpsz)
{
    AssignCopy(SafeLength(lpsz), lpsz);
    return *this;
}

CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeLength(lpsz), lpsz);
    return *this;
}

namespace {
CString ConcatStrings(LPCTSTR lpsz1, int nLen1, LPCTSTR lpsz2, int nLen2)
{
    CString result;
    if (nLen1 > INT_MAX - 64 - nLen2)
        AfxThrowMemoryException();
    int nLen = nLen1 + nLen2;
    if (nLen > 0) {
        LPTSTR p = result.GetBuffer(nLen);
        memcpy(p, lpsz1, (size_t)nLen1);
        memcpy(p + nLen1, lpsz2, (size_t)nLen2);
        result.ReleaseBuffer(nLen);
    }
    return result;
}
}  // namespace

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    return ConcatStrings(string1, string1.GetLength(), string2, string2.GetLength());
}
CString AFXAPI operator+(const CString& string, TCHAR ch)
{
    return ConcatStrings(string, string.GetLength(), &ch, 1);
}
CString AFXAPI operator+(TCHAR ch, const CString& string)
{
    return ConcatStrings(&ch, 1, string, string.GetLength());
}
CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
    return ConcatStrings(string, string.GetLength(), lpsz, SafeLength(lpsz));
}
CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
    return ConcatStrings(lpsz, SafeLength(lpsz), string, string.GetLength());
}

/////////////////////////////////////////////////////////////////////////////
// Characters

TCHAR CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength()) {
        ASSERT(FALSE);
        return '\0';
    }
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    if (nIndex < 0 || nIndex >= GetLength()) {
        ASSERT(FALSE);
        return;
    }
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

/////////////////////////////////////////////////////////////////////////////
// Comparison

int CString::Compare(LPCTSTR lpsz) const
{
    return _mbscmp((const unsigned char*)m_pchData,
                   (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}
int CString::CompareNoCase(LPCTSTR lpsz) const
{
    return _mbsicmp((const unsigned char*)m_pchData,
                    (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}
int CString::Collate(LPCTSTR lpsz) const
{
    return _mbscoll((const unsigned char*)m_pchData,
                    (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}
int CString::CollateNoCase(LPCTSTR lpsz) const
{
    return _mbsicoll((const unsigned char*)m_pchData,
                     (const unsigned char*)(lpsz != NULL ? lpsz : ""));
}

/////////////////////////////////////////////////////////////////////////////
// Extraction

CString CString::Mid(int nFirst, int nCount) const
{
    int nLen = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst >= nLen)
        return CString();
    if ((long long)nFirst + nCount > nLen)
        nCount = nLen - nFirst;
    if (nFirst == 0 && nCount == nLen)
        return *this;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, nFirst < 0 ? GetLength() : GetLength() - nFirst);
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount >= GetLength())
        return *this;
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    int nLen = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount >= nLen)
        return *this;
    return CString(m_pchData + nLen - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return CString();
    return Left((int)_mbsspn((const unsigned char*)m_pchData, (const unsigned char*)lpszCharSet));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return *this;
    return Left((int)_mbscspn((const unsigned char*)m_pchData, (const unsigned char*)lpszCharSet));
}

/////////////////////////////////////////////////////////////////////////////
// In-place changes

CString& CString::MakeUpper()
{
    if (!IsEmpty()) {
        CopyBeforeWrite();
        _mbsupr((unsigned char*)m_pchData);
    }
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty()) {
        CopyBeforeWrite();
        _mbslwr((unsigned char*)m_pchData);
    }
    return *this;
}

CString& CString::MakeReverse()
{
    if (!IsEmpty()) {
        CopyBeforeWrite();
        _mbsrev((unsigned char*)m_pchData);
    }
    return *this;
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    if (chOld == chNew || chOld == '\0')
        return 0;
    int nCount = 0;
    for (LPCTSTR p = m_pchData; *p != '\0'; p += CharLength(p)) {
        if (*p == chOld && CharLength(p) == 1)
            ++nCount;
    }
    if (nCount == 0)
        return 0;
    CopyBeforeWrite();
    for (LPTSTR p = m_pchData; *p != '\0'; p += CharLength(p)) {
        if (*p == chOld && CharLength(p) == 1)
            *p = chNew;
    }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int nOldLen = SafeLength(lpszOld);
    if (nOldLen == 0)
        return 0;
    int nNewLen = SafeLength(lpszNew);
    int nCount = 0;
    for (int i = FindSub(m_pchData, 0, lpszOld); i >= 0;
         i = FindSub(m_pchData, i + nOldLen, lpszOld))
        ++nCount;
    if (nCount == 0)
        return 0;
    long long nResultLen = (long long)GetLength() + (long long)nCount * (nNewLen - nOldLen);
    if (nResultLen > INT_MAX - 64)
        AfxThrowMemoryException();
    CString result;
    if (nResultLen > 0) {
        LPTSTR pDest = result.GetBuffer((int)nResultLen);
        int nFrom = 0;
        for (int i = FindSub(m_pchData, 0, lpszOld); i >= 0;
             i = FindSub(m_pchData, i + nOldLen, lpszOld)) {
            memcpy(pDest, m_pchData + nFrom, (size_t)(i - nFrom));
            pDest += i - nFrom;
            memcpy(pDest, lpszNew, (size_t)nNewLen);
            pDest += nNewLen;
            nFrom = i + nOldLen;
        }
        memcpy(pDest, m_pchData + nFrom, (size_t)(GetLength() - nFrom));
        result.ReleaseBuffer((int)nResultLen);
    }
    *this = result;
    return nCount;
}

int CString::Remove(TCHAR chRemove)
{
    int nCount = 0;
    for (LPCTSTR p = m_pchData; *p != '\0'; p += CharLength(p)) {
        if (*p == chRemove && CharLength(p) == 1)
            ++nCount;
    }
    if (nCount == 0)
        return 0;
    CopyBeforeWrite();
    LPTSTR pDest = m_pchData;
    for (LPTSTR p = m_pchData; *p != '\0';) {
        int n = CharLength(p);
        if (!(n == 1 && *p == chRemove)) {
            memmove(pDest, p, (size_t)n);
            pDest += n;
        }
        p += n;
    }
    *pDest = '\0';
    GetData()->nDataLength = (int)(pDest - m_pchData);
    return nCount;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    TCHAR text[2] = {ch, '\0'};
    if (ch == '\0')
        return GetLength();
    return Insert(nIndex, text);
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int nLen = GetLength();
    int nInsert = SafeLength(pstr);
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLen)
        nIndex = nLen;
    if (nInsert == 0)
        return nLen;
    if (nInsert > INT_MAX - 64 - nLen)
        AfxThrowMemoryException();
    CStringData* pNew = NewData(nLen + nInsert);
    memcpy(pNew->data(), m_pchData, (size_t)nIndex);
    memcpy(pNew->data() + nIndex, pstr, (size_t)nInsert);
    memcpy(pNew->data() + nIndex + nInsert, m_pchData + nIndex, (size_t)(nLen - nIndex));
    ReplaceData(pNew);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLen = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < nLen) {
        if (nCount > nLen - nIndex)
            nCount = nLen - nIndex;
        CopyBeforeWrite();
        memmove(m_pchData + nIndex, m_pchData + nIndex + nCount,
                (size_t)(nLen - nIndex - nCount + 1));
        GetData()->nDataLength = nLen - nCount;
    }
    return GetLength();
}

/////////////////////////////////////////////////////////////////////////////
// Trimming

namespace {
// The offset where the run of trimmed characters at the end begins.
int TrailingStart(LPCTSTR lpsz, TrimKind kind, TCHAR ch, LPCTSTR lpszSet)
{
    LPCTSTR pRun = NULL;
    LPCTSTR p = lpsz;
    for (; *p != '\0'; p += CharLength(p)) {
        if (IsTrimmed(kind, p, CharLength(p), ch, lpszSet)) {
            if (pRun == NULL)
                pRun = p;
        } else {
            pRun = NULL;
        }
    }
    return (int)((pRun != NULL ? pRun : p) - lpsz);
}

int LeadingEnd(LPCTSTR lpsz, TrimKind kind, TCHAR ch, LPCTSTR lpszSet)
{
    LPCTSTR p = lpsz;
    while (*p != '\0' && IsTrimmed(kind, p, CharLength(p), ch, lpszSet))
        p += CharLength(p);
    return (int)(p - lpsz);
}
}  // namespace

CString& CString::TrimRight()
{
    int n = TrailingStart(m_pchData, trimSpace, 0, NULL);
    if (n < GetLength())
        Delete(n, GetLength() - n);
    return *this;
}
CString& CString::TrimRight(TCHAR chTarget)
{
    int n = TrailingStart(m_pchData, trimChar, chTarget, NULL);
    if (n < GetLength())
        Delete(n, GetLength() - n);
    return *this;
}
CString& CString::TrimRight(LPCTSTR lpszTargets)
{
    if (lpszTargets == NULL)
        return *this;
    int n = TrailingStart(m_pchData, trimSet, 0, lpszTargets);
    if (n < GetLength())
        Delete(n, GetLength() - n);
    return *this;
}
CString& CString::TrimLeft()
{
    int n = LeadingEnd(m_pchData, trimSpace, 0, NULL);
    if (n > 0)
        Delete(0, n);
    return *this;
}
CString& CString::TrimLeft(TCHAR chTarget)
{
    int n = LeadingEnd(m_pchData, trimChar, chTarget, NULL);
    if (n > 0)
        Delete(0, n);
    return *this;
}
CString& CString::TrimLeft(LPCTSTR lpszTargets)
{
    if (lpszTargets == NULL)
        return *this;
    int n = LeadingEnd(m_pchData, trimSet, 0, lpszTargets);
    if (n > 0)
        Delete(0, n);
    return *this;
}
CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}
CString& CString::Trim(TCHAR chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(LPCTSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

/////////////////////////////////////////////////////////////////////////////
// Searching

int CString::Find(TCHAR ch) const
{
    return Find(ch, 0);
}

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (ch == '\0' || nStart >= GetLength())
        return -1;
    for (LPCTSTR p = m_pchData + nStart; *p != '\0'; p += CharLength(p)) {
        if (*p == ch && CharLength(p) == 1)
            return (int)(p - m_pchData);
    }
    return -1;
}

int CString::Find(LPCTSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength())
        return -1;
    return FindSub(m_pchData, nStart, lpszSub);
}

int CString::ReverseFind(TCHAR ch) const
{
    int nFound = -1;
    if (ch == '\0')
        return -1;
    for (LPCTSTR p = m_pchData; *p != '\0'; p += CharLength(p)) {
        if (*p == ch && CharLength(p) == 1)
            nFound = (int)(p - m_pchData);
    }
    return nFound;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return -1;
    for (LPCTSTR p = m_pchData; *p != '\0'; p += CharLength(p)) {
        if (SetContains(lpszCharSet, p, CharLength(p)))
            return (int)(p - m_pchData);
    }
    return -1;
}

/////////////////////////////////////////////////////////////////////////////
// Formatting and resources

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL) {
        Empty();
        return;
    }
    va_list args;
    va_copy(args, argList);
    int nLen = _vscprintf(lpszFormat, args);
    va_end(args);
    if (nLen <= 0) {
        Empty();
        return;
    }
    // Formatted into a separate string: the arguments may point into this one.
    CString result;
    LPTSTR p = result.GetBuffer(nLen);
    va_copy(args, argList);
    _vsnprintf(p, (size_t)nLen + 1, lpszFormat, args);
    va_end(args);
    result.ReleaseBuffer(nLen);
    *this = result;
}

void AFX_CDECL CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID)) {
        Empty();
        return;
    }
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    // String resources hold at most 65535 characters.
    for (int nSize = 256; nSize <= 65536; nSize *= 2) {
        CString text;
        LPTSTR p = text.GetBuffer(nSize);
        int nLen = ::LoadString(hInst, nID, p, nSize + 1);
        if (nLen <= 0) {
            Empty();
            return FALSE;
        }
        if (nLen < nSize || nSize == 65536) {
            text.ReleaseBuffer(nLen);
            *this = text;
            return TRUE;
        }
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// Direct buffer access

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        nMinBufLength = 0;
    CStringData* pData = GetData();
    if (pData == NilData() && nMinBufLength == 0)
        return m_pchData;
    if (!IsWritable(pData) || nMinBufLength > pData->nAllocLength) {
        int nOldLen = pData->nDataLength;
        CStringData* pNew = NewData(nMinBufLength > nOldLen ? nMinBufLength : nOldLen);
        memcpy(pNew->data(), m_pchData, (size_t)nOldLen + 1);
        pNew->nDataLength = nOldLen;
        ReplaceData(pNew);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CopyBeforeWrite();
    CStringData* pData = GetData();
    if (pData == NilData())
        return;
    if (nNewLength == -1)
        nNewLength = (int)strnlen(m_pchData, (size_t)pData->nAllocLength);
    if (nNewLength < 0 || nNewLength > pData->nAllocLength) {
        ASSERT(FALSE);
        nNewLength = nNewLength < 0 ? 0 : pData->nAllocLength;
    }
    pData->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    GetBuffer(nNewLength);
    CStringData* pData = GetData();
    if (pData != NilData() && nNewLength >= 0) {
        pData->nDataLength = nNewLength;
        m_pchData[nNewLength] = '\0';
    }
    return m_pchData;
}

void CString::FreeExtra()
{
    CStringData* pData = GetData();
    if (pData == NilData() || pData->nDataLength == pData->nAllocLength)
        return;
    CStringData* pNew = NewData(pData->nDataLength);
    memcpy(pNew->data(), m_pchData, (size_t)pData->nDataLength);
    ReplaceData(pNew);
}

LPTSTR CString::LockBuffer()
{
    LPTSTR p = GetBuffer(0);
    if (GetData() != NilData())
        GetData()->nRefs = -1;
    return p;
}

void CString::UnlockBuffer()
{
    if (GetData() != NilData() && GetData()->nRefs == -1)
        GetData()->nRefs = 1;
}
