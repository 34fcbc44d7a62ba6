// Live-object counters: exactly one per live GDI object or device context made through the
// layer, untouched by Attach/Detach, temporary wrappers and failed creates. Every test that
// draws checks them back at the start through GdiCountGuard.
#include "TestSupport.h"
#include <afxpriv.h>

#include <memory>

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
    const Maker makers[] = {MAKER(CPen, CreatePen(PS_SOLID, 1, RGB(0, 0, 0))),
                            MAKER(CPen, CreatePen(PS_SOLID | PS_GEOMETRIC, 2, &lb)),
                            MAKER(CBrush, CreateSolidBrush(0)),
                            MAKER(CBrush, CreateHatchBrush(HS_CROSS, 0)),
                            MAKER(CBrush, CreateSysColorBrush(COLOR_WINDOW)),
                            MAKER(CFont, CreatePointFont(90, _T("Arial"))),
                            MAKER(CBitmap, CreateBitmap(8, 8, 1, 1, bits)),
                            MAKER(CPalette, CreatePalette((LPLOGPALETTE)&palette)),
                            MAKER(CRgn, CreateEllipticRgn(0, 0, 9, 9)),
                            MAKER(CGdiObject, CreateStockObject(BLACK_PEN))};
#undef MAKER
    for (const auto& m : makers) {
        SCOPED_TRACE(m.what);
        GdiCountGuard guard(m.what);
        std::unique_ptr<CGdiObject> first, second;
        ExpectAll({{"the first create", m.make(first) && guard.GdiObjectsDelta() == 1},
                   {"the second create", m.make(second) && guard.GdiObjectsDelta() == 2},
                   {"DeleteObject", first->DeleteObject() && guard.GdiObjectsDelta() == 1},
                   {"DeleteObject on an empty wrapper counts nothing",
                    !first->DeleteObject() && guard.GdiObjectsDelta() == 1},
                   {"the destructor gives the other back",
                    (second.reset(), guard.GdiObjectsDelta() == 0)}});
    }
    // Handles made outside a wrapper are counted by hand (window DCs through AfxCountDC, which
    // the window tests count).
    GdiCountGuard guard("AfxCountGdiObject");
    ExpectAll({{"AfxCountGdiObject(+2)", (AfxCountGdiObject(+2), guard.GdiObjectsDelta() == 2)},
               {"AfxCountGdiObject(-2)", (AfxCountGdiObject(-2), guard.GdiObjectsDelta() == 0)}});
}

// Each wrapper's lifetime ends at a reset(), so the counts can be read before and after it.
TEST(Counters, AttachDetachTemporariesAndFailuresCountNothing)
{
    GdiCountGuard guard("attach, detach, temporaries, failures");
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, RGB(0, 0, 0)), owner = std::make_unique<CPen>();
    auto dc = std::make_unique<CDC>(), dcOwner = std::make_unique<CDC>();
    ASSERT_TRUE(dc->CreateCompatibleDC(nullptr));
    HGDIOBJ hPen = pen->Detach();
    HDC hdc = dc->Detach();
    CBrush twice;
    ExpectAll(
        {{"Detach keeps the count with the handle", guard.GdiObjectsDelta() == 1},
         {"an empty pen's destructor counts nothing", (pen.reset(), guard.GdiObjectsDelta() == 1)},
         {"Attach counts nothing", owner->Attach(hPen) && guard.GdiObjectsDelta() == 1},
         {"the owner's destructor gives it back", (owner.reset(), guard.GdiObjectsDelta() == 0)},
         {"a detached DC stays counted", (dc.reset(), guard.DCsDelta() == 1)},
         {"a temporary wrapper counts nothing",
          CDC::FromHandle(hdc)->Rectangle(0, 0, 2, 2) && guard.DCsDelta() == 1},
         {"deleting the temporary counts nothing", (AfxUnlockTempMaps(), guard.DCsDelta() == 1)},
         {"the DC owner's destructor gives it back",
          dcOwner->Attach(hdc) && (dcOwner.reset(), guard.DCsDelta() == 0)},
         {"CreatePen with no brush", !CPen().CreatePen(PS_SOLID, 1, (const LOGBRUSH*)nullptr)},
         {"a huge bitmap", !CBitmap().CreateBitmap(0x7FFFFFFF, 0x7FFFFFFF, 1, 32, nullptr)},
         {"a create on a brush that has one",
          twice.CreateSolidBrush(RGB(1, 1, 1)) && !twice.CreateSolidBrush(RGB(2, 2, 2))},
         {"no such driver", !CDC().CreateDC(_T("NO SUCH DRIVER"), _T("none"), NULL, NULL)},
         {"only the brush is live", guard.GdiObjectsDelta() == 1},
         {"no DC is live", guard.DCsDelta() == 0}});
}
