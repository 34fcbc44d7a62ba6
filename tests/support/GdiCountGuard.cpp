// GdiCountGuard: expects the live-object counters back at their start when a scope ends.
#include "GdiCountGuard.h"

#include <gtest/gtest.h>

GdiCountGuard::GdiCountGuard(const char* scenario)
    : m_scenario(scenario ? scenario : ""), m_start(afxGdiCounters())
{}

GdiCountGuard::~GdiCountGuard()
{
    AFX_GDI_COUNTERS now = afxGdiCounters();
    EXPECT_EQ(m_start.nGdiObjects, now.nGdiObjects)
        << "live GDI objects after \"" << m_scenario << "\": expected " << m_start.nGdiObjects
        << " as at the start, got " << now.nGdiObjects;
    EXPECT_EQ(m_start.nDCs, now.nDCs)
        << "live device contexts after \"" << m_scenario << "\": expected " << m_start.nDCs
        << " as at the start, got " << now.nDCs;
}

LONG GdiCountGuard::GdiObjectsDelta() const
{
    return afxGdiCounters().nGdiObjects - m_start.nGdiObjects;
}

LONG GdiCountGuard::DCsDelta() const
{
    return afxGdiCounters().nDCs - m_start.nDCs;
}
