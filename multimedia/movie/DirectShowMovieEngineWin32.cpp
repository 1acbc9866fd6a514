#include "multimedia/movie/DirectShowMovieEngineWin32.h"

#include "application/KApplication.h"
#include "application/KWindow.h"
#include "foundation/KGraphicRectangle.h"
#include "graphics/NativeDeviceWin32.h"
#include "graphics/NativeRectWin32.h"
#include "multimedia/MediaContainerWin32.h"

// The stream and DirectDraw identifiers are defined here rather than taken from import
// libraries the program does not otherwise link.
#include <initguid.h>

#include <ddraw.h>
#include <mmstream.h>
#include <amstream.h>
#include <ddstream.h>
#include <control.h>

namespace {
constexpr int kMaxWidePath = 520;
// Volume in hundredths of a decibel below full.
constexpr double kVolumeRange = 4000.0;

using DirectDrawCreateProc = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);

// ddraw.dll is loaded on first use and kept: its objects may outlive any one opening.
DirectDrawCreateProc directDrawCreate()
{
    static HMODULE module = LoadLibraryA("ddraw.dll");
    return module ? reinterpret_cast<DirectDrawCreateProc>(reinterpret_cast<void*>(GetProcAddress(module, "DirectDrawCreate")))
                  : nullptr;
}

template <typename Interface>
void release(Interface*& Object)
{
    if (Object)
        Object->Release();
    Object = nullptr;
}

StreamMovieRecordWin32* recordOf(void* Record) { return static_cast<StreamMovieRecordWin32*>(Record); }

long widthOf(const RECT& R) { return R.right - R.left; }
long heightOf(const RECT& R) { return R.bottom - R.top; }
} // namespace

bool DirectShowMovieEngineWin32::startUp()
{
    if (m_streamsReady)
        return true;
    HWND mainWindow = nullptr;
    KApplication* application = KApplication::getApplication();
    if (application && application->hasMainWindow())
        mainWindow = static_cast<HWND>(application->getMainWindow().getNativeWindow());
    startDirectDraw(mainWindow);
    return setStreamDirectDraw(m_directDraw, m_primarySurface);
}

void DirectShowMovieEngineWin32::shutDown()
{
    forgetStreamDirectDraw();
    stopDirectDraw();
}

bool DirectShowMovieEngineWin32::startDirectDraw(HWND MainWindow)
{
    stopDirectDraw();
    DirectDrawCreateProc create = directDrawCreate();
    if (!create || FAILED(create(nullptr, &m_directDraw, nullptr)) || !m_directDraw) {
        m_directDraw = nullptr;
        return false;
    }
    m_directDraw->SetCooperativeLevel(MainWindow, DDSCL_NORMAL);
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (FAILED(m_directDraw->CreateSurface(&description, &m_primarySurface, nullptr)))
        m_primarySurface = nullptr;
    return m_primarySurface != nullptr;
}

void DirectShowMovieEngineWin32::stopDirectDraw()
{
    release(m_primarySurface);
    release(m_directDraw);
}

bool DirectShowMovieEngineWin32::setStreamDirectDraw(IDirectDraw* DirectDraw, IDirectDrawSurface* PrimarySurface)
{
    m_streamDirectDraw = DirectDraw;
    m_streamsReady = DirectDraw && PrimarySurface;
    return m_streamsReady;
}

void DirectShowMovieEngineWin32::forgetStreamDirectDraw()
{
    m_streamDirectDraw = nullptr;
    m_streamsReady = false;
}

bool DirectShowMovieEngineWin32::open(void* Record, const char* Path, KGraphicSize& NaturalSize)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !m_streamsReady)
        return false;
    close(Record);
    wchar_t widePath[kMaxWidePath];
    if (MultiByteToWideChar(CP_ACP, 0, Path, -1, widePath, kMaxWidePath) == 0)
        return false;
    // The platform is handed only a movie container it plays: on anything else its parsers
    // can leave the open waiting for good.
    if (!MediaContainer::isMovie(identifyMediaFileWin32(widePath)))
        return false;
    if (!openStream(*r, widePath)) {
        // Whatever the open acquired before the failing step goes with it.
        releaseStream(*r);
        return false;
    }
    NaturalSize = KGraphicSize(static_cast<short>(widthOf(r->sourceRect)), static_cast<short>(heightOf(r->sourceRect)));
    return true;
}

