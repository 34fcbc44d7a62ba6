// End-to-end pictures: drawing calls through the exports, repainted onto a DIB section, checked
// against the golden checksums under tests/golden/.
#include "ViewFixture.h"

#include "Golden.h"
#include "../../examples/sampler/SamplerShapes.h"

TEST(Golden, SamplerOfEveryShapeVerbAndPattern)
{
    GdiCountGuard guard("sampler golden picture");
    const RECT picture = sampler::PictureBounds();
    TestParentWindow parent(picture.right + 40, picture.bottom + 40);
    CGraphicView* view =
        NewGraphicView(parent.Wnd(), CRect(0, 0, picture.right + 20, picture.bottom + 20));
    ASSERT_NE(nullptr, view);
    sampler::DrawSamplerShapes(view);

    // Two repaints of one display list give the same picture, and it is the golden one.
    DibCanvas first(picture.right, picture.bottom, RGB(1, 2, 3));
    DibCanvas second(picture.right, picture.bottom, RGB(1, 2, 3));
    Grafic_Dll_RepaintView(view, &first.Dc());
    Grafic_Dll_RepaintView(view, &second.Dc());
    EXPECT_TRUE(SamePixels(first, second)) << "two repaints of the same display list";
    EXPECT_TRUE(MatchesGolden(first, "sampler"));
    parent.Destroy();
    PumpMessages();
}
