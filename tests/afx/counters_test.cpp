// Live-object counters: exactly one per live GDI object or device context made through the
// layer, back to the start after every scenario, untouched by Attach/Detach, temporary wrappers
// and failed creates.
#include <gtest/gtest.h>
#include <afxpriv.h>

#include <TestSupport.h>

#include <memory>

namespace {

LONG LiveObjects()
{
    return afxGdiCounters().nGdiObjects;
}
LONG LiveDCs()
{
    return afxGdiCounters().nDCs;
}

}  // namespace

TEST(Counters, OnePerLiveGdiObject)
{
    struct Maker {
        const char* what;
        bool (*make)(std::unique_ptr<CGdiObject>&);
    };
    static const BYTE bits[8] = {};
    static struct {
        WORD version, count;
        PALETTEENTRY e[1];
    } palette = {0x300, 1, {{1, 2, 3, 0}}};
    static const LOGBRUSH lb = {BS_SOLID, RGB(0, 0, 0), 0};
    const Maker makers[] = {
        {"CPen::CreatePen",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CPen;
             p.reset(o);
             return !!o->CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
         }},
        {"CPen extended",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CPen;
             p.reset(o);
             return !!o->CreatePen(PS_SOLID | PS_GEOMETRIC, 2, &lb);
         }},
        {"CBrush::CreateSolidBrush",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CBrush;
             p.reset(o);
             return !!o->CreateSolidBrush(0);
         }},
        {"CBrush::CreateHatchBrush",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CBrush;
             p.reset(o);
             return !!o->CreateHatchBrush(HS_CROSS, 0);
         }},
        {"CBrush::CreateSysColorBrush",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CBrush;
             p.reset(o);
             return !!o->CreateSysColorBrush(COLOR_WINDOW);
         }},
        {"CFont::CreatePointFont",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CFont;
             p.reset(o);
             return !!o->CreatePointFont(90, _T("Arial"));
         }},
        {"CBitmap::CreateBitmap",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CBitmap;
             p.reset(o);
             return !!o->CreateBitmap(8, 8, 1, 1, bits);
         }},
        {"CPalette::CreatePalette",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CPalette;
             p.reset(o);
             return !!o->CreatePalette((LPLOGPALETTE)&palette);
         }},
        {"CRgn::CreateEllipticRgn",
         [](std::unique_ptr<CGdiObject>& p) {
             auto o = new CRgn;
             p.reset(o);
             return !!o->CreateEllipticRgn(0, 0, 9, 9);
         }},
        {"CGdiObject::CreateStockObject",
         [](std::unique_ptr<CGdiObject>& p) {
             p.reset(new CGdiObject);
             return !!p->CreateStockObject(BLACK_PEN);
         }},
    };
    for (const auto& m : makers) {
        LONG start = LiveObjects();
        std::unique_ptr<CGdiObject> first, second;
        ASSERT_TRUE(m.make(first)) << m.what;
        EXPECT_EQ(start + 1, LiveObjects()) << m.what << ": one live object after one create";
        ASSERT_TRUE(m.make(second)) << m.what;
        EXPECT_EQ(start + 2, LiveObjects()) << m.what << ": two after two";
        EXPECT_TRUE(first->DeleteObject()) << m.what << ": DeleteObject";
        EXPECT_EQ(start + 1, LiveObjects()) << m.what << ": DeleteObject gives one back";
        EXPECT_FALSE(first->DeleteObject()) << m.what << ": DeleteObject on an empty wrapper";
        EXPECT_EQ(start + 1, LiveObjects()) << m.what << ": a second DeleteObject counts nothing";
        second.reset();
        EXPECT_EQ(start, LiveObjects()) << m.what << ": the destructor gives the other back";
    }
}

TEST(Counters, OnePerLiveDeviceContext)
{
    LONG start = LiveDCs();
    {
        CDC a, b;
        ASSERT_TRUE(a.CreateCompatibleDC(nullptr));
        EXPECT_EQ(start + 1, LiveDCs()) << "after CreateCompatibleDC";
        ASSERT_TRUE(b.CreateDC(_T("DISPLAY"), nullptr, nullptr, nullptr));
        EXPECT_EQ(start + 2, LiveDCs()) << "after CreateDC";
        EXPECT_TRUE(a.DeleteDC());
        EXPECT_EQ(start + 1, LiveDCs()) << "after DeleteDC";
    }
    EXPECT_EQ(start, LiveDCs()) << "after the destructors";

    // The window DCs of the layer count through these.
    AfxCountDC(+1);
    EXPECT_EQ(start + 1, LiveDCs()) << "AfxCountDC(+1)";
    AfxCountDC(-1);
    EXPECT_EQ(start, LiveDCs()) << "AfxCountDC(-1)";
    LONG objects = LiveObjects();
    AfxCountGdiObject(+2);
    EXPECT_EQ(objects + 2, LiveObjects()) << "AfxCountGdiObject(+2)";
    AfxCountGdiObject(-2);
    EXPECT_EQ(objects, LiveObjects()) << "AfxCountGdiObject(-2)";
}

