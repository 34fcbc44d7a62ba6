// CDC: drawing read back from DIB pixels, the records a metafile DC receives, the split between
// output and attribute handles, and the lifetime of temporary wrappers.
#include <gtest/gtest.h>
#include <afxpriv.h>

#include <TestSupport.h>

#include <string>
#include <thread>

namespace {

std::string Hex(COLORREF c)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%06lX", (unsigned long)c);
    return text;
}

#define EXPECT_PIXEL(canvas, x, y, colour)                                                         \
    EXPECT_EQ(Hex(colour), Hex((canvas).Pixel((x), (y)))) << "pixel (" << (x) << "," << (y) << ")"

}  // namespace

TEST(DC, RectangleBorderInPenInteriorInBrush)
{
    GdiCountGuard guard("rectangle");
    DibCanvas canvas(40, 40, RGB(255, 255, 255));
    CDC& dc = canvas.Dc();
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(0, 128, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_NE(nullptr, oldPen) << "the previous pen comes back";
    ASSERT_NE(nullptr, oldBrush) << "the previous brush comes back";
    EXPECT_TRUE(dc.Rectangle(10, 10, 30, 20)) << "Rectangle";

    // The right and bottom edges are exclusive: the outline covers 10..29 x 10..19.
    EXPECT_EQ(2 * 20 + 2 * 8, canvas.CountPixels(RGB(255, 0, 0))) << "pen pixels on the outline";
    EXPECT_EQ(18 * 8, canvas.CountPixels(RGB(0, 128, 0))) << "brush pixels inside";
    EXPECT_PIXEL(canvas, 10, 10, RGB(255, 0, 0));
    EXPECT_PIXEL(canvas, 29, 19, RGB(255, 0, 0));
    EXPECT_PIXEL(canvas, 11, 11, RGB(0, 128, 0));
    EXPECT_PIXEL(canvas, 30, 20, RGB(255, 255, 255));

    // Restoring the old objects leaves our pen and brush unselected (the canvas' defaults back).
    EXPECT_EQ(&pen, dc.SelectObject(oldPen)) << "selecting the old pen gives our pen back";
    EXPECT_EQ(&brush, dc.SelectObject(oldBrush)) << "selecting the old brush gives our brush back";
    dc.Rectangle(CRect(0, 0, 5, 5));
    EXPECT_PIXEL(canvas, 0, 0, RGB(0, 0, 0));        // stock black pen
    EXPECT_PIXEL(canvas, 2, 2, RGB(255, 255, 255));  // stock white brush
}

TEST(DC, ShapesTouchTheirBoundingBox)
{
    GdiCountGuard guard("shapes");
    struct Shape {
        const char* what;
        void (*draw)(CDC&);
    };
    const Shape shapes[] = {
        {"Ellipse", [](CDC& dc) { dc.Ellipse(CRect(10, 10, 30, 30)); }},
        {"RoundRect", [](CDC& dc) { dc.RoundRect(CRect(10, 10, 30, 30), CPoint(6, 6)); }},
        {"Pie", [](CDC& dc) { dc.Pie(CRect(10, 10, 30, 30), CPoint(30, 20), CPoint(20, 10)); }},
        {"Chord", [](CDC& dc) { dc.Chord(10, 10, 30, 30, 30, 20, 10, 20); }},
        {"Arc", [](CDC& dc) { dc.Arc(CRect(10, 10, 30, 30), CPoint(30, 20), CPoint(10, 20)); }},
        {"Polygon",
         [](CDC& dc) {
             POINT p[] = {{10, 10}, {29, 10}, {29, 29}, {10, 29}};
             dc.Polygon(p, 4);
         }},
        {"Polyline",
         [](CDC& dc) {
             POINT p[] = {{10, 10}, {29, 29}, {10, 29}, {10, 10}};
             dc.Polyline(p, 4);
         }},
        {"PolyPolygon",
         [](CDC& dc) {
             POINT p[] = {{10, 10}, {19, 10}, {19, 19}, {20, 20}, {29, 20}, {29, 29}, {20, 29}};
             INT counts[] = {3, 4};
             dc.PolyPolygon(p, counts, 2);
         }},
    };
    for (const auto& s : shapes) {
        DibCanvas canvas(40, 40);
        s.draw(canvas.Dc());
        int whiteInside = canvas.CountPixels(RGB(255, 255, 255), CRect(10, 10, 30, 30));
        int inside = 400 - whiteInside;
        int outside = (1600 - 400) - (canvas.CountPixels(RGB(255, 255, 255)) - whiteInside);
        EXPECT_GT(inside, 10) << s.what << ": drew inside its box";
        EXPECT_EQ(0, outside) << s.what << ": pixels drawn outside 10..29";
    }

    // Null point lists and counts draw nothing and never crash.
    DibCanvas canvas(8, 8);
    CDC& dc = canvas.Dc();
    EXPECT_FALSE(dc.Polyline(nullptr, 3)) << "Polyline(NULL)";
    EXPECT_FALSE(dc.Polygon(nullptr, 3)) << "Polygon(NULL)";
    POINT p[2] = {{0, 0}, {5, 5}};
    EXPECT_FALSE(dc.Polyline(p, -1)) << "Polyline with a negative count";
    EXPECT_FALSE(dc.PolyPolygon(p, nullptr, 1)) << "PolyPolygon without counts";
    EXPECT_FALSE(dc.Rectangle(nullptr)) << "Rectangle(NULL)";
    EXPECT_FALSE(dc.Ellipse(nullptr)) << "Ellipse(NULL)";
    dc.FillRect(nullptr, nullptr);
    dc.FillSolidRect(nullptr, RGB(0, 0, 0));
    dc.Draw3dRect(nullptr, 0, 0);
    dc.InvertRect(nullptr);
    EXPECT_FALSE(dc.TextOut(0, 0, nullptr, 5)) << "TextOut(NULL)";
    EXPECT_EQ(0, dc.DrawText(nullptr, 5, CRect(0, 0, 8, 8), 0)) << "DrawText(NULL)";
    EXPECT_EQ(64, canvas.CountPixels(RGB(255, 255, 255))) << "nothing was drawn";
}

TEST(DC, RasterOpsAndSolidFills)
{
    GdiCountGuard guard("raster operations");
    DibCanvas canvas(20, 20, RGB(0x12, 0x34, 0x56));
    CDC& dc = canvas.Dc();

    // R2_NOT inverts what is under the line, whatever the pen's colour.
    EXPECT_EQ(R2_COPYPEN, dc.SetROP2(R2_NOT)) << "SetROP2 gives the previous mode";
    EXPECT_EQ(R2_NOT, dc.GetROP2());
    dc.MoveTo(0, 5);
    dc.LineTo(20, 5);
    dc.SetROP2(R2_COPYPEN);
    EXPECT_EQ(20, canvas.CountPixels(RGB(0xED, 0xCB, 0xA9), CRect(0, 5, 20, 6)))
        << "R2_NOT row inverted";
    EXPECT_EQ(20 * 19, canvas.CountPixels(RGB(0x12, 0x34, 0x56))) << "the rest untouched";
    EXPECT_TRUE(dc.GetCurrentPosition() == CPoint(20, 5)) << "LineTo moves the current position";

    // FillSolidRect paints exactly its rectangle and leaves the background colour alone.
    canvas.Fill(RGB(255, 255, 255));
    dc.SetBkColor(RGB(1, 2, 3));
    dc.FillSolidRect(2, 3, 5, 4, RGB(200, 100, 0));
    EXPECT_EQ(20, canvas.CountPixels(RGB(200, 100, 0))) << "FillSolidRect 5x4";
    EXPECT_EQ(20, canvas.CountPixels(RGB(200, 100, 0), CRect(2, 3, 7, 7)))
        << "FillSolidRect position";
    EXPECT_EQ(Hex(RGB(1, 2, 3)), Hex(dc.GetBkColor()))
        << "FillSolidRect keeps the background colour";

    // InvertRect twice is a no-op; PatBlt with DSTINVERT once inverts.
    dc.InvertRect(CRect(0, 0, 20, 20));
    dc.InvertRect(CRect(0, 0, 20, 20));
    EXPECT_EQ(20, canvas.CountPixels(RGB(200, 100, 0))) << "InvertRect twice";
    dc.PatBlt(0, 0, 20, 20, DSTINVERT);
    EXPECT_EQ(20, canvas.CountPixels(RGB(55, 155, 255))) << "PatBlt DSTINVERT";

    // Draw3dRect: top and left in one colour, right and bottom in the other.
    canvas.Fill(RGB(255, 255, 255));
    dc.Draw3dRect(CRect(5, 5, 15, 12), RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(9 + 6 - 1, canvas.CountPixels(RGB(255, 0, 0))) << "top-left edges";
    EXPECT_EQ(10 + 6, canvas.CountPixels(RGB(0, 0, 255))) << "bottom-right edges";
    EXPECT_PIXEL(canvas, 5, 5, RGB(255, 0, 0));
    EXPECT_PIXEL(canvas, 14, 5, RGB(0, 0, 255));
    EXPECT_PIXEL(canvas, 5, 11, RGB(0, 0, 255));
    EXPECT_PIXEL(canvas, 8, 8, RGB(255, 255, 255));

    // Pixels.
    dc.SetPixel(CPoint(1, 1), RGB(9, 8, 7));
    EXPECT_EQ(Hex(RGB(9, 8, 7)), Hex(dc.GetPixel(1, 1))) << "SetPixel then GetPixel";
}

TEST(DC, RegionsPaintedThroughTheDC)
{
    GdiCountGuard guard("region painting");
    DibCanvas canvas(30, 30);
    CDC& dc = canvas.Dc();
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(5, 5, 15, 15));
    CBrush red(RGB(255, 0, 0)), blue(RGB(0, 0, 255));

    EXPECT_TRUE(dc.FrameRgn(&rgn, &blue, 2, 2)) << "FrameRgn";
    EXPECT_EQ(100 - 36, canvas.CountPixels(RGB(0, 0, 255))) << "a 2-pixel frame inside the region";

    CBrush* old = dc.SelectObject(&red);
    EXPECT_TRUE(dc.PaintRgn(&rgn)) << "PaintRgn uses the selected brush";
    dc.SelectObject(old);
    EXPECT_EQ(100, canvas.CountPixels(RGB(255, 0, 0))) << "PaintRgn covers the region";

    EXPECT_TRUE(dc.InvertRgn(&rgn)) << "InvertRgn";
    EXPECT_EQ(100, canvas.CountPixels(RGB(0, 255, 255))) << "red inverted is cyan";
    EXPECT_FALSE(dc.FillRgn(nullptr, &red)) << "FillRgn(NULL region)";
    EXPECT_FALSE(dc.InvertRgn(nullptr)) << "InvertRgn(NULL)";
}

TEST(DC, BitBltAndStretchBltCopyPixels)
{
    GdiCountGuard guard("blits");
    DibCanvas source(4, 4, RGB(0, 0, 0));
    source.Dc().SetPixel(0, 0, RGB(255, 0, 0));
    source.Dc().SetPixel(3, 0, RGB(0, 255, 0));
    source.Dc().SetPixel(0, 3, RGB(0, 0, 255));
    source.Dc().SetPixel(3, 3, RGB(255, 255, 0));

    DibCanvas target(20, 20, RGB(255, 255, 255));
    CDC& dc = target.Dc();
    EXPECT_TRUE(dc.BitBlt(2, 2, 4, 4, &source.Dc(), 0, 0, SRCCOPY)) << "BitBlt";
    EXPECT_PIXEL(target, 2, 2, RGB(255, 0, 0));
    EXPECT_PIXEL(target, 5, 2, RGB(0, 255, 0));
    EXPECT_PIXEL(target, 2, 5, RGB(0, 0, 255));
    EXPECT_PIXEL(target, 5, 5, RGB(255, 255, 0));
    EXPECT_EQ(400 - 16, target.CountPixels(RGB(255, 255, 255))) << "BitBlt touches only 4x4";

    dc.SetStretchBltMode(COLORONCOLOR);
    EXPECT_EQ(COLORONCOLOR, dc.GetStretchBltMode());
    EXPECT_TRUE(dc.StretchBlt(10, 10, 8, 8, &source.Dc(), 0, 0, 4, 4, SRCCOPY)) << "StretchBlt x2";
    EXPECT_EQ(4, target.CountPixels(RGB(255, 0, 0), CRect(10, 10, 12, 12)))
        << "the top-left pixel became 2x2";
    EXPECT_EQ(4, target.CountPixels(RGB(255, 255, 0), CRect(16, 16, 18, 18)))
        << "the bottom-right pixel became 2x2";
    EXPECT_EQ(64 - 16, target.CountPixels(RGB(0, 0, 0), CRect(10, 10, 18, 18)))
        << "the black middle";

    // A blit that uses no source may go without one.
    EXPECT_TRUE(dc.BitBlt(0, 0, 2, 2, nullptr, 0, 0, BLACKNESS))
        << "BitBlt BLACKNESS without a source";
    EXPECT_PIXEL(target, 1, 1, RGB(0, 0, 0));
}

TEST(DC, ClippingLimitsDrawing)
{
    GdiCountGuard guard("clipping");
    DibCanvas canvas(30, 30);
    CDC& dc = canvas.Dc();
    CBrush black(RGB(0, 0, 0));
    CRgn clip;
    ASSERT_TRUE(clip.CreateRectRgn(5, 5, 15, 10));

    struct Step {
        const char* what;
        void (*apply)(CDC&, CRgn&);
        int painted;
        RECT box;
    };
    const Step steps[] = {
        {"SelectClipRgn",
         [](CDC& dc, CRgn& r) { EXPECT_EQ(SIMPLEREGION, dc.SelectClipRgn(&r)); },
         50,
         {5, 5, 15, 10}},
        {"SelectClipRgn RGN_OR",
         [](CDC& dc, CRgn& r) {
             CRgn more;
             more.CreateRectRgn(20, 20, 25, 25);
             dc.SelectClipRgn(&r);
             EXPECT_EQ(COMPLEXREGION, dc.SelectClipRgn(&more, RGN_OR));
         },
         75,
         {5, 5, 25, 25}},
        {"IntersectClipRect",
         [](CDC& dc, CRgn&) { dc.IntersectClipRect(CRect(0, 0, 4, 4)); },
         16,
         {0, 0, 4, 4}},
        {"ExcludeClipRect",
         [](CDC& dc, CRgn&) { dc.ExcludeClipRect(0, 0, 30, 29); },
         30,
         {0, 29, 30, 30}},
        {"OffsetClipRgn",
         [](CDC& dc, CRgn& r) {
             dc.SelectClipRgn(&r);
             dc.OffsetClipRgn(CSize(10, 10));
         },
         50,
         {15, 15, 25, 20}},
        {"SelectObject(CRgn*)",
         [](CDC& dc, CRgn& r) { EXPECT_EQ(SIMPLEREGION, dc.SelectObject(&r)); },
         50,
         {5, 5, 15, 10}},
        {"SelectObject(CGdiObject*) of a region",
         [](CDC& dc, CRgn& r) {
             EXPECT_EQ(nullptr, dc.SelectObject(static_cast<CGdiObject*>(&r)))
                 << "a region selects no object";
         },
         50,
         {5, 5, 15, 10}},
        {"SelectClipRgn(NULL) removes clipping",
         [](CDC& dc, CRgn& r) {
             dc.SelectClipRgn(&r);
             dc.SelectClipRgn(nullptr);
         },
         900,
         {0, 0, 30, 30}},
    };
    for (const auto& s : steps) {
        canvas.Fill(RGB(255, 255, 255));
        int saved = dc.SaveDC();
        s.apply(dc, clip);
        CRect box;
        dc.GetClipBox(&box);
        EXPECT_TRUE(box == CRect(s.box)) << s.what << ": clip box (" << box.left << "," << box.top
                                         << "," << box.right << "," << box.bottom << ")";
        dc.FillRect(CRect(0, 0, 30, 30), &black);
        EXPECT_EQ(s.painted, canvas.CountPixels(RGB(0, 0, 0))) << s.what << ": painted pixels";
        EXPECT_TRUE(dc.RestoreDC(saved)) << s.what << ": RestoreDC";
    }

    dc.SelectClipRgn(&clip);
    EXPECT_TRUE(dc.PtVisible(CPoint(5, 5))) << "PtVisible inside the clip";
    EXPECT_FALSE(dc.PtVisible(15, 5)) << "PtVisible on the excluded edge";
    EXPECT_TRUE(dc.RectVisible(CRect(0, 0, 6, 6))) << "RectVisible overlapping the clip";
    EXPECT_FALSE(dc.RectVisible(CRect(20, 20, 25, 25))) << "RectVisible outside the clip";
    EXPECT_FALSE(dc.RectVisible(nullptr)) << "RectVisible(NULL)";
    EXPECT_EQ(ERROR, dc.SelectClipRgn(nullptr, RGN_AND)) << "SelectClipRgn(NULL, RGN_AND)";
    dc.SelectClipRgn(nullptr);
}

TEST(DC, ViewportAndWindowOriginsMoveDrawing)
{
    GdiCountGuard guard("mapping");
    DibCanvas canvas(40, 40);
    CDC& dc = canvas.Dc();
    CBrush black(RGB(0, 0, 0));

    struct {
        const char* what;
        void (*apply)(CDC&);
        RECT device;
    } cases[] = {
        {"SetViewportOrg", [](CDC& dc) { dc.SetViewportOrg(10, 5); }, {10, 5, 14, 9}},
        {"OffsetViewportOrg twice",
         [](CDC& dc) {
             dc.OffsetViewportOrg(3, 3);
             dc.OffsetViewportOrg(3, 0);
         },
         {6, 3, 10, 7}},
        {"SetWindowOrg", [](CDC& dc) { dc.SetWindowOrg(CPoint(-20, -1)); }, {20, 1, 24, 5}},
        {"OffsetWindowOrg", [](CDC& dc) { dc.OffsetWindowOrg(-2, -30); }, {2, 30, 6, 34}},
        {"MM_ANISOTROPIC x2",
         [](CDC& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowExt(1, 1);
             dc.SetViewportExt(CSize(2, 2));
         },
         {0, 0, 8, 8}},
    };
    for (const auto& c : cases) {
        canvas.Fill(RGB(255, 255, 255));
        int saved = dc.SaveDC();
        c.apply(dc);
        dc.FillRect(CRect(0, 0, 4, 4), &black);
        CRect device(c.device);
        EXPECT_EQ(device.Width() * device.Height(), canvas.CountPixels(RGB(0, 0, 0), device))
            << c.what << ": logical (0,0)-(4,4) lands on device (" << device.left << ","
            << device.top << ")";
        EXPECT_EQ(device.Width() * device.Height(), canvas.CountPixels(RGB(0, 0, 0)))
            << c.what << ": nothing else";
        CRect logical(0, 0, 4, 4);
        dc.LPtoDP(&logical);
        EXPECT_TRUE(logical == device) << c.what << ": LPtoDP of the rectangle";
        dc.DPtoLP(&logical);
        EXPECT_TRUE(logical == CRect(0, 0, 4, 4)) << c.what << ": DPtoLP back";
        dc.RestoreDC(saved);
    }

    EXPECT_TRUE(dc.SetViewportOrg(7, 8) == CPoint(0, 0)) << "SetViewportOrg gives the old origin";
    EXPECT_TRUE(dc.GetViewportOrg() == CPoint(7, 8)) << "GetViewportOrg";
    EXPECT_TRUE(dc.OffsetViewportOrg(1, 1) == CPoint(7, 8))
        << "OffsetViewportOrg gives the old origin";
    dc.SetViewportOrg(0, 0);

    // In MM_LOMETRIC y grows upwards; sizes still convert to positive lengths.
    EXPECT_EQ(MM_TEXT, dc.SetMapMode(MM_LOMETRIC)) << "SetMapMode gives the old mode";
    EXPECT_EQ(MM_LOMETRIC, dc.GetMapMode());
    CPoint pt(0, 100);
    dc.LPtoDP(&pt);
    EXPECT_LT(pt.y, 0) << "1 cm up is above the origin on the device";
    CSize size(100, 100);
    dc.LPtoDP(&size);
    EXPECT_GT(size.cx, 0) << "LPtoDP(SIZE) stays positive";
    EXPECT_GT(size.cy, 0) << "LPtoDP(SIZE) stays positive";
    EXPECT_NEAR(size.cx, size.cy, 1) << "square in, square out";
    dc.DPtoLP(&size);
    EXPECT_NEAR(100, size.cx, 3) << "DPtoLP(SIZE) back";
    dc.SetMapMode(MM_TEXT);
    dc.DPtoLP((LPPOINT) nullptr, 1);
    dc.LPtoDP((LPSIZE) nullptr);
}

TEST(DC, MetafileRecordsSelectionRopAndRectangle)
{
    GdiCountGuard guard("metafile records");
    EmfRecorder rec;
    CDC& dc = rec.Dc();
    CPen pen(PS_DASH, 1, RGB(10, 20, 30));
    CBrush brush(RGB(40, 50, 60));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.SetROP2(R2_XORPEN);
    dc.Rectangle(1, 2, 30, 40);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    std::string records = rec.Describe();

    const EmfRecord* createPen = rec.First(EMR_CREATEPEN);
    ASSERT_NE(nullptr, createPen) << "no CREATEPEN record in:\n" << records;
    EXPECT_EQ((DWORD)PS_DASH, createPen->Param(1)) << "pen style";
    EXPECT_EQ(1, createPen->Long(2)) << "pen width";
    EXPECT_EQ(Hex(RGB(10, 20, 30)), Hex(createPen->Param(4))) << "pen colour";

    const EmfRecord* createBrush = rec.First(EMR_CREATEBRUSHINDIRECT);
    ASSERT_NE(nullptr, createBrush) << "no CREATEBRUSHINDIRECT record in:\n" << records;
    EXPECT_EQ((DWORD)BS_SOLID, createBrush->Param(1)) << "brush style";
    EXPECT_EQ(Hex(RGB(40, 50, 60)), Hex(createBrush->Param(2))) << "brush colour";

    // Each object is selected by its table index right after being created.
    int iPen = rec.IndexOf(EMR_CREATEPEN);
    int iSelectPen = rec.IndexOf(EMR_SELECTOBJECT, iPen);
    ASSERT_GE(iSelectPen, 0) << "no SELECTOBJECT after CREATEPEN in:\n" << records;
    EXPECT_EQ(createPen->Param(0), rec.Records()[iSelectPen].Param(0))
        << "the pen's index is selected";
    int iBrush = rec.IndexOf(EMR_CREATEBRUSHINDIRECT);
    int iSelectBrush = rec.IndexOf(EMR_SELECTOBJECT, iBrush);
    ASSERT_GE(iSelectBrush, 0) << "no SELECTOBJECT after CREATEBRUSHINDIRECT in:\n" << records;
    EXPECT_EQ(createBrush->Param(0), rec.Records()[iSelectBrush].Param(0))
        << "the brush's index is selected";

    const EmfRecord* rop = rec.First(EMR_SETROP2);
    ASSERT_NE(nullptr, rop) << "no SETROP2 record in:\n" << records;
    EXPECT_EQ((DWORD)R2_XORPEN, rop->Param(0)) << "the ROP2 mode recorded";

    int iRect = rec.IndexOf(EMR_RECTANGLE);
    ASSERT_GE(iRect, 0) << "no RECTANGLE record in:\n" << records;
    const EmfRecord& rect = rec.Records()[iRect];
    EXPECT_EQ(1, rect.Long(0)) << "left";
    EXPECT_EQ(2, rect.Long(1)) << "top";
    // The record's box is inclusive: the last column and row drawn.
    EXPECT_EQ(29, rect.Long(2)) << "right";
    EXPECT_EQ(39, rect.Long(3)) << "bottom";
    EXPECT_LT(iSelectBrush, iRect) << "the brush is selected before the rectangle is drawn";
    EXPECT_LT(rec.IndexOf(EMR_SETROP2), iRect) << "the ROP2 is set before the rectangle is drawn";

    // Restoring the old pen and brush selects the stock objects back.
    std::vector<const EmfRecord*> selects = rec.Find(EMR_SELECTOBJECT);
    ASSERT_EQ(4u, selects.size()) << "two selections and two restores in:\n" << records;
    EXPECT_EQ(0x80000000u | BLACK_PEN, selects[2]->Param(0)) << "the stock black pen comes back";
    EXPECT_EQ(0x80000000u | WHITE_BRUSH, selects[3]->Param(0))
        << "the stock white brush comes back";
}

TEST(DC, OutputAndAttributeHandlesSplit)
{
    GdiCountGuard guard("output and attribute DCs");
    DibCanvas output(200, 60), attribute(200, 60);
    CFont big;
    ASSERT_TRUE(big.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                               DEFAULT_PITCH, _T("Arial")));
    HGDIOBJ oldFont = ::SelectObject(attribute.Hdc(), big.m_hObject);

    CDC dc;
    dc.SetOutputDC(output.Hdc());
    dc.SetAttribDC(attribute.Hdc());
    ASSERT_EQ(output.Hdc(), dc.GetSafeHdc());

    // Measuring reads the attribute DC (big font), GetOutputTextExtent the output DC.
    CSize attributeExtent = dc.GetTextExtent(CString("Hello"));
    CSize outputExtent = dc.GetOutputTextExtent(_T("Hello"), 5);
    SIZE rawBig, rawSmall;
    ::GetTextExtentPoint32(attribute.Hdc(), "Hello", 5, &rawBig);
    ::GetTextExtentPoint32(output.Hdc(), "Hello", 5, &rawSmall);
    EXPECT_EQ(rawBig.cy, attributeExtent.cy) << "GetTextExtent measures on the attribute DC";
    EXPECT_EQ(rawSmall.cy, outputExtent.cy) << "GetOutputTextExtent measures on the output DC";
    EXPECT_GT(attributeExtent.cx, outputExtent.cx) << "the big font is wider";
    TEXTMETRIC tm, rawTm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    ::GetTextMetrics(attribute.Hdc(), &rawTm);
    EXPECT_EQ(rawTm.tmHeight, tm.tmHeight) << "GetTextMetrics reads the attribute DC's font";
    ::GetTextMetrics(output.Hdc(), &rawTm);
    EXPECT_NE(rawTm.tmHeight, tm.tmHeight) << "and not the output DC's";
    CString face;
    char rawFace[LF_FACESIZE] = "";
    dc.GetTextFace(face);
    ::GetTextFace(attribute.Hdc(), LF_FACESIZE, rawFace);
    EXPECT_STREQ(rawFace, (LPCTSTR)face) << "GetTextFace reads the attribute DC";

    // Setters change both, getters read the attribute DC; drawing goes to the output DC only.
    dc.SetTextColor(RGB(255, 0, 0));
    EXPECT_EQ(Hex(RGB(255, 0, 0)), Hex(::GetTextColor(output.Hdc())))
        << "text colour on the output DC";
    EXPECT_EQ(Hex(RGB(255, 0, 0)), Hex(::GetTextColor(attribute.Hdc())))
        << "text colour on the attribute DC";
    EXPECT_EQ(TRANSPARENT, (dc.SetBkMode(TRANSPARENT), ::GetBkMode(output.Hdc())))
        << "background mode on the output DC";
    EXPECT_EQ(TRANSPARENT, dc.GetBkMode());
    EXPECT_TRUE(dc.TextOut(2, 2, CString("Hello")));
    EXPECT_GT(output.CountPixels(RGB(255, 0, 0)), 10) << "text drawn on the output DC";
    EXPECT_EQ(0, attribute.CountPixels(RGB(255, 0, 0))) << "nothing drawn on the attribute DC";

    // The current position follows on the attribute DC.
    dc.MoveTo(5, 50);
    dc.LineTo(100, 50);
    POINT pos;
    ::GetCurrentPositionEx(attribute.Hdc(), &pos);
    EXPECT_EQ(100, pos.x) << "LineTo moved the attribute DC's position";
    EXPECT_TRUE(dc.GetCurrentPosition() == CPoint(100, 50));
    EXPECT_EQ(0, attribute.CountPixels(RGB(0, 0, 0))) << "the line is on the output DC only";
    EXPECT_EQ(95, output.CountPixels(RGB(0, 0, 0), CRect(0, 50, 200, 51)))
        << "the line on the output DC";

    // Selection goes into both and gives the attribute DC's previous object.
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* old = dc.SelectObject(&pen);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(output.Hdc(), OBJ_PEN)) << "pen in the output DC";
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(attribute.Hdc(), OBJ_PEN))
        << "pen in the attribute DC";
    dc.SelectObject(old);

    ::SelectObject(attribute.Hdc(), oldFont);
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
    EXPECT_EQ(nullptr, dc.m_hDC);
    EXPECT_EQ(nullptr, dc.m_hAttribDC);
}

