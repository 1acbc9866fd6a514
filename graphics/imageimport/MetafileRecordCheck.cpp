#include "graphics/imageimport/MetafileRecordCheck.h"

#include "graphics/imageimport/LittleEndian.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <vector>

#include <windows.h>

namespace {

constexpr uint32_t kEnhancedSignature = 0x464D4520; // " EMF"
constexpr size_t kEnhancedHeaderSize = 88;
constexpr size_t kWindowsHeaderSize = 18;
constexpr size_t kWindowsRecordHeader = 6;
// Larger bitmap sides are damage, and keep the size arithmetic within 64 bits.
constexpr int64_t kLargestBitmapSide = int64_t(1) << 20;
constexpr uint32_t kStockObject = 0x80000000u;
// The mode of a modify-world-transform record that sets the transform outright (MWT_SET,
// which the platform's headers lack).
constexpr uint32_t kWorldTransformSet = 4;
// Pictures are drawn a page at a time: 2^17 units hold a poster in hundredths of a
// millimetre. The system's player draws shapes far beyond that (a damaged ellipse a
// million units wide) for minutes, whatever little of them shows.
constexpr int64_t kLargestCoordinate = int64_t(1) << 17;
// A world transform scales and turns a page; it does not blow it up a thousandfold.
constexpr float kLargestScale = 256.0f;
// Nor do the page's mapping, its world transform and its playing at its bounds together.
constexpr double kLargestMagnification = 256.0;
// The reference device of an enhanced metafile, in pixels and in millimetres.
constexpr int32_t kLargestDeviceSide = 1 << 16;
// Fonts far larger than any page are damage, and their glyphs would not fit in memory.
constexpr int64_t kLargestFontSize = int64_t(1) << 16;

uint32_t u32At(const uint8_t* Data, size_t Offset) { return LittleEndian::u32(Data + Offset); }
uint16_t u16At(const uint8_t* Data, size_t Offset) { return LittleEndian::u16(Data + Offset); }

// Whether Count bytes at Offset lie within Size bytes.
bool fits(uint64_t Offset, uint64_t Count, uint64_t Size) { return Offset <= Size && Count <= Size - Offset; }

// The bytes of a bitmap's pixels; 0 when its header says what cannot be (no side, a side
// beyond any bitmap, a bit count that does not exist).
uint64_t pixelBytes(int64_t Width, int64_t Height, uint32_t BitCount)
{
    if (Height < 0)
        Height = -Height;
    if (Width <= 0 || Width > kLargestBitmapSide || Height > kLargestBitmapSide)
        return 0;
    switch (BitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return (uint64_t(Width) * BitCount + 31) / 32 * 4 * uint64_t(Height);
    default:
        return 0;
    }
}

// A device-independent bitmap: the header and colour table in the Header bytes, and, when
// the pixels are not compressed, all of them in the Pixels bytes.
bool isSoundBitmap(const uint8_t* Header, size_t HeaderBytes, size_t PixelBytes, bool WholeRows = true)
{
    if (HeaderBytes < 12)
        return false;
    const uint32_t headerSize = u32At(Header, 0);
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = BI_RGB, colours = 0;
    if (headerSize == 12) {
        width = u16At(Header, 4);
        height = u16At(Header, 6);
        bitCount = u16At(Header, 10);
    } else {
        if (headerSize < 40 || headerSize > HeaderBytes)
            return false;
        width = int32_t(u32At(Header, 4));
        height = int32_t(u32At(Header, 8));
        bitCount = u16At(Header, 14);
        compression = u32At(Header, 16);
        colours = u32At(Header, 32);
    }
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    const uint64_t entrySize = headerSize == 12 ? 3 : 4;
    uint64_t table = headerSize + entrySize * colours;
    if (compression == BI_BITFIELDS && headerSize == 40)
        table += 12;
    if (table > HeaderBytes)
        return false;
    const uint64_t pixels = pixelBytes(width, height, bitCount);
    if (compression != BI_RGB && compression != BI_BITFIELDS)
        return PixelBytes > 0;
    return pixels > 0 && (pixels <= PixelBytes || !WholeRows);
}

// Region data: its 32-byte header and the rectangles it counts.
bool isSoundRegion(const uint8_t* Region, size_t Size)
{
    if (Size < 32)
        return false;
    return u32At(Region, 0) >= 32 && fits(u32At(Region, 0), uint64_t(u32At(Region, 8)) * 16, Size);
}

// Enhanced metafiles --------------------------------------------------------------------

// The size of the enhanced records whose size is fixed; 0 for the others.
size_t fixedEnhancedSize(uint32_t Type)
{
    switch (Type) {
    case EMR_SETMETARGN: case EMR_SAVEDC: case EMR_REALIZEPALETTE: case EMR_BEGINPATH:
    case EMR_ENDPATH: case EMR_CLOSEFIGURE: case EMR_FLATTENPATH: case EMR_WIDENPATH:
    case EMR_ABORTPATH:
        return 8;
    case EMR_SETMAPPERFLAGS: case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE:
    case EMR_SETROP2: case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR:
    case EMR_SETBKCOLOR: case EMR_RESTOREDC: case EMR_SELECTOBJECT: case EMR_DELETEOBJECT:
    case EMR_SELECTPALETTE: case EMR_SETARCDIRECTION: case EMR_SETMITERLIMIT:
    case EMR_SELECTCLIPPATH: case EMR_SETICMMODE: case EMR_SETCOLORSPACE:
    case EMR_DELETECOLORSPACE: case EMR_SETLAYOUT:
        return 12;
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX:
    case EMR_SETVIEWPORTORGEX: case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN: case EMR_MOVETOEX:
    case EMR_RESIZEPALETTE: case EMR_LINETO:
        return 16;
    case EMR_SETPIXELV:
        return 20;
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: case EMR_CREATEBRUSHINDIRECT: case EMR_ELLIPSE: case EMR_RECTANGLE:
    case EMR_EXTFLOODFILL: case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH:
    case EMR_COLORCORRECTPALETTE:
        return 24;
    case EMR_CREATEPEN: case EMR_ANGLEARC:
        return 28;
    case EMR_SETCOLORADJUSTMENT: case EMR_SETWORLDTRANSFORM: case EMR_ROUNDRECT:
        return 32;
    case EMR_MODIFYWORLDTRANSFORM:
        return 36;
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO:
        return 40;
    case EMR_PIXELFORMAT:
        return 48;
    case EMR_EXTCREATEFONTINDIRECTW:
        return 104;
    case EMR_CREATECOLORSPACE:
        return 340;
    default:
        return 0;
    }
}

class EnhancedRecord {
public:
    EnhancedRecord(const uint8_t* Record, size_t Size, unsigned Handles)
        : m_record(Record)
        , m_size(Size)
        , m_handles(Handles)
    {
    }

