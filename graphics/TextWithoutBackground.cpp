#include "graphics/TextWithoutBackground.h"

#include "graphics/KAlphaImage.h"

void drawTextWithoutBackground(const KGraphicSize& Size, const std::function<void(KGraphicDevice&)>& DrawText,
                               const std::function<void(KGraphicDevice&)>& DrawInBlack, KGraphicDevice& Device,
                               const KGraphicRectangle& S, const KGraphicRectangle& D)
{
    KAlphaImagePtr image = new KAlphaImage;
    image->create(Size);
    DrawText(image->getGraphicDevice());

    KImagePtr mask = new KImage;
    mask->create(Size);
    KGraphicDevice& maskDevice = mask->getGraphicDevice();
    maskDevice.paintRect(KGraphicRectangle(0, 0, Size.getWidth(), Size.getHeight()), KColor(kWhite));
    DrawInBlack(maskDevice);

    image->setAlphaMask(*mask);
    image->setAlphaMode(KAlphaImage::kMaskByRaster);
    image->drawPart(Device, S, D);
}
