// Plain colours and readable forms of rectangles and points, for pixel tests and their
// assertion messages.
#pragma once
#include <windows.h>

#include <string>

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

inline std::string Str(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

inline std::string Str(const POINT& p)
{
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}