    bool isSound(uint32_t Type) const
    {
        if (m_size < fixedEnhancedSize(Type) || !hasSoundGeometry(Type))
            return false;
        switch (Type) {
        case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO:
        case EMR_POLYLINETO:
            return counted(28, 24, 8);
        case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
        case EMR_POLYLINETO16:
            return counted(28, 24, 4);
        case EMR_POLYDRAW:
            return counted(28, 24, 9);
        case EMR_POLYDRAW16:
            return counted(28, 24, 5);
        case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
            return isSoundPolyPolygon(8);
        case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
            return isSoundPolyPolygon(4);
        case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW:
            return m_size >= 76 && isSoundText(36, Type == EMR_EXTTEXTOUTW ? 2 : 1);
        case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW:
            return isSoundTexts(Type == EMR_POLYTEXTOUTW ? 2 : 1);
        case EMR_SELECTOBJECT: case EMR_SELECTPALETTE:
            return handle(8, true);
        case EMR_DELETEOBJECT: case EMR_CREATEPEN: case EMR_CREATEBRUSHINDIRECT:
        case EMR_EXTCREATEFONTINDIRECTW: case EMR_RESIZEPALETTE: case EMR_CREATECOLORSPACE:
        case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE:
            return handle(8, false);
        case EMR_CREATEPALETTE:
            return m_size >= 16 && handle(8, false) && counted(16, 14, 4, true);
        case EMR_SETPALETTEENTRIES:
            return handle(8, false) && counted(20, 16, 4);
        case EMR_GDICOMMENT:
            return counted(12, 8, 1);
        case EMR_GLSRECORD:
            return counted(12, 8, 1);
        case EMR_GLSBOUNDEDRECORD:
            return counted(28, 24, 1);
        case EMR_FILLRGN:
            return handle(28, true) && region(24, 32);
        case EMR_FRAMERGN:
            return handle(28, true) && region(24, 40);
        case EMR_INVERTRGN: case EMR_PAINTRGN:
            return region(24, 28);
        case EMR_EXTSELECTCLIPRGN:
            return m_size >= 16 && (u32At(m_record, 8) == 0 || region(8, 16));
        case EMR_BITBLT:
            return m_size >= 100 && bitmap(84, Optional);
        case EMR_STRETCHBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
            return m_size >= 108 && bitmap(84, Optional);
        case EMR_MASKBLT:
            return m_size >= 128 && bitmap(84, Required) && bitmap(112, Optional);
        case EMR_PLGBLT:
            return m_size >= 140 && bitmap(96, Required) && bitmap(124, Optional);
        case EMR_SETDIBITSTODEVICE:
            return m_size >= 76 && bitmap(48, Required, false);
        case EMR_STRETCHDIBITS:
            return m_size >= 80 && bitmap(48, Required);
        case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
            return m_size >= 32 && handle(8, false) && bitmap(16, Required);
        case EMR_EXTCREATEPEN:
            return counted(52, 48, 4) && handle(8, false) && bitmap(12, Optional);
        case EMR_SETICMPROFILEA: case EMR_SETICMPROFILEW:
            return m_size >= 20 && fits(20, uint64_t(u32At(m_record, 12)) + u32At(m_record, 16), m_size);
        case EMR_COLORMATCHTOTARGETW:
            return m_size >= 24 && fits(24, uint64_t(u32At(m_record, 16)) + u32At(m_record, 20), m_size);
        case EMR_CREATECOLORSPACEW:
            return counted(608, 604, 1) && handle(8, false);
        case EMR_GRADIENTFILL:
            return isSoundGradient();
        case EMR_EOF:
            return m_size >= 20 && fits(u32At(m_record, 12), uint64_t(u32At(m_record, 8)) * 4, m_size);
        default:
            return true;
        }
    }

private:
    // Coordinates, sizes and scales within what GDI can draw.
    bool hasSoundGeometry(uint32_t Type) const
    {
        switch (Type) {
        case EMR_SETWINDOWEXTEX: case EMR_SETVIEWPORTEXTEX:
            // GDI takes no empty extent, but the system's player divides by it all the same
            // and draws what follows through a transform of infinities.
            return coordinates(8, 2) && u32At(m_record, 8) != 0 && u32At(m_record, 12) != 0;
        case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTORGEX: case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN:
        case EMR_MOVETOEX: case EMR_LINETO: case EMR_SETPIXELV: case EMR_EXTFLOODFILL:
            return coordinates(8, 2);
        case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_ELLIPSE: case EMR_RECTANGLE:
            return coordinates(8, 4);
        case EMR_ROUNDRECT:
            return coordinates(8, 6);
        case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO:
            return coordinates(8, 8);
        case EMR_ANGLEARC:
            return coordinates(8, 3);
        case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX:
            return u32At(m_record, 12) != 0 && u32At(m_record, 20) != 0;
        case EMR_SETWORLDTRANSFORM: case EMR_MODIFYWORLDTRANSFORM:
            return transform(8);
        case EMR_CREATEPEN:
            return coordinates(16, 1);
        case EMR_EXTCREATEPEN:
            return m_size < 36 || coordinates(32, 1);
        case EMR_EXTCREATEFONTINDIRECTW:
            return within(12, 2, kLargestFontSize);
        case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO:
        case EMR_POLYLINETO: case EMR_POLYDRAW:
            return !counted(28, 24, 8) || coordinates(28, 2 * size_t(u32At(m_record, 24)));
        case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON:
            return !isSoundPolyPolygon(8)
                || coordinates(32 + 4 * size_t(u32At(m_record, 24)), 2 * size_t(u32At(m_record, 28)));
        case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW:
            return m_size < 76 || (coordinates(36, 2) && coordinates(56, 4));
        case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
            return m_size < 40 || coordinates(24, 4);
        case EMR_STRETCHDIBITS:
            return m_size < 80 || (coordinates(24, 2) && coordinates(72, 2));
        default:
            return true;
        }
    }

