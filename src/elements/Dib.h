// CLockedDib: a packed device-independent bitmap in a global memory block, locked for the
// scope and checked against the block's size before anything reads it.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CLockedDib
{
public:
    // Locks h and checks it; an unusable one is unlocked again at once.
    explicit CLockedDib(HGLOBAL h);
    ~CLockedDib();

    // TRUE when the block holds a DIB every member below can be read from: a header of at
    // least 40 bytes, width above 0, height not 0, 1, 4, 8, 16, 24 or 32 bits per pixel,
    // uncompressed or with bit-field masks, and the colour table and every row inside the block.
    BOOL IsValid() const { return m_pBase != NULL; }
    BYTE* Base() const { return m_pBase; }
    BITMAPINFOHEADER* Header() const { return reinterpret_cast<BITMAPINFOHEADER*>(m_pBase); }
    // biClrUsed when not 0, else 2^bits for up to 8 bits per pixel, else 0.
    int NumColors() const { return m_nColors; }
    // The colour table, right after the header.
    RGBQUAD* ColorTable() const { return reinterpret_cast<RGBQUAD*>(m_pBase + Header()->biSize); }
    // The pixels, after the table (and the three masks of a bit-field DIB).
    void* Bits() const { return m_pBase + m_bitsOffset; }
    LONG Width() const { return Header()->biWidth; }
    // Rows, whichever way they are stored: a top-down DIB stores a negative height.
    LONG Height() const
    {
        return Header()->biHeight < 0 ? -Header()->biHeight : Header()->biHeight;
    }
    SIZE_T BlockSize() const { return m_size; }

private:
    CLockedDib(const CLockedDib&) = delete;
    void operator=(const CLockedDib&) = delete;

    HGLOBAL m_h;
    BYTE* m_pBase;
    SIZE_T m_size;
    int m_nColors;
    size_t m_bitsOffset;
};
