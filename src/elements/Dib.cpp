// CLockedDib: locking a host's packed DIB and checking its layout against the block.
#include "elements/Dib.h"

#include <cstdint>

CLockedDib::CLockedDib(HGLOBAL h)
    : m_h(NULL), m_pBase(NULL), m_size(0), m_nColors(0), m_bitsOffset(0)
{
    if (h == NULL)
        return;
    BYTE* p = static_cast<BYTE*>(::GlobalLock(h));
    if (p == NULL)
        return;
    const uint64_t size = ::GlobalSize(h);
    const BITMAPINFOHEADER* hdr = reinterpret_cast<const BITMAPINFOHEADER*>(p);
    BOOL ok = size >= sizeof(BITMAPINFOHEADER) && hdr->biSize >= sizeof(BITMAPINFOHEADER) &&
              hdr->biSize <= size && hdr->biWidth > 0 && hdr->biHeight != 0 &&
              hdr->biHeight != LONG_MIN;
    const WORD bpp = ok ? hdr->biBitCount : 0;
    ok = ok && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32);
    const BOOL bitFields = ok && hdr->biCompression == BI_BITFIELDS;
    ok = ok && (hdr->biCompression == BI_RGB || (bitFields && (bpp == 16 || bpp == 32)));
    if (ok) {
        const uint64_t colors =
            hdr->biClrUsed != 0 ? hdr->biClrUsed : (bpp <= 8 ? (uint64_t)1 << bpp : 0);
        // The three masks of a bit-field DIB follow a 40-byte header; a longer header holds them.
        const BOOL masksAfter = bitFields && hdr->biSize == sizeof(BITMAPINFOHEADER);
        const uint64_t offset = (uint64_t)hdr->biSize + (masksAfter ? 12 : 0) + 4 * colors;
        const uint64_t rows = hdr->biHeight < 0 ? -(int64_t)hdr->biHeight : hdr->biHeight;
        const uint64_t stride = (((uint64_t)hdr->biWidth * bpp + 31) / 32) * 4;
        ok = colors <= 0x7FFFFFFF && offset <= size && stride * rows <= size - offset;
        if (ok) {
            m_nColors = static_cast<int>(colors);
            m_bitsOffset = static_cast<size_t>(offset);
        }
    }
    if (!ok) {
        ::GlobalUnlock(h);
        return;
    }
    m_h = h;
    m_pBase = p;
    m_size = static_cast<SIZE_T>(size);
}

CLockedDib::~CLockedDib()
{
    if (m_h != NULL)
        ::GlobalUnlock(m_h);
}
