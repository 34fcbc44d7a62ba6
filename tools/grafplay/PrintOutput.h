// grafplay's printed outputs: the view printed to a PostScript file on the default printer
// without the Print dialog, and a picture of the view's print preview.
#pragma once
#include <afxwin.h>

#include <string>

class CGraphicView;

namespace grafplay {

// Prints every page of the view's job to the file (the printer driver's output, PostScript for
// a PostScript printer). False with the reason when there is no printer or the job fails.
bool PrintToFile(CView* pView, const char* pszPath, std::string& error);

// Opens the view's print preview in pFrame over the pane nPaneId (shown without activation),
// writes the frame's client area as a PNG and closes the preview. False with the reason when
// the preview does not open.
bool PreviewToPng(CFrameWnd* pFrame, CGraphicView* pView, UINT nPaneId, const char* pszPath,
                  std::string& error);

}  // namespace grafplay
