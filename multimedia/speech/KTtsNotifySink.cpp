#include "multimedia/speech/KTtsNotifySink.h"

#include "multimedia/speech/Sapi4EngineWin32.h"

HRESULT STDMETHODCALLTYPE KTtsNotifySink::QueryInterface(REFIID Interface, void** Object)
{
    *Object = nullptr;
    if (Interface != IID_IUnknown && Interface != kIidTtsNotifySinkA)
        return E_NOINTERFACE;
    *Object = this;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE KTtsNotifySink::AudioStart(QWORD)
{
    kssSapi4AudioStarted();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE KTtsNotifySink::AudioStop(QWORD)
{
    kssSapi4AudioStopped();
    return S_OK;
}
