# The release: lumora-<version>-win32.zip holding lumora.exe, signed when a
# certificate is given, and the users' text, with its SHA-256 beside it as
# `sha256sum -c` reads it, and the winget and scoop manifests for it.
#   cmake --build --preset windows --target package
# Windows users read the text in Notepad, so its lines end as Windows ends them.
configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt.in
               ${PROJECT_BINARY_DIR}/packaging/README.txt @ONLY NEWLINE_STYLE WIN32)
install(TARGETS lumora RUNTIME DESTINATION . COMPONENT lumora)
install(SCRIPT ${PROJECT_SOURCE_DIR}/packaging/sign-installed.cmake COMPONENT lumora)
install(FILES ${PROJECT_BINARY_DIR}/packaging/README.txt DESTINATION . COMPONENT lumora)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VERSION ${LUMORA_VERSION_TEXT})
set(CPACK_PACKAGE_FILE_NAME lumora-${LUMORA_VERSION_TEXT}-${LUMORA_PLATFORM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_COMPONENTS_ALL lumora)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/release)
set(CPACK_LUMORA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_LUMORA_PYTHON ${Python3_EXECUTABLE})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/release-check.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/manifests.cmake)
include(CPack)
