// CObject, runtime classes (the class list itself lives with the module state), and the
// diagnostic helpers.
#include <afx.h>

#include <stdio.h>

/////////////////////////////////////////////////////////////////////////////
// CRuntimeClass

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL) {
        TRACE("CRuntimeClass::CreateObject: %s is not DECLARE_DYNCREATE or DECLARE_SERIAL\n",
              m_lpszClassName);
        return NULL;
    }
    try {
        return (*m_pfnCreateObject)();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* p = this; p != NULL;
         p = p->m_pfnGetBaseClass != NULL ? (*p->m_pfnGetBaseClass)() : NULL) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

/////////////////////////////////////////////////////////////////////////////
// CObject

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL,
                                       NULL};
static AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

CObject::~CObject() {}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}
CRuntimeClass* PASCAL CObject::_GetBaseClass()
{
    return NULL;
}
CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

// Derived classes check their own invariants; a CObject alone has none.
void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

/////////////////////////////////////////////////////////////////////////////
// Diagnostics

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    char text[512];
    _snprintf(text, sizeof text - 1, "%s(%d): assertion failed\n",
              lpszFileName != NULL ? lpszFileName : "?", nLine);
    text[sizeof text - 1] = '\0';
    OutputDebugStringA(text);
    fputs(text, stderr);
    fflush(stderr);
    return TRUE;
}

void AFX_CDECL AfxTrace(LPCTSTR lpszFormat, ...)
{
    if (lpszFormat == NULL)
        return;
    va_list args;
    va_start(args, lpszFormat);
    CString text;
    text.FormatV(lpszFormat, args);
    va_end(args);
    OutputDebugStringA(text);
}

void AFXAPI AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine)
{
    if (pOb == NULL) {
        if (AfxAssertFailedLine(lpszFileName, nLine))
            AfxDebugBreak();
        return;
    }
    pOb->AssertValid();
}

BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT_PTR nBytes, BOOL)
{
    return lp != NULL || nBytes == 0;
}

BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int)
{
    return lpsz != NULL;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(pClass) ? pObject : NULL;
}

CObject* AFXAPI AfxStaticDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    ASSERT(pObject == NULL || pObject->IsKindOf(pClass));
    (void)pClass;
    return pObject;
}

/////////////////////////////////////////////////////////////////////////////
// CDumpContext

CDumpContext afxDump;

CDumpContext::CDumpContext(CFile* pFile) : m_nDepth(0), m_pFile(pFile) {}

void CDumpContext::Flush()
{
    if (m_pFile != NULL)
        m_pFile->Flush();
}

CDumpContext& CDumpContext::operator<<(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        lpsz = "(NULL)";
    if (m_pFile != NULL)
        m_pFile->Write(lpsz, (UINT)lstrlenA(lpsz));
    else
        OutputDebugStringA(lpsz);
    return *this;
}

namespace {
template <class T> CDumpContext& DumpFormatted(CDumpContext& dc, const char* format, T value)
{
    char text[64];
    _snprintf(text, sizeof text - 1, format, value);
    text[sizeof text - 1] = '\0';
    return dc << (LPCTSTR)text;
}
}  // namespace

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    return DumpFormatted(*this, "$%p", lp);
}
CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == NULL)
        return *this << "NULL";
    pOb->Dump(*this);
    return *this;
}
CDumpContext& CDumpContext::operator<<(const CObject& ob)
{
    return *this << &ob;
}
CDumpContext& CDumpContext::operator<<(int n)
{
    return DumpFormatted(*this, "%d", n);
}
CDumpContext& CDumpContext::operator<<(UINT u)
{
    return DumpFormatted(*this, "%u", u);
}
CDumpContext& CDumpContext::operator<<(LONG l)
{
    return DumpFormatted(*this, "%ld", l);
}
CDumpContext& CDumpContext::operator<<(DWORD dw)
{
    return DumpFormatted(*this, "%lu", dw);
}
CDumpContext& CDumpContext::operator<<(LONGLONG n)
{
    return DumpFormatted(*this, "%I64d", n);
}
CDumpContext& CDumpContext::operator<<(ULONGLONG n)
{
    return DumpFormatted(*this, "%I64u", n);
}
CDumpContext& CDumpContext::operator<<(double d)
{
    return DumpFormatted(*this, "%g", d);
}

CObject* AFXAPI AfxReadObjectFromArchive(CArchive& ar, const CRuntimeClass* pClass)
{
    return ar.ReadObject(pClass);
}
