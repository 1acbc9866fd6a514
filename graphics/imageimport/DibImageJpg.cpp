#include "graphics/imageimport/DibImageJpg.h"

#include "graphics/imageimport/DibImageRowIterator.h"
#include "graphics/imageimport/JpegStreamManager.h"

#include <algorithm>
#include <cstring>

#include <jerror.h>

void DibImageJpg::errorExit(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    char message[JMSG_LENGTH_MAX];
    manager->standard.format_message(info, message);
    std::strncpy(manager->lastError, message, ErrorTextSize - 1);
    manager->lastError[ErrorTextSize - 1] = '\0';
    std::longjmp(manager->jump, 1);
}

bool DibImageJpg::decode(ImageStream* stream)
{
    if (!stream)
        return false;
    char message[ErrorTextSize] = {};
    ErrorManager errors;
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = errorExit;
    // Warnings about damaged data have nowhere to go in a windowed program: the decode goes
    // on, and an error still ends it with its message.
    errors.standard.output_message = [](j_common_ptr) {};
    errors.lastError = message;
    JpegStreamManager source(stream);

    // Nothing with a destructor is made between here and the jumps back.
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        setLastError(message);
        destroy();
        return false;
    }
    jpeg_CreateDecompress(&info, JPEG_LIB_VERSION, sizeof(info));
    info.src = source.source();
    const bool read = readImage(info);
    jpeg_destroy_decompress(&info);
    if (!read)
        destroy();
    return read;
}

// False when cancelled, which leaves the last-error text as it was.
bool DibImageJpg::readImage(jpeg_decompress_struct& info)
{
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (!create(long(info.output_width), long(info.output_height), 8 * components, FormatJpeg))
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, unsigned(MaxSide));
    if (info.density_unit == 2) {
        setXDpi(long(info.X_density) * 254 / 100);
        setYDpi(long(info.Y_density) * 254 / 100);
    } else {
        setXDpi(info.X_density);
        setYDpi(info.Y_density);
    }
    if (info.jpeg_color_space == JCS_GRAYSCALE)
        setGrayPalette();

    JSAMPARRAY samples = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                    info.output_width * JDIMENSION(components), 1);
    DibImageRowIterator rows(*this);
    rows.toTop();
    while (info.output_scanline < info.output_height) {
        if (getEscape())
            return false;
        jpeg_read_scanlines(&info, samples, 1);
        storeRow(samples[0], components, rows.rowPointer());
        rows.moveDown();
    }
    jpeg_finish_decompress(&info);
    return true;
}

void DibImageJpg::storeRow(const JSAMPLE* samples, int components, uint8_t* row) const
{
    if (!row)
        return;
    const size_t width = size_t(getWidth());
    if (components == 4) {
        // Adobe's inverted CMYK: full-strength samples mean no ink.
        for (size_t x = 0; x < width; ++x, samples += 4) {
            const unsigned k = samples[3];
            row[3 * x] = uint8_t(samples[2] * k / 255);
            row[3 * x + 1] = uint8_t(samples[1] * k / 255);
            row[3 * x + 2] = uint8_t(samples[0] * k / 255);
        }
    } else if (components == 3) {
        for (size_t x = 0; x < width; ++x, samples += 3) {
            row[3 * x] = samples[2];
            row[3 * x + 1] = samples[1];
            row[3 * x + 2] = samples[0];
        }
    } else {
        std::memcpy(row, samples, std::min<size_t>(width * size_t(components), getStride()));
    }
}
