// GdiCountGuard: checks that a test scenario gives back every GDI object and device context it
// made through the layer. It notes afxGdiCounters() when constructed and, when destroyed,
// expects (gtest EXPECT) the GDI object, DC and global block counts back where they were:
//
//   TEST(Pens, SelectAndRestore) {
//       GdiCountGuard guard("select a pen");
//       CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
//       EXPECT_EQ(1, guard.GdiObjectsDelta());
//       ...
//   }   // pen is gone before guard checks: declare the guard first
#pragma once
#include <afxpriv.h>

#include <string>

class GdiCountGuard
{
public:
    explicit GdiCountGuard(const char* scenario = "");
    ~GdiCountGuard();
    GdiCountGuard(const GdiCountGuard&) = delete;
    GdiCountGuard& operator=(const GdiCountGuard&) = delete;

    // Live objects and DCs now, relative to construction.
    LONG GdiObjectsDelta() const { return afxGdiCounters().nGdiObjects - m_start.nGdiObjects; }
    LONG DCsDelta() const { return afxGdiCounters().nDCs - m_start.nDCs; }

private:
    std::string m_scenario;
    AFX_GDI_COUNTERS m_start;
};