TEST(DC, TextIsDrawnAndMeasured)
{
    GdiCountGuard guard("text");
    DibCanvas canvas(200, 40);
    CDC& dc = canvas.Dc();
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, _T("Arial"), &dc));
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(RGB(0, 0, 200));
    dc.SetBkMode(TRANSPARENT);
    EXPECT_EQ(0u, dc.SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP))
        << "SetTextAlign gives the old flags";
    EXPECT_EQ(0, dc.SetTextCharacterExtra(2)) << "SetTextCharacterExtra gives the old value";
    EXPECT_EQ(2, dc.GetTextCharacterExtra());
    dc.SetTextCharacterExtra(0);
    CSize extent = dc.GetTextExtent(_T("Wide text"), 9);
    CRect box(10, 5, 190, 35);
    int height = dc.DrawText(CString("Wide text"), box, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_EQ(extent.cy, height) << "DrawText gives the text height";
    // All ink is inside the measured extent from the box's corner.
    int ink = canvas.CountPixels(RGB(0, 0, 200));
    EXPECT_GT(ink, 20) << "DrawText drew";
    EXPECT_EQ(ink, canvas.CountPixels(RGB(0, 0, 200), CRect(CPoint(10, 5), extent)))
        << "ink within the extent";

    canvas.Fill(RGB(255, 255, 255));
    dc.SetBkColor(RGB(0, 200, 0));
    EXPECT_TRUE(dc.ExtTextOut(0, 0, ETO_OPAQUE, CRect(0, 0, 50, 20), CString(""), nullptr))
        << "ExtTextOut opaque, no text";
    EXPECT_TRUE(dc.ExtTextOut(0, 30, ETO_OPAQUE, CRect(0, 30, 10, 40), nullptr, 4, nullptr))
        << "ExtTextOut opaque, NULL text";
    dc.SelectObject(old);
    EXPECT_EQ(1000 + 100, canvas.CountPixels(RGB(0, 200, 0)))
        << "ETO_OPAQUE filled its rectangles in the background colour";
    EXPECT_TRUE(dc.GetTextExtent(nullptr, 3) == CSize(0, 0)) << "GetTextExtent(NULL)";
    EXPECT_TRUE(dc.GetTextExtent(_T("abc"), -1) == CSize(0, 0))
        << "GetTextExtent with a negative count";
}

