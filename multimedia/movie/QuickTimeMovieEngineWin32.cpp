#include "multimedia/movie/QuickTimeMovieEngineWin32.h"

#include "application/KWindow.h"
#include "foundation/KFileReference.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KImage.h"
#include "graphics/NativeDeviceWin32.h"
#include "graphics/NativeRectWin32.h"
#include "graphics/PictImportHook.h"
#include "graphics/imageimport/DibImage.h"
#include "multimedia/movie/QuickTimeLibraryWin32.h"

#include <algorithm>
#include <cmath>

namespace {
// The routines the engine calls, by group and number.
constexpr unsigned long kEnterMovies = quickTimeSelector(0x0002, 0x0001);
constexpr unsigned long kExitMovies = quickTimeSelector(0x0002, 0x0002);
constexpr unsigned long kCreatePortAssociation = quickTimeSelector(0x001D, 0x0001);
constexpr unsigned long kDestroyPortAssociation = quickTimeSelector(0x001D, 0x0002);
constexpr unsigned long kGetNativeWindowPort = quickTimeSelector(0x001D, 0x0003);
constexpr unsigned long kSetPort = quickTimeSelector(0x001E, 0x0005);
constexpr unsigned long kSetGWorld = quickTimeSelector(0x001C, 0x0007);
constexpr unsigned long kGetGWorldDevice = quickTimeSelector(0x001C, 0x0013);
constexpr unsigned long kNewGWorldFromHBITMAP = quickTimeSelector(0x0017, 0x0001);
constexpr unsigned long kNativePathNameToFSSpec = quickTimeSelector(0x001D, 0x002E);
constexpr unsigned long kOpenMovieFile = quickTimeSelector(0x0002, 0x0192);
constexpr unsigned long kNewMovieFromFile = quickTimeSelector(0x0002, 0x00F0);
constexpr unsigned long kCloseMovieFile = quickTimeSelector(0x0002, 0x00D5);
constexpr unsigned long kGetMovieBox = quickTimeSelector(0x0002, 0x00F9);
constexpr unsigned long kSetMovieBox = quickTimeSelector(0x0002, 0x00FA);
constexpr unsigned long kSetMovieGWorld = quickTimeSelector(0x0002, 0x0016);
constexpr unsigned long kNewMovieController = quickTimeSelector(0x0002, 0x018A);
constexpr unsigned long kDisposeMovieController = quickTimeSelector(0x0002, 0x018B);
constexpr unsigned long kGoToBeginningOfMovie = quickTimeSelector(0x0002, 0x000D);
constexpr unsigned long kStartMovie = quickTimeSelector(0x0002, 0x000B);
constexpr unsigned long kStopMovie = quickTimeSelector(0x0002, 0x000C);
constexpr unsigned long kMoviesTask = quickTimeSelector(0x0002, 0x0005);
constexpr unsigned long kIsMovieDone = quickTimeSelector(0x0002, 0x00DD);
constexpr unsigned long kDisposeMovie = quickTimeSelector(0x0002, 0x0023);
constexpr unsigned long kSetMovieVolume = quickTimeSelector(0x0002, 0x002F);
constexpr unsigned long kGetMoviePosterPict = quickTimeSelector(0x0002, 0x00F7);
constexpr unsigned long kGetMoviePict = quickTimeSelector(0x0002, 0x001D);
constexpr unsigned long kGetMovieDuration = quickTimeSelector(0x0002, 0x002B);
constexpr unsigned long kGetMovieIndTrack = quickTimeSelector(0x0002, 0x0117);
constexpr unsigned long kGetTrackMedia = quickTimeSelector(0x0002, 0x0062);
constexpr unsigned long kGetMediaSampleCount = quickTimeSelector(0x0002, 0x0079);
constexpr unsigned long kPictureToDIB = quickTimeSelector(0x0017, 0x000F);
constexpr unsigned long kKillPicture = quickTimeSelector(0x001E, 0x0060);
constexpr unsigned long kFSpOpenDF = quickTimeSelector(0x000F, 0x00E3);
constexpr unsigned long kSetFPos = quickTimeSelector(0x000F, 0x0057);
constexpr unsigned long kGetEOF = quickTimeSelector(0x000F, 0x0054);
constexpr unsigned long kFSRead = quickTimeSelector(0x000F, 0x0047);
constexpr unsigned long kFSClose = quickTimeSelector(0x000F, 0x0046);
constexpr unsigned long kNewHandle = quickTimeSelector(0x0015, 0x0008);
constexpr unsigned long kHLock = quickTimeSelector(0x0015, 0x0019);
constexpr unsigned long kHUnlock = quickTimeSelector(0x0015, 0x001A);

constexpr long kReadPermission = 1;
constexpr long kAnyPermission = 0;
constexpr long kNewMovieActive = 1;
constexpr long kControllerNotVisible = 8;
constexpr long kFromStart = 1;
constexpr long kParameterError = -50;
constexpr long kTaskLimitMs = 100;
constexpr uint32 kCopyIntervalMs = 40;
constexpr long kPictHeaderSize = 512;
constexpr double kFullVolume = 256.0;
void* const kNone = nullptr;

// QuickTime's rectangle; the layout of its file specification is QuickTime's own, so
// the engine only keeps room for it.
struct QuickTimeRect {
    int16 top, left, bottom, right;
};
struct QuickTimeFileSpec {
    alignas(4) unsigned char bytes[264];
};

QuickTimeRect boxOf(const RECT& R)
{
    return {static_cast<int16>(R.top), static_cast<int16>(R.left), static_cast<int16>(R.bottom),
            static_cast<int16>(R.right)};
}

long widthOf(const RECT& R) { return R.right - R.left; }
long heightOf(const RECT& R) { return R.bottom - R.top; }

QuickTimeMovieEngineWin32* s_pictReader = nullptr;

void importPictImage(KImage& Image, const KFileReference& Ref)
{
    if (s_pictReader)
        s_pictReader->readPictFile(Image, Ref);
}

void releaseOffscreen(QuickTimeMovieRecordWin32& R)
{
    if (R.offscreenDC) {
        SelectObject(R.offscreenDC, R.offscreenPreviousBitmap);
        DeleteDC(R.offscreenDC);
    }
    if (R.offscreenBitmap)
        DeleteObject(R.offscreenBitmap);
    R.offscreenDC = nullptr;
    R.offscreenBitmap = nullptr;
    R.offscreenPreviousBitmap = nullptr;
    R.offscreenWorld = nullptr;
}

void emptyImage(KImage& Image)
{
    Image.disposeNative();
    Image.setSize(KGraphicSize(0, 0));
}
} // namespace

