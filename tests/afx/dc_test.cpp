// CDC: drawing read back from DIB pixels, clipping and mapping, the split between output and
// attribute handles, and the lifetime of temporary wrappers.
#include "TestSupport.h"
#include <afxpriv.h>

namespace {
const COLORREF kGreen = RGB(0, 128, 0);
// How many pixels have the colour, and the box around them: "56(10,10,30,20) ".
std::string Ink(const DibCanvas& c, COLORREF colour)
{
    return std::to_string(c.CountPixels(colour)) + Str(c.BoundsOf(colour)) + " ";
}
POINT square[] = {{10, 10}, {29, 10}, {29, 29}, {10, 29}};
POINT two[] = {{10, 10}, {19, 10}, {19, 19}, {20, 20}, {29, 20}, {29, 29}, {20, 29}};
INT counts[] = {3, 4};
}  // namespace

// Each row draws on a fresh 40x40 white canvas and describes the ink it looks for.
TEST(DC, DrawingLandsOnTheExpectedPixels)
{
    GdiCountGuard guard("drawing");
    struct Row {
        const char* name;
        std::string (*draw)(DibCanvas& c, CDC& dc);
        const char* expected;
    } rows[] = {{"Rectangle: border in the pen, inside in the brush, old objects back",
                 [](DibCanvas& c, CDC& dc) {
                     CPen pen(PS_SOLID, 1, kRed);
                     CBrush brush(kGreen);
                     CPen* oldPen = dc.SelectObject(&pen);
                     CBrush* oldBrush = dc.SelectObject(&brush);
                     EXPECT_TRUE(dc.Rectangle(10, 10, 30, 20));
                     EXPECT_EQ(&pen, dc.SelectObject(oldPen));
                     EXPECT_EQ(&brush, dc.SelectObject(oldBrush));
                     dc.Rectangle(CRect(0, 0, 5, 5));  // the stock black pen and white brush
                     return Ink(c, kRed) + Ink(c, kGreen) + Ink(c, kBlack);
                 },
                 "56(10,10,30,20) 144(11,11,29,19) 16(0,0,5,5) "},
                {"FillSolidRect keeps the background colour; PatBlt DSTINVERT",
                 [](DibCanvas& c, CDC& dc) {
                     dc.SetBkColor(RGB(1, 2, 3));
                     dc.FillSolidRect(2, 3, 5, 4, kRed);
                     EXPECT_EQ(RGB(1, 2, 3), dc.GetBkColor());
                     dc.PatBlt(30, 30, 4, 4, DSTINVERT);
                     return Ink(c, kRed) + Ink(c, kBlack);
                 },
                 "20(2,3,7,7) 16(30,30,34,34) "},
                {"Draw3dRect: top-left in one colour, bottom-right in the other; SetPixel",
                 [](DibCanvas& c, CDC& dc) {
                     dc.Draw3dRect(CRect(5, 5, 15, 12), kRed, kBlue);
                     dc.SetPixel(CPoint(1, 2), RGB(9, 8, 7));
                     return Ink(c, kRed) + Ink(c, kBlue) + Ink(c, RGB(9, 8, 7));
                 },
                 "14(5,5,14,11) 16(5,5,15,12) 1(1,2,2,3) "},
                {"FrameRgn, PaintRgn",
                 [](DibCanvas& c, CDC& dc) {
                     CRgn rgn;
                     rgn.CreateRectRgn(5, 5, 15, 15);
                     CBrush red(kRed), blue(kBlue);
                     EXPECT_TRUE(dc.FrameRgn(&rgn, &blue, 2, 2));
                     std::string framed = Ink(c, kBlue);
                     CBrush* old = dc.SelectObject(&red);
                     EXPECT_TRUE(dc.PaintRgn(&rgn));
                     dc.SelectObject(old);
                     return framed + Ink(c, kRed);
                 },
                 "64(5,5,15,15) 100(5,5,15,15) "},
                {"BitBlt and StretchBlt copy pixels; BLACKNESS needs no source",
                 [](DibCanvas& c, CDC& dc) {
                     DibCanvas source(4, 4, kBlack);
                     source.Dc().SetPixel(0, 0, kRed);
                     source.Dc().SetPixel(3, 3, kBlue);
                     EXPECT_TRUE(dc.BitBlt(2, 2, 4, 4, &source.Dc(), 0, 0, SRCCOPY));
                     dc.SetStretchBltMode(COLORONCOLOR);
                     EXPECT_EQ(COLORONCOLOR, dc.GetStretchBltMode());
                     EXPECT_TRUE(dc.StretchBlt(10, 10, 8, 8, &source.Dc(), 0, 0, 4, 4, SRCCOPY));
                     EXPECT_TRUE(dc.BitBlt(30, 30, 2, 2, nullptr, 0, 0, BLACKNESS));
                     return Ink(c, kRed) + Ink(c, kBlue) + Ink(c, kBlack);
                 },
                 "5(2,2,12,12) 5(5,5,18,18) 74(2,2,32,32) "}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DibCanvas canvas(40, 40);
        EXPECT_EQ(r.expected, r.draw(canvas, canvas.Dc()));
    }
}

