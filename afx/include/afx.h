// Core of the class-library layer: objects and runtime classes, diagnostics, strings,
// exceptions, files and archives.
#pragma once
#include "afxver_.h"

#include <stdarg.h>
#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include <new>

class CObject;
class CArchive;
class CDumpContext;
class CString;
class CFile;
class CDocument;
struct CRuntimeClass;

// An opaque iteration cursor of lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

/////////////////////////////////////////////////////////////////////////////
// Diagnostics. ASSERT and friends are active only in _DEBUG builds; VERIFY always evaluates.

AFX_API BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
AFX_API void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...);
AFX_API void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);
AFX_API BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT_PTR nBytes, BOOL bReadWrite = TRUE);
AFX_API BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength = -1);
AFX_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
AFX_API CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject);

#define AfxDebugBreak() ::DebugBreak()

#ifdef _DEBUG
#define ASSERT(f)                                                                                  \
    do {                                                                                           \
        if (!(f) && ::AfxAssertFailedLine(__FILE__, __LINE__))                                     \
            AfxDebugBreak();                                                                       \
    } while (0)
#define VERIFY(f) ASSERT(f)
#define DEBUG_ONLY(f) (f)
#define ASSERT_VALID(pOb) (::AfxAssertValidObject((pOb), __FILE__, __LINE__))
#define TRACE ::AfxTrace
#define STATIC_DOWNCAST(class_name, object)                                                        \
    (static_cast<class_name*>(::AfxStaticDownCast(RUNTIME_CLASS(class_name), (object))))
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define DEBUG_ONLY(f) ((void)0)
#define ASSERT_VALID(pOb) ((void)0)
// Arguments are type-checked but never evaluated.
#define TRACE 1 ? (void)0 : ::AfxTrace
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#endif
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    ((class_name*)::AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object)))
#define DEBUG_NEW new

/////////////////////////////////////////////////////////////////////////////
// Runtime classes. Every class implemented with IMPLEMENT_DYNAMIC, _DYNCREATE or _SERIAL is
// registered in a process-wide class list when its module initialises and leaves it when the
// module unloads.

// A schema number or'ed with this tells the archive that the class reads older schemas itself.
#define VERSIONABLE_SCHEMA (0x80000000)

struct AFX_CLASSINIT;

struct AFX_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                         // 0xFFFF: not serializable
    CObject*(PASCAL* m_pfnCreateObject)();  // NULL: cannot be created dynamically
    // A function rather than a pointer so a class may derive from a class of another DLL and
    // still be initialised statically.
    CRuntimeClass*(PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;  // link of the class list
    const AFX_CLASSINIT* m_pClassInit;

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the class list (done by the static AFX_CLASSINIT of each IMPLEMENT_ macro).
AFX_API void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);
// Removes a class from the class list (its module is unloading).
AFX_API void AFXAPI AfxClassTerm(CRuntimeClass* pOldClass);
// Calls pfn for every registered class, newest first; the list may change inside pfn.
AFX_API void AFXAPI AfxDoForAllClasses(void(AFX_CDECL* pfn)(const CRuntimeClass* pClass,
                                                            void* pContext),
                                       void* pContext);

struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass)
    {
        AfxClassInit(pNewClass);
    }
    ~AFX_CLASSINIT() { AfxClassTerm(m_pClass); }
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
    CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    static CRuntimeClass* PASCAL _GetBaseClass();                                                  \
    static CRuntimeClass* PASCAL GetThisClass();                                                   \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* PASCAL CreateObject();

// The extraction operator is an inline friend, found by argument-dependent lookup, so it needs
// no export from the module that implements the class.
#define DECLARE_SERIAL(class_name)                                                                 \
    DECLARE_DYNCREATE(class_name)                                                                  \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                             \
    {                                                                                              \
        pOb = (class_name*)AfxReadObjectFromArchive(ar, RUNTIME_CLASS(class_name));                \
        return ar;                                                                                 \
    }

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                       \
    CRuntimeClass* PASCAL class_name::_GetBaseClass()                                              \
    {                                                                                              \
        return RUNTIME_CLASS(base_class_name);                                                     \
    }                                                                                              \
    CRuntimeClass class_name::class##class_name = {                                                \
        #class_name, (int)sizeof(class class_name), (wSchema),                                     \
        (pfnNew),    &class_name::_GetBaseClass,    NULL,                                          \
        NULL};                                                                                     \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                            \
    [[maybe_unused]] CRuntimeClass* PASCAL class_name::GetThisClass()                              \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }                                                                                              \
    CRuntimeClass* class_name::GetRuntimeClass() const                                             \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* PASCAL class_name::CreateObject()                                                     \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* PASCAL class_name::CreateObject()                                                     \
    {                                                                                              \
        return new class_name;                                                                     \
    }                                                                                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

/////////////////////////////////////////////////////////////////////////////
// CObject: the root of the class hierarchy.

