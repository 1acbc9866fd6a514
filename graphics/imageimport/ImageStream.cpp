#include "graphics/imageimport/ImageStream.h"

bool ImageStream::putc(int byte)
{
    const unsigned char value = static_cast<unsigned char>(byte);
    return write(&value, 1, 1) == 1;
}
