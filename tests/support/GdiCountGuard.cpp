// GdiCountGuard: expects the live-object counters back at their start when a scope ends.
#include "GdiCountGuard.h"

#include <gtest/gtest.h>

GdiCountGuard::GdiCountGuard(const char* scenario)
    : m_scenario(scenario ? scenario : ""), m_start(afxGdiCounters())
{}

GdiCountGuard::~GdiCountGuard()
{
    EXPECT_EQ(0, GdiObjectsDelta()) << "live GDI objects after \"" << m_scenario << "\"";
    EXPECT_EQ(0, DCsDelta()) << "live device contexts after \"" << m_scenario << "\"";
    EXPECT_EQ(m_start.nGlobalBlocks, afxGdiCounters().nGlobalBlocks)
        << "live global blocks after \"" << m_scenario << "\"";
}
