#include "controls/KStaticImageControl.h"

#include "graphics/KColor.h"

namespace {
constexpr uint32 kVisibleAndEnabled = 0x180;
} // namespace

K_DEFINE_CLASS(KStaticImageControl, KControl, 1)

KStaticImageControl::KStaticImageControl()
{
    getActionMask().clearAll();
    clearStateFlags(0xFFFFFFFF);
    setStateFlags(kVisibleAndEnabled);
}

KStaticImageControl::KStaticImageControl(long ResourceNumber)
{
    getActionMask().clearAll();
    clearStateFlags(AcceptsFocusFlag);
    KImagePtr image = new KImage;
    setImage(*image);
    image->createFromResource(static_cast<short>(ResourceNumber));
    setSize(image->getSize());
}

KStaticImageControl::~KStaticImageControl() { clearImage(); }

void KStaticImageControl::draw()
{
    KGraphicDevicePtr device;
    KGraphicRectangle area;
    if (!acquireGraphicDevice(device, area))
        return;
    if (hasImage()) {
        m_image->draw(*device, area);
    } else {
        device->setForeColor(KColor(kGray));
        device->setDrawMode(KGraphicDeviceState::kCopy);
        device->paintRect(area);
    }
    releaseGraphicDevice(device);
}

void KStaticImageControl::setImage(KImage& Image)
{
    m_image = Image;
    draw();
}

void KStaticImageControl::clearImage()
{
    m_image.reset();
    draw();
}