    // Count signed 32-bit values from At, each within Largest; values the record does
    // not hold are left to the size checks.
    bool within(size_t At, size_t Count, int64_t Largest) const
    {
        if (!fits(At, uint64_t(Count) * 4, m_size))
            return true;
        for (size_t i = 0; i < Count; ++i) {
            const int64_t value = int32_t(u32At(m_record, At + 4 * i));
            if (value > Largest || value < -Largest)
                return false;
        }
        return true;
    }
    bool coordinates(size_t At, size_t Count) const { return within(At, Count, kLargestCoordinate); }

    // Four finite scale factors, then a shift within the coordinate space.
    bool transform(size_t At) const
    {
        for (size_t i = 0; i < 6; ++i) {
            float value;
            const uint32_t bits = u32At(m_record, At + 4 * i);
            static_assert(sizeof value == sizeof bits, "a transform holds 32-bit floats");
            std::memcpy(&value, &bits, sizeof value);
            const float largest = i < 4 ? kLargestScale : float(kLargestCoordinate);
            if (!(value >= -largest && value <= largest))
                return false;
        }
        return true;
    }

    // A record of Fixed bytes and then as many items of Each bytes as the count at
    // CountAt says (a 16-bit count when Short).
    bool counted(size_t Fixed, size_t CountAt, uint64_t Each, bool Short = false) const
    {
        if (m_size < Fixed)
            return false;
        const uint64_t count = Short ? u16At(m_record, CountAt) : u32At(m_record, CountAt);
        return count * Each <= m_size - Fixed;
    }