TEST(DC, FromHandleGivesPermanentThenTemporaryWrappers)
{
    GdiCountGuard guard("temporary wrappers");
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        HDC hdc = dc.m_hDC;
        EXPECT_EQ(&dc, CDC::FromHandle(hdc)) << "an attached DC is its own wrapper";
        HDC detached = dc.Detach();
        CDC* temp = CDC::FromHandle(detached);
        ASSERT_NE(nullptr, temp);
        EXPECT_NE(&dc, temp) << "after Detach a temporary wrapper is made";
        EXPECT_EQ(detached, temp->m_hDC) << "the temporary wrapper's output handle";
        EXPECT_EQ(detached, temp->m_hAttribDC) << "the temporary wrapper's attribute handle";
        EXPECT_EQ(temp, CDC::FromHandle(detached))
            << "the same handle gives the same temporary wrapper";

        // Attaching again makes the permanent object win over the temporary one.
        dc.Attach(detached);
        EXPECT_EQ(&dc, CDC::FromHandle(detached)) << "the permanent wrapper is preferred";
        AfxUnlockTempMaps();
        EXPECT_EQ((UINT)OBJ_MEMDC, (UINT)::GetObjectType(detached))
            << "deleting temporaries keeps the DC";
    }
    EXPECT_EQ(nullptr, CDC::FromHandle(NULL)) << "FromHandle(NULL)";
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(NULL)) << "CGdiObject::FromHandle(NULL)";

    // GDI objects: the pen itself while it owns the handle, a CPen temporary once detached.
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    EXPECT_EQ(&pen, CPen::FromHandle(pen)) << "a pen is its own wrapper";
    HPEN hPen = (HPEN)pen.Detach();
    CPen* tempPen = CPen::FromHandle(hPen);
    ASSERT_NE(nullptr, tempPen);
    EXPECT_NE(&pen, tempPen);
    EXPECT_TRUE(tempPen->IsKindOf(RUNTIME_CLASS(CPen))) << "the temporary is a CPen";
    EXPECT_EQ(tempPen, CGdiObject::FromHandle(hPen)) << "same temporary through the base class";

    // Locked maps keep temporaries; the last unlock deletes them.
    AfxLockTempMaps();
    AfxLockTempMaps();
    EXPECT_TRUE(AfxUnlockTempMaps()) << "still locked after one of two unlocks";
    EXPECT_EQ(tempPen, CPen::FromHandle(hPen)) << "a locked map keeps its temporaries";
    EXPECT_EQ(hPen, tempPen->m_hObject);
    EXPECT_FALSE(AfxUnlockTempMaps()) << "unlocked after the second";
    EXPECT_EQ((UINT)OBJ_PEN, (UINT)::GetObjectType(hPen)) << "deleting the temporary keeps the pen";
    CPen* fresh = CPen::FromHandle(hPen);
    ASSERT_NE(nullptr, fresh);
    EXPECT_EQ(hPen, fresh->m_hObject) << "a new temporary for the same handle";

    // Deleting a temporary by hand forgets it and keeps the handle.
    delete fresh;
    EXPECT_EQ((UINT)OBJ_PEN, (UINT)::GetObjectType(hPen)) << "delete of a temporary keeps the pen";
    CPen* again = CPen::FromHandle(hPen);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(hPen, again->m_hObject);
    AfxUnlockTempMaps();
    pen.Attach(hPen);  // the pen's destructor deletes it and keeps the counts balanced
}

