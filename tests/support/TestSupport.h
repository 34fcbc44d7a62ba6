// The shared test helpers in one include: DibCanvas (pixels), SamePixels (two pictures
// compared), EmfRecorder (metafile records), GdiCountGuard (live-object counters), message
// pumping.
#pragma once
#include "DibCanvas.h"
#include "EmfRecorder.h"
#include "GdiCountGuard.h"
#include "MessagePump.h"
#include "SamePixels.h"
