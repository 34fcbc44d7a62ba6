// CException and the memory, file, archive and not-supported exceptions, and their throwers.
#include <afx.h>

#include <stdio.h>

namespace {
BOOL CopyMessage(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszText, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    lstrcpynA(lpszError, lpszText, (int)nMaxError);
    return TRUE;
}

// "<kind> <name>: <cause>." for the file and archive exceptions; a cause outside the table reads
// as nGeneric's.
template <size_t N>
CString DescribeCause(LPCTSTR lpszKind, const CString& strName, LPCTSTR lpszNoName,
                      const char* const (&causes)[N], int nCause, int nGeneric)
{
    const char* cause = nCause >= 0 && nCause < (int)N ? causes[nCause] : causes[nGeneric];
    CString text;
    text.Format("%s %s: %s.", lpszKind, strName.IsEmpty() ? lpszNoName : (LPCTSTR)strName, cause);
    return text;
}
}  // namespace

IMPLEMENT_DYNAMIC(CException, CObject)

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char text[512];
    CString fallback;
    if (!GetErrorMessage(text, sizeof text)) {
        if (nMessageID == 0 || !fallback.LoadString(nMessageID))
            fallback = "An unsupported operation was attempted.";
        lstrcpynA(text, fallback, sizeof text);
    }
    return MessageBoxA(NULL, text, NULL, nType);
}

IMPLEMENT_DYNAMIC(CMemoryException, CException)
CMemoryException::CMemoryException() {}
CMemoryException::CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
CMemoryException::~CMemoryException() {}
BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(lpszError, nMaxError, "Out of memory.", pnHelpContext);
}

IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
CNotSupportedException::CNotSupportedException() {}
CNotSupportedException::~CNotSupportedException() {}
BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError,
                                             PUINT pnHelpContext) const
{
    return CopyMessage(lpszError, nMaxError, "An unsupported operation was attempted.",
                       pnHelpContext);
}

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{}
CFileException::~CFileException() {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const kCauses[] = {"no error",
                                          "an unspecified error",
                                          "the file was not found",
                                          "the path is invalid",
                                          "too many files are open",
                                          "access was denied",
                                          "the handle is invalid",
                                          "the current directory cannot be removed",
                                          "the directory is full",
                                          "seek failed",
                                          "a hardware I/O error",
                                          "a sharing violation",
                                          "a locking violation",
                                          "the disk is full",
                                          "the end of the file was reached"};
    CString text =
        DescribeCause("File", m_strFileName, "(unknown)", kCauses, m_cause, genericException);
    return CopyMessage(lpszError, nMaxError, text, pnHelpContext);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_SECTOR_NOT_FOUND:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

IMPLEMENT_DYNAMIC(CArchiveException, CException)

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{}
CArchiveException::~CArchiveException() {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const kCauses[] = {"no error",
                                          "an unspecified error",
                                          "it was opened for loading and cannot be written",
                                          "the end of the file was reached early",
                                          "it was opened for storing and cannot be read",
                                          "it refers to an object that does not exist",
                                          "it holds an unexpected class",
                                          "it holds an unsupported version of a class"};
    CString text =
        DescribeCause("Archive", m_strFileName, "(unnamed)", kCauses, m_cause, genericException);
    return CopyMessage(lpszError, nMaxError, text, pnHelpContext);
}

// Thrown without allocating: there may be no memory left for a new exception object.
static CMemoryException g_memoryException(FALSE);

void AFXAPI AfxThrowMemoryException()
{
    throw &g_memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
