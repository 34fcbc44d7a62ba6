// The view and the pointer: hit order and hand cursor, clicks, the blinking frame, and hosts that
// delete, destroy or wait from a callback. The real pointer is moved and messages are sent to the
// view; nothing is pumped before the checks.
#include "TestShape.h"
#include "lib/Library.h"

#include <functional>
#include <utility>

namespace {

const UINT_PTR kTimer = 1996;

// A host that logs the clicks it hears of and runs a test's action once, inside the next call
// of the kind armed; its window sits away from the other programs' windows.
class PointerTest : public ViewFixture
{
protected:
    PointerTest() : ViewFixture(420, 320) {}
    void SetUp() override
    {
        ViewFixture::SetUp();
        ::GetCursorPos(&m_savedCursor);
        ::SetWindowPos(m_parent.Hwnd(), NULL, 800, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        *GetGraficCallbacks() = {&Active, &Region, &Draw, &Request, &State, NULL, NULL, NULL};
        s_log.clear();
    }
    void TearDown() override
    {
        ::SetCursorPos(m_savedCursor.x, m_savedCursor.y);
        ViewFixture::TearDown();
    }

    // c: '!' a click report, '?' a picture's state-image question, '*' a picture's drawing.
    static void Run(char c, const std::string& heard = "")
    {
        if (!heard.empty())
            s_log.push_back(heard);
        if (s_action && c == s_when)
            std::exchange(s_action, nullptr)();
    }
    static void CALLBACK Active(HWND, int id) { Run('!', "active " + std::to_string(id)); }
    static void CALLBACK Region(HWND, int id, POINT* p, UINT flags)
    {
        Run('!', "region " + std::to_string(id) + " " + Str(*p) + " " + std::to_string(flags));
    }
    static void __cdecl Draw(PictDrawRequest*) { ++s_draws, Run('*'); }
    static HGLOBAL __cdecl State(int, int, LONG*) { return Run('?'), HGLOBAL(NULL); }
    // 16 x 16 pictures: left half entry 0 (4: green, transparent; else white), right half red.
    static void __cdecl Request(ResourceRequest* r)
    {
        const COLORREF left = r->number == 4 ? RGB(0, 255, 0) : kWhite;
        r->handle = MakeDib(16, 16, 8, {left, kRed}, [](int x, int) { return uint32_t(x >= 8); });
        r->transparentIndex = r->number == 4 ? 0 : -1;
    }
    // Closes the message box a host's callback opened, from the box's own message loop.
    static void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(NULL, id);
        ::PostMessage(::FindWindowA(NULL, "pointer test"), WM_COMMAND, IDOK, 0);
    }
    static std::string TakeLog() { return Joined(std::exchange(s_log, {})); }

    static void PointAt(HWND h, POINT p) { ::ClientToScreen(h, &p), ::SetCursorPos(p.x, p.y); }
    // Whether the view shows the hand cursor with the pointer at client point p.
    static bool HandAt(HWND h, POINT p, UINT hitTest = HTCLIENT)
    {
        PointAt(h, p);
        ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        ::SendMessage(h, WM_SETCURSOR, (WPARAM)h, MAKELPARAM(hitTest, WM_MOUSEMOVE));
        return ::GetCursor() == GetHandCursor();
    }
    // One message a letter, all with MK_SHIFT: at `in`, M move, H move with the button held,
    // D down, U up, C double click, T tick (the pointer placed there first); at `out`, o move,
    // m move held, u up, e down; P paints what is invalid; X the parent window takes the capture.
    // '!', '?' and '*' arm act for that kind of call (see Run).
    static void Play(HWND h, const char* steps, POINT in, POINT out, std::function<void()> act = {})
    {
        for (; *steps != 0; ++steps) {
            const char c = *steps;
            const POINT p = strchr("MHDUCT", c) ? in : out;
            const UINT msg = strchr("MHom", c) ? WM_MOUSEMOVE
                             : strchr("Uu", c) ? WM_LBUTTONUP
                             : c == 'C'        ? WM_LBUTTONDBLCLK
                                               : WM_LBUTTONDOWN;
            if (strchr("!?*", c)) {
                s_action = act;
                s_when = c;
            } else if (c == 'P') {
                ::UpdateWindow(h);
            } else if (c == 'X') {
                ::SetCapture(::GetParent(h));
            } else if (c == 'T') {
                PointAt(h, p);
                ::SendMessage(h, WM_TIMER, kTimer, 0);
            } else {
                const WPARAM flags = MK_SHIFT | (strchr("HDCme", c) ? MK_LBUTTON : 0);
                ::SendMessage(h, msg, flags, MAKELPARAM(p.x, p.y));
            }
        }
    }
    // The screen's copy of the client area.
    static std::unique_ptr<DibCanvas> Screen(HWND h)
    {
        auto canvas = std::make_unique<DibCanvas>(400, 300, kRed);
        CaptureClient(h, *canvas);
        return canvas;
    }
    // Adds a rectangle region 'A' (active 3) or 'C' (click 5) at rc, or picture 4 ('P', active 3).
    static void AddRegion(CGraphicView* v, char kind, const CRect& rc)
    {
        const GRAF_PICTURE picture = {rc.left, rc.top, 4, 0, 3};
        if (kind == 'P')
            Grafic_Dll_Picture(v, &picture);
        else
            AddShape(v, kRect, kind == 'A' ? "ACTIVE" : "CLICK", kind == 'A' ? "3" : "5", rc);
    }