TEST(DC, ShapesTouchTheirBoundingBoxAndNullArgumentsDrawNothing)
{
    GdiCountGuard guard("shapes");
    struct Row {
        const char* name;
        void (*draw)(CDC&);
    } rows[] = {
        {"Ellipse", [](CDC& dc) { dc.Ellipse(CRect(10, 10, 30, 30)); }},
        {"RoundRect", [](CDC& dc) { dc.RoundRect(CRect(10, 10, 30, 30), CPoint(6, 6)); }},
        {"Pie", [](CDC& dc) { dc.Pie(CRect(10, 10, 30, 30), CPoint(30, 20), CPoint(20, 10)); }},
        {"Chord", [](CDC& dc) { dc.Chord(10, 10, 30, 30, 30, 20, 10, 20); }},
        {"Arc", [](CDC& dc) { dc.Arc(CRect(10, 10, 30, 30), CPoint(30, 20), CPoint(10, 20)); }},
        {"PolyPolygon", [](CDC& dc) { dc.PolyPolygon(two, counts, 2); }}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DibCanvas canvas(40, 40);
        r.draw(canvas.Dc());
        EXPECT_GT(400 - canvas.CountPixels(kWhite, CRect(10, 10, 30, 30)), 10);
        EXPECT_TRUE(CRect(10, 10, 30, 30) == (canvas.BoundsOfOther(kWhite) | CRect(10, 10, 30, 30)))
            << Str(canvas.BoundsOfOther(kWhite));
    }

    DibCanvas canvas(8, 8);
    CDC& dc = canvas.Dc();
    const std::vector<int> results(
        {dc.Polyline(nullptr, 3), dc.Polygon(nullptr, 3), dc.Polyline(square, -1),
         dc.PolyPolygon(square, nullptr, 1), dc.Rectangle(nullptr), dc.Ellipse(nullptr),
         dc.TextOut(0, 0, nullptr, 5), dc.DrawText(nullptr, 5, CRect(0, 0, 8, 8), 0),
         dc.RectVisible(nullptr), dc.InvertRgn(nullptr),
         dc.FillRgn(nullptr, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH))),
         dc.GetTextExtent(nullptr, 3).cx, dc.GetTextExtent(_T("abc"), -1).cx,
         dc.SelectClipRgn(nullptr, RGN_AND)});
    for (size_t i = 0; i < results.size(); ++i)
        EXPECT_EQ(0, results[i]) << "call " << i;  // ERROR is 0 too
    dc.FillRect(nullptr, nullptr);
    dc.FillSolidRect(nullptr, kBlack);
    dc.Draw3dRect(nullptr, 0, 0);
    dc.InvertRect(nullptr);
    dc.DPtoLP((LPPOINT) nullptr, 1);
    dc.LPtoDP((LPSIZE) nullptr);
    EXPECT_EQ(64, canvas.CountPixels(kWhite)) << "nothing was drawn";
}

