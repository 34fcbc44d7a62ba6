// EmfRecorder: an enhanced-metafile DC whose records tests can list and search.
#include "EmfRecorder.h"

// A null reference DC makes GDI measure against the display.
EmfRecorder::EmfRecorder(HDC hdcRef, const RECT* frame)
{
    m_dc.Attach(::CreateEnhMetaFile(hdcRef, NULL, frame, NULL));
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
    HENHMETAFILE hemf = hdc ? ::CloseEnhMetaFile(hdc) : NULL;
    std::vector<BYTE> bits(hemf ? ::GetEnhMetaFileBits(hemf, 0, NULL) : 0);
    if (!bits.empty())
        ::GetEnhMetaFileBits(hemf, (UINT)bits.size(), bits.data());
    ::DeleteEnhMetaFile(hemf);  // harmless when NULL
    for (size_t offset = 0; offset + sizeof(EMR) <= bits.size();) {
        const EMR* emr = reinterpret_cast<const EMR*>(&bits[offset]);
        if (emr->nSize < sizeof(EMR) || offset + emr->nSize > bits.size())
            break;
        const DWORD* params = reinterpret_cast<const DWORD*>(emr + 1);
        const size_t count = (emr->nSize - sizeof(EMR)) / sizeof(DWORD);
        m_records.push_back({emr->iType, std::vector<DWORD>(params, params + count)});
        offset += emr->nSize;
    }
}

std::vector<const EmfRecord*> EmfRecorder::Find(DWORD type)
{
    std::vector<const EmfRecord*> found;
    for (const EmfRecord& r : Records())
        if (r.type == type)
            found.push_back(&r);
    return found;
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
    RECORD_NAME(SETROP2); RECORD_NAME(SETBKMODE); RECORD_NAME(SETBKCOLOR);
    RECORD_NAME(SETTEXTCOLOR); RECORD_NAME(SETTEXTALIGN); RECORD_NAME(SETPOLYFILLMODE);
    RECORD_NAME(SETMAPMODE); RECORD_NAME(SETVIEWPORTORGEX); RECORD_NAME(SETWINDOWORGEX);
    RECORD_NAME(SAVEDC); RECORD_NAME(RESTOREDC); RECORD_NAME(RECTANGLE); RECORD_NAME(ROUNDRECT);
    RECORD_NAME(ELLIPSE); RECORD_NAME(MOVETOEX); RECORD_NAME(LINETO); RECORD_NAME(POLYLINE16);
    RECORD_NAME(POLYGON16); RECORD_NAME(EXTTEXTOUTW); RECORD_NAME(EXTTEXTOUTA); RECORD_NAME(BITBLT);
    RECORD_NAME(STRETCHBLT); RECORD_NAME(INTERSECTCLIPRECT); RECORD_NAME(EXTSELECTCLIPRGN);
#undef RECORD_NAME
    // clang-format on
    return "RECORD";
}
