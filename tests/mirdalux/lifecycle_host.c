/* A host written in C: the host header compiles as C, and a C program can start the library
 * and fill its callback table. */
#include <mirdalux.h>

static int g_lastRegion = -1;

static void CALLBACK OnActiveClickFromC(HWND hwndView, int regionId)
{
    (void)hwndView;
    g_lastRegion = regionId;
}

GraficCallbacks* CHostStart(void)
{
    GraficCallbacks* pTable = Grafic_Dll_Start();
    if (pTable != NULL)
        pTable->OnActiveClick = OnActiveClickFromC;
    return pTable;
}

int CHostLastRegion(void)
{
    return g_lastRegion;
}

/* Offsets of the eight slots as a C compiler lays the table out. */
void CHostSlotOffsets(size_t offsets[8], size_t* pSize)
{
    offsets[0] = offsetof(GraficCallbacks, OnActiveClick);
    offsets[1] = offsetof(GraficCallbacks, OnRegionClick);
    offsets[2] = offsetof(GraficCallbacks, DrawPicture);
    offsets[3] = offsetof(GraficCallbacks, RequestResource);
    offsets[4] = offsetof(GraficCallbacks, GetPictureState);
    offsets[5] = offsetof(GraficCallbacks, FreePictureState);
    offsets[6] = offsetof(GraficCallbacks, OnCurPictUpdate);
    offsets[7] = offsetof(GraficCallbacks, OnCurPictResize);
    *pSize = sizeof(GraficCallbacks);
}
