// The library block (the document template and the host callback table) and the hand cursor:
// the library-wide state that Grafic_Dll_Start creates and Grafic_Dll_End releases.
#pragma once
#include <afxwin.h>

#include <mirdalux.h>

// One per process, zero-filled when created by the first Grafic_Dll_Start. The callback table is
// the last member; Grafic_Dll_Start returns its address.
struct GraficLibrary {
    CMultiDocTemplate* pTemplate;  // registered by the latest Grafic_Dll_Start; owned by the app
    GraficCallbacks callbacks;
};

// The block, or NULL before Grafic_Dll_Start and after Grafic_Dll_End.
AFX_EXT_API GraficLibrary* AFXAPI GetGraficLibrary();
// The host's callback table, or NULL while the library is not started. Read it each time a
// callback is due: the host may change its slots at any time.
AFX_EXT_API GraficCallbacks* AFXAPI GetGraficCallbacks();

// The host's cursor "H256", loaded on first call from the current resource handle; NULL (and
// tried again next time) when the host has none. Destroyed by Grafic_Dll_End.
AFX_EXT_API HCURSOR AFXAPI GetHandCursor();

// Asks the host's RequestResource for resource `number` of `kind` (RES_ICON or RES_PICT) with
// `param`, in a zero-filled request that holds the answer afterwards; FALSE, with nothing asked,
// when the library is not started or the host has no RequestResource.
AFX_EXT_API BOOL AFXAPI RequestHostResource(WORD kind, int number, int param,
                                            ResourceRequest& request);

// TRUE when a host's string member holds no string at all: a C host sees CString as a bare
// pointer and may leave it null. Such a block or array appends nothing (an empty string is a
// string, and decodes as documented).
inline BOOL IsNullString(const CString& s)
{
    return (LPCTSTR)s == NULL;
}

// Runs the body of an export so that no exception leaves the library: when memory runs out while
// words are decoded or strings copied, the call does nothing more.
template <class Body> void RunGuarded(Body body)
{
    try {
        body();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

// a + b wrapped as 32-bit integers wrap, without the undefined behaviour of a signed overflow.
inline LONG WrappingAdd(LONG a, LONG b)
{
    return (LONG)((ULONG)a + (ULONG)b);
}
