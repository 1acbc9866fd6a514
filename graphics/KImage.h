#pragma once
// The picture object of the system: a graphic object whose pixels are a platform bitmap in
// a memory context compatible with the display, with its own device of kind 2 bound to that
// context, so that anything that draws on a device can draw into an image. Images are made
// blank, loaded from files by type or from resources, drawn onto any device, saved as BMP
// and kept in class blocks with their pixels as BMP data.
#include "graphics/KGraphicDevice.h"
#include "graphics/KGraphicObject.h"

class KFileReference;
class KFileType;
class KPath;
struct NativeImageWin32;

class KImage : public KGraphicObject {
    K_DECLARE_CLASS(KImage)
public:
    KImage();
    explicit KImage(short ResourceNumber);
    ~KImage() override;
    KImage(const KImage&) = delete;
    KImage& operator=(const KImage&) = delete;

    // The block carries the size and, when there is a bitmap, its BMP data.
    void readFromFile(KFile& F) override;
    void writeToFile(KFile& F, long Ver) override;

    void drawAt(KGraphicDevice& D, const KGraphicPoint& P) override;
    void draw(KGraphicDevice& D, const KGraphicRectangle& R) override;
    // Onto windows and images by a bit copy, stretched in HALFTONE mode; onto other
    // devices (printers) through a device-independent bitmap.
    void drawPart(KGraphicDevice& Device, const KGraphicRectangle& S, const KGraphicRectangle& D) override;

    // Hooks for derived classes: after every load, and whenever the device is wanted while
    // unbound (and before every drawPart).
    virtual void afterLoad() {}
    virtual void createGraphicDevice() {}

    // A new black bitmap of the size, replacing the old one.
    virtual void create(const KGraphicSize& Size);
    // Picks the format by the file's type: BMP read here, JPEG, PNG, GIF and TIFF through
    // the image-import layer, PICT through the import hook when one is installed.
    virtual void createFromFile(const KFileReference& Ref);
    // A bitmap resource, else an icon resource.
    virtual void createFromResource(short Number);
    virtual void createFromFileName(const KPath& Path);
    virtual void createFromFileScaled(const KFileReference& Ref, const KGraphicSize& Size);
    virtual void createFromResourceScaled(short Number, const KGraphicSize& Size);
    virtual void createFromFileNameScaled(const KPath& Path, const KGraphicSize& Size);

    // Pixel operations, in place.
    virtual void makeBlackAndWhite(short Level);
    virtual void makeSmoothBlackAndWhite(uint16 Level);
    virtual void makeGrey();
    virtual void invertImage();
    virtual void flipHorizontal();
    virtual void flipVertical();
    virtual void rotateClockwise();
    virtual void rotateCounterClockwise();
    virtual void darken(double Amount);
    virtual void lighten(double Amount);
    virtual void adjustBrightnessContrast(double Brightness, double Contrast);

    // Writes only to a reference of the BMP type.
    virtual void saveAsBMP(const KFileReference& Ref);
    // The type given decides, not the path's extension.
    virtual void saveAsBMPFileName(const KPath& Path, const KFileType& T);
    // A raw record without class block: type, size value, width, height, then BMP data
    // when the type is BMP and there is a bitmap. A reader finds no data by the missing
    // "BM" signature.
    virtual void writeBMPData(KFile& F, const KFileType& T);
    virtual void readBMPData(KFile& F);

    void create(short Width, short Height) { create(KGraphicSize(Width, Height)); }

    NativeImageWin32& getNativeImage() const;
    // Calls the device hook first when the device is unbound.
    KGraphicDevice& getGraphicDevice();
    // The device as it is, without the hook: for the code that makes and frees the bitmap,
    // which a hook that makes the bitmap itself would otherwise re-enter.
    KGraphicDevice& peekGraphicDevice() const { return m_device.getObject(); }
    void setGraphicDevice(KGraphicDevice& Device) { m_device.setObject(Device); }
    bool hasGraphicDevice() const { return m_device.hasObject(nullptr); }
    bool hasBitmap() const;
    // Frees the bitmap and the memory context; the size stays.
    void disposeNative();

private:
    bool loadBMPFile(const KFileReference& Ref);
    void readBMPBlock(KFile& F, const KGraphicSize& Size, long BytesAvailable, const char* Context);
    long getSizeValue();
    void writeBMPBytes(KFile& F);
    void createStretchedFrom(KImage& Original, const KGraphicSize& Size);
    void fadeTowards(KStandardColor Color, double Amount);
    void mirror(bool Horizontally);
    void rotate(bool Clockwise);

    NativeImageWin32* m_native = nullptr;
    KGraphicDevicePtr m_device;
};

// Also made from a plain pointer (null gives an empty pointer); create holds a new empty
// image in place of what the pointer held.
class KImagePtr : public KTypedPtr<KImage, KGraphicObjectPtr> {
public:
    using KTypedPtr<KImage, KGraphicObjectPtr>::KTypedPtr;
    using KTypedPtr<KImage, KGraphicObjectPtr>::operator=;
    KImagePtr() = default;
    KImagePtr(const KImagePtr& P) : KTypedPtr<KImage, KGraphicObjectPtr>(P) {}
    KImagePtr& operator=(const KImagePtr& P)
    {
        KTypedPtr<KImage, KGraphicObjectPtr>::operator=(P);
        return *this;
    }
    void create();
};
