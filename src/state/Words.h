// Decoding of the host's words: drawing verbs, fill patterns (or region identifiers) and text
// styles, each by its first letter.
#pragma once
#include <afxwin.h>
#include <afxcoll.h>

#include "state/GraphicState.h"

// VERB_* of a verb word; upper-cases the host's string in place. Empty: VERB_EMPTY; a letter
// not listed: VERB_FILL.
AFX_EXT_API int AFXAPI ParseVerb(CString& verb);

// For VERB_ACTIVE and VERB_CLICK the region identifier the string holds as a decimal number
// (the string is left as it is); otherwise PAT_* of the pattern word, upper-casing the host's
// string in place.
AFX_EXT_API int AFXAPI ParsePattern(int verb, CString& pattern);

// STYLE_* bits of a list of style words (the host's strings are not changed); 0 for none.
AFX_EXT_API int AFXAPI ParseTextStyle(const CStringArray& words);
