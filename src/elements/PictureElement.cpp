// CPictureElement: asking the host for images, adopting and freeing them, and handing the
// chosen one to the host's DrawPicture.
#include "elements/PictureElement.h"

#include <map>

#include "elements/Dib.h"
#include "lib/Library.h"

namespace {
// Holders of each adopted image. Touched on the user-interface thread only, like the views.
std::map<HGLOBAL, int>& DibHolders()
{
    static std::map<HGLOBAL, int> holders;
    return holders;
}
}  // namespace

BOOL AFXAPI HoldDib(HGLOBAL h)
{
    if (h == NULL)
        return FALSE;
    try {
        ++DibHolders()[h];
        return TRUE;
    } catch (...) {
        // Not counted: freed by its first holder, as an image held once would be.
        return FALSE;
    }
}

void AFXAPI ReleaseDib(HGLOBAL h)
{
    if (h == NULL)
        return;
    std::map<HGLOBAL, int>& holders = DibHolders();
    std::map<HGLOBAL, int>::iterator it = holders.find(h);
    if (it != holders.end() && --it->second > 0)
        return;
    if (it != holders.end())
        holders.erase(it);
    ::GlobalFree(h);
}

CPictureElement::CPictureElement(int stateIndex, int x, int y, int number, int param, int regionId)
    : CGraphicElement(stateIndex, regionId != 0 ? VERB_ACTIVE : VERB_NONE, regionId),
      pictNumber(number), pictParam(param), hDib(NULL), hHighlightDib(NULL), hPressedDib(NULL),
      transparentIndex(-1)
{
    bounds.SetRect(x, y, 0, 0);
    FindPicture();
    if (verb == VERB_ACTIVE)
        BuildHitMask();
}

CPictureElement::~CPictureElement()
{
    CPictureElement::ReleaseResources();
    mask.DeleteObject();
}

void CPictureElement::FindPicture()
{
    if (pictNumber == 0)
        return;
    ResourceRequest request;
    if (!RequestHostResource(RES_PICT, pictNumber, pictParam, request))
        return;
    if (request.handle == NULL)
        return;
    SetTransparentIndex(request.transparentIndex);
    hDib = static_cast<HGLOBAL>(request.handle);
    HoldDib(hDib);
    bounds = GetDibRect(hDib);
}

void CPictureElement::Draw(CDC* pDC, const RECT* pClip)
{
    if (hDib == NULL || pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;
    PictDrawRequest request;
    memset(&request, 0, sizeof request);
    request.hdc = pDC->GetSafeHdc();
    request.destX = bounds.left;
    request.destY = bounds.top;
    CRect part;
    if (pClip != NULL && part.IntersectRect(pClip, &bounds)) {
        request.destX = part.left;
        request.destY = part.top;
        request.destWidth = part.Width();
        request.destHeight = part.Height();
        request.srcX = part.left - bounds.left;
        request.srcY = part.top - bounds.top;
        request.srcWidth = part.Width();
        request.srcHeight = part.Height();
    }
    request.rop = SRCCOPY;
    request.transparentIndex = transparentIndex;
    // A pressed picture whose host gave no pressed image shows its normal one when repainted.
    HGLOBAL hImage = hDib;
    if (pressed && hPressedDib != NULL)
        hImage = hPressedDib;
    else if (!pressed && highlighted && hHighlightDib != NULL)
        hImage = hHighlightDib;
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (pTable == NULL || pTable->DrawPicture == NULL)
        return;
    // The host may delete this picture or destroy its view while it draws: the image it was
    // handed stays allocated until it is unlocked, and the element is not touched after the call.
    const BOOL bHeld = hImage == hDib && HoldDib(hImage);
    {
        CLockedDib image(hImage);
        if (image.IsValid()) {
            request.pDib = image.Base();
            pTable->DrawPicture(&request);
        }
    }
    if (bHeld)
        ReleaseDib(hImage);
}

HGLOBAL CPictureElement::AskState(int stateCode)
{
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (pTable == NULL || pTable->GetPictureState == NULL)
        return NULL;
    LONG scratch = 0;
    return pTable->GetPictureState(pictNumber, stateCode, &scratch);
}

BOOL CPictureElement::UsesBlinkingFrame()
{
    return !HasHighlightImage();
}

BOOL CPictureElement::HasHighlightImage()
{
    hHighlightDib = AskState(PICT_STATE_HIGHLIGHT);
    return hHighlightDib != NULL;
}

BOOL CPictureElement::HasPressedImage()
{
    hPressedDib = AskState(PICT_STATE_PRESSED);
    return hPressedDib != NULL;
}

BOOL CPictureElement::IsPicture()
{
    return TRUE;
}

namespace {
// Tells the host that the state image it answered is no longer used.
void GiveBackState(HGLOBAL& hState, int pictNumber, int stateCode)
{
    if (hState == NULL)
        return;
    hState = NULL;
    GraficCallbacks* pTable = GetGraficCallbacks();
    if (pTable != NULL && pTable->FreePictureState != NULL)
        pTable->FreePictureState(pictNumber, stateCode);
}
}  // namespace

void CPictureElement::ReleaseResources()
{
    if (verb == VERB_ACTIVE)
        SetRegion(NULL);
    GiveBackState(hHighlightDib, pictNumber, PICT_STATE_HIGHLIGHT);
    GiveBackState(hPressedDib, pictNumber, PICT_STATE_PRESSED);
    if (hDib != NULL) {
        HGLOBAL h = hDib;
        hDib = NULL;
        ReleaseDib(h);
    }
}

void CPictureElement::SetPictData(HGLOBAL hNew, BOOL)
{
    if (hDib != hNew) {
        ReleaseDib(hDib);
        HoldDib(hNew);
    }
    hDib = hNew;
    bounds = GetDibRect(hNew);
    if (verb == VERB_ACTIVE)
        BuildHitMask();
}

BOOL CPictureElement::HasPict()
{
    return hDib != NULL;
}

void CPictureElement::SetTransparentIndex(int index)
{
    transparentIndex = index;
}

int CPictureElement::GetTransparentIndex()
{
    return transparentIndex;
}
