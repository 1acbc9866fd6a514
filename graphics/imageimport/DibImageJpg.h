#pragma once
// Reads JPEG images through libjpeg into 24-bit colour or 8-bit grey.
#include "graphics/imageimport/DibImage.h"

#include <csetjmp>

#include <jpeglib.h>

class DibImageJpg : public DibImage {
public:
    DibImageJpg() : DibImage(FormatJpeg) {}
    bool decode(ImageStream* stream);

    // libjpeg's fatal-error exit: keeps libjpeg's message and jumps back into decode.
    static void errorExit(j_common_ptr info);

private:
    struct ErrorManager {
        jpeg_error_mgr standard;
        jmp_buf jump;
        char* lastError;
    };

    bool readImage(jpeg_decompress_struct& info);
    void storeRow(const JSAMPLE* samples, int components, uint8_t* row) const;
};
