// EmfRecorder: records drawing made through a CDC into an enhanced metafile and lists the
// records, for tests that check which GDI calls a piece of code made.
//
//   EmfRecorder rec;                          // reference DC: the screen
//   rec.Dc().SetROP2(R2_NOT);
//   rec.Dc().Rectangle(1, 2, 30, 40);
//   const EmfRecord* r = rec.First(EMR_RECTANGLE);   // closes the metafile on first query
//   ASSERT_NE(nullptr, r) << rec.Describe();
//   EXPECT_EQ(1, r->Long(0));                 // rclBox.left
//
// A record's params are the DWORDs after its type and size, in the order of the EMR_*
// structure: EMR_CREATEPEN gives ihPen, style, width.x, width.y, colour; EMR_CREATEBRUSHINDIRECT
// gives ihBrush, style, colour, hatch; EMR_SELECTOBJECT gives the object index (stock objects
// have the top bit set: 0x80000000 | index); EMR_SETROP2 gives the mode; EMR_RECTANGLE gives
// left, top, right, bottom. The recorder's DC is made with the raw API and attached to its CDC,
// so it does not move the live-object counters.
#pragma once
#include <afxwin.h>

#include <string>
#include <vector>

struct EmfRecord {
    DWORD type;
    std::vector<DWORD> params;

    DWORD Param(size_t i) const { return i < params.size() ? params[i] : 0; }
    LONG Long(size_t i) const { return (LONG)Param(i); }
};

class EmfRecorder
{
public:
    // hdcRef: the reference device (the screen when NULL); frame in 0.01 mm, or NULL to let
    // GDI compute it.
    explicit EmfRecorder(HDC hdcRef = NULL, const RECT* frame = NULL);
    ~EmfRecorder();

    // The metafile DC; draw through it before the first query.
    CDC& Dc() { return m_dc; }
    // Ends recording and reads the records back; later calls do nothing.
    void Close();

    const std::vector<EmfRecord>& Records()
    {
        Close();
        return m_records;
    }
    std::vector<const EmfRecord*> Find(DWORD type);
    const EmfRecord* First(DWORD type) { return Count(type) ? Find(type)[0] : nullptr; }
    int Count(DWORD type) { return (int)Find(type).size(); }
    // Index in Records() of the first record of this type at or after start; -1 when none.
    int IndexOf(DWORD type, size_t start = 0);
    // One line per record ("SETROP2 1", "RECTANGLE 1 2 30 40" ...), for failure messages.
    std::string Describe();
    static const char* TypeName(DWORD type);

private:
    CDC m_dc;
    bool m_closed = false;
    std::vector<EmfRecord> m_records;
};
