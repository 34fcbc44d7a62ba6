// Icons: where the label and the region go, what the host is asked and when, and the pixels of
// the label and of the selection tint.
#include "ImageHost.h"
#include "elements/IconElement.h"

namespace {

class IconTest : public ImageTest
{
protected:
    CIconElement* AddIcon(CGraphicView* v, int x, int y, int number, int regionId,
                          const char* label)
    {
        GRAF_ICON block = {x, y, number, regionId, label};
        Grafic_Dll_Icon(v, &block);
        return LastAs<CIconElement>(v);
    }
};

// The label's size as the label font makes it.
CSize LabelSize(const char* label)
{
    CFont font;
    font.CreateFont(-11, 0, 0, 0, 400, 0, 0, 0, 0, 3, 2, 1, 0x22, "Arial");
    DibCanvas canvas(1, 1);
    CFont* pOld = canvas.Dc().SelectObject(&font);
    CSize size = canvas.Dc().GetTextExtent(label, (int)strlen(label));
    canvas.Dc().SelectObject(pOld);
    return size;
}

}  // namespace

// Each row: an icon at (x, y) with its label and region identifier, in a view of its own. The
// label is centred under the cell (x + 16 - cx / 2), the bounds take the label in, the scroll
// range follows the bounds, and the region hugs the cell one pixel out and the label.
TEST_F(IconTest, LabelBoundsRegionAndRangeFollowTheCell)
{
    const struct {
        const char* name;
        int x, y, region;
        const char* label;
    } rows[] = {{"no label, active", 100, 50, 3, ""},
                {"no label, plain", 100, 50, 0, ""},
                {"narrow label", 40, 20, 5, "ab"},
                {"narrow label of the other parity", 40, 20, 5, "abc"},
                {"label wider than the cell", 150, 100, 7, "a label wider than the cell"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 120, 90));
        CIconElement* e = AddIcon(v, r.x, r.y, 0, r.region, r.label);
        ASSERT_TRUE(e && e->IsIcon());
        const CSize cx = LabelSize(r.label);
        const LONG left = r.x + 16 - cx.cx / 2;
        const CRect label =
            *r.label ? CRect(left, r.y + 32, left + cx.cx, r.y + 32 + cx.cy) : CRect(0, 0, 0, 0);
        EXPECT_EQ(Str(label), Str(e->labelRect));
        CRect bounds(r.x, r.y, r.x + 32, r.y + 32);
        if (*r.label)
            bounds.UnionRect(&bounds, &label);
        EXPECT_EQ(Str(bounds), Str(e->bounds));
        EXPECT_EQ(CSize(bounds.right, bounds.bottom), v->GetTotalSize()) << "scroll range";
        ExpectValues({{"verb", r.region ? VERB_ACTIVE : VERB_NONE, e->verb},
                      {"pattern", r.region, e->pattern}});
        const bool labelled = *r.label != 0;
        const CPoint mid(label.CenterPoint().x, label.top + 2);
        auto inLabel = [&](int x, int y) { return label.PtInRect(CPoint(x, y)) != FALSE; };
        const struct {
            POINT at;
            bool in;
        } probes[] = {{{r.x - 1, r.y - 1}, true},
                      {{r.x + 32, r.y + 31}, true},
                      {{r.x - 2, r.y}, false},
                      {{r.x + 33, r.y}, false},
                      {{r.x + 32, r.y + 32}, !labelled || inLabel(r.x + 32, r.y + 32)},
                      {{r.x + 33, r.y + 33}, inLabel(r.x + 33, r.y + 33)},
                      {mid, labelled},
                      {{label.left - 1, mid.y}, false},
                      {{label.right, mid.y}, false}};
        for (const auto& p : probes)
            EXPECT_EQ(p.in && r.region, e->HitTest(&p.at) != FALSE) << "point " << Str(p.at);
    }
}

