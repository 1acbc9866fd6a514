#pragma once
// The buffer sink of the SAPI 4 layer: the engine tells it the offset of each word of the
// text as the word is spoken. One static object; it is never freed, so its reference
// count is not kept.
#include "multimedia/speech/Sapi4Interfaces.h"

class KTtsBufNotifySink : public ITTSBufNotifySink {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Interface, void** Object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE TextDataDone(QWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TextDataStarted(QWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE BookMark(QWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE WordPosition(QWORD Time, DWORD Offset) override;
};
