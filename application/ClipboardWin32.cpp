#include "application/ClipboardWin32.h"

#include "foundation/KString.h"
#include "foundation/KThingPtr.h"
#include "graphics/DibBlockLayout.h"
#include "graphics/ImageWin32.h"
#include "graphics/KImage.h"
#include "graphics/NativeDeviceWin32.h"

#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

namespace {
constexpr long kLargestSide = 0x7FFF;

bool fitsAnImage(long Width, long Height)
{
    return Width > 0 && Height > 0 && Width <= kLargestSide && Height <= kLargestSide;
}

// A global block locked for the length of a read, with the size the platform gives it:
// nothing is read past that size.
class LockedBlock {
public:
    explicit LockedBlock(HANDLE Handle)
        : m_handle(static_cast<HGLOBAL>(Handle))
        , m_bytes(m_handle ? static_cast<const uint8*>(GlobalLock(m_handle)) : nullptr)
        , m_size(m_bytes ? GlobalSize(m_handle) : 0)
    {
    }
    ~LockedBlock()
    {
        if (m_bytes)
            GlobalUnlock(m_handle);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    const uint8* bytes() const { return m_bytes; }
    SIZE_T size() const { return m_size; }

private:
    HGLOBAL m_handle;
    const uint8* m_bytes;
    SIZE_T m_size;
};

// A copy of the clipboard's bitmap: the clipboard's own stays the clipboard's.
KThingPtr readBitmap()
{
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || !fitsAnImage(info.bmWidth, info.bmHeight))
        return KThingPtr();
    KImagePtr image = new KImage;
    image->create(static_cast<short>(info.bmWidth), static_cast<short>(info.bmHeight));
    HDC target = getHDCWin32(image->getGraphicDevice());
    HDC source = CreateCompatibleDC(target);
    if (!target || !source) {
        if (source)
            DeleteDC(source);
        return KThingPtr();
    }
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return KThingPtr(image.get());
}

KThingPtr readOemText()
{
    LockedBlock block(GetClipboardData(CF_OEMTEXT));
    if (!block.bytes())
        return KThingPtr();
    // The text ends at its NUL or at the end of the block, whichever comes first.
    const auto* text = reinterpret_cast<const char*>(block.bytes());
    const void* nul = std::memchr(text, 0, block.size());
    const long length = nul ? static_cast<const char*>(nul) - text : static_cast<long>(block.size());
    std::vector<char> converted(text, text + length);
    converted.push_back(0);
    if (length > 0)
        OemToCharBuffA(converted.data(), converted.data(), static_cast<DWORD>(length));
    KStringPtr string = new KString(converted.data());
    if (!string.hasObject(nullptr))
        return KThingPtr();
    return KThingPtr(string.get());
}

// The header's sizes and counts are believed only as far as the block really holds them:
// the pixels start after the header as large as it says and its colour table, and a
// header that gives no image size has it computed from the rows.
KThingPtr readDib()
{
    LockedBlock block(GetClipboardData(CF_DIB));
    DibBlockLayout layout{};
    if (!block.bytes() || block.size() > 0xFFFFFFFFu
        || !readDibBlockLayout(block.bytes(), static_cast<uint32>(block.size()), layout)
        || !fitsAnImage(layout.width, layout.height))
        return KThingPtr();
    KImagePtr image = new KImage;
    const auto width = static_cast<short>(layout.width);
    const auto height = static_cast<short>(layout.height);
    image->create(width, height);
    drawDibBlockWin32(*image, block.bytes(), layout.bitsOffset, width, height);
    return KThingPtr(image.get());
}
} // namespace

void registerPrivateClipboardFormatWin32(const char* Name) { RegisterClipboardFormatA(Name); }

void* joinClipboardViewerChainWin32(void* W) { return W ? SetClipboardViewer(static_cast<HWND>(W)) : nullptr; }

void leaveClipboardViewerChainWin32(void* W, void* Next)
{
    if (W)
        ChangeClipboardChain(static_cast<HWND>(W), static_cast<HWND>(Next));
}

void passClipboardMessageWin32(void* Next, uint32 Message, uint32 WParam, int32 LParam)
{
    if (Next)
        SendMessageA(static_cast<HWND>(Next), Message, WParam, LParam);
}

void putClipboardTextWin32(void* Owner, const char* Text, long Length)
{
    if (!OpenClipboard(static_cast<HWND>(Owner)))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(Length) + 1);
    char* bytes = memory ? static_cast<char*>(GlobalLock(memory)) : nullptr;
    if (!bytes) {
        if (memory)
            GlobalFree(memory);
        CloseClipboard();
        return;
    }
    std::memcpy(bytes, Text, static_cast<size_t>(Length));
    bytes[Length] = 0;
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

KString readClipboardTextWin32()
{
    if (!OpenClipboard(nullptr))
        return KString();
    KString read;
    {
        LockedBlock block(GetClipboardData(CF_TEXT));
        if (block.bytes()) {
            const auto* text = reinterpret_cast<const char*>(block.bytes());
            const void* nul = std::memchr(text, 0, block.size());
            const size_t length = nul ? static_cast<const char*>(nul) - text : block.size();
            read = KString(std::string(text, length).c_str());
        }
    }
    CloseClipboard();
    return read;
}

KThingPtr readClipboardWin32()
{
    if (!OpenClipboard(nullptr))
        return KThingPtr();
    KThingPtr read;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (format == CF_BITMAP)
            read = readBitmap();
        else if (format == CF_OEMTEXT)
            read = readOemText();
        else if (format == CF_DIB)
            read = readDib();
        else
            continue;
        // The first of the three that the clipboard lists decides, read or not.
        break;
    }
    CloseClipboard();
    return read;
}
