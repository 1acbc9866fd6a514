# The image libraries are cross-built by scripts/setup.sh into the build folder; zlib comes
# from the mingw-w64 package. Everything is linked statically.
set(K_DEPS_PREFIX "${CMAKE_BINARY_DIR}/deps/prefix" CACHE PATH "Cross-built image libraries")
if(NOT EXISTS "${K_DEPS_PREFIX}/.complete")
  message(FATAL_ERROR "The image libraries are missing from ${K_DEPS_PREFIX}: run scripts/setup.sh")
endif()
list(PREPEND CMAKE_FIND_ROOT_PATH "${K_DEPS_PREFIX}")
list(PREPEND CMAKE_PREFIX_PATH "${K_DEPS_PREFIX}")

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(TIFF REQUIRED)

# libtiff's static archive also needs the codecs it was built with.
set_property(TARGET TIFF::TIFF APPEND PROPERTY INTERFACE_LINK_LIBRARIES JPEG::JPEG ZLIB::ZLIB)
