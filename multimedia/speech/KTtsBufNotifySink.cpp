#include "multimedia/speech/KTtsBufNotifySink.h"

#include "multimedia/speech/Sapi4EngineWin32.h"

HRESULT STDMETHODCALLTYPE KTtsBufNotifySink::QueryInterface(REFIID Interface, void** Object)
{
    *Object = nullptr;
    if (Interface != IID_IUnknown && Interface != kIidTtsBufNotifySink)
        return E_NOINTERFACE;
    *Object = this;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE KTtsBufNotifySink::WordPosition(QWORD, DWORD Offset)
{
    kssSapi4WordReached(Offset);
    return S_OK;
}
