// The shared test helpers in one include, with GoogleTest and the class layer: DibCanvas
// (pixels), SamePixels (two pictures compared), EmfRecorder (metafile records), GdiCountGuard
// (live-object counters), message pumping, named checks (NamedChecks.h) and plain colours and
// readable rectangles (TestValues.h).
#pragma once
#include <gtest/gtest.h>

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "DibCanvas.h"
#include "EmfRecorder.h"
#include "GdiCountGuard.h"
#include "MessagePump.h"
#include "NamedChecks.h"
#include "SamePixels.h"
#include "TestValues.h"