TEST(Counters, AttachDetachTemporariesAndFailuresCountNothing)
{
    GdiCountGuard guard("attach, detach, temporaries, failures");

    // A handle counted once moves between wrappers without changing the count.
    HGDIOBJ hPen;
    {
        CPen maker(PS_SOLID, 1, RGB(0, 0, 0));
        hPen = maker.Detach();
        EXPECT_EQ(1, guard.GdiObjectsDelta()) << "Detach keeps the count with the handle";
    }
    EXPECT_EQ(1, guard.GdiObjectsDelta()) << "an empty wrapper's destructor counts nothing";
    {
        CPen owner;
        owner.Attach(hPen);
        EXPECT_EQ(1, guard.GdiObjectsDelta()) << "Attach counts nothing";
    }
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "the new owner's destructor gives the count back";

    HDC hdc;
    {
        CDC maker;
        ASSERT_TRUE(maker.CreateCompatibleDC(nullptr));
        hdc = maker.Detach();
    }
    EXPECT_EQ(1, guard.DCsDelta()) << "a detached DC stays counted";
    CDC::FromHandle(hdc)->Rectangle(0, 0, 2, 2);
    EXPECT_EQ(1, guard.DCsDelta()) << "a temporary wrapper counts nothing";
    AfxUnlockTempMaps();
    EXPECT_EQ(1, guard.DCsDelta()) << "deleting the temporary counts nothing";
    {
        CDC owner;
        owner.Attach(hdc);
    }
    EXPECT_EQ(0, guard.DCsDelta()) << "the owner's destructor gives it back";

    // Failed or refused creates count nothing.
    CPen pen;
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, (const LOGBRUSH*)nullptr));
    CBitmap huge;
    EXPECT_FALSE(huge.CreateBitmap(0x7FFFFFFF, 0x7FFFFFFF, 1, 32, nullptr))
        << "a bitmap too big to exist";
    CBrush twice(RGB(1, 1, 1));
    EXPECT_FALSE(twice.CreateSolidBrush(RGB(2, 2, 2))) << "a create on a brush that has one";
    CDC dc;
    EXPECT_FALSE(dc.CreateDC(_T("NO SUCH DRIVER"), _T("none"), nullptr, nullptr))
        << "CreateDC of a missing driver";
    EXPECT_EQ(1, guard.GdiObjectsDelta()) << "only the brush is live";
    EXPECT_EQ(0, guard.DCsDelta()) << "no DC is live";
}

TEST(Counters, DrawingScenarioGivesEverythingBack)
{
    GdiCountGuard guard("a drawing scenario");
    DibCanvas canvas(50, 50);
    EXPECT_EQ(0, guard.GdiObjectsDelta()) << "the canvas makes its handles outside the counters";
    EXPECT_EQ(0, guard.DCsDelta()) << "the canvas makes its DC outside the counters";
    CDC memory;
    memory.CreateCompatibleDC(&canvas.Dc());
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&canvas.Dc(), 10, 10);
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    CPen pen(PS_DOT, 1, RGB(1, 2, 3));
    CBrush brush(HS_DIAGCROSS, RGB(3, 2, 1));
    CFont font;
    font.CreatePointFont(80, _T("Arial"));
    CDC& dc = canvas.Dc();
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CFont* oldFont = dc.SelectObject(&font);
    EXPECT_EQ(4, guard.GdiObjectsDelta()) << "bitmap, pen, brush and font";
    EXPECT_EQ(1, guard.DCsDelta()) << "the memory DC";
    dc.Ellipse(0, 0, 40, 40);
    dc.TextOut(2, 2, CString("x"));
    dc.BitBlt(0, 0, 10, 10, &memory, 0, 0, SRCINVERT);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldFont);
    memory.SelectObject(oldBitmap);
    AfxUnlockTempMaps();
}