    // Object 0 is the metafile itself; stock objects are flagged.
    bool handle(size_t At, bool StockAllowed) const
    {
        const uint32_t index = u32At(m_record, At);
        if (StockAllowed && (index & kStockObject))
            return true;
        return index > 0 && index < m_handles;
    }

    bool isSoundPolyPolygon(uint64_t PointSize) const
    {
        if (m_size < 32)
            return false;
        const uint64_t polygons = u32At(m_record, 24), points = u32At(m_record, 28);
        if (polygons * 4 + points * PointSize > m_size - 32)
            return false;
        uint64_t counted = 0;
        for (uint64_t i = 0; i < polygons; ++i)
            counted += u32At(m_record, 32 + 4 * i);
        return counted <= points;
    }

    // The text block at At: its characters and, when it has them, its spacings.
    bool isSoundText(size_t At, uint64_t CharSize) const
    {
        if (!fits(At, 40, m_size))
            return false;
        const uint64_t characters = u32At(m_record, At + 8);
        const uint32_t options = u32At(m_record, At + 16);
        const uint32_t spacings = u32At(m_record, At + 36);
        if (characters > 0 && !fits(u32At(m_record, At + 12), characters * CharSize, m_size))
            return false;
        return spacings == 0 || fits(spacings, characters * ((options & ETO_PDY) ? 8 : 4), m_size);
    }

    bool isSoundTexts(uint64_t CharSize) const
    {
        if (m_size < 40)
            return false;
        const uint64_t texts = u32At(m_record, 36);
        if (texts * 40 > m_size - 40)
            return false;
        for (uint64_t i = 0; i < texts; ++i) {
            if (!isSoundText(size_t(40 + 40 * i), CharSize))
                return false;
        }
        return true;
    }

    // The region of the size at SizeAt, starting at At.
    bool region(size_t SizeAt, size_t At) const
    {
        if (m_size < At)
            return false;
        const uint32_t size = u32At(m_record, SizeAt);
        return fits(At, size, m_size) && isSoundRegion(m_record + At, size);
    }

