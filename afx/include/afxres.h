// Ids of the layer's own resources and of the standard commands, panes and bars: the values
// hosts use in their resource scripts. Plain #defines only, so resource compilers read it too.
#pragma once

// Strings.
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif
#define AFX_IDS_IDLEMESSAGE 0xE001
#define AFX_IDS_PREVIEWPAGEDESC 0xEF30
#define AFX_IDS_ONEPAGE 0xEF31
#define AFX_IDS_TWOPAGE 0xEF32

// The print preview's toolbar: its dialog template and its buttons.
#define AFX_IDD_PREVIEW_TOOLBAR 0x7803
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306

// Control bars and panes of a frame.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PREVIEW_BAR 0xE802
#ifndef AFX_IDW_PANE_FIRST
#define AFX_IDW_PANE_FIRST 0xE900
#endif
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_PANE_SAVE 0xEA21
