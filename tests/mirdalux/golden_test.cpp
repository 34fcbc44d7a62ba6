// End-to-end pictures: drawing calls through the exports, repainted onto a DIB section, compared
// pixel by pixel with the golden images under tests/golden/.
#include <gtest/gtest.h>

#include <mirdalux.h>

#include "Golden.h"
#include "GdiCountGuard.h"
#include "TestHost.h"
#include "ViewFixture.h"
#include "view/GraphicView.h"
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
    Grafic_Dll_RepaintView(view, &first.Dc());
    DibCanvas second(picture.right, picture.bottom, RGB(1, 2, 3));
    Grafic_Dll_RepaintView(view, &second.Dc());
    EXPECT_EQ(0, memcmp(first.Bits(), second.Bits(), size_t(picture.right) * picture.bottom * 4))
        << "two repaints of the same display list differ";
    EXPECT_TRUE(MatchesGolden(first, "sampler"));
    parent.Destroy();
    PumpMessages();
}
