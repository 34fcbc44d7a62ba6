// Resource ids of the hello example, shared by its .rc script and its C++ code.
#pragma once

#define IDR_MAINFRAME 128  // main frame: menu, title string, icon
#define IDR_SHAPETYPE 129  // shape documents: child menu, document strings, icon

// Standard command ids, as the class library's frames and application handle them.
#ifndef ID_FILE_NEW
#define ID_FILE_NEW 0xE100
#endif
#ifndef ID_FILE_CLOSE
#define ID_FILE_CLOSE 0xE102
#endif
#ifndef ID_WINDOW_NEW
#define ID_WINDOW_NEW 0xE130
#endif
#ifndef ID_WINDOW_CASCADE
#define ID_WINDOW_CASCADE 0xE132
#endif
#ifndef ID_WINDOW_TILE_HORZ
#define ID_WINDOW_TILE_HORZ 0xE133
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT 0xE140
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 0xE141
#endif
