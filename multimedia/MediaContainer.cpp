#include "multimedia/MediaContainer.h"

#include <cstring>

namespace {
// The chunks a form's content lives in stand among its first few top-level chunks
// (headers, extra information, padding); a file that has not shown them after this many
// does not have them.
constexpr int kMaxChunks = 1024;
// A chunk header: its ID and its size, then (for a list) the list's type.
constexpr size_t kChunkHeader = 8;
constexpr uint64_t kFirstChunk = 12;
// An MPEG transport stream is a run of 188-byte packets, each beginning with this byte.
constexpr uint8 kTransportSync = 0x47;
constexpr uint64_t kTransportPacket = 188;

const uint8 kAsfHeaderGuid[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                  0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
// The atoms a QuickTime or MP4 file may begin with.
const char* const kQuickTimeFirstAtoms[] = {"ftyp", "moov", "mdat", "free", "skip", "wide", "pnot"};

bool isID(const uint8* At, const char* ID) { return std::memcmp(At, ID, 4) == 0; }

uint32 littleEndian32(const uint8* At) { return At[0] | At[1] << 8 | At[2] << 16 | uint32(At[3]) << 24; }

uint32 bigEndian32(const uint8* At) { return uint32(At[0]) << 24 | At[1] << 16 | At[2] << 8 | At[3]; }

bool isMpegStream(const uint8* Head, size_t Length, const MediaContainer::Reader& Read)
{
    // A program stream begins with a pack header, an elementary video stream with a
    // sequence header.
    if (Length >= 4 && Head[0] == 0 && Head[1] == 0 && Head[2] == 1 && (Head[3] == 0xBA || Head[3] == 0xB3))
        return true;
    if (Length < 1 || Head[0] != kTransportSync)
        return false;
    // One sync byte proves nothing: the next two packets must begin with it too.
    for (uint64_t packet = 1; packet <= 2; ++packet) {
        uint8 sync = 0;
        if (Read(packet * kTransportPacket, &sync, 1) != 1 || sync != kTransportSync)
            return false;
    }
    return true;
}

bool isQuickTime(const uint8* Head, size_t Length)
{
    if (Length < 8)
        return false;
    // 0 runs to the end of the file and 1 gives a 64-bit size after the type; any other
    // size must hold at least the atom's own header.
    const uint32 size = bigEndian32(Head);
    if (size > 1 && size < 8)
        return false;
    for (const char* atom : kQuickTimeFirstAtoms) {
        if (isID(Head + 4, atom))
            return true;
    }
    return false;
}
} // namespace

MediaContainer::Kind MediaContainer::identify(const Reader& Read)
{
    uint8 head[16] = {};
    const size_t length = Read(0, head, sizeof head);
    uint32 size = 0;
    if (length >= kFirstChunk && isID(head, "RIFF")) {
        if (isID(head + 8, "AVI "))
            // Past its own type, the movie list must hold at least one chunk header.
            return findChunk(Read, false, "LIST", "movi", size) && size >= 4 + kChunkHeader ? Avi : Broken;
        if (isID(head + 8, "WAVE"))
            return findChunk(Read, false, "fmt ", nullptr, size) ? Wave : Broken;
        return Unknown;
    }
    if (length >= kFirstChunk && isID(head, "FORM") && (isID(head + 8, "AIFF") || isID(head + 8, "AIFC")))
        return findChunk(Read, true, "SSND", nullptr, size) ? Aiff : Broken;
    if (length >= sizeof kAsfHeaderGuid && std::memcmp(head, kAsfHeaderGuid, sizeof kAsfHeaderGuid) == 0)
        return Asf;
    if (isMpegStream(head, length, Read))
        return Mpeg;
    if (isQuickTime(head, length))
        return QuickTime;
    return length == 0 ? Broken : Unknown;
}

bool MediaContainer::findChunk(const Reader& Read, bool BigEndian, const char* ID, const char* ListType, uint32& Size)
{
    // The form's own size is not trusted (recordings that were cut short leave it
    // wrong): the walk ends where the file does.
    uint64_t offset = kFirstChunk;
    for (int chunk = 0; chunk < kMaxChunks; ++chunk) {
        uint8 header[kChunkHeader + 4] = {};
        const size_t length = Read(offset, header, sizeof header);
        if (length < kChunkHeader)
            return false;
        const uint32 size = BigEndian ? bigEndian32(header + 4) : littleEndian32(header + 4);
        if (isID(header, ID) && (!ListType || (length == sizeof header && isID(header + kChunkHeader, ListType)))) {
            Size = size;
            return true;
        }
        // Chunks are padded to an even length.
        offset += kChunkHeader + uint64_t(size) + (size & 1);
    }
    return false;
}
