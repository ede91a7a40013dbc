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
# The version the resource script and GetDllVersion report comes from the project's version.
configure_file(${CMAKE_SOURCE_DIR}/frame/LumoVersion.h.in ${CMAKE_BINARY_DIR}/generated/LumoVersion.h @ONLY)
target_include_directories(LumoObjects PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_precompile_headers(LumoObjects PRIVATE <afxwin.h> <afxcmn.h> <vector>)

set(LUMO_SYSTEM_LIBS comctl32 ole32 oleaut32 uuid gdi32 user32 shell32 msimg32 shlwapi)

# Hosts see the public headers only. Lumo is the C interface (lumo.h); LumoClasses adds the
# framework layer that the exported classes' headers need.
add_library(Lumo SHARED $<TARGET_OBJECTS:LumoObjects> ${CMAKE_SOURCE_DIR}/frame/Lumo.rc)
# Installed, the public headers lie in include/lumo/: hosts write <lumo/lumo.h>, or "lumo.h".
target_include_directories(Lumo PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:include/lumo> $<INSTALL_INTERFACE:include>)
target_link_libraries(Lumo PRIVATE LumoAfx LumoSys LumoBuf ${LUMO_SYSTEM_LIBS})
target_include_directories(Lumo PRIVATE ${CMAKE_BINARY_DIR}/generated)
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
else()
  # lumo.def lists the flat functions the DLL exports, for toolchains that make their own import
  # library from it. The linker writes every export; the classes' mangled names are left out, as
  # only the compiler that built the library can call them.
  set(lumo_def ${CMAKE_BINARY_DIR}/Lumo-exports.def)
  target_link_options(Lumo PRIVATE -Wl,--output-def,${lumo_def})
  add_custom_command(TARGET Lumo POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DIN=${lumo_def} -DOUT=${CMAKE_BINARY_DIR}/lumo.def
      -P ${CMAKE_SOURCE_DIR}/cmake/WriteFlatDef.cmake
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