TEST(DC, TemporaryWrappersArePerThread)
{
    HGDIOBJ hBrush = ::GetStockObject(GRAY_BRUSH);
    CGdiObject* mine = CGdiObject::FromHandle(hBrush);
    CGdiObject* theirs = nullptr;
    HGDIOBJ theirHandle = nullptr;
    std::thread worker([&] {
        theirs = CGdiObject::FromHandle(hBrush);
        theirHandle = theirs ? theirs->m_hObject : nullptr;
        // The thread's maps and their temporaries go when it ends.
    });
    worker.join();
    EXPECT_NE(nullptr, theirs);
    EXPECT_NE(mine, theirs) << "another thread gets its own temporary wrapper";
    EXPECT_EQ(hBrush, theirHandle);
    EXPECT_EQ(mine, CGdiObject::FromHandle(hBrush)) << "this thread's temporary is untouched";
    AfxUnlockTempMaps();
}

TEST(DC, CreateAndDeleteDeviceContexts)
{
    GdiCountGuard guard("device contexts");
    CDC screen;
    ASSERT_TRUE(screen.CreateDC(_T("DISPLAY"), nullptr, nullptr, nullptr)) << "CreateDC(DISPLAY)";
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0) << "GetDeviceCaps of the display";
    EXPECT_FALSE(screen.IsPrinting());
    EXPECT_FALSE(screen.CreateCompatibleDC(nullptr)) << "a second create on a DC that has one";
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(&screen)) << "CreateCompatibleDC(&screen)";
    CDC info;
    EXPECT_TRUE(info.CreateIC(_T("DISPLAY"), nullptr, nullptr, nullptr)) << "CreateIC";
    EXPECT_EQ(3, guard.DCsDelta()) << "three live DCs";
    HDC hMemory = memory.m_hDC;
    EXPECT_TRUE(memory.DeleteDC()) << "DeleteDC";
    EXPECT_FALSE(memory.DeleteDC()) << "DeleteDC twice";
    EXPECT_EQ(0u, (unsigned)::GetObjectType(hMemory)) << "the DC is gone";
    EXPECT_EQ(2, guard.DCsDelta());

    // Stock objects select through the DC and come back as wrappers.
    CGdiObject* old = screen.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, old);
    EXPECT_TRUE(old->IsKindOf(RUNTIME_CLASS(CBrush))) << "the previous brush";
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), screen.GetCurrentBrush()->m_hObject)
        << "GetCurrentBrush";
    screen.SelectObject(old);
    EXPECT_EQ(nullptr, screen.SelectObject((CPen*)nullptr)) << "selecting NULL selects nothing";
    EXPECT_EQ(nullptr, screen.SelectStockObject(12345)) << "an unknown stock object";
    AfxUnlockTempMaps();

    CDC* nothing = nullptr;
    EXPECT_EQ(nullptr, nothing->GetSafeHdc()) << "GetSafeHdc on a NULL pointer";
}
