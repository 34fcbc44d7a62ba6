// Umbrella header of the class-library layer's Windows part: the core classes, geometry, GDI
// wrappers and device contexts, then windows, applications and message maps.
#pragma once
#include "afx.h"
#include "afxgdi_.h"
#if __has_include("afxwnd_.h")
#include "afxwnd_.h"
#endif
#if __has_include("afxdocvw_.h")
#include "afxdocvw_.h"
#endif
