# One static library per layer folder, in layer order (cmake/Layers.cmake). Each names the
# libraries of the levels below its own, so a program or a test links a layer with
# exactly what it stands on.
include(cmake/Layers.cmake)
set(K_SYSTEM_LIBRARIES
    ole32 oleaut32 uuid comctl32 comdlg32 shell32 gdi32 user32 kernel32 advapi32 winmm msimg32
    dsound dxguid strmiids version)

set(k_libraries)
foreach(name IN LISTS K_LAYERS)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/${name}/*.cpp" "${CMAKE_SOURCE_DIR}/${name}/*.c")
  if(NOT sources)
    continue()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}")
  foreach(below IN LISTS k_libraries)
    if(K_LEVEL_${below} LESS K_LEVEL_${name})
      target_link_libraries(${name} PUBLIC ${below})
    endif()
  endforeach()
  list(APPEND k_libraries ${name})
endforeach()
target_link_libraries(foundation PUBLIC ${K_SYSTEM_LIBRARIES})
target_link_libraries(graphics PUBLIC TIFF::TIFF PNG::PNG JPEG::JPEG ZLIB::ZLIB)

# The whole system, for the program and the tools built with everything.
add_library(k_all INTERFACE)
list(GET k_libraries -1 k_top)
target_link_libraries(k_all INTERFACE ${k_top})
