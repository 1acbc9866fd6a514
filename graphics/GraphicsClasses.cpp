#include "graphics/GraphicsClasses.h"

#include "graphics/KAlphaImage.h"
#include "graphics/KColor.h"
#include "graphics/KFont.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KGraphicObject.h"
#include "graphics/KGraphicRegion.h"
#include "graphics/KImage.h"
#include "graphics/KPrintingManager.h"
#include "graphics/KTextBlock.h"
#include "graphics/KTextBlockObject.h"
#include "graphics/KTextLine.h"
#include "graphics/KTextLineObject.h"
#include "graphics/KTextStyle.h"
#include "graphics/KTextStyleRun.h"

void kksRegisterGraphicsClasses()
{
    KGraphicObject::registerClass();
    KFont::registerClass();
    KTextStyle::registerClass();
    KTextStyleRun::registerClass();
    KTextLine::registerClass();
    KTextLineObject::registerClass();
    KTextBlock::registerClass();
    KTextBlockObject::registerClass();
    KColor::registerClass();
    KGraphicDevice::registerClass();
    KGraphicRegion::registerClass();
    KImage::registerClass();
    KAlphaImage::registerClass();
    KPrintingManager::registerClass();
}