    // The offsets and sizes of a header and pixels, from At: none (no offset and no size,
    // where the record may go without a bitmap), or both inside. The system's player
    // finds a bitmap by its offset, whatever size the record gives it. A bitmap that is
    // set a few scan lines at a time need not hold all its rows.
    enum Presence { Required, Optional };
    bool bitmap(size_t At, Presence Need, bool WholeRows = true) const
    {
        const uint32_t headerAt = u32At(m_record, At), headerBytes = u32At(m_record, At + 4);
        const uint32_t pixelsAt = u32At(m_record, At + 8), pixelBytes = u32At(m_record, At + 12);
        if (headerAt == 0 && headerBytes == 0)
            return Need == Optional;
        return fits(headerAt, headerBytes, m_size) && fits(pixelsAt, pixelBytes, m_size)
            && isSoundBitmap(m_record + headerAt, headerBytes, pixelBytes, WholeRows);
    }

    bool isSoundGradient() const
    {
        if (m_size < 36)
            return false;
        const uint64_t vertices = u32At(m_record, 24), shapes = u32At(m_record, 28);
        const uint64_t corners = u32At(m_record, 32) == GRADIENT_FILL_TRIANGLE ? 3 : 2;
        if (vertices * 16 + shapes * corners * 4 > m_size - 36)
            return false;
        const size_t first = size_t(36 + vertices * 16);
        for (uint64_t i = 0; i < shapes * corners; ++i) {
            if (u32At(m_record, size_t(first + 4 * i)) >= vertices)
                return false;
        }
        return true;
    }

    const uint8_t* m_record;
    size_t m_size;
    unsigned m_handles;
};

// How much larger than one unit of the picture's coordinates a mark comes out on the
// page: the window mapped onto the viewport, and the world transform, followed through
// the records that set them and the states saved and restored. Each record's numbers are
// bounded on their own; together they multiply, and the system's player draws text and
// shapes magnified tens of thousands of times for minutes (a glyph a hundred thousand
// pixels tall), whatever little of them shows.
class EnhancedMagnification {
public:
    void follow(uint32_t Type, const uint8_t* Record)
    {
        switch (Type) {
        case EMR_SETMAPMODE:
            m_state.scaled = u32At(Record, 8) == MM_ISOTROPIC || u32At(Record, 8) == MM_ANISOTROPIC;
            break;
        case EMR_SETWINDOWEXTEX:
            m_state.window[0] = extent(Record, 8);
            m_state.window[1] = extent(Record, 12);
            break;
        case EMR_SETVIEWPORTEXTEX:
            m_state.viewport[0] = extent(Record, 8);
            m_state.viewport[1] = extent(Record, 12);
            break;
        case EMR_SCALEVIEWPORTEXTEX:
        case EMR_SCALEWINDOWEXTEX: {
            double* sides = Type == EMR_SCALEVIEWPORTEXTEX ? m_state.viewport : m_state.window;
            for (size_t axis = 0; axis < 2; ++axis)
                sides[axis] *= std::fabs(double(int32_t(u32At(Record, 8 + 8 * axis))) / int32_t(u32At(Record, 12 + 8 * axis)));
            break;
        }
        case EMR_SETWORLDTRANSFORM:
            m_state.world = norm(Record + 8);
            break;
        case EMR_MODIFYWORLDTRANSFORM:
            switch (u32At(Record, 32)) {
            case MWT_IDENTITY:
                m_state.world = 1.0;
                break;
            case kWorldTransformSet:
                m_state.world = norm(Record + 8);
                break;
            default:
                // Multiplied from the left or the right.
                m_state.world *= norm(Record + 8);
                break;
            }
            break;
        case EMR_SAVEDC:
            m_saved.push_back(m_state);
            break;
        case EMR_RESTOREDC:
            restore(int32_t(u32At(Record, 8)));
            break;
        default:
            break;
        }
    }

    double value() const
    {
        // The fixed mapping modes take a unit for a pixel or less.
        const double page = m_state.scaled
            ? std::max(m_state.viewport[0] / m_state.window[0], m_state.viewport[1] / m_state.window[1])
            : 1.0;
        return page * m_state.world;
    }

private:
    struct State {
        bool scaled = false;
        double window[2] = {1, 1};
        double viewport[2] = {1, 1};
        double world = 1;
    };

    // Extents of 0 are refused before they get here.
    static double extent(const uint8_t* Record, size_t At) { return std::fabs(double(int32_t(u32At(Record, At)))); }