TEST(DC, ClippingLimitsDrawing)
{
    GdiCountGuard guard("clipping");
    DibCanvas canvas(30, 30);
    CDC& dc = canvas.Dc();
    CBrush black(kBlack);
    CRgn clip;
    ASSERT_TRUE(clip.CreateRectRgn(5, 5, 15, 10));
    // Each row: the pixels a fill paints through the clipping, and the clip box.
    struct Row {
        const char* name;
        void (*apply)(CDC&, CRgn&);
        const char* expected;
    } rows[] = {{"SelectClipRgn RGN_OR",
                 [](CDC& dc, CRgn& r) {
                     CRgn more;
                     more.CreateRectRgn(20, 20, 25, 25);
                     dc.SelectClipRgn(&r);
                     EXPECT_EQ(COMPLEXREGION, dc.SelectClipRgn(&more, RGN_OR));
                 },
                 "75 (5,5,25,25)"},
                {"IntersectClipRect",
                 [](CDC& dc, CRgn&) { dc.IntersectClipRect(CRect(0, 0, 4, 4)); }, "16 (0,0,4,4)"},
                {"ExcludeClipRect", [](CDC& dc, CRgn&) { dc.ExcludeClipRect(0, 0, 30, 29); },
                 "30 (0,29,30,30)"},
                {"OffsetClipRgn",
                 [](CDC& dc, CRgn& r) { dc.SelectClipRgn(&r), dc.OffsetClipRgn(CSize(10, 10)); },
                 "50 (15,15,25,20)"},
                {"SelectObject(CRgn*); what is visible",
                 [](CDC& dc, CRgn& r) {
                     EXPECT_EQ(SIMPLEREGION, dc.SelectObject(&r));
                     EXPECT_TRUE(dc.PtVisible(CPoint(5, 5)) && !dc.PtVisible(15, 5));
                     EXPECT_TRUE(dc.RectVisible(CRect(0, 0, 6, 6)) &&
                                 !dc.RectVisible(CRect(20, 20, 25, 25)));
                 },
                 "50 (5,5,15,10)"},
                {"SelectObject(CGdiObject*) of a region selects no object",
                 [](CDC& dc, CRgn& r) { EXPECT_EQ(nullptr, dc.SelectObject((CGdiObject*)&r)); },
                 "50 (5,5,15,10)"},
                {"SelectClipRgn(NULL)",
                 [](CDC& dc, CRgn& r) { dc.SelectClipRgn(&r), dc.SelectClipRgn(0); },
                 "900 (0,0,30,30)"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        canvas.Fill(kWhite);
        int saved = dc.SaveDC();
        r.apply(dc, clip);
        CRect box;
        dc.GetClipBox(&box);
        dc.FillRect(CRect(0, 0, 30, 30), &black);
        EXPECT_EQ(r.expected, std::to_string(canvas.CountPixels(kBlack)) + " " + Str(box));
        EXPECT_TRUE(dc.RestoreDC(saved));
    }
}

TEST(DC, ViewportAndWindowOriginsMoveDrawing)
{
    GdiCountGuard guard("mapping");
    DibCanvas canvas(40, 40);
    CDC& dc = canvas.Dc();
    CBrush black(kBlack);
    struct Row {
        const char* name;
        void (*apply)(CDC&);
        RECT device;
    } rows[] = {{"SetViewportOrg", [](CDC& dc) { dc.SetViewportOrg(10, 5); }, {10, 5, 14, 9}},
                {"OffsetViewportOrg twice",
                 [](CDC& dc) { dc.OffsetViewportOrg(3, 3), dc.OffsetViewportOrg(3, 0); },
                 {6, 3, 10, 7}},
                {"SetWindowOrg", [](CDC& dc) { dc.SetWindowOrg(CPoint(-20, -1)); }, {20, 1, 24, 5}},
                {"OffsetWindowOrg", [](CDC& dc) { dc.OffsetWindowOrg(-2, -30); }, {2, 30, 6, 34}},
                {"MM_ANISOTROPIC x2",
                 [](CDC& dc) {
                     dc.SetMapMode(MM_ANISOTROPIC);
                     dc.SetWindowExt(1, 1);
                     dc.SetViewportExt(CSize(2, 2));
                 },
                 {0, 0, 8, 8}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        canvas.Fill(kWhite);
        int saved = dc.SaveDC();
        r.apply(dc);
        dc.FillRect(CRect(0, 0, 4, 4), &black);
        CRect device(r.device), logical(0, 0, 4, 4);
        EXPECT_EQ(std::to_string(device.Width() * device.Height()) + Str(device) + " ",
                  Ink(canvas, kBlack));
        dc.LPtoDP(&logical);
        EXPECT_EQ(Str(device), Str(logical));
        dc.DPtoLP(&logical);
        EXPECT_EQ("(0,0,4,4)", Str(logical));
        dc.RestoreDC(saved);
    }
    // The setters give the old origin and mode. In MM_LOMETRIC y grows upwards; sizes still
    // convert to positive lengths, and back.
    CPoint pt(0, 100);
    CSize size(100, 100), back;
    ExpectAll(
        {{"SetViewportOrg gives the old origin", dc.SetViewportOrg(7, 8) == CPoint(0, 0)},
         {"OffsetViewportOrg gives the old origin", dc.OffsetViewportOrg(1, 1) == CPoint(7, 8)},
         {"the offset origin", dc.GetViewportOrg() == CPoint(8, 9)},
         {"SetMapMode gives the old mode",
          (dc.SetViewportOrg(0, 0), dc.SetMapMode(MM_LOMETRIC) == MM_TEXT)},
         {"y grows upwards", (dc.LPtoDP(&pt), pt.y < 0)},
         {"a size is positive and square",
          (dc.LPtoDP(&size), size.cx > 0 && abs(size.cx - size.cy) <= 1)},
         {"and converts back",
          (back = size, dc.DPtoLP(&back), abs(back.cx - 100) <= 3 && abs(back.cy - 100) <= 3)}});
    dc.SetMapMode(MM_TEXT);
}

TEST(DC, OutputAndAttributeHandlesSplit)
{
    GdiCountGuard guard("output and attribute DCs");
    CFont big;  // made before the canvases, which deselect it before it goes
    CPen pen(PS_SOLID, 1, kBlue);
    ASSERT_TRUE(big.CreatePointFont(300, _T("Arial")));
    DibCanvas output(200, 60), attribute(200, 60);
    attribute.Dc().SelectObject(&big);
    CDC dc;
    dc.SetOutputDC(output.Hdc());
    dc.SetAttribDC(attribute.Hdc());
    ASSERT_EQ(output.Hdc(), dc.GetSafeHdc());

    // Measuring reads the attribute DC (big font), GetOutputTextExtent the output DC. Setters
    // change both, getters read the attribute DC; drawing goes to the output DC only.
    CSize rawBig, rawSmall;
    ::GetTextExtentPoint32(attribute.Hdc(), "Hello", 5, &rawBig);
    ::GetTextExtentPoint32(output.Hdc(), "Hello", 5, &rawSmall);
    TEXTMETRIC tm, rawTm;
    ::GetTextMetrics(attribute.Hdc(), &rawTm);
    CString face;
    char rawFace[LF_FACESIZE] = "";
    ::GetTextFace(attribute.Hdc(), LF_FACESIZE, rawFace);
    POINT pos;
    ExpectAll(
        {{"the fonts differ", rawBig.cy != rawSmall.cy},
         {"GetTextExtent", dc.GetTextExtent(CString("Hello")) == rawBig},
         {"GetOutputTextExtent", dc.GetOutputTextExtent(_T("Hello"), 5) == rawSmall},
         {"GetTextMetrics", dc.GetTextMetrics(&tm) && rawTm.tmHeight == tm.tmHeight},
         {"GetTextFace", (dc.GetTextFace(face), face == rawFace)},
         {"SetTextColor on both",
          (dc.SetTextColor(kRed),
           ::GetTextColor(output.Hdc()) == kRed && ::GetTextColor(attribute.Hdc()) == kRed)},
         {"SetBkMode on both",
          (dc.SetBkMode(TRANSPARENT),
           ::GetBkMode(output.Hdc()) == TRANSPARENT && dc.GetBkMode() == TRANSPARENT)},
         {"TextOut on the output",
          dc.TextOut(2, 2, CString("Hello")) && output.CountPixels(kRed) > 10},
         {"LineTo moves the attribute DC's position",
          (dc.MoveTo(5, 50), dc.LineTo(100, 50), ::GetCurrentPositionEx(attribute.Hdc(), &pos),
           pos.x == 100)},
         {"GetCurrentPosition", dc.GetCurrentPosition() == CPoint(100, 50)},
         {"the line on the output", Ink(output, kBlack) == "95(5,50,100,51) "},
         {"nothing on the attribute DC",
          attribute.CountPixels(kBlack) + attribute.CountPixels(kRed) == 0},
         {"SelectObject gives the old pen", dc.SelectObject(&pen) != nullptr},
         {"the pen in the output DC", ::GetCurrentObject(output.Hdc(), OBJ_PEN) == pen.m_hObject},
         {"the pen in the attribute DC",
          ::GetCurrentObject(attribute.Hdc(), OBJ_PEN) == pen.m_hObject}});
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
    EXPECT_TRUE(dc.m_hDC == nullptr && dc.m_hAttribDC == nullptr);
}

// ETO_OPAQUE fills its rectangle in the background colour with or without text; DrawText of a
// CString draws inside its box and gives the height of the line.
TEST(DC, OpaqueTextFillsItsRectangleAndDrawTextTakesACString)
{
    GdiCountGuard guard("text");
    DibCanvas canvas(200, 40);
    CDC& dc = canvas.Dc();
    dc.SetBkColor(kGreen);
    EXPECT_TRUE(dc.ExtTextOut(0, 0, ETO_OPAQUE, CRect(0, 0, 50, 20), CString(""), nullptr));
    EXPECT_TRUE(dc.ExtTextOut(0, 30, ETO_OPAQUE, CRect(0, 30, 10, 40), nullptr, 4, nullptr));
    EXPECT_EQ(1000 + 100, canvas.CountPixels(kGreen));
    canvas.Fill(kWhite);
    CSize extent = dc.GetTextExtent(_T("Wide text"), 9);
    CRect box(10, 5, 190, 35);
    EXPECT_EQ(extent.cy, dc.DrawText(CString("Wide text"), box, DT_LEFT | DT_TOP | DT_SINGLELINE));
    EXPECT_GT(canvas.CountPixels(kBlack), 20);
    EXPECT_EQ(canvas.CountPixels(kBlack), canvas.CountPixels(kBlack, CRect(CPoint(10, 5), extent)));
}

TEST(DC, FromHandleGivesPermanentThenTemporaryWrappers)
{
    GdiCountGuard guard("temporary wrappers");
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HDC hDC = dc.m_hDC;
    CDC* temp = nullptr;
    ExpectAll(
        {{"the permanent wrapper", CDC::FromHandle(hDC) == &dc},
         {"Detach", dc.Detach() == hDC},
         {"then a temporary one", (temp = CDC::FromHandle(hDC)) != nullptr && temp != &dc},
         {"with both handles", temp->m_hDC == hDC && temp->m_hAttribDC == hDC},
         {"the same temporary twice", CDC::FromHandle(hDC) == temp},
         {"the permanent wrapper wins", (dc.Attach(hDC), CDC::FromHandle(hDC) == &dc)},
         {"the unlock keeps the DC", (AfxUnlockTempMaps(), ::GetObjectType(hDC) == OBJ_MEMDC)},
         {"no DC wrapper for NULL", CDC::FromHandle(NULL) == nullptr}});
}

TEST(DC, CreateAndDeleteDeviceContexts)
{
    GdiCountGuard guard("device contexts");
    CDC screen, memory, info;
    ASSERT_TRUE(screen.CreateDC(_T("DISPLAY"), nullptr, nullptr, nullptr));
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
    HDC hMemory = memory.m_hDC;
    CGdiObject* old = nullptr;
    CDC* nothing = nullptr;
    ExpectAll({{"a display DC", screen.GetDeviceCaps(HORZRES) > 0 && !screen.IsPrinting()},
               {"a second create on a DC that has one", !screen.CreateCompatibleDC(nullptr)},
               {"CreateIC", !!info.CreateIC(_T("DISPLAY"), nullptr, nullptr, nullptr)},
               {"three DCs counted", guard.DCsDelta() == 3},
               {"DeleteDC", memory.DeleteDC() && !memory.DeleteDC()},
               {"the DC is gone", ::GetObjectType(hMemory) == 0 && guard.DCsDelta() == 2},
               {"SelectStockObject gives the old brush",
                (old = screen.SelectStockObject(NULL_BRUSH)) != nullptr},
               {"the stock brush selected",
                screen.GetCurrentBrush()->m_hObject == ::GetStockObject(NULL_BRUSH)},
               {"the old brush back", screen.SelectObject(old) != nullptr},
               {"SelectObject(NULL)", screen.SelectObject((CPen*)nullptr) == nullptr},
               {"SelectStockObject of a bad index", screen.SelectStockObject(12345) == nullptr},
               {"GetSafeHdc through NULL", nothing->GetSafeHdc() == nullptr}});
    AfxUnlockTempMaps();
}