    static inline std::vector<std::string> s_log;
    static inline std::function<void()> s_action;
    static inline char s_when = 0;
    static inline int s_draws = 0;
    POINT m_savedCursor = {0, 0};
};

}  // namespace

// The cursor and the click go to the first region in list order (a transparent pixel there hides
// the rest), whatever the hit-test code; button up asks the region, not the pixels. After
// Grafic_Dll_End the host hears of no click.
TEST_F(PointerTest, FirstRegionInListOrderTakesCursorAndClick)
{
    CGraphicView* v = NewView(CRect(0, 0, 400, 300));
    AddShape(v, kRect, "ACTIVE", "1", CRect(20, 20, 120, 120));
    AddShape(v, kRect, "ACTIVE", "2", CRect(60, 60, 160, 160));
    const GRAF_PICTURE pictures[] = {{200, 20, 4, 0, 7}, {300, 20, 5, 0, 8}};
    Grafic_Dll_Picture(v, &pictures[0]);
    Grafic_Dll_Picture(v, &pictures[1]);
    AddShape(v, kRect, "CLICK", "9", CRect(190, 10, 260, 80));
    AddShape(v, kRect, "PAINT", "BLACK", CRect(20, 200, 100, 260));
    const struct {
        const char* name;
        POINT down, up;
        const char* log;
    } rows[] = {{"overlap: the first appended", {80, 80}, {80, 80}, "active 1"},
                {"the second alone", {150, 150}, {150, 150}, "active 2"},
                {"a transparent pixel hides the later region", {203, 28}, {203, 28}, ""},
                {"an opaque pixel", {212, 28}, {212, 28}, "active 7"},
                {"released on a transparent pixel", {212, 28}, {203, 28}, "active 7"},
                {"no transparent index: white is hit", {303, 28}, {303, 28}, "active 8"},
                {"the later region beside it", {250, 70}, {250, 70}, "region 9 (250,70) 4"},
                {"a painted rectangle", {40, 220}, {40, 220}, ""},
                {"empty space", {300, 250}, {300, 250}, ""}};
    for (bool ended : {false, true}) {
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (ended ? ", ended" : ""));
            EXPECT_EQ(*r.log != 0, HandAt(v->m_hWnd, r.down, HTNOWHERE));
            Play(v->m_hWnd, "Du", r.down, r.up);
            EXPECT_EQ(ended ? "" : r.log, TakeLog());
        }
        Grafic_Dll_End();  // the second round, and the fixture, end it again: harmless
    }
}