// The host is asked once per icon with a number, in list order, with the block laid out; a zero
// answer keeps what the icon holds; Set_Icon asks again only for image-less icons of that number
// and draws them; every icon counts as selected.
TEST_F(IconTest, RequestsSetIconAndCount)
{
    CGraphicView* v = m_view;
    m_host->icons[6] = Icon(kRed);
    CIconElement* icons[] = {AddIcon(v, 0, 0, 5, 1, "five"), AddIcon(v, 50, 0, 6, 2, ""),
                             AddIcon(v, 100, 0, 0, 0, "none"), AddIcon(v, 150, 0, 5, 0, "")};
    EXPECT_EQ("icon 5, icon 6, icon 5", m_host->TakeLog()) << "number 0 asks nothing";
    EXPECT_EQ("0 0 0 0 0 0 0 0 5 0 0 0 1 0 0 0 5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ",
              Bytes(m_host->requests[0]));
    ExpectAll(
        {{"found", icons[1]->hIcon == m_host->icons[6]}, {"not found", !icons[0]->HasIcon()}});

    m_host->icons[5] = Icon(kBlue);
    const struct {
        const char* name;
        int number;
        const char* asked;
    } rows[] = {{"the image-less fives", 5, "icon 5, icon 5"},
                {"six has its image", 6, ""},
                {"number 0 only redraws", 0, ""}};
    for (const auto& r : rows) {
        Grafic_Dll_Set_Icon(v, r.number);
        EXPECT_EQ(r.asked, m_host->TakeLog()) << r.name;
    }
    EXPECT_TRUE(icons[0]->hIcon == m_host->icons[5] && icons[3]->hIcon == m_host->icons[5]);
    DibCanvas screen(400, 300);
    ASSERT_TRUE(CaptureClient(v->m_hWnd, screen));
    ExpectValues({{"drawn by Set_Icon", kBlue, screen.Pixel(16, 16)},
                  {"count", 4, Grafic_Dll_GetSelectedIcon(v)},
                  {"null view", 0, Grafic_Dll_GetSelectedIcon(NULL)}});
    m_host->icons.erase(5);
    icons[3]->SetIconHandle(m_host->icons[6]);
    icons[3]->FindIcon(5);
    EXPECT_EQ(m_host->icons[6], icons[3]->hIcon) << "a zero answer keeps the handle";
}

// The label is opaque in the context's colours with the selection option, transparent without;
// pressed, the label takes the highlight colours with the option, and the tint turns the opaque
// pixels that the mask walk leaves clear (bytes 0-3 of every 8 OR 0x55, bytes 4-7 OR 0xAA, over
// word-padded mask rows) to the caption colour: a checkerboard for 32-pixel-wide masks. Icons of
// other sizes are drawn at 32 x 32 but tinted at their own size.
TEST_F(IconTest, LabelAndTintPixels)
{
    const int kinds[] = {COLOR_ACTIVECAPTION, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    COLORREF saved[3], mine[3] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(250, 250, 0)};
    for (int i = 0; i < 3; ++i)
        saved[i] = ::GetSysColor(kinds[i]);
    ::SetSysColors(3, kinds, mine);
    const COLORREF kGrey = RGB(128, 128, 128), kPaper = RGB(0, 255, 255), kInk = RGB(0, 0, 255);
    const struct {
        const char* name;
        UINT options;
        BOOL pressed;
        COLORREF paper, ink;  // 0 where none is expected
        int w, h, border;
        bool mono;
    } rows[] = {{"plain with the option", 7, FALSE, kPaper, kInk, 32, 32, 8, false},
                {"plain without", 3, FALSE, 0, kInk, 32, 32, 8, false},
                {"pressed with the option", 7, TRUE, mine[1], mine[2], 32, 32, 8, false},
                {"pressed without", 3, TRUE, 0, kInk, 32, 32, 8, false},
                {"pressed, 20 x 24", 3, TRUE, 0, kInk, 20, 24, 0, false},
                {"pressed, 40 x 8 monochrome", 3, TRUE, 0, kInk, 40, 8, 0, true},
                {"pressed, 32 x 32 monochrome", 3, TRUE, 0, kInk, 32, 32, 8, true}};
    IconParams p = {8, 8, 0, 1, "Label"};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        GdiCountGuard guard(r.name);
        DibCanvas canvas(64, 64, kGrey);
        canvas.Dc().SetBkColor(kPaper);
        canvas.Dc().SetTextColor(kInk);
        CIconElement e(-1, &p);
        e.SetIconHandle(Icon(kRed, r.w, r.h, r.border, r.mono));
        e.options = r.options;
        if (r.pressed)
            e.Press(&canvas.Dc(), TRUE);
        else
            e.Draw(&canvas.Dc(), NULL);
        for (COLORREF c : {kPaper, mine[1]})
            EXPECT_EQ(c == r.paper, canvas.CountPixels(c, e.labelRect) > 0) << "paper " << c;
        EXPECT_GT(canvas.CountPixels(r.ink, e.labelRect), 5) << "ink";
        const int rowBytes = (r.w + 15) / 16 * 2;
        auto inset = [&](int x, int y, int w, int h) {
            return x >= r.border && x < w - r.border && y >= r.border && y < h - r.border;
        };
        std::string wrong;
        for (int y = 0; y < 32; ++y)  // the label lies below
            for (int x = 0; x < 48; ++x) {
                const bool tinted = r.pressed && x < r.w && y < r.h && inset(x, y, r.w, r.h) &&
                                    ((y * rowBytes + x / 8) % 8 < 4) == (x % 2 == 0);
                const COLORREF drawn = !inset(x, y, 32, 32) ? kGrey : r.mono ? kBlack : kRed;
                if (canvas.Pixel(8 + x, 8 + y) != (tinted ? mine[0] : drawn))
                    wrong += Str(CPoint(x, y));
            }
        EXPECT_EQ("", wrong) << "icon pixels";
    }
    ::SetSysColors(3, kinds, saved);
}
