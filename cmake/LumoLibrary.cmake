# Lumo.dll: the control library. Each subsystem folder contributes its sources.
set(LUMO_SUBSYSTEMS frame draw treedata tree door menu layout frameset skin shadow buttons controls api)
set(LUMO_SOURCES)
foreach(dir IN LISTS LUMO_SUBSYSTEMS)
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(APPEND LUMO_SOURCES ${dir_sources})
endforeach()

add_library(Lumo SHARED ${LUMO_SOURCES} ${CMAKE_SOURCE_DIR}/frame/Lumo.rc)
target_compile_definitions(Lumo PRIVATE LUMO_BUILD)
target_include_directories(Lumo PUBLIC ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR})
target_link_libraries(Lumo PUBLIC LumoAfx LumoSys LumoBuf
  PRIVATE comctl32 ole32 oleaut32 uuid gdi32 user32 shell32 msimg32 shlwapi)
if(LUMO_X86)
  # Flat functions are WINAPI (stdcall); export them by their plain names.
  target_link_options(Lumo PRIVATE -Wl,--kill-at)
endif()
add_dependencies(Lumo LumoRes)
