#include <gtest/gtest.h>
#include <afx.h>
extern "C" AFX_API int afxPlaceholder();
TEST(Smoke, Dll) { EXPECT_EQ(1, afxPlaceholder()); EXPECT_NE(nullptr, GetDC(nullptr)); }
