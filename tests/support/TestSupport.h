// The shared test helpers in one include: DibCanvas (pixels), EmfRecorder (metafile records),
// GdiCountGuard (live-object counters).
#pragma once
#include "DibCanvas.h"
#include "EmfRecorder.h"
#include "GdiCountGuard.h"