class AFX_API CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;

public:
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL _GetBaseClass();
    static CRuntimeClass* PASCAL GetThisClass();

    // Small objects come from per-size free lists kept by the layer: drawing code makes and
    // deletes pens, brushes and wrappers by the thousand, and a free list is several times
    // cheaper than the process heap.
    static void* PASCAL operator new(size_t nSize);
    static void* PASCAL operator new(size_t nSize, const std::nothrow_t&) noexcept;
    static void* PASCAL operator new(size_t, void* p) noexcept { return p; }
    static void PASCAL operator delete(void* p) noexcept;
    static void PASCAL operator delete(void* p, const std::nothrow_t&) noexcept;
    static void PASCAL operator delete(void*, void*) noexcept {}
};

// Used by DECLARE_SERIAL's extraction operator; same as ar.ReadObject(pClass).
AFX_API CObject* AFXAPI AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClass);

/////////////////////////////////////////////////////////////////////////////
// CString: a reference-counted, copy-on-write character string. The only member points at
// the characters; a block before them holds the reference count, length and allocated size.

struct CStringData {
    LONG nRefs;        // -1: the shared empty string, or a locked buffer
    int nDataLength;   // characters, not counting the terminator
    int nAllocLength;  // room for characters, not counting the terminator
    TCHAR* data() { return (TCHAR*)(this + 1); }
};

class AFX_API CString
{
public:
    CString();
    CString(const CString& stringSrc);
    CString(TCHAR ch, int nRepeat = 1);
    // NULL gives an empty string; MAKEINTRESOURCE(id) loads string resource id.
    CString(LPCTSTR lpsz);
    // Exactly nLength characters from lpch, which need not be terminated.
    CString(LPCTSTR lpch, int nLength);
    ~CString();

    int GetLength() const { return GetData()->nDataLength; }
    int GetAllocLength() const { return GetData()->nAllocLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    // A bad index asserts in debug builds; in release GetAt gives 0 and SetAt does nothing.
    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }

    CString& operator=(const CString& stringSrc);
    CString& operator=(TCHAR ch);
    CString& operator=(LPCTSTR lpsz);

    CString& operator+=(const CString& string);
    CString& operator+=(TCHAR ch);
    CString& operator+=(LPCTSTR lpsz);

    friend AFX_API CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend AFX_API CString AFXAPI operator+(const CString& string, TCHAR ch);
    friend AFX_API CString AFXAPI operator+(TCHAR ch, const CString& string);
    friend AFX_API CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
    friend AFX_API CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;
    int Collate(LPCTSTR lpsz) const;
    int CollateNoCase(LPCTSTR lpsz) const;

    // Out-of-range arguments are clamped to the string.
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    CString& TrimRight();
    CString& TrimRight(TCHAR chTarget);
    CString& TrimRight(LPCTSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(TCHAR chTarget);
    CString& TrimLeft(LPCTSTR lpszTargets);
    CString& Trim();
    CString& Trim(TCHAR chTarget);
    CString& Trim(LPCTSTR lpszTargets);

    int Find(TCHAR ch) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    void AFX_CDECL Format(LPCTSTR lpszFormat, ...) __attribute__((format(ms_printf, 2, 3)));
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);

    // Loads string resource nID through AfxGetResourceHandle(); FALSE leaves the string empty.
    BOOL LoadString(UINT nID);

    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

protected:
    LPTSTR m_pchData;

    CStringData* GetData() const { return ((CStringData*)m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);
    void Release();
    void CopyBeforeWrite();
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void ReplaceData(CStringData* pNewData);
};

static_assert(sizeof(CString) == sizeof(void*), "CString must stay one pointer wide");

inline bool AFXAPI operator==(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) == 0;
}
inline bool AFXAPI operator==(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) == 0;
}
inline bool AFXAPI operator==(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) == 0;
}
inline bool AFXAPI operator!=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) != 0;
}
inline bool AFXAPI operator!=(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) != 0;
}
inline bool AFXAPI operator!=(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) != 0;
}
inline bool AFXAPI operator<(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) < 0;
}
inline bool AFXAPI operator<(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) < 0;
}
inline bool AFXAPI operator<(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) > 0;
}
inline bool AFXAPI operator>(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) > 0;
}
inline bool AFXAPI operator>(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) > 0;
}
inline bool AFXAPI operator>(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) < 0;
}
inline bool AFXAPI operator<=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) <= 0;
}
inline bool AFXAPI operator<=(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) <= 0;
}
inline bool AFXAPI operator<=(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) >= 0;
}
inline bool AFXAPI operator>=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) >= 0;
}
inline bool AFXAPI operator>=(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) >= 0;
}
inline bool AFXAPI operator>=(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) <= 0;
}

// The module whose resources LoadString and friends use; the host executable unless set.
AFX_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

/////////////////////////////////////////////////////////////////////////////
// Exceptions, thrown as pointers: catch (CException* e) { ...; e->Delete(); }

