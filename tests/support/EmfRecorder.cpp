// EmfRecorder: an enhanced-metafile DC whose records tests can list and search.
#include "EmfRecorder.h"

EmfRecorder::EmfRecorder(HDC hdcRef, const RECT* frame) : m_closed(false)
{
    HDC hdcScreen = hdcRef ? NULL : ::GetDC(NULL);
    HDC hdc = ::CreateEnhMetaFile(hdcRef ? hdcRef : hdcScreen, NULL, frame, NULL);
    if (hdcScreen)
        ::ReleaseDC(NULL, hdcScreen);
    m_dc.Attach(hdc);
}

EmfRecorder::~EmfRecorder()
{
    Close();
}

void EmfRecorder::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    HDC hdc = m_dc.Detach();
    if (!hdc)
        return;
    HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    if (!hemf)
        return;
    UINT size = ::GetEnhMetaFileBits(hemf, 0, NULL);
    std::vector<BYTE> bits(size);
    if (size)
        ::GetEnhMetaFileBits(hemf, size, bits.data());
    ::DeleteEnhMetaFile(hemf);

    size_t offset = 0;
    while (offset + sizeof(EMR) <= bits.size()) {
        const EMR* emr = reinterpret_cast<const EMR*>(&bits[offset]);
        if (emr->nSize < sizeof(EMR) || offset + emr->nSize > bits.size())
            break;
        EmfRecord record;
        record.type = emr->iType;
        const DWORD* params = reinterpret_cast<const DWORD*>(emr + 1);
        record.params.assign(params, params + (emr->nSize - sizeof(EMR)) / sizeof(DWORD));
        m_records.push_back(std::move(record));
        offset += emr->nSize;
    }
}

const std::vector<EmfRecord>& EmfRecorder::Records()
{
    Close();
    return m_records;
}

std::vector<const EmfRecord*> EmfRecorder::Find(DWORD type)
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : Records())
        if (r.type == type)
            found.push_back(&r);
    return found;
}

const EmfRecord* EmfRecorder::First(DWORD type)
{
    int i = IndexOf(type);
    return i < 0 ? nullptr : &m_records[i];
}

int EmfRecorder::Count(DWORD type)
{
    return (int)Find(type).size();
}

int EmfRecorder::IndexOf(DWORD type, size_t start)
{
    const std::vector<EmfRecord>& records = Records();
    for (size_t i = start; i < records.size(); ++i)
        if (records[i].type == type)
            return (int)i;
    return -1;
}

std::string EmfRecorder::Describe()
{
    std::string text;
    for (const EmfRecord& r : Records()) {
        text += TypeName(r.type);
        // The header and text records are long; their first few fields are enough.
        for (size_t i = 0; i < r.params.size() && i < 6; ++i)
            text += " " + std::to_string((LONG)r.params[i]);
        text += "\n";
    }
    return text;
}

const char* EmfRecorder::TypeName(DWORD type)
{
    switch (type) {
    case EMR_HEADER:
        return "HEADER";
    case EMR_EOF:
        return "EOF";
    case EMR_CREATEPEN:
        return "CREATEPEN";
    case EMR_EXTCREATEPEN:
        return "EXTCREATEPEN";
    case EMR_CREATEBRUSHINDIRECT:
        return "CREATEBRUSHINDIRECT";
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return "CREATEDIBPATTERNBRUSHPT";
    case EMR_EXTCREATEFONTINDIRECTW:
        return "EXTCREATEFONTINDIRECTW";
    case EMR_SELECTOBJECT:
        return "SELECTOBJECT";
    case EMR_DELETEOBJECT:
        return "DELETEOBJECT";
    case EMR_SETROP2:
        return "SETROP2";
    case EMR_SETBKMODE:
        return "SETBKMODE";
    case EMR_SETBKCOLOR:
        return "SETBKCOLOR";
    case EMR_SETTEXTCOLOR:
        return "SETTEXTCOLOR";
    case EMR_SETTEXTALIGN:
        return "SETTEXTALIGN";
    case EMR_SETPOLYFILLMODE:
        return "SETPOLYFILLMODE";
    case EMR_SETMAPMODE:
        return "SETMAPMODE";
    case EMR_SETVIEWPORTORGEX:
        return "SETVIEWPORTORGEX";
    case EMR_SETWINDOWORGEX:
        return "SETWINDOWORGEX";
    case EMR_SAVEDC:
        return "SAVEDC";
    case EMR_RESTOREDC:
        return "RESTOREDC";
    case EMR_RECTANGLE:
        return "RECTANGLE";
    case EMR_ROUNDRECT:
        return "ROUNDRECT";
    case EMR_ELLIPSE:
        return "ELLIPSE";
    case EMR_MOVETOEX:
        return "MOVETOEX";
    case EMR_LINETO:
        return "LINETO";
    case EMR_POLYLINE16:
        return "POLYLINE16";
    case EMR_POLYGON16:
        return "POLYGON16";
    case EMR_EXTTEXTOUTW:
        return "EXTTEXTOUTW";
    case EMR_EXTTEXTOUTA:
        return "EXTTEXTOUTA";
    case EMR_BITBLT:
        return "BITBLT";
    case EMR_STRETCHBLT:
        return "STRETCHBLT";
    case EMR_INTERSECTCLIPRECT:
        return "INTERSECTCLIPRECT";
    case EMR_EXTSELECTCLIPRGN:
        return "EXTSELECTCLIPRGN";
    default:
        return "RECORD";
    }
}
