// The view and the pointer: hit order and hand cursor, clicks, the blinking frame, hosts that
// delete, destroy or wait from a callback, and the hit-test index against the walk of the list.
// The real pointer is moved and messages are sent to the view; nothing is pumped before the checks.
#include "TestShape.h"
#include "lib/Library.h"

#include <functional>
#include <map>
#include <random>
#include <utility>

namespace {

const UINT_PTR kTimer = 1996;

// A host that logs the clicks it hears of and runs a test's action once, inside the next call of
// the kind armed ('!' a click report, '?' a picture's state-image question, '*' a drawing). Its
// pictures of number 2 wait for Grafic_Dll_Set_Pict; the others are Halves, green and transparent
// for number 4 or parameter 1, else white and opaque. Its window sits away from other programs'.
class PointerTest : public ViewFixture
{
protected:
    PointerTest() : ViewFixture(420, 320) { ::GetCursorPos(&m_savedCursor); }
    ~PointerTest() override { ::SetCursorPos(m_savedCursor.x, m_savedCursor.y); }
    void SetUp() override
    {
        ViewFixture::SetUp();
        ::SetWindowPos(m_parent.Hwnd(), NULL, 800, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        *GetGraficCallbacks() = {&Active, &Region, &Draw, &Request, &State, NULL, NULL, NULL};
        s_log.clear();
    }

    static void Run(char c)
    {
        if (c == s_when)
            s_when = 0, s_action();
    }
    static void Hear(const std::string& heard) { s_log.push_back(heard), Run('!'); }
    static void CALLBACK Active(HWND, int id) { Hear("active " + std::to_string(id)); }
    static void CALLBACK Region(HWND, int id, POINT* p, UINT flags)
    {
        Hear("region " + std::to_string(id) + " " + Str(*p) + " " + std::to_string(flags));
    }
    static void __cdecl Draw(PictDrawRequest*) { ++s_draws, Run('*'); }
    static HGLOBAL __cdecl State(int, int, LONG*) { return Run('?'), HGLOBAL(NULL); }
    static void __cdecl Request(ResourceRequest* r)
    {
        if (r->number == 2)
            return;
        const bool clear = r->number == 4 || r->param == 1;
        r->handle = Halves(clear ? RGB(0, 255, 0) : kWhite);
        r->transparentIndex = clear ? 0 : -1;
    }
    // A size x size picture: its left half entry 0, of colour `left`, its right half red.
    static HGLOBAL Halves(COLORREF left, int size = 16)
    {
        return MakeDib(size, size, 8, {left, kRed}, [size](int x, int) { return x >= size / 2; });
    }
    // A host's modal loop (a message box, which cancels the capture) that ends after hover ticks.
    static void Wait()
    {
        AnswerWhenOpen(
            NULL, "pointer test", [](HWND h) { return ::PostMessage(h, WM_COMMAND, IDOK, 0); },
            250);
        ::MessageBoxA(NULL, "waiting", "pointer test", MB_OK);
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
    // A message a letter, with MK_SHIFT, at `in` in capitals and at `out` in small letters: M
    // move, H move with the button held, D down, U up, C double click. T: a tick, the pointer at
    // `in`; P: paint what is invalid; X: the parent takes the capture; '!', '?', '*' arm act.
    static void Play(HWND h, const char* steps, POINT in, POINT out, std::function<void()> act = {})
    {
        for (const char* c = steps; *c != 0; ++c) {
            const POINT p = isupper(*c) ? in : out;
            const char k = (char)toupper(*c);
            const UINT msg = strchr("MH", k) ? WM_MOUSEMOVE
                             : k == 'U'      ? WM_LBUTTONUP
                             : k == 'C'      ? WM_LBUTTONDBLCLK
                                             : WM_LBUTTONDOWN;
            if (strchr("!?*", k))
                s_action = act, s_when = k;
            else if (k == 'P')
                ::UpdateWindow(h);
            else if (k == 'X')
                ::SetCapture(::GetParent(h));
            else if (k == 'T')
                PointAt(h, p), ::SendMessage(h, WM_TIMER, kTimer, 0);
            else
                ::SendMessage(h, msg, MK_SHIFT | (strchr("HDC", k) ? MK_LBUTTON : 0),
                              MAKELPARAM(p.x, p.y));
        }
    }
    // The screen's copy of the client area, white around it.
    DibCanvas& Screen(HWND h)
    {
        m_screen.Fill(kWhite);
        EXPECT_TRUE(CaptureClient(h, m_screen)) << "the client area copied";
        return m_screen;
    }
    // Appends region 'A' (an active rectangle, 3), 'C' (a click rectangle, 5) or 'P' (picture 4,
    // active 3) at rc.
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
    DibCanvas m_screen{400, 300};
};

// Appends n seeded regions of every kind (overlapping, some large), plain shapes and icons, and
// pictures answered at once or waiting for their image, over and around the view.
void AppendMix(CGraphicView* v, std::mt19937& rng, int n)
{
    auto any = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < n; ++i) {
        const int x = any(-40, 400), y = any(-40, 300), size = any(0, 9) == 0 ? 300 : any(3, 90);
        const CRect rc(x, y, x + any(3, size), y + any(3, size));
        const CString verb = any(0, 1) ? "ACTIVE" : "CLICK", id(std::to_string(any(1, 4)).c_str());
        std::vector<POINT> pts = {{x, y}, {rc.right, y + 5}, {x + 7, rc.bottom}, {rc.right, y}};
        GRAF_POLYGON polygon;
        FillPolygonBlock(polygon, verb, id, pts);
        const GRAF_ICON icon = {x, y, 7, any(0, 3), any(0, 1) ? "label" : ""};
        const GRAF_PICTURE picture = {x, y, any(1, 2), any(0, 1), any(0, 3)};
        const int kind = any(0, 6);
        if (kind < 2)
            AddShape(v, ShapeKind(any(0, 3)), kind ? verb : "PAINT", kind ? id : "GRAY", rc);
        else if (kind < 4)
            kind == 2 ? Grafic_Dll_DefPolygon(v, &polygon) : Grafic_Dll_Icon(v, &icon);
        else
            Grafic_Dll_Picture(v, &picture);
    }
}

}  // namespace

// The cursor and the click go to the first region in list order (a transparent pixel there hides
// the rest), whatever the hit-test code; button up asks the region, not the pixels. After
// Grafic_Dll_End the host hears of no click.
TEST_F(PointerTest, FirstRegionInListOrderTakesCursorAndClick)
{
    CGraphicView* v = NewView(CRect(0, 0, 400, 300));
    AddShape(v, kRect, "ACTIVE", "1", CRect(20, 20, 120, 120));
    AddShape(v, kRect, "ACTIVE", "2", CRect(60, 60, 160, 160));
    for (const GRAF_PICTURE& picture : {GRAF_PICTURE{200, 20, 4, 0, 7}, {300, 20, 5, 0, 8}})
        Grafic_Dll_Picture(v, &picture);
    AddShape(v, kRect, "CLICK", "9", CRect(190, 10, 260, 80));
    AddShape(v, kRect, "PAINT", "BLACK", CRect(20, 200, 100, 260));
    using Row = std::tuple<const char*, POINT, POINT, const char*>;
    const Row rows[] = {{"overlap: the first appended", {80, 80}, {80, 80}, "active 1"},
                        {"the second alone", {150, 150}, {150, 150}, "active 2"},
                        {"a transparent pixel hides the later region", {203, 28}, {203, 28}, ""},
                        {"an opaque pixel", {212, 28}, {212, 28}, "active 7"},
                        {"released on a transparent pixel", {212, 28}, {203, 28}, "active 7"},
                        {"no transparent index: white is hit", {303, 28}, {303, 28}, "active 8"},
                        {"the later region beside it", {250, 70}, {250, 70}, "region 9 (250,70) 4"},
                        {"a painted rectangle", {40, 220}, {40, 220}, ""},
                        {"empty space", {300, 250}, {300, 250}, ""}};
    for (bool ended : {false, true}) {
        for (const auto& [name, down, up, log] : rows) {
            SCOPED_TRACE(std::string(name) + (ended ? ", ended" : ""));
            EXPECT_EQ(*log != 0, HandAt(v->m_hWnd, down, HTNOWHERE));
            Play(v->m_hWnd, "Du", down, up);
            EXPECT_EQ(ended ? "" : log, TakeLog());
        }
        Grafic_Dll_End();  // the second round, and the fixture, end it again: harmless
    }
}

// A region over black at document (150, 60)-(250, 140) (R: active, reports on release; S: on
// double click; r, s: click regions in a view scrolled by (100, 40)), then the messages. The log:
// what the host heard and whether the region looked pressed (black lightened, even repainting)
// then; afterwards L the look after a repaint, K still the pressed element, C the capture.
TEST_F(PointerTest, ClicksReportOnceAndLeaveThePressedLookSelectionAndCapture)
{
    using Row = std::tuple<const char*, char, const char*, const char*>;
    const Row rows[] = {{"click", 'R', "DU", "active 3, lit, ---"},
                        {"held", 'R', "D", "LKC"},
                        {"double click", 'R', "DUCU", "active 3, lit, ---"},
                        {"double click, selection", 'S', "DUCU", "active 3, lit, LK-"},
                        {"one click selects", 'S', "DU", "LK-"},
                        {"selection pressed again", 'S', "DUD", "LK-"},
                        {"empty space clears it", 'S', "DUd", "---"},
                        {"a move off the selection", 'S', "DUm", "LK-"},
                        {"released outside", 'R', "Du", "---"},
                        {"moved off while held", 'R', "Dh", "-KC"},
                        {"off and back", 'R', "DhPH", "LKC"},
                        {"off, back, released", 'R', "DhPHU", "active 3, lit, ---"},
                        {"capture lost while held", 'R', "DXPU", "---"},
                        {"capture lost, selection", 'S', "DXU", "LK-"},
                        {"scrolled click", 'r', "DU", "region 5 (150,60) 4, lit, ---"},
                        {"scrolled double click", 's', "DUCU", "region 5 (150,60) 5, lit, LK-"}};
    for (const auto& [name, kind, steps, log] : rows) {
        SCOPED_TRACE(name);
        CGraphicView* v = NewView(CRect(0, 0, 300, 200));
        const HWND h = v->m_hWnd;
        const CPoint in = islower(kind) ? CPoint(50, 20) : CPoint(150, 60);
        v->m_defaultOptions = toupper(kind) == 'R' ? 7 : 5;
        AddShape(v, kRect, "FRAME", "BLACK", CRect(0, 0, 800, 600));
        AddShape(v, kRect, "PAINT", "BLACK", CRect(150, 60, 250, 140));
        AddRegion(v, islower(kind) ? 'C' : 'A', CRect(150, 60, 250, 140));
        CGraphicElement* e = Last(v);
        v->ScrollToPosition(CPoint(150 - in.x, 60 - in.y));
        v->UpdateWindow();  // the repaint that hiding the new view's scroll bar asks for
        const auto lit = [&] {
            return v->UpdateWindow(), Screen(h).CountPixels(RGB(120, 120, 120)) > 1000;
        };
        EXPECT_TRUE(HandAt(h, in));
        Play(h, (std::string("!") + steps).c_str(), in, in + CPoint(-30, 110),
             [&] { s_log.push_back(lit() ? "lit" : "not lit"); });
        s_log.push_back({lit() ? 'L' : '-', v->m_pPressedElement == e ? 'K' : '-',
                         ::GetCapture() == h ? 'C' : '-'});
        EXPECT_EQ(log, TakeLog());
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
    using Row = std::tuple<const char*, POINT, const char*, COLORREF, COLORREF>;
    const Row rows[] = {{"move onto A, button held: the black step", inA, "H", kWhite, kWhite},
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
    for (const auto& [name, to, step, atA, atB] : rows) {
        SCOPED_TRACE(name);
        Play(v->m_hWnd, step, to, to);
        const DibCanvas& screen = Screen(v->m_hWnd);
        EXPECT_EQ(std::make_pair(atA, atB),
                  std::make_pair(screen.Pixel(40, 70), screen.Pixel(200, 70)));
    }
    EXPECT_FALSE(::KillTimer(v->m_hWnd, kTimer)) << "the timer was stopped";
}

// From a click report, a state-image question or a drawing (kinds: see AddRegion; 'a' an active
// region that reports on double click), the host deletes every element (a), every region (r),
// the one pointed at (e: element 1; i: region 3), destroys the view (v) or its parent (p), or
// waits in a modal loop the hover ticks reach (m); freed objects are filled. A view that lives
// (left: the elements it keeps) forgets its pressed and hovered elements, gives up the capture
// and draws nothing it deleted; every element and GDI object is back.
TEST_F(PointerTest, CallbacksThatDeleteDestroyOrWaitAreSurvived)
{
    const struct {
        const char *name, kind, *steps, act, *log;
        int left;
    } rows[] = {{"click deletes all", 'A', "M!DUT", 'a', "active 3", 0},
                {"click deletes its region", 'A', "M!DUT", 'i', "active 3", 0},
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
                {"redraw on leaving deletes all", 'P', "M*mT", 'a', "", 0},
                {"redraw on leaving destroys", 'P', "M*m", 'v', "", -1},
                {"redraw on leaving destroys the parent", 'P', "M*m", 'p', "", -1}};
    afxMemDF |= delayFreeMemDF;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const int elements = g_elementCount;
        GdiCountGuard guard(r.name);
        TestParentWindow parent(320, 220, kWhite, m_parent.Wnd());
        CGraphicView* v = NewGraphicView(parent.Wnd(), CRect(0, 0, 300, 200));
        const HWND h = v->m_hWnd;
        v->m_defaultOptions = r.kind == 'a' ? 5 : 7;
        AddRegion(v, (char)toupper(r.kind), CRect(50, 50, 150, 150));
        CUIntArray ids;
        ids.Add(r.act == 'e' ? 1 : 3);
        const std::map<char, std::function<void()>> acts = {
            {'a', [&] { Grafic_Dll_Del_All_Elt(v), acts.at('r')(); }},
            {'r', [&] { Grafic_Dll_Del_All_Activ_Rgn(v), Grafic_Dll_Del_All_Click_Rgn(v); }},
            {'e', [&] { Grafic_Dll_Del_Listed_Elt(v, &ids, FALSE); }},
            {'i', [&] { Grafic_Dll_Del_Listed_Activ_Rgn(v, &ids); }},
            {'v', [h] { ::DestroyWindow(h); }},
            {'p', [&] { parent.Destroy(); }},
            {'m', &Wait}};
        const auto pointed = [v] { return v->m_pPressedElement || v->m_pHoverElement; };
        Play(h, r.steps, {60, 60}, {200, 180}, [&] {
            acts.at(r.act)();
            EXPECT_TRUE(strchr("vpm", r.act) || !pointed()) << "pressed or hovered after deletion";
            s_draws = 0;
        });
        EXPECT_EQ(0, s_when) << "the host acted";
        EXPECT_EQ(r.log, TakeLog());
        ASSERT_EQ(r.left >= 0, CGraphicView::IsLive(v));
        if (r.left >= 0) {
            v->UpdateWindow();
            ExpectAll({{"elements kept", v->m_displayList.GetSize() == r.left},
                       {"none pressed or hovered from the deletion on",
                        r.act == 'm' || !(pointed() || ::KillTimer(h, kTimer))},
                       {"nothing deleted drawn",
                        r.left > 0 || (Screen(h).BoundsOfOther(kWhite).IsRectEmpty() && !s_draws)},
                       {"no capture", ::GetCapture() != h}});
        }
        parent.Destroy();
        PumpMessages();
        EXPECT_EQ(elements, g_elementCount) << "elements left alive";
    }
    afxMemDF &= ~delayFreeMemDF;
}

// After every change of the display list or a region, the index answers as the walk of the list
// at every point of a grid over the document and beyond, the ends of the 32-bit plane included.
TEST_F(PointerTest, ElementAtAnswersAsTheWalkAfterEveryChange)
{
    CGraphicView* v = NewView(CRect(0, 0, 400, 300));
    std::mt19937 rng(1996);
    CUIntArray ids, numbers;
    ids.Add(2), numbers.Add(3), numbers.Add(40), numbers.Add(9);
    const CRect whole(INT_MIN, INT_MIN, INT_MAX, INT_MAX), moved(10, 10, 40, 40);
    const POINT cur = {150, 100};
    std::vector<POINT> points = {{INT_MIN, INT_MIN}, {INT_MAX - 1, 5}, {INT_MAX, 5}, {-7, INT_MAX}};
    for (int y = -50; y < 350; y += 4)
        for (int x = -50; x < 450; x += 4)
            points.push_back({x, y});
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"append a mix", [&] { AppendMix(v, rng, 150); }},
        {"delete listed elements", [&] { Grafic_Dll_Del_Listed_Elt(v, &numbers, TRUE); }},
        {"delete listed active regions", [&] { Grafic_Dll_Del_Listed_Activ_Rgn(v, &ids); }},
        {"delete listed click regions", [&] { Grafic_Dll_Del_Listed_Click_Rgn(v, &ids); }},
        {"pictures waiting get their image", [&] { Grafic_Dll_Set_Pict(v, 2, Halves(kWhite), 0); }},
        {"a current picture", [&] { Grafic_Dll_DefineCurPict(v, &cur, 3); }},
        {"it gets an image", [&] { Grafic_Dll_UpdateCurPict(v, Halves(kWhite), &moved, 0); }},
        {"the current picture moves", [&] { Grafic_Dll_UpdatePictSize(v, &moved); }},
        {"a smaller image", [&] { Grafic_Dll_UpdateCurPict(v, Halves(kWhite, 4), &moved, -1); }},
        {"append more", [&] { AppendMix(v, rng, 60); }},
        {"a region over the whole plane", [&] { AddShape(v, kRect, "CLICK", "4", whole); }},
        {"a picture's drawing deletes all elements",
         [&] {
             AppendMix(v, rng, 40);
             s_action = [v] { Grafic_Dll_Del_All_Elt(v); }, s_when = '*';
             Grafic_Dll_Set_Pict(v, 2, Halves(kWhite), -1);
             EXPECT_EQ(0, std::exchange(s_when, 0)) << "no picture was drawn";
         }},
        {"delete all click regions", [&] { Grafic_Dll_Del_All_Click_Rgn(v); }},
        {"append after the deletions", [&] { AppendMix(v, rng, 60); }},
        {"delete the last element", [&] { Grafic_Dll_Del_Last_Elt(v, TRUE); }},
        {"delete all active regions", [&] { Grafic_Dll_Del_All_Activ_Rgn(v); }}};
    for (const auto& [name, change] : steps) {
        SCOPED_TRACE(name);
        change();
        int hits = 0;
        for (const POINT& p : points) {
            CGraphicElement* walk = v->ElementAtByWalk(p);
            hits += walk != NULL;
            ASSERT_EQ(walk, v->ElementAt(p)) << "at " << Str(p);
        }
        EXPECT_GT(hits, 0) << "no point holds a region: the step checks nothing";
    }
}