    // The larger of the largest row and column sums: no vector grows by more, and the
    // bound of a product is at most the product of the bounds.
    static double norm(const uint8_t* Transform)
    {
        float m[4];
        for (size_t i = 0; i < 4; ++i) {
            const uint32_t bits = u32At(Transform, 4 * i);
            std::memcpy(&m[i], &bits, sizeof bits);
        }
        const double rows = std::max(std::fabs(m[0]) + std::fabs(m[1]), std::fabs(m[2]) + std::fabs(m[3]));
        const double columns = std::max(std::fabs(m[0]) + std::fabs(m[2]), std::fabs(m[1]) + std::fabs(m[3]));
        return std::max(rows, columns);
    }

    // A negative number goes back that many saved states; a positive one to that saved
    // state, counted from the first.
    void restore(int32_t Which)
    {
        size_t keep = 0;
        if (Which < 0 && size_t(-int64_t(Which)) <= m_saved.size())
            keep = m_saved.size() - size_t(-int64_t(Which));
        else if (Which > 0 && size_t(Which) <= m_saved.size())
            keep = size_t(Which) - 1;
        else
            return;
        m_state = m_saved[keep];
        m_saved.resize(keep);
    }

    State m_state;
    std::vector<State> m_saved;
};

// The records that put marks on the page, where the magnification counts.
bool marksThePage(uint32_t Type)
{
    switch (Type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16:
    case EMR_POLYDRAW: case EMR_POLYDRAW16: case EMR_SETPIXELV: case EMR_ANGLEARC: case EMR_ELLIPSE:
    case EMR_RECTANGLE: case EMR_ROUNDRECT: case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO:
    case EMR_LINETO: case EMR_EXTFLOODFILL: case EMR_FILLPATH: case EMR_STROKEANDFILLPATH: case EMR_STROKEPATH:
    case EMR_FILLRGN: case EMR_FRAMERGN: case EMR_INVERTRGN: case EMR_PAINTRGN: case EMR_BITBLT:
    case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_PLGBLT: case EMR_SETDIBITSTODEVICE: case EMR_STRETCHDIBITS:
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW:
    case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT: case EMR_GRADIENTFILL:
        return true;
    default:
        return false;
    }
}

// Windows metafiles ---------------------------------------------------------------------

class WindowsRecord {
public:
    WindowsRecord(const uint8_t* Record, size_t Words, unsigned Objects)
        : m_parameters(Record + kWindowsRecordHeader)
        , m_count(Words - 3)
        , m_objects(Objects)
    {
    }

    bool isSound(uint16_t Function) const
    {
        switch (Function) {
        case META_POLYGON: case META_POLYLINE:
            return m_count >= 1 && 1 + 2 * uint64_t(word(0)) <= m_count;
        case META_POLYPOLYGON:
            return isSoundPolyPolygon();
        case META_TEXTOUT:
            return m_count >= 1 && 1 + (uint64_t(word(0)) + 1) / 2 + 2 <= m_count;
        case META_EXTTEXTOUT:
            return isSoundText();
        case META_ESCAPE:
            return m_count >= 2 && 2 + (uint64_t(word(1)) + 1) / 2 <= m_count;
        case META_CREATEPALETTE: case META_SETPALENTRIES: case META_ANIMATEPALETTE:
            return m_count >= 2 && 2 + 2 * uint64_t(word(1)) <= m_count;
        case META_CREATEREGION:
            return isSoundRegion();
        case META_CREATEFONTINDIRECT:
            return m_count >= 9;
        case META_CREATEPENINDIRECT:
            return m_count >= 5;
        case META_CREATEBRUSHINDIRECT:
            return m_count >= 4;
        case META_SELECTOBJECT: case META_DELETEOBJECT: case META_SELECTPALETTE:
        case META_SELECTCLIPREGION: case META_INVERTREGION: case META_PAINTREGION:
            return object(0);
        case META_FILLREGION:
            return object(0) && object(1);
        case META_FRAMEREGION:
            return m_count >= 4 && object(0) && object(1);
        case META_DIBBITBLT:
            return dibAfter(8, true);
        case META_DIBSTRETCHBLT:
            return dibAfter(10, true);
        case META_STRETCHDIB:
            return dibAfter(11, false);
        case META_SETDIBTODEV:
            return dibAfter(9, false, false);
        case META_DIBCREATEPATTERNBRUSH:
            return dibAfter(2, false);
        case META_BITBLT:
            return oldBitmapAfter(8, 9);
        case META_STRETCHBLT:
            return oldBitmapAfter(10, 11);
        case META_CREATEPATTERNBRUSH:
            return m_count >= 14 && oldBitmapAt(0);
        default:
            // The high byte of the other functions counts their parameter words.
            return m_count >= size_t(Function >> 8);
        }
    }

private:
    uint16_t word(size_t Index) const { return u16At(m_parameters, 2 * Index); }
    bool object(size_t Index) const { return m_count > Index && word(Index) < m_objects; }

