// CGraphicDoc: the document behind each graphic view. It holds nothing (the display list is the
// view's); it exists so that each view is a regular document view that closes with its window.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CGraphicDoc : public CDocument
{
    DECLARE_DYNCREATE(CGraphicDoc)

public:
    CGraphicDoc();
    virtual ~CGraphicDoc();

    virtual BOOL OnNewDocument();
    // Writes and reads nothing.
    virtual void Serialize(CArchive& ar);

protected:
    DECLARE_MESSAGE_MAP()
};