bool DirectShowMovieEngineWin32::openStream(StreamMovieRecordWin32& R, const wchar_t* Path)
{
    if (FAILED(CoCreateInstance(CLSID_AMMultiMediaStream, nullptr, CLSCTX_INPROC_SERVER, IID_IAMMultiMediaStream,
                                reinterpret_cast<void**>(&R.multiMediaStream))))
        return false;
    IAMMultiMediaStream& stream = *R.multiMediaStream;
    if (FAILED(stream.Initialize(STREAMTYPE_READ, 0, nullptr))
        || FAILED(stream.AddMediaStream(m_streamDirectDraw, &MSPID_PrimaryVideo, 0, nullptr))
        || FAILED(stream.AddMediaStream(nullptr, &MSPID_PrimaryAudio, AMMSF_ADDDEFAULTRENDERER, nullptr))
        || FAILED(stream.OpenFile(Path, 0)) || FAILED(stream.GetMediaStream(MSPID_PrimaryVideo, &R.videoStream))
        || FAILED(R.videoStream->QueryInterface(IID_IDirectDrawMediaStream, reinterpret_cast<void**>(&R.drawStream))))
        return false;
    DDSURFACEDESC format = {};
    format.dwSize = sizeof format;
    if (FAILED(R.drawStream->GetFormat(&format, nullptr, nullptr, nullptr)))
        return false;
    R.sourceRect = {0, 0, static_cast<LONG>(format.dwWidth), static_cast<LONG>(format.dwHeight)};
    DDSURFACEDESC primary = {};
    primary.dwSize = sizeof primary;
    if (FAILED(m_primarySurface->GetSurfaceDesc(&primary)))
        return false;
    DDSURFACEDESC surface = {};
    surface.dwSize = sizeof surface;
    surface.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    surface.dwWidth = format.dwWidth;
    surface.dwHeight = format.dwHeight;
    surface.ddpfPixelFormat = primary.ddpfPixelFormat;
    surface.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    if (FAILED(m_streamDirectDraw->CreateSurface(&surface, &R.sampleSurface, nullptr))
        || FAILED(R.drawStream->CreateSample(R.sampleSurface, &R.sourceRect, 0, &R.sample)))
        return false;
    R.opened = 1;
    R.halted = 1;
    R.targetDC = nullptr;
    R.targetSurface = nullptr;
    stream.SetState(STREAMSTATE_STOP);
    return true;
}

void DirectShowMovieEngineWin32::releaseStream(StreamMovieRecordWin32& R)
{
    release(R.sample);
    release(R.drawStream);
    release(R.videoStream);
    release(R.multiMediaStream);
    release(R.sampleSurface);
    R.opened = 0;
}

void DirectShowMovieEngineWin32::close(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r)
        return;
    stop(Record);
    r->targetDC = nullptr;
    r->targetSurface = nullptr;
    releaseStream(*r);
}

void DirectShowMovieEngineWin32::setTarget(void* Record, KGraphicDevice& Target)
{
    if (StreamMovieRecordWin32* r = recordOf(Record)) {
        r->targetSurface = nullptr;
        r->targetDC = getHDCWin32(Target);
    }
}

void DirectShowMovieEngineWin32::setBounds(void* Record, const KGraphicRectangle& Bounds)
{
    if (StreamMovieRecordWin32* r = recordOf(Record))
        r->destRect = toNativeRectWin32(Bounds);
}

bool DirectShowMovieEngineWin32::play(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (r && r->opened) {
        r->multiMediaStream->Seek(r->resumeTime);
        r->multiMediaStream->SetState(STREAMSTATE_RUN);
        r->halted = 0;
    }
    return true;
}