// A region over black at document (150, 60)-(250, 140) (R: active, reports on release; S: on
// double click; r, s: click regions in a view scrolled by (100, 40)), then the messages. Checked:
// what the host heard, the pressed look (black lightened) while it hears it, even repainting,
// and afterwards (L) the look after a repaint, (K) still the pressed element, (C) the capture.
TEST_F(PointerTest, ClicksReportOnceAndLeaveThePressedLookSelectionAndCapture)
{
    const struct {
        const char *name, kind, *steps, *log, *state;
    } rows[] = {{"click", 'R', "DU", "active 3", "---"},
                {"held", 'R', "D", "", "LKC"},
                {"double click", 'R', "DUCU", "active 3", "---"},
                {"double click, selection", 'S', "DUCU", "active 3", "LK-"},
                {"one click selects", 'S', "DU", "", "LK-"},
                {"selection pressed again", 'S', "DUD", "", "LK-"},
                {"empty space clears it", 'S', "DUe", "", "---"},
                {"a move off the selection", 'S', "DUo", "", "LK-"},
                {"released outside", 'R', "Du", "", "---"},
                {"moved off while held", 'R', "Dm", "", "-KC"},
                {"off and back", 'R', "DmPH", "", "LKC"},
                {"off, back, released", 'R', "DmPHU", "active 3", "---"},
                {"capture lost while held", 'R', "DXPU", "", "---"},
                {"capture lost, selection", 'S', "DXU", "", "LK-"},
                {"scrolled click", 'r', "DU", "region 5 (150,60) 4", "---"},
                {"scrolled double click", 's', "DUCU", "region 5 (150,60) 5", "LK-"}};
    const COLORREF kLightened = RGB(120, 120, 120);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        CGraphicView* v = NewView(CRect(0, 0, 300, 200));
        const HWND h = v->m_hWnd;
        const bool scrolled = islower(r.kind) != 0;
        v->m_defaultOptions = toupper(r.kind) == 'R' ? 7 : 5;
        AddShape(v, kRect, "FRAME", "BLACK", CRect(0, 0, 800, 600));
        AddShape(v, kRect, "PAINT", "BLACK", CRect(150, 60, 250, 140));
        AddRegion(v, scrolled ? 'C' : 'A', CRect(150, 60, 250, 140));
        CGraphicElement* e = Last(v);
        v->ScrollToPosition(CPoint(scrolled ? 100 : 0, scrolled ? 40 : 0));
        v->UpdateWindow();  // the repaint that hiding the new view's scroll bar asks for
        const POINT in = {scrolled ? 50 : 150, scrolled ? 20 : 60};
        int during = -1;
        EXPECT_TRUE(HandAt(h, in));
        Play(h, (std::string("!") + r.steps).c_str(), in, {in.x - 30, in.y + 110}, [&] {
            v->UpdateWindow();
            during = Screen(h)->CountPixels(kLightened);
        });
        EXPECT_EQ(r.log, TakeLog());
        EXPECT_EQ(*r.log != 0, during > 1000) << "lightened while reported";
        v->UpdateWindow();
        const std::string state = {Screen(h)->CountPixels(kLightened) > 1000 ? 'L' : '-',
                                   v->m_pPressedElement == e ? 'K' : '-',
                                   ::GetCapture() == h ? 'C' : '-'};
        EXPECT_EQ(r.state, state);
        ::DestroyWindow(h);
    }
}

// The left border pixels of A and B after each message. The phase starts FALSE: odd steps are
// black (no change), even ones invert. A move while the timer runs draws no step; a click, or
// moving on to B, completes A's frame, B's waits for a tick; a tick off every region ends it.
TEST_F(PointerTest, HoverBlinksTheBorderOnTimerTicks)
{
    CGraphicView* v = NewView(CRect(0, 0, 400, 300));
    AddShape(v, kRect, "ACTIVE", "1", CRect(40, 40, 140, 100));
    AddShape(v, kRect, "ACTIVE", "2", CRect(200, 40, 300, 100));
    const POINT inA = {60, 60}, inB = {250, 60}, off = {300, 250};
    const struct {
        const char* name;
        POINT to;
        const char* step;
        COLORREF atA, atB;
    } rows[] = {{"move onto A, button held: the black step", inA, "H", kWhite, kWhite},
                {"tick: inverted", inA, "T", kBlack, kWhite},
                {"move while the timer runs", inA, "M", kBlack, kWhite},
                {"tick: held", inA, "T", kBlack, kWhite},
                {"tick: restored", inA, "T", kWhite, kWhite},
                {"tick: held restored", inA, "T", kWhite, kWhite},
                {"tick: inverted again", inA, "T", kBlack, kWhite},
                {"a click on A completes its frame", inA, "DU", kWhite, kWhite},
                {"move to B: A cleared, B waits", inB, "M", kWhite, kWhite},
                {"tick: B's first step", inB, "T", kWhite, kWhite},
                {"tick: B inverted", inB, "T", kWhite, kBlack},
                {"tick off every region", off, "T", kWhite, kWhite}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Play(v->m_hWnd, r.step, r.to, r.to);
        const auto screen = Screen(v->m_hWnd);
        EXPECT_EQ(r.atA, screen->Pixel(40, 70));
        EXPECT_EQ(r.atB, screen->Pixel(200, 70));
    }
    EXPECT_FALSE(::KillTimer(v->m_hWnd, kTimer)) << "the timer was stopped";
}

