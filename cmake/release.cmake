# The release zip of this build: the stripped exe and a short text for users.
# `scripts/release.sh` makes both builds' zips in build/release/, the same
# bytes from the same commit wherever and whenever they are built. Every name
# in them is plain ASCII: Windows' own "Extract All" before Windows 10 ignores
# a zip's UTF-8 names and reads them in the OEM code page, which has no "™".
# The exe's version block keeps its OriginalFilename, "™Tallow Divod™.exe".
set(TALLOW_RELEASE_NAME "TallowDivod-${TALLOW_VERSION_TEXT}-${TALLOW_ARCH}")

if(TALLOW_ARCH STREQUAL win32)
  set(TALLOW_RELEASE_BUILD "32-bit")
  set(TALLOW_RELEASE_WINDOWS "Windows XP with Service Pack 3, Vista, 7, 8, 8.1, 10 and 11,\r\n32-bit or 64-bit, on a Pentium Pro, Pentium II or any later processor")
else()
  set(TALLOW_RELEASE_BUILD "64-bit")
  set(TALLOW_RELEASE_WINDOWS "64-bit Windows Vista, 7, 8, 8.1, 10 and 11 (for Windows XP\r\nor 32-bit Windows, take the 32-bit build)")
endif()
# Notepad before Windows 10 shows only CRLF line ends. The text is ASCII, so
# every code page reads it alike.
file(READ ${CMAKE_SOURCE_DIR}/resources/readme.txt.in tallow_readme)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/readme.txt.in)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/readme.txt CONTENT "${tallow_readme}" @ONLY NEWLINE_STYLE CRLF)

set(TALLOW_RELEASE_EXE "Tallow Divod.exe")
install(PROGRAMS $<TARGET_FILE:tallow-divod> DESTINATION . RENAME "${TALLOW_RELEASE_EXE}")
# Stripped of its debug information; -p keeps the header's time stamp as the
# linker left it (none), where strip would write the time of day.
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all -p \"\${CMAKE_INSTALL_PREFIX}/${TALLOW_RELEASE_EXE}\" COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${CMAKE_BINARY_DIR}/generated/readme.txt DESTINATION .)

# Packed by a script of ours rather than CPack, whose zips hold each file's
# access and change times and the packing machine's time zone.
add_custom_target(release-zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf release-stage
  COMMAND ${CMAKE_COMMAND} --install . --prefix release-stage/${TALLOW_RELEASE_NAME}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/build/release
  COMMAND python3 -X utf8 ${CMAKE_SOURCE_DIR}/scripts/pack-zip.py
          ${CMAKE_SOURCE_DIR}/build/release/${TALLOW_RELEASE_NAME}.zip release-stage/${TALLOW_RELEASE_NAME}
  DEPENDS tallow-divod
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  VERBATIM)

if(BUILD_TESTING)
  # The zip as this build would pack it: ASCII names only.
  add_test(NAME pe.release_zip_names_are_ascii
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/pe/release-zip.sh ${CMAKE_BINARY_DIR} ${TALLOW_RELEASE_NAME})
  set_tests_properties(pe.release_zip_names_are_ascii PROPERTIES LABELS pe)
endif()