QuickTimeMovieEngineWin32::QuickTimeMovieEngineWin32(QuickTimeLibraryWin32& Library)
    : m_library(Library)
{
}

QuickTimeMovieEngineWin32::~QuickTimeMovieEngineWin32()
{
    if (s_pictReader == this)
        s_pictReader = nullptr;
}

bool QuickTimeMovieEngineWin32::isAvailable()
{
    if (m_started)
        return true;
    if (m_availabilityKnown)
        return m_available;
    m_availabilityKnown = true;
    m_available = false;
    if (m_library.initialize() == 0) {
        m_available = m_library.call(kEnterMovies) == 0;
        m_library.call(kExitMovies);
        m_library.terminate();
    }
    return m_available;
}

bool QuickTimeMovieEngineWin32::startUp()
{
    if (m_started)
        return true;
    if (!isAvailable())
        return false;
    // One counted start is enough for the engine however often the support reopens.
    if (!m_holdsStart) {
        if (m_library.initialize() != 0)
            return false;
        m_holdsStart = true;
    }
    const long entered = m_library.call(kEnterMovies);
    s_pictReader = this;
    setPictImportHook(&importPictImage);
    m_started = entered == 0;
    return m_started;
}

void QuickTimeMovieEngineWin32::shutDown()
{
    if (!m_started)
        return;
    m_library.call(kExitMovies);
    m_started = false;
}

void* QuickTimeMovieEngineWin32::windowPort(HWND Window) const
{
    return m_library.callForPointer(kGetNativeWindowPort, Window);
}

void QuickTimeMovieEngineWin32::attachWindow(void* NativeWindow)
{
    if (!m_started || windowPort(static_cast<HWND>(NativeWindow)))
        return;
    void* port = m_library.callForPointer(kCreatePortAssociation, NativeWindow, kNone, 0L);
    if (!port)
        return;
    m_library.call(kSetPort, port);
    ++m_attachedWindowCount;
}

