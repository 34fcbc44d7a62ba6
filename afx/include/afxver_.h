// Build configuration of the class-library layer: character set, calling conventions and the
// import/export decoration of everything afx.dll exports.
#pragma once

#ifdef UNICODE
#error "The class-library layer is built for the ANSI/multibyte character set (TCHAR is char)."
#endif

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <tchar.h>

// Classes, functions and data of afx.dll: exported while building it, imported by its users.
#ifdef _AFX_BUILD
#define AFX_API __declspec(dllexport)
#else
#define AFX_API __declspec(dllimport)
#endif
#define AFX_CLASS_EXPORT __declspec(dllexport)
#define AFX_CLASS_IMPORT __declspec(dllimport)
// Classes of an extension DLL: exported while building it (_AFXEXT defined), imported by users.
#ifdef _AFXEXT
#define AFX_EXT_CLASS AFX_CLASS_EXPORT
#define AFX_EXT_API __declspec(dllexport)
#else
#define AFX_EXT_CLASS AFX_CLASS_IMPORT
#define AFX_EXT_API __declspec(dllimport)
#endif

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif
#ifndef PASCAL
#define PASCAL __stdcall
#endif
