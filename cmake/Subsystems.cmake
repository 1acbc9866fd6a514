# One static library per subsystem folder. The layers call each other both ways (a timer
# hands itself to the application's timer manager, the fatal path asks the application
# object), so programs link all of them as one group that the linker rescans.
set(K_SUBSYSTEMS foundation graphics application controls multimedia story tools speechextras player)
set(K_SYSTEM_LIBRARIES
    ole32 oleaut32 uuid comctl32 comdlg32 shell32 gdi32 user32 kernel32 advapi32 winmm msimg32
    dsound dxguid strmiids version)

add_library(k_all INTERFACE)
set(k_libraries)
foreach(name IN LISTS K_SUBSYSTEMS)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/${name}/*.cpp" "${CMAKE_SOURCE_DIR}/${name}/*.c")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${name} PRIVATE PNG::PNG JPEG::JPEG TIFF::TIFF)
    list(APPEND k_libraries ${name})
  endif()
endforeach()
target_include_directories(k_all INTERFACE "${CMAKE_SOURCE_DIR}")
if(k_libraries)
  string(REPLACE ";" "," k_group "${k_libraries}")
  target_link_libraries(k_all INTERFACE "$<LINK_GROUP:RESCAN,${k_group}>")
endif()
target_link_libraries(k_all INTERFACE TIFF::TIFF PNG::PNG JPEG::JPEG ZLIB::ZLIB ${K_SYSTEM_LIBRARIES})