    bool isSoundPolyPolygon() const
    {
        if (m_count < 1)
            return false;
        const uint64_t polygons = word(0);
        if (1 + polygons > m_count)
            return false;
        uint64_t points = 0;
        for (uint64_t i = 0; i < polygons; ++i)
            points += word(size_t(1 + i));
        return 1 + polygons + 2 * points <= m_count;
    }

    bool isSoundText() const
    {
        if (m_count < 4)
            return false;
        const uint64_t characters = word(2);
        const uint64_t rectangle = (word(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        const uint64_t used = 4 + rectangle + (characters + 1) / 2;
        // The spacings that may follow the text are there for every character or not at all.
        return used <= m_count && (m_count == used || m_count - used >= characters);
    }

    // Scans of a region: each its count of coordinates, top, bottom, the coordinates and
    // the count again, within the record.
    bool isSoundRegion() const
    {
        if (m_count < 11)
            return false;
        size_t at = 11;
        for (uint16_t scan = 0; scan < word(5); ++scan) {
            if (at >= m_count)
                return false;
            const size_t length = 3 + size_t(word(at));
            if (length > m_count - at)
                return false;
            at += length;
        }
        return true;
    }

    // A packed bitmap after Fixed parameter words, or, where WithoutOne is set, the form
    // of the record without a bitmap (one parameter more, and nothing after it).
    bool dibAfter(size_t Fixed, bool WithoutOne, bool WholeRows = true) const
    {
        if (WithoutOne && m_count == Fixed + 1)
            return true;
        if (m_count <= Fixed)
            return false;
        const size_t bytes = 2 * (m_count - Fixed);
        const uint8_t* dib = m_parameters + 2 * Fixed;
        if (bytes < 12)
            return false;
        const uint32_t headerSize = u32At(dib, 0);
        if (headerSize > bytes)
            return false;
        // The pixels follow the header and colour table; isSoundBitmap measures them
        // against what is left of the record.
        uint64_t table = headerSize;
        if (headerSize >= 40) {
            const uint32_t bitCount = u16At(dib, 14), colours = u32At(dib, 32);
            table += 4 * uint64_t(colours ? colours : (bitCount <= 8 ? 1u << bitCount : 0));
            if (u32At(dib, 16) == BI_BITFIELDS && headerSize == 40)
                table += 12;
        } else if (headerSize == 12) {
            const uint32_t bitCount = u16At(dib, 10);
            table += 3 * uint64_t(bitCount <= 8 ? 1u << bitCount : 0);
        }
        if (table > bytes)
            return false;
        return isSoundBitmap(dib, size_t(table), bytes - size_t(table), WholeRows);
    }

    // The old device-dependent bitmap after Fixed words, or the form without one.
    bool oldBitmapAfter(size_t Fixed, size_t Without) const
    {
        if (m_count == Without)
            return true;
        return m_count > Fixed && oldBitmapAt(Fixed);
    }

    // Type, width, height, bytes a row, planes and bits a pixel (10 bytes), then rows.
    bool oldBitmapAt(size_t At) const
    {
        if (m_count < At + 5)
            return false;
        const uint64_t height = word(At + 2), rowBytes = word(At + 3);
        const uint64_t planes = m_parameters[2 * (At + 4)];
        const uint64_t left = 2 * (m_count - At) - 10;
        // The pattern brush keeps 18 more bytes before its rows.
        const uint64_t before = At == 0 ? 18 : 0;
        return before <= left && rowBytes * height * (planes ? planes : 1) <= left - before;
    }

    const uint8_t* m_parameters;
    size_t m_count;
    unsigned m_objects;
};

} // namespace

bool MetafileRecordCheck::isSoundEnhancedMetafile(const uint8_t* Data, size_t Size)
{
    if (Size < kEnhancedHeaderSize || u32At(Data, 0) != EMR_HEADER || u32At(Data, 40) != kEnhancedSignature)
        return false;
    const uint32_t headerSize = u32At(Data, 4);
    const uint32_t total = u32At(Data, 48);
    if (headerSize < kEnhancedHeaderSize || headerSize % 4 != 0 || total > Size || headerSize > total)
        return false;
    // The reference device and its size in millimetres scale the picture to the page; the
    // frame is the picture's own size. None of them may be empty or beyond any screen.
    for (size_t at : {72, 76, 80, 84}) {
        const int32_t side = int32_t(u32At(Data, at));
        if (side <= 0 || side > kLargestDeviceSide)
            return false;
    }
    // The bounds (the picture's size in pixels) and the frame lie within a page.
    for (size_t at = 8; at < 40; at += 4) {
        const int32_t edge = int32_t(u32At(Data, at));
        if (edge > kLargestCoordinate || edge < -kLargestCoordinate)
            return false;
    }
    if (int32_t(u32At(Data, 32)) <= int32_t(u32At(Data, 24)) || int32_t(u32At(Data, 36)) <= int32_t(u32At(Data, 28)))
        return false;
    const uint32_t descriptionLength = u32At(Data, 60);
    if (descriptionLength > 0 && !fits(u32At(Data, 64), uint64_t(descriptionLength) * 2, headerSize))
        return false;
    if (headerSize >= 100 && u32At(Data, 88) > 0 && !fits(u32At(Data, 92), u32At(Data, 88), headerSize))
        return false;
    const unsigned handles = u16At(Data, 56);
    // The palette the header counts is the one the end record holds.
    const uint32_t paletteEntries = u32At(Data, 68);
    // The picture is played with its frame stretched over its bounds: the frame in the
    // reference device's pixels against the bounds, on either axis.
    double fit = 0;
    for (size_t axis = 0; axis < 2; ++axis) {
        const double frame = double(int32_t(u32At(Data, 32 + 4 * axis)) - int32_t(u32At(Data, 24 + 4 * axis)))
            * int32_t(u32At(Data, 72 + 4 * axis)) / (100.0 * int32_t(u32At(Data, 80 + 4 * axis)));
        const double bounds = double(int32_t(u32At(Data, 16 + 4 * axis)) - int32_t(u32At(Data, 8 + 4 * axis)));
        fit = std::max(fit, bounds / frame);
    }
    EnhancedMagnification magnification;
    for (size_t at = headerSize; total - at >= 8;) {
        const uint32_t type = u32At(Data, at);
        const uint32_t size = u32At(Data, at + 4);
        if (type == EMR_HEADER || size < 8 || size % 4 != 0 || size > total - at)
            return false;
        if (!EnhancedRecord(Data + at, size, handles).isSound(type))
            return false;
        magnification.follow(type, Data + at);
        if (marksThePage(type) && fit * magnification.value() > kLargestMagnification)
            return false;
        at += size;
        if (type == EMR_EOF)
            return at == total && u32At(Data, at - size + 8) == paletteEntries;
    }
    return false;
}

bool MetafileRecordCheck::isSoundWindowsMetafile(const uint8_t* Data, size_t Size)
{
    if (Size < kWindowsHeaderSize)
        return false;
    const uint16_t type = u16At(Data, 0);
    const uint64_t total = uint64_t(u32At(Data, 6)) * 2;
    if ((type != 1 && type != 2) || u16At(Data, 2) != kWindowsHeaderSize / 2 || total > Size || total < kWindowsHeaderSize)
        return false;
    const unsigned objects = u16At(Data, 10);
    for (size_t at = kWindowsHeaderSize; total - at >= kWindowsRecordHeader;) {
        const uint64_t words = u32At(Data, at);
        const uint16_t function = u16At(Data, at + 4);
        if (words < 3 || words * 2 > total - at)
            return false;
        if (function == 0)
            return true;
        if (!WindowsRecord(Data + at, size_t(words), objects).isSound(function))
            return false;
        at += size_t(words * 2);
    }
    return false;
}
