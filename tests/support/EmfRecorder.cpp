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
    // clang-format off
#define RECORD_NAME(name) if (type == EMR_##name) return #name
    RECORD_NAME(HEADER); RECORD_NAME(EOF); RECORD_NAME(CREATEPEN); RECORD_NAME(EXTCREATEPEN);
    RECORD_NAME(CREATEBRUSHINDIRECT); RECORD_NAME(CREATEDIBPATTERNBRUSHPT);
    RECORD_NAME(EXTCREATEFONTINDIRECTW); RECORD_NAME(SELECTOBJECT); RECORD_NAME(DELETEOBJECT);
    RECORD_NAME(SETROP2); RECORD_NAME(SETBKMODE); RECORD_NAME(SETBKCOLOR); RECORD_NAME(SETTEXTCOLOR);
    RECORD_NAME(SETTEXTALIGN); RECORD_NAME(SETPOLYFILLMODE); RECORD_NAME(SETMAPMODE);
    RECORD_NAME(SETVIEWPORTORGEX); RECORD_NAME(SETWINDOWORGEX); RECORD_NAME(SAVEDC);
    RECORD_NAME(RESTOREDC); RECORD_NAME(RECTANGLE); RECORD_NAME(ROUNDRECT); RECORD_NAME(ELLIPSE);
    RECORD_NAME(MOVETOEX); RECORD_NAME(LINETO); RECORD_NAME(POLYLINE16); RECORD_NAME(POLYGON16);
    RECORD_NAME(EXTTEXTOUTW); RECORD_NAME(EXTTEXTOUTA); RECORD_NAME(BITBLT); RECORD_NAME(STRETCHBLT);
    RECORD_NAME(INTERSECTCLIPRECT); RECORD_NAME(EXTSELECTCLIPRGN);
#undef RECORD_NAME
    // clang-format on
    return "RECORD";
}