void QuickTimeMovieEngineWin32::detachWindow(void* NativeWindow)
{
    if (!m_started)
        return;
    if (void* port = windowPort(static_cast<HWND>(NativeWindow))) {
        m_library.call(kDestroyPortAssociation, port);
        --m_attachedWindowCount;
    }
}

QuickTimeMovieRecordWin32* QuickTimeMovieEngineWin32::usable(void* Record) const
{
    return m_started ? static_cast<QuickTimeMovieRecordWin32*>(Record) : nullptr;
}

bool QuickTimeMovieEngineWin32::open(void* Record, const char* Path, KGraphicSize& NaturalSize)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r)
        return false;
    QuickTimeFileSpec spec = {};
    m_library.call(kNativePathNameToFSSpec, Path, &spec, 0L);
    if (m_library.call(kOpenMovieFile, &spec, &r->fileRefNum, kReadPermission) != 0)
        return false;
    void* movie = nullptr;
    const long made = m_library.call(kNewMovieFromFile, &movie, static_cast<long>(r->fileRefNum), kNone, kNone,
                                     kNewMovieActive, kNone);
    m_library.call(kCloseMovieFile, static_cast<long>(r->fileRefNum));
    if (made != 0 || !movie)
        return false;
    r->qtMovie = movie;
    QuickTimeRect box = {};
    m_library.call(kGetMovieBox, movie, &box);
    r->naturalBox = {box.left, box.top, box.right, box.bottom};
    NaturalSize = KGraphicSize(static_cast<short>(widthOf(r->naturalBox)), static_cast<short>(heightOf(r->naturalBox)));
    return true;
}

void QuickTimeMovieEngineWin32::close(void* Record)
{
    auto* r = static_cast<QuickTimeMovieRecordWin32*>(Record);
    if (!r)
        return;
    if (usable(Record)) {
        stop(Record);
        if (r->qtMovie)
            m_library.call(kDisposeMovie, r->qtMovie);
        r->qtMovie = nullptr;
    }
    // The offscreen is the engine's own, whatever became of QuickTime; the movie that
    // drew into it is gone by now.
    releaseOffscreen(*r);
}

void QuickTimeMovieEngineWin32::setTarget(void* Record, KGraphicDevice& Target)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r)
        return;
    r->targetWindow = nullptr;
    r->targetDC = nullptr;
    if (auto* window = dynamic_cast<KWindow*>(&Target))
        r->targetWindow = static_cast<HWND>(window->getNativeWindow());
    else
        r->targetDC = getHDCWin32(Target);
}

void QuickTimeMovieEngineWin32::setBounds(void* Record, const KGraphicRectangle& Bounds)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r)
        return;
    r->destRect = toNativeRectWin32(Bounds);
    if (!r->targetWindow || !r->qtMovie)
        return;
    const QuickTimeRect box = boxOf(r->destRect);
    if (r->playing)
        m_library.call(kStopMovie, r->qtMovie);
    m_library.call(kSetMovieBox, r->qtMovie, &box);
    if (r->playing)
        m_library.call(kStartMovie, r->qtMovie);
}

