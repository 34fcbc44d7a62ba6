// CGraphicDoc: an empty document, deleted by the class library when its only view goes.
#include "view/GraphicDoc.h"

IMPLEMENT_DYNCREATE(CGraphicDoc, CDocument)

BEGIN_MESSAGE_MAP(CGraphicDoc, CDocument)
END_MESSAGE_MAP()

CGraphicDoc::CGraphicDoc() {}

CGraphicDoc::~CGraphicDoc() {}

BOOL CGraphicDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CGraphicDoc::Serialize(CArchive&) {}
