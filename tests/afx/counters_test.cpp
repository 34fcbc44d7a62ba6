// Live-object counters: exactly one per live GDI object or device context made through the
// layer, untouched by Attach/Detach, temporary wrappers and failed creates. Every test that
// draws checks them back at the start through GdiCountGuard.
#include "TestSupport.h"
#include <afxpriv.h>

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
    // clang-format off
#define MAKER(Class, create) {#Class "::" #create, [](std::unique_ptr<CGdiObject>& p) { \
        auto o = new Class; p.reset(o); return !!o->create; }}
    // clang-format on
    const Maker makers[] = {
        MAKER(CPen, CreatePen(PS_SOLID, 1, RGB(0, 0, 0))),
        MAKER(CPen, CreatePen(PS_SOLID | PS_GEOMETRIC, 2, &lb)),
        MAKER(CBrush, CreateSolidBrush(0)),
        MAKER(CBrush, CreateHatchBrush(HS_CROSS, 0)),
        MAKER(CBrush, CreateSysColorBrush(COLOR_WINDOW)),
        MAKER(CFont, CreatePointFont(90, _T("Arial"))),
        MAKER(CBitmap, CreateBitmap(8, 8, 1, 1, bits)),
        MAKER(CPalette, CreatePalette((LPLOGPALETTE)&palette)),
        MAKER(CRgn, CreateEllipticRgn(0, 0, 9, 9)),
        MAKER(CGdiObject, CreateStockObject(BLACK_PEN)),
    };
#undef MAKER
    for (const auto& m : makers) {
        SCOPED_TRACE(m.what);
        LONG start = LiveObjects();
        std::unique_ptr<CGdiObject> first, second;
        ASSERT_TRUE(m.make(first));
        EXPECT_EQ(start + 1, LiveObjects());
        ASSERT_TRUE(m.make(second));
        EXPECT_EQ(start + 2, LiveObjects());
        EXPECT_TRUE(first->DeleteObject());
        EXPECT_EQ(start + 1, LiveObjects());
        EXPECT_FALSE(first->DeleteObject()) << "on an empty wrapper: counts nothing";
        EXPECT_EQ(start + 1, LiveObjects());
        second.reset();
        EXPECT_EQ(start, LiveObjects()) << "the destructor gives the other back";
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

    // Handles made outside a wrapper are counted through this (window DCs through AfxCountDC,
    // which the window tests count).
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
    EXPECT_FALSE(huge.CreateBitmap(0x7FFFFFFF, 0x7FFFFFFF, 1, 32, nullptr));
    CBrush twice(RGB(1, 1, 1));
    EXPECT_FALSE(twice.CreateSolidBrush(RGB(2, 2, 2))) << "a create on a brush that has one";
    CDC dc;
    EXPECT_FALSE(dc.CreateDC(_T("NO SUCH DRIVER"), _T("none"), nullptr, nullptr));
    EXPECT_EQ(1, guard.GdiObjectsDelta()) << "only the brush is live";
    EXPECT_EQ(0, guard.DCsDelta()) << "no DC is live";
}