bool QuickTimeMovieEngineWin32::buildOffscreen(QuickTimeMovieRecordWin32& R)
{
    const long width = widthOf(R.naturalBox), height = heightOf(R.naturalBox);
    if (width <= 0 || height <= 0)
        return false;
    const int depth = GetDeviceCaps(R.targetDC, BITSPIXEL);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(depth);
    info.header.biCompression = BI_RGB;
    if (depth == 4 || depth == 8) {
        // A palette device: the offscreen takes the colours the target context uses.
        PALETTEENTRY entries[256] = {};
        const UINT count = GetPaletteEntries(static_cast<HPALETTE>(GetCurrentObject(R.targetDC, OBJ_PAL)), 0,
                                             1u << depth, entries);
        for (UINT i = 0; i < count; ++i)
            info.colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(R.targetDC, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC context = CreateCompatibleDC(R.targetDC);
    HGDIOBJ previous = nullptr;
    if (context) {
        SetMapMode(context, GetMapMode(R.targetDC));
        if (bitmap)
            previous = SelectObject(context, bitmap);
    }
    void* world = nullptr;
    // QuickTime is not asked to build a world on half an offscreen.
    const long made = (bitmap == nullptr) != (context == nullptr)
        ? kParameterError
        : m_library.call(kNewGWorldFromHBITMAP, &world, kNone, kNone, 0L, bitmap, context);
    // The offscreen of the previous play goes only now: the movie drew into it until now.
    releaseOffscreen(R);
    R.offscreenBitmap = bitmap;
    R.offscreenDC = context;
    R.offscreenPreviousBitmap = previous;
    R.offscreenWorld = made == 0 ? world : nullptr;
    if (made != 0)
        return false;
    m_library.call(kSetMovieGWorld, R.qtMovie, world, m_library.callForPointer(kGetGWorldDevice, world));
    return true;
}

bool QuickTimeMovieEngineWin32::play(void* Record)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return false;
    if (r->targetWindow) {
        void* port = windowPort(r->targetWindow);
        m_library.call(kSetPort, port);
        m_library.call(kSetGWorld, port, kNone);
        m_library.call(kSetMovieGWorld, r->qtMovie, port, kNone);
    } else if (r->targetDC) {
        if (!buildOffscreen(*r))
            return false;
        m_library.call(kSetPort, r->offscreenWorld);
        m_library.call(kSetGWorld, r->offscreenWorld, kNone);
    }
    m_library.call(kGoToBeginningOfMovie, r->qtMovie);
    // A play without a stop between would otherwise leave the old controller behind.
    if (r->qtController)
        m_library.call(kDisposeMovieController, r->qtController);
    const QuickTimeRect destination = boxOf(r->destRect);
    r->qtController = m_library.callForPointer(kNewMovieController, r->qtMovie, &destination, kControllerNotVisible);
    const QuickTimeRect box = boxOf(r->targetWindow ? r->destRect : r->naturalBox);
    m_library.call(kSetMovieBox, r->qtMovie, &box);
    m_library.call(kStartMovie, r->qtMovie);
    r->playing = 1;
    r->lastCopyTick = knsGetTicks();
    return true;
}

void QuickTimeMovieEngineWin32::restart(void* Record)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return;
    m_library.call(kGoToBeginningOfMovie, r->qtMovie);
    play(Record);
}

void QuickTimeMovieEngineWin32::stop(void* Record)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return;
    m_library.call(kStopMovie, r->qtMovie);
    r->playing = 0;
    if (r->qtController)
        m_library.call(kDisposeMovieController, r->qtController);
    r->qtController = nullptr;
}

void QuickTimeMovieEngineWin32::pause(void* Record) { stop(Record); }

void QuickTimeMovieEngineWin32::resume(void* Record) { play(Record); }

bool QuickTimeMovieEngineWin32::isDone(void* Record)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return true;
    const bool done = m_library.call(kIsMovieDone, r->qtMovie) != 0;
    r->playing = !done;
    return done;
}

void QuickTimeMovieEngineWin32::service(void* Record)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return;
    m_library.call(kMoviesTask, r->qtMovie, kTaskLimitMs);
    if (r->targetDC && r->offscreenDC && knsGetTicks() - r->lastCopyTick > kCopyIntervalMs)
        copyFrame(*r);
}

void QuickTimeMovieEngineWin32::copyFrame(QuickTimeMovieRecordWin32& R)
{
    SetStretchBltMode(R.targetDC, COLORONCOLOR);
    StretchBlt(R.targetDC, R.destRect.left, R.destRect.top, widthOf(R.destRect), heightOf(R.destRect), R.offscreenDC,
               0, 0, widthOf(R.naturalBox), heightOf(R.naturalBox), SRCCOPY);
    R.lastCopyTick = knsGetTicks();
}

void QuickTimeMovieEngineWin32::setVolume(void* Record, double Volume)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return;
    const double volume = std::clamp(Volume, 0.0, 1.0);
    m_library.call(kSetMovieVolume, r->qtMovie, static_cast<long>(std::trunc(volume * kFullVolume)));
}

