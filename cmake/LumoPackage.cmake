# The SDK. `cmake --install` lays out bin/ (the DLLs a host ships), lib/ (import libraries, the
# package configuration for find_package(Lumo) and lumo.def) and include/lumo/ (the public
# headers, with the framework layer's in include/lumo/afx/). Nothing lands in include/ itself,
# where headers named like the platform framework's would shadow them in a developer's path;
# the targets add include/lumo and include/lumo/afx for hosts.
include(CMakePackageConfigHelpers)
# The system and buffer libraries are Lumo.dll's own dependencies; hosts only ship them.
install(TARGETS Lumo LumoClasses LumoAfx LumoSys LumoBuf EXPORT LumoTargets
  RUNTIME DESTINATION bin ARCHIVE DESTINATION lib LIBRARY DESTINATION bin)
install(FILES $<TARGET_FILE:LumoRes> DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ DESTINATION include/lumo FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/afx/include/ DESTINATION include/lumo/afx
  FILES_MATCHING PATTERN "*.h")
if(NOT LUMO_X86)
  install(FILES ${CMAKE_BINARY_DIR}/lumo.def DESTINATION lib)
endif()
install(EXPORT LumoTargets NAMESPACE Lumo:: DESTINATION lib/cmake/Lumo)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/LumoConfig.cmake.in
  ${CMAKE_BINARY_DIR}/LumoConfig.cmake INSTALL_DESTINATION lib/cmake/Lumo)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/LumoConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/LumoConfig.cmake ${CMAKE_BINARY_DIR}/LumoConfigVersion.cmake
  DESTINATION lib/cmake/Lumo)

# The release archive: `cmake --build --preset x64 --target package` makes
# Lumo-<version>-win64.zip, the SDK above in a folder of that name with the licence, a README
# for its users, the reference and the README's example beside it. Those go into the archive
# only (a component of their own that a plain install leaves out), not into an install prefix.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT Archive EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/README-archive.md DESTINATION . RENAME README.md
  COMPONENT Archive EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/docs/reference.md DESTINATION doc COMPONENT Archive EXCLUDE_FROM_ALL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/gallery DESTINATION doc COMPONENT Archive EXCLUDE_FROM_ALL
  FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/tests/sdk/hosts/door_host DESTINATION examples
  COMPONENT Archive EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Lumo)
set(CPACK_PACKAGE_VENDOR "The Lumo developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The archive's name without .zip, also the folder inside it (the tests unpack it by this name;
# CPack's own variable does not keep its value past include(CPack)).
if(LUMO_X86)
  set(LUMO_ARCHIVE_NAME Lumo-${PROJECT_VERSION}-win32)
else()
  set(LUMO_ARCHIVE_NAME Lumo-${PROJECT_VERSION}-win64)
endif()
set(CPACK_PACKAGE_FILE_NAME ${LUMO_ARCHIVE_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# The DLLs go without their debugging information, which the build tree keeps.
set(CPACK_STRIP_FILES ON)
# Every component installed without one, then the archive's own files.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Lumo;ALL;/;${CMAKE_BINARY_DIR};Lumo;Archive;/")
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
