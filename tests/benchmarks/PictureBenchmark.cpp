#include "tests/benchmarks/Benchmarks.h"

#include "foundation/KFileReference.h"
#include "foundation/KPath.h"
#include "foundation/KernelFunctions.h"
#include "graphics/KAlphaImage.h"
#include "graphics/KGraphicDevice.h"
#include "graphics/KImage.h"
#include "story/LumoImage.h"
#include "tests/benchmarks/ImageFiles.h"

#include <cstdio>
#include <memory>

namespace bench {

namespace {

KFileReference referenceOf(const std::string& Path)
{
    KPath path;
    path.setPathText(KString(Path.c_str()), kPlatformWindows);
    return KFileReference(path);
}

// A story picture at its own size, drawn onto a page of that size as a page redraw does.
struct PictureDraw {
    std::shared_ptr<KImage> page;
    LumoImagePtr picture;

    PictureDraw(const std::string& Path, short Width, short Height, bool Masked)
        : page(std::make_shared<KImage>())
        , picture(new LumoImage)
    {
        page->create(Width, Height);
        picture->setFileReference(referenceOf(Path));
        picture->setBounds(KGraphicRectangle(0, 0, Width, Height));
        picture->setFlag(Masked ? 1 : 0);
    }
    double operator()() const
    {
        const KGraphicRectangle whole(0, 0, page->getSize().getWidth(), page->getSize().getHeight());
        const double start = now();
        picture->draw(page->getGraphicDevice(), whole, whole);
        return now() - start;
    }
};

void addMaskedDraw(std::vector<Figure>& Figures, const std::string& Folder, long Width, long Height)
{
    char name[96];
    std::snprintf(name, sizeof name, "%s\\picture%ldx%ld.jpg", Folder.c_str(), Width, Height);
    const std::string path = name;
    writeJpeg(path, makeScene(Width, Height), 85);
    Figure figure;
    std::snprintf(name, sizeof name, "masked picture draw %ldx%ld", Width, Height);
    figure.name = name;
    figure.reference = "the same picture unmasked";
    figure.measured = PictureDraw(path, short(Width), short(Height), true);
    figure.referenced = PictureDraw(path, short(Width), short(Height), false);
    figure.ratioGoal = 2;
    Figures.push_back(figure);
}

// Sprites with a soft-edged mask in the per-pixel mode, made and drawn as a page of a
// story shows them; the reference draws the same pictures without masks.
struct SpritePage {
    bool alpha;
    std::shared_ptr<KImage> page = std::make_shared<KImage>();
    std::shared_ptr<KImage> picture = std::make_shared<KImage>();

    explicit SpritePage(bool Alpha)
        : alpha(Alpha)
    {
        page->create(800, 600);
        picture->create(160, 120);
        KGraphicDevice& device = picture->getGraphicDevice();
        device.paintRect(KGraphicRectangle(0, 0, 160, 120), KColor(kBlue));
        device.paintRect(KGraphicRectangle(20, 10, 120, 100), KColor(kYellow));
    }
    double operator()() const
    {
        const double start = now();
        for (short i = 0; i < 20; ++i) {
            const KGraphicRectangle target(short(40 * (i % 5) * 4 / 2), short(120 * (i / 5)), 160, 120);
            KAlphaImagePtr sprite(new KAlphaImage);
            sprite->create(160, 120);
            picture->drawAt(sprite->getGraphicDevice(), KGraphicPoint(0, 0));
            if (alpha) {
                KImagePtr mask(new KImage);
                mask->create(160, 120);
                KGraphicDevice& shade = mask->getGraphicDevice();
                shade.paintRect(KGraphicRectangle(0, 0, 160, 120), KColor(kWhite));
                shade.paintRect(KGraphicRectangle(10, 5, 140, 110), KColor(0x8000, 0x8000, 0x8000));
                shade.paintRect(KGraphicRectangle(30, 20, 100, 80), KColor(kBlack));
                sprite->setAlphaMode(KAlphaImage::kPerPixelAlpha);
                sprite->setAlphaMask(*mask);
            }
            sprite->draw(page->getGraphicDevice(), target);
        }
        return now() - start;
    }
};

} // namespace

void addPictureFigures(std::vector<Figure>& Figures, const std::string& Folder)
{
    addMaskedDraw(Figures, Folder, 640, 480);
    addMaskedDraw(Figures, Folder, 2000, 1500);
    Figure page;
    page.name = "800x600 page, 20 alpha sprites";
    page.reference = "the same sprites without masks";
    page.measured = SpritePage(true);
    page.referenced = SpritePage(false);
    Figures.push_back(page);
}

} // namespace bench
