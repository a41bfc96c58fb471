# The release zip of this build: the stripped exe under the file name its
# version block gives, and a short text for users. `scripts/release.sh`
# makes both builds' zips in build/release/.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/version.h tallow_version_line REGEX "define TALLOW_VERSION_TEXT")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" TALLOW_VERSION_TEXT "${tallow_version_line}")

if(TALLOW_ARCH STREQUAL win32)
  set(TALLOW_RELEASE_BUILD "32-bit")
  set(TALLOW_RELEASE_WINDOWS "Windows XP with Service Pack 3, Vista, 7, 8, 8.1, 10 and 11,\r\n32-bit or 64-bit")
else()
  set(TALLOW_RELEASE_BUILD "64-bit")
  set(TALLOW_RELEASE_WINDOWS "64-bit Windows Vista, 7, 8, 8.1, 10 and 11 (for Windows XP\r\nor 32-bit Windows, take the 32-bit build)")
endif()
# Notepad before Windows 10 shows only CRLF line ends.
configure_file(${CMAKE_SOURCE_DIR}/resources/readme.txt.in ${CMAKE_BINARY_DIR}/generated/readme.txt @ONLY NEWLINE_STYLE CRLF)

install(PROGRAMS $<TARGET_FILE:tallow-divod> DESTINATION . RENAME "™Tallow Divod™.exe")
# Stripped of its debug information (CPack strips only installed targets,
# and a renamed exe cannot be installed as one).
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all \"\${CMAKE_INSTALL_PREFIX}/™Tallow Divod™.exe\" COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${CMAKE_BINARY_DIR}/generated/readme.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME TallowDivod)
set(CPACK_PACKAGE_VERSION ${TALLOW_VERSION_TEXT})
set(CPACK_PACKAGE_FILE_NAME "TallowDivod-${TALLOW_VERSION_TEXT}-${TALLOW_ARCH}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/build/release)
# The release script builds the exe; packing it need not build everything else.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
include(CPack)