class AFX_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException() = 0;

    // Frees an exception made with new; does nothing for a static one.
    void Delete();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL) const;
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

class AFX_API CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    virtual ~CMemoryException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL) const;
};

class AFX_API CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    virtual ~CNotSupportedException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL) const;
};

class AFX_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    CFileException(int cause = CFileException::none, LONG lOsError = -1,
                   LPCTSTR lpszArchiveName = NULL);
    virtual ~CFileException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL) const;

    static int PASCAL OsErrorToException(LONG lOsError);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class AFX_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    virtual ~CArchiveException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL) const;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] AFX_API void AFXAPI AfxThrowMemoryException();

// The allocation hook, called before each block of a CObject or a CString is allocated with its
// size, whether it is an object, and the number of the request (counted from 1 since the layer
// loaded). A hook that answers FALSE refuses the block, which then fails as if memory had run
// out. Returns the hook it replaces; NULL removes the hook.
typedef BOOL(AFXAPI* AFX_ALLOC_HOOK)(size_t nSize, BOOL bObject, LONG lRequestNumber);
AFX_API AFX_ALLOC_HOOK AFXAPI AfxSetAllocHook(AFX_ALLOC_HOOK pfnNewHook);

// Flags of CObject's allocator, read at every delete. With delayFreeMemDF set, a freed block is
// filled with 0xDD and kept out of use (given back only when the layer unloads), so code that
// still reads or calls through a deleted object finds garbage instead of a new object. The other
// flags are accepted and change nothing.
enum AfxMemDF { allocMemDF = 0x01, delayFreeMemDF = 0x02, checkAlwaysMemDF = 0x04 };
AFX_API extern int afxMemDF;
[[noreturn]] AFX_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] AFX_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                       LPCTSTR lpszFileName = NULL);
[[noreturn]] AFX_API void AFXAPI AfxThrowArchiveException(int cause,
                                                          LPCTSTR lpszArchiveName = NULL);

/////////////////////////////////////////////////////////////////////////////
// CFile: a Win32 file handle. Errors throw CFileException.

class AFX_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    virtual ~CFile();

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;

    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// CMemFile: a file in memory that grows by nGrowBytes; an attached buffer with nGrowBytes 0
// has a fixed size and writing past it throws CMemoryException.
class AFX_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives up the buffer (the caller frees it with free()) and empties the file.
    BYTE* Detach();

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

/////////////////////////////////////////////////////////////////////////////
// CArchive: buffered binary serialization of numbers, strings and object graphs on a CFile.

class AFX_API CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CDocument* m_pDocument;

    // Returns the number of bytes read, less than nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();

    // Text: WriteString writes the characters as they are (no terminator, no line end added);
    // ReadString reads one line, drops its "\r\n" or "\n", and gives FALSE/NULL at the end.
    void WriteString(LPCTSTR lpsz);
    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    // Object graphs: each object is written once, later references become indices; a class is
    // written by name and schema the first time, so loading recreates it by name.
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    void MapObject(const CObject* pOb);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Element counts of collections: a WORD, or 0xFFFF and a DWORD.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(int i);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(unsigned u);
    CArchive& operator<<(bool b);
    CArchive& operator<<(LONGLONG n);
    CArchive& operator<<(ULONGLONG n);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(int& i);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(unsigned& u);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(LONGLONG& n);
    CArchive& operator>>(ULONGLONG& n);

    CString m_strFileName;

protected:
    void FillBuffer(UINT nBytesNeeded);
    void ReadExact(void* lpBuf, UINT nCount);
    struct MapState;

    UINT m_nMode;
    UINT m_nBufSize;
    UINT m_nObjectSchema;
    BOOL m_bUserBuf;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
    MapState* m_pMapState;  // objects and classes seen so far, made on first use
};

// Strings: a BYTE length below 0xFF; else 0xFF and a WORD below 0xFFFE; else 0xFF, 0xFFFF and
// a DWORD; then the characters without terminator.
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
AFX_API CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
AFX_API CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

/////////////////////////////////////////////////////////////////////////////
// CDumpContext: diagnostic text output to a CFile or, without one, the debugger.

class AFX_API CDumpContext
{
public:
    explicit CDumpContext(CFile* pFile = NULL);
    CDumpContext(const CDumpContext&) = delete;
    CDumpContext& operator=(const CDumpContext&) = delete;

    int GetDepth() const { return m_nDepth; }
    void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
    void Flush();

    CDumpContext& operator<<(LPCTSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT u);
    CDumpContext& operator<<(LONG l);
    CDumpContext& operator<<(DWORD dw);
    CDumpContext& operator<<(LONGLONG n);
    CDumpContext& operator<<(ULONGLONG n);
    CDumpContext& operator<<(double d);

protected:
    int m_nDepth;
    CFile* m_pFile;
};

AFX_API extern CDumpContext afxDump;