bool QuickTimeMovieEngineWin32::drawPicture(void* Picture, HDC Context, const KGraphicRectangle& Into)
{
    HGLOBAL dib = static_cast<HGLOBAL>(m_library.callForPointer(kPictureToDIB, Picture));
    m_library.call(kKillPicture, Picture);
    if (!dib)
        return false;
    long width = 0, height = 0;
    DibImage::getDibDimensions(dib, &width, &height);
    const RECT destination = toNativeRectWin32(Into);
    const RECT source = {0, 0, width, std::abs(height)};
    DibImage::stretchDraw(dib, Context, &destination, &source);
    GlobalFree(dib);
    return true;
}

bool QuickTimeMovieEngineWin32::drawStill(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return false;
    void* picture = m_library.callForPointer(kGetMoviePosterPict, r->qtMovie);
    return picture && drawPicture(picture, getHDCWin32(Device), R);
}

bool QuickTimeMovieEngineWin32::drawFrame(void* Record, KGraphicDevice& Device, const KGraphicRectangle& R, long Frame)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r || !r->qtMovie)
        return false;
    long time = 0;
    const long frames = getFrameCount(Record);
    if (frames > 0 && Frame > 0)
        time = m_library.call(kGetMovieDuration, r->qtMovie) / frames * (Frame - 1);
    void* picture = m_library.callForPointer(kGetMoviePict, r->qtMovie, time);
    return picture && drawPicture(picture, getHDCWin32(Device), R);
}

long QuickTimeMovieEngineWin32::getFrameCount(void* Record)
{
    QuickTimeMovieRecordWin32* r = usable(Record);
    if (!r)
        return -1;
    if (!r->qtMovie)
        return 0;
    void* track = m_library.callForPointer(kGetMovieIndTrack, r->qtMovie, 1L);
    void* media = track ? m_library.callForPointer(kGetTrackMedia, track) : nullptr;
    return media ? m_library.call(kGetMediaSampleCount, media) : 0;
}

void QuickTimeMovieEngineWin32::readPictFile(KImage& Image, const KFileReference& File)
{
    if (!m_started) {
        emptyImage(Image);
        return;
    }
    KString path;
    File.getPath().getPathText(path, kPlatformWindows, KPath::AsStored);
    QuickTimeFileSpec spec = {};
    m_library.call(kNativePathNameToFSSpec, path.getText(), &spec, 0L);
    int16 file = 0;
    if (m_library.call(kFSpOpenDF, &spec, kAnyPermission, &file) != 0) {
        emptyImage(Image);
        return;
    }
    long end = 0;
    // A file no longer than its header holds no picture.
    if (m_library.call(kSetFPos, static_cast<long>(file), kFromStart, kPictHeaderSize) != 0
        || m_library.call(kGetEOF, static_cast<long>(file), &end) != 0 || end <= kPictHeaderSize) {
        m_library.call(kFSClose, static_cast<long>(file));
        emptyImage(Image);
        return;
    }
    const long length = end - kPictHeaderSize;
    auto** picture = static_cast<char**>(m_library.callForPointer(kNewHandle, length));
    long count = length;
    bool read = false;
    if (picture) {
        m_library.call(kHLock, picture);
        read = m_library.call(kFSRead, static_cast<long>(file), &count, *picture) == 0 && count == length;
        m_library.call(kHUnlock, picture);
    }
    HGLOBAL dib = nullptr;
    if (read)
        dib = static_cast<HGLOBAL>(m_library.callForPointer(kPictureToDIB, picture));
    if (picture)
        m_library.call(kKillPicture, picture);
    long width = 0, height = 0;
    if (dib && DibImage::getDibDimensions(dib, &width, &height) && width > 0 && width <= DibImage::MaxSide
        && height != 0 && std::abs(height) <= DibImage::MaxSide) {
        const auto w = static_cast<short>(width), h = static_cast<short>(std::abs(height));
        Image.create(KGraphicSize(w, h));
        const RECT whole = {0, 0, w, h};
        DibImage::stretchDraw(dib, getHDCWin32(Image.getGraphicDevice()), &whole, &whole);
    } else {
        emptyImage(Image);
    }
    if (dib)
        GlobalFree(dib);
    m_library.call(kFSClose, static_cast<long>(file));
}
