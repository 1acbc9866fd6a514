#pragma once
// The engine sink of the SAPI 4 layer: the engine tells it when its audio starts and
// stops, which moves the layer's state. One static object; it is never freed, so its
// reference count is not kept.
#include "multimedia/speech/Sapi4Interfaces.h"

class KTtsNotifySink : public ITTSNotifySinkA {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Interface, void** Object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE AttribChanged(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE AudioStart(QWORD Time) override;
    HRESULT STDMETHODCALLTYPE AudioStop(QWORD Time) override;
    HRESULT STDMETHODCALLTYPE Visual(QWORD, char, char, DWORD, TTSMOUTH*) override { return S_OK; }
};
