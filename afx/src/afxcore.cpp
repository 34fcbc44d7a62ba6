// Placeholder translation unit; replaced by the core classes.
#include <afx.h>
extern "C" AFX_API int afxPlaceholder() { return 1; }