void DirectShowMovieEngineWin32::pause(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !r->opened || r->halted)
        return;
    r->multiMediaStream->SetState(STREAMSTATE_STOP);
    r->multiMediaStream->GetTime(&r->resumeTime);
    r->halted = 1;
}

void DirectShowMovieEngineWin32::resume(void* Record) { play(Record); }

void DirectShowMovieEngineWin32::stop(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !r->opened)
        return;
    r->multiMediaStream->SetState(STREAMSTATE_STOP);
    r->halted = 1;
}

void DirectShowMovieEngineWin32::restart(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !r->opened)
        return;
    r->resumeTime = 0;
    r->multiMediaStream->SetState(STREAMSTATE_STOP);
    r->multiMediaStream->Seek(0);
    r->multiMediaStream->SetState(STREAMSTATE_RUN);
    r->halted = 0;
}

bool DirectShowMovieEngineWin32::isDone(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !r->multiMediaStream)
        return true;
    STREAM_STATE state = STREAMSTATE_STOP;
    r->multiMediaStream->GetState(&state);
    return state == STREAMSTATE_STOP;
}

void DirectShowMovieEngineWin32::service(void* Record)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !r->opened || !r->sampleSurface || (!r->targetDC && !r->targetSurface))
        return;
    if (r->sample->Update(0, nullptr, nullptr, 0) != S_OK) {
        r->multiMediaStream->SetState(STREAMSTATE_STOP);
        return;
    }
    if (r->targetSurface) {
        r->targetSurface->Restore();
        r->sampleSurface->Restore();
        r->targetSurface->Blt(&r->destRect, r->sampleSurface, &r->sourceRect, DDBLT_WAIT, nullptr);
    }
    if (r->targetDC)
        copySample(*r, r->targetDC, r->destRect, false);
}

void DirectShowMovieEngineWin32::copySample(StreamMovieRecordWin32& R, HDC Context, const RECT& Into, bool BothModes)
{
    R.sampleSurface->Restore();
    HDC sampleContext = nullptr;
    if (FAILED(R.sampleSurface->GetDC(&sampleContext)))
        return;
    SetStretchBltMode(Context, COLORONCOLOR);
    if (BothModes)
        SetStretchBltMode(sampleContext, COLORONCOLOR);
    StretchBlt(Context, Into.left, Into.top, widthOf(Into), heightOf(Into), sampleContext, 0, 0, widthOf(R.sourceRect),
               heightOf(R.sourceRect), SRCCOPY);
    R.sampleSurface->ReleaseDC(sampleContext);
}

void DirectShowMovieEngineWin32::setVolume(void* Record, double Volume)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    if (!r || !r->multiMediaStream)
        return;
    IGraphBuilder* graph = nullptr;
    if (FAILED(r->multiMediaStream->GetFilterGraph(&graph)) || !graph)
        return;
    IBasicAudio* audio = nullptr;
    if (SUCCEEDED(graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio))) && audio) {
        audio->put_Volume(static_cast<long>((Volume - 1.0) * kVolumeRange));
        audio->Release();
    }
    graph->Release();
}

bool DirectShowMovieEngineWin32::drawStill(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R)
{
    StreamMovieRecordWin32* r = recordOf(Record);
    HDC context = getHDCWin32(Device);
    if (!r || !context || !r->opened || !r->sampleSurface)
        return false;
    if (r->halted) {
        r->multiMediaStream->Seek(r->resumeTime);
        r->multiMediaStream->SetState(STREAMSTATE_RUN);
        r->sample->Update(0, nullptr, nullptr, 0);
        r->multiMediaStream->SetState(STREAMSTATE_STOP);
    }
    copySample(*r, context, toNativeRectWin32(R), true);
    return true;
}

bool DirectShowMovieEngineWin32::drawFrame(void*, KGraphicDevice&, const KGraphicRectangle&, long) { return false; }
