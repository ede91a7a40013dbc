# Lumo.dll: the control library. Each subsystem folder contributes its sources.
set(LUMO_SUBSYSTEMS frame draw treedata tree door menu layout frameset skin shadow buttons controls api)
set(LUMO_SOURCES)
foreach(dir IN LISTS LUMO_SUBSYSTEMS)
  file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  list(APPEND LUMO_SOURCES ${dir_sources})
endforeach()

# The library's objects, compiled once as the extension module (_AFXEXT exports the classes,
# LUMO_BUILD the flat functions). Internal headers are reached from the source root.
add_library(LumoObjects OBJECT ${LUMO_SOURCES})
target_compile_definitions(LumoObjects PUBLIC _AFXEXT LUMO_BUILD)
target_include_directories(LumoObjects PUBLIC ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR})
target_link_libraries(LumoObjects PUBLIC LumoAfx LumoSys LumoBuf)
# Every source starts with the framework layer's headers: they are compiled once.
target_precompile_headers(LumoObjects PRIVATE <afxwin.h> <afxcmn.h> <vector>)

set(LUMO_SYSTEM_LIBS comctl32 ole32 oleaut32 uuid gdi32 user32 shell32 msimg32 shlwapi)

# Hosts see the public headers only. Lumo is the C interface (lumo.h); LumoClasses adds the
# framework layer that the exported classes' headers need.
add_library(Lumo SHARED $<TARGET_OBJECTS:LumoObjects> ${CMAKE_SOURCE_DIR}/frame/Lumo.rc)
target_include_directories(Lumo PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include> $<INSTALL_INTERFACE:include>)
target_link_libraries(Lumo PRIVATE LumoAfx LumoSys LumoBuf ${LUMO_SYSTEM_LIBS})
set_target_properties(Lumo PROPERTIES EXPORT_NAME C)
add_library(LumoClasses INTERFACE)
target_link_libraries(LumoClasses INTERFACE Lumo LumoAfx)
set_target_properties(LumoClasses PROPERTIES EXPORT_NAME Lumo)
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

# The same objects as a static library, for the library's own tests, which reach internals
# (registries, probes, subsystem classes) that Lumo.dll does not export. A program links either
# this or Lumo.dll, never both, so each module-wide registry exists once. Its sources compile
# as the module does, so the classes' declarations match their definitions.
add_library(LumoInternal STATIC $<TARGET_OBJECTS:LumoObjects>)
target_compile_definitions(LumoInternal INTERFACE _AFXEXT LUMO_BUILD)
target_include_directories(LumoInternal INTERFACE ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR})
target_link_libraries(LumoInternal INTERFACE LumoAfx LumoSys LumoBuf ${LUMO_SYSTEM_LIBS})
add_dependencies(LumoInternal LumoRes)

# The SDK: `cmake --install` lays out bin/ (the DLLs a host ships), lib/ (import libraries and
# the package configuration for find_package(Lumo)) and include/ (the public headers and the
# framework layer's).
include(CMakePackageConfigHelpers)
# The system and buffer libraries are Lumo.dll's own dependencies; hosts only ship them.
install(TARGETS Lumo LumoClasses LumoAfx LumoSys LumoBuf EXPORT LumoTargets
  RUNTIME DESTINATION bin ARCHIVE DESTINATION lib LIBRARY DESTINATION bin)
install(FILES $<TARGET_FILE:LumoRes> DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ ${CMAKE_SOURCE_DIR}/afx/include/ DESTINATION include)
install(EXPORT LumoTargets NAMESPACE Lumo:: DESTINATION lib/cmake/Lumo)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/LumoConfig.cmake.in
  ${CMAKE_BINARY_DIR}/LumoConfig.cmake INSTALL_DESTINATION lib/cmake/Lumo)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/LumoConfigVersion.cmake
  VERSION 5.3.0.8 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/LumoConfig.cmake ${CMAKE_BINARY_DIR}/LumoConfigVersion.cmake
  DESTINATION lib/cmake/Lumo)
