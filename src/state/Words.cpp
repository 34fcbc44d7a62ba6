// Decoding of the host's verb, pattern and text-style words by their first letter.
#include "state/Words.h"

#include <stdlib.h>

int AFXAPI ParseVerb(CString& verb)
{
    if (verb.IsEmpty())
        return VERB_EMPTY;
    // The host sees its own word upper-cased afterwards.
    verb.MakeUpper();
    switch (verb[0]) {
    case 'F':
        // FRAME frames and FILL fills.
        return (verb.GetLength() > 1 && verb[1] == 'I') ? VERB_FILL : VERB_FRAME;
    case 'P':
        return VERB_PAINT;
    case 'E':
        return VERB_ERASE;
    case 'I':
        return VERB_INVERT;
    case 'A':
        return VERB_ACTIVE;
    case 'C':
        return VERB_CLICK;
    default:
        return VERB_FILL;
    }
}

int AFXAPI ParsePattern(int verb, CString& pattern)
{
    // Region identifiers are read as the runtime's atoi reads them, overflow included.
    if (verb == VERB_ACTIVE || verb == VERB_CLICK)
        return atoi(pattern);
    pattern.MakeUpper();
    if (pattern.IsEmpty())
        return PAT_EMPTY;
    switch (pattern[0]) {
    case 'W':
        return PAT_WHITE;
    case 'L':
        return PAT_LTGRAY;
    case 'G':
        return PAT_GRAY;
    case 'D':
        return PAT_DKGRAY;
    case 'B':
        return PAT_BLACK;
    default:
        return PAT_OTHER;
    }
}

int AFXAPI ParseTextStyle(const CStringArray& words)
{
    int set = 0;
    for (INT_PTR i = 0; i < words.GetSize(); ++i) {
        CString word = words.GetAt(i);
        if (word.IsEmpty())
            continue;
        word.MakeUpper();
        switch (word[0]) {
        case 'B':
            set |= STYLE_BOLD;
            break;
        case 'S':
            set |= STYLE_SHADOW;
            break;
        case 'O':
            set |= STYLE_OUTLINE;
            break;
        case 'C':
            set |= STYLE_CONDENSE;
            break;
        case 'I':
            set |= STYLE_ITALIC;
            break;
        case 'U':
            set |= STYLE_UNDERLINE;
            break;
        case 'E':
            set |= STYLE_EXTEND;
            break;
        case 'P':
            set |= STYLE_PLAIN;
            break;
        default:
            break;
        }
    }
    return set;
}