// From a click report, a state-image question or a drawing (kinds: see AddRegion), the host
// deletes every element (a), every region (r) or the one pointed at (e), destroys the view (v) or
// its parent (p), or waits in a modal loop the hover ticks reach (m); freed objects are filled.
// A view that lives (left: the elements it keeps) forgets its pressed and hovered elements,
// gives up the capture and draws nothing it deleted; every element and GDI object is back.
TEST_F(PointerTest, CallbacksThatDeleteDestroyOrWaitAreSurvived)
{
    const struct {
        const char *name, kind, *steps, act, *log;
        int left;
    } rows[] = {{"click deletes all", 'A', "M!DUT", 'a', "active 3", 0},
                {"click deletes its region", 'A', "M!DUT", 'e', "active 3", 0},
                {"click deletes the regions", 'C', "M!DUT", 'r', "region 5 (60,60) 4", 0},
                {"click destroys", 'A', "M!DU", 'v', "active 3", -1},
                {"click destroys the parent", 'C', "M!DU", 'p', "region 5 (60,60) 4", -1},
                {"click waits", 'A', "M!DUT", 'm', "active 3", 1},
                {"double click deletes all", 'a', "M!DUCUT", 'a', "active 3", 0},
                {"double click destroys", 'a', "!DUCU", 'v', "active 3", -1},
                {"double click waits", 'a', "M!DUCUT", 'm', "active 3", 1},
                {"picture click deletes it", 'P', "M!DUT", 'e', "active 3", 0},
                {"picture click drops its region", 'P', "M!DUT", 'r', "active 3", 1},
                {"hover image question destroys", 'P', "?MDU", 'v', "", -1},
                {"pressed image question deletes all", 'P', "M?DUT", 'a', "", 0},
                {"pressed image question destroys", 'P', "M?DU", 'v', "", -1},
                {"redraw on leaving deletes all", 'P', "M*oT", 'a', "", 0},
                {"redraw on leaving destroys", 'P', "M*o", 'v', "", -1},
                {"redraw on leaving destroys the parent", 'P', "M*o", 'p', "", -1}};
    afxMemDF |= delayFreeMemDF;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const int elements = g_elementCount;
        GdiCountGuard guard(r.name);
        TestParentWindow parent(320, 220, kWhite, m_parent.Wnd());
        CGraphicView* v = NewGraphicView(parent.Wnd(), CRect(0, 0, 300, 200));
        const HWND h = v->m_hWnd;
        v->m_defaultOptions = r.kind == 'a' ? 5 : 7;  // 'a': active, reports on double click
        AddRegion(v, (char)toupper(r.kind), CRect(50, 50, 150, 150));
        bool pointed = false;  // a pressed or hovered element right after the deletion
        Play(h, r.steps, {60, 60}, {200, 180}, [&] {
            CUIntArray ids;
            ids.Add(r.kind == 'C' ? 5 : r.kind == 'P' ? 1 : 3);
            if (r.act == 'v' || r.act == 'p')
                return r.act == 'v' ? (void)::DestroyWindow(h) : parent.Destroy();
            if (r.act == 'm') {
                ::SetTimer(NULL, 0, 250, &CloseMessageBox);
                return (void)::MessageBoxA(NULL, "waiting", "pointer test", MB_OK);
            }
            if (r.act == 'a')
                Grafic_Dll_Del_All_Elt(v);
            if (r.act != 'e')
                Grafic_Dll_Del_All_Activ_Rgn(v), Grafic_Dll_Del_All_Click_Rgn(v);
            else if (r.kind == 'P')
                Grafic_Dll_Del_Listed_Elt(v, &ids, FALSE);
            else
                (r.kind == 'C' ? Grafic_Dll_Del_Listed_Click_Rgn
                               : Grafic_Dll_Del_Listed_Activ_Rgn)(v, &ids);
            pointed = v->m_pPressedElement != NULL || v->m_pHoverElement != NULL;
            s_draws = 0;
        });
        EXPECT_EQ(nullptr, s_action) << "the host acted";
        EXPECT_EQ(r.log, TakeLog());
        ASSERT_EQ(r.left >= 0, CGraphicView::IsLive(v));
        if (r.left >= 0) {
            v->UpdateWindow();
            CRect rc;
            ::GetClientRect(h, &rc);
            const bool blank = Screen(h)->CountPixels(kWhite, rc) == rc.Width() * rc.Height();
            ExpectAll({{"elements kept", v->m_displayList.GetSize() == r.left},
                       {"none pressed or hovered from the deletion on",
                        r.act == 'm' || (!pointed && v->m_pPressedElement == NULL &&
                                         v->m_pHoverElement == NULL && !::KillTimer(h, kTimer))},
                       {"nothing deleted drawn", r.left > 0 || (blank && s_draws == 0)},
                       {"no capture", ::GetCapture() != h}});
        }
        parent.Destroy();
        PumpMessages();
        EXPECT_EQ(elements, g_elementCount) << "elements left alive";
    }
    afxMemDF &= ~delayFreeMemDF;
}
