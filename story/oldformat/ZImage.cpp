#include "story/oldformat/ZImage.h"

#include "story/LumoImage.h"

Z_DEFINE_CLASS(ZImage)

ZImage::ZImage() { setKind(TapeObject::ImageKind); }

TapeObjectPtr ZImage::convertToKTapeObject() const
{
    LumoImagePtr image(new LumoImage);
    image->setBounds(convertedBounds(getBounds()));
    image->setFlag(getOption());
    image->setFileReference(mediaFileReference(getFile()));
    return TapeObjectPtr(image.get());
}
