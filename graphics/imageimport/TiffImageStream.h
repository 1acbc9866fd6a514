#pragma once
// Opens libtiff on an image stream: the stream is libtiff's client handle and the seven
// client procedures work through it. The stream stays open when libtiff closes.
#include <tiffio.h>

class ImageStream;

class TiffImageStream {
public:
    // A TIFF named "TIFF IMAGE" over the stream, or null.
    static TIFF* open(ImageStream* stream, const char* mode);
    static TIFF* open(ImageStream* stream, const char* name, const char* mode);

    static tmsize_t read(thandle_t handle, void* buffer, tmsize_t size);
    static tmsize_t write(thandle_t handle, void* buffer, tmsize_t size);
    static toff_t seek(thandle_t handle, toff_t offset, int origin);
    static int close(thandle_t handle);
    static toff_t size(thandle_t handle);
    static int map(thandle_t handle, void** base, toff_t* size);
    static void unmap(thandle_t handle, void* base, toff_t size);
};
