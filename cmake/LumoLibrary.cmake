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
  # Flat functions are WINAPI (stdcall): the DLL exports them by their plain names, while C
  # callers refer to Name@N. The import library therefore maps each decorated name to the plain
  # export; ld's own import library would only know the plain names.
  set(lumo_def ${CMAKE_BINARY_DIR}/Lumo-exports.def)
  target_link_options(Lumo PRIVATE -Wl,--kill-at -Wl,--output-def,${lumo_def})
  add_custom_command(TARGET Lumo POST_BUILD
    COMMAND sed -E "s/^([[:space:]]*)[A-Za-z_0-9]+ = ([^ ]+)/\\1\\2/" ${lumo_def} > ${lumo_def}.decorated
    COMMAND ${LUMO_TRIPLE}-dlltool -d ${lumo_def}.decorated -D Lumo.dll -l $<TARGET_LINKER_FILE:Lumo> --kill-at
    VERBATIM)
endif()
add_dependencies(Lumo LumoRes)
