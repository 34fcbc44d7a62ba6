// CMeasureDC: a memory device context compatible with the screen, for measuring text. Every text
// element measures itself when it is made, and making a context costs several microseconds under
// Wine, so one context is kept and lent out; a second user at the same time (another thread, or
// a measure inside a measure) gets a context of its own.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CMeasureDC
{
public:
    CMeasureDC();
    ~CMeasureDC();

    // The context, or NULL when none could be made. Whatever a user selects or sets in it must
    // be put back before the scope ends, as the next user expects a fresh context.
    CDC* Get() { return m_dc.GetSafeHdc() != NULL ? &m_dc : NULL; }

private:
    CMeasureDC(const CMeasureDC&) = delete;
    void operator=(const CMeasureDC&) = delete;

    CDC m_dc;
    HDC m_hOwn;    // a context made for this user alone, deleted with it
    BOOL m_bLent;  // the kept context is lent to this user
};

// Deletes the kept context (a later CMeasureDC makes a new one). Called when the library ends
// and when it unloads.
AFX_EXT_API void AFXAPI ReleaseMeasureDC();
