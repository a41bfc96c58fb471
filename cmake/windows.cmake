# The Windows programs: the idler itself, the practice room it posts into,
# and (with BUILD_TESTING) the tests and benchmarks, the desktop tests
# driving both under Wine. Two builds of the same sources: 64-bit (preset
# mingw) and 32-bit (preset mingw32).
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TALLOW_ARCH win64)
  set(TALLOW_MANIFEST_ARCH amd64)
  # The oldest Windows the exe must start on, for the PE gate.
  set(TALLOW_OLDEST_WINDOWS vista-x64)
  # Vista's 6.0: XP x64 and Server 2003 x64 (5.2) then refuse the exe at
  # once, where with 5.2 they would load it and fail on a Vista import.
  set(TALLOW_SUBSYSTEM_VERSION 6.0)
  # High-entropy ASLR needs a 64-bit address space.
  set(TALLOW_ARCH_LINK -Wl,--high-entropy-va)
  # The headers as 64-bit Vista has them.
  set(TALLOW_WINNT 0x0600)
else()
  set(TALLOW_ARCH win32)
  set(TALLOW_MANIFEST_ARCH x86)
  set(TALLOW_OLDEST_WINDOWS xp-sp3-x86)
  set(TALLOW_SUBSYSTEM_VERSION 5.1)
  set(TALLOW_ARCH_LINK)
  set(TALLOW_WINNT 0x0501)
  if(BUILD_TESTING)
    # The -win32 thread flavour has no std::mutex, which GoogleTest's
    # Notification needs; it gets one without.
    target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
    target_compile_options(gtest PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/gtest-notification.h)
  endif()
endif()
# Every program of the build (the idler, the practice room, the tests and
# benchmarks) sees the headers of the oldest Windows the exe is for: a flag,
# structure size or function that Windows lacks is then a compile error here,
# not a fault on a user's machine. A test program that needs a newer
# declaration says so in its own source.
add_compile_definitions(_WIN32_WINNT=${TALLOW_WINNT} WINVER=${TALLOW_WINNT})

string(REPLACE "." ";" tallow_subsystem "${TALLOW_SUBSYSTEM_VERSION}")
list(GET tallow_subsystem 0 tallow_subsystem_major)
list(GET tallow_subsystem 1 tallow_subsystem_minor)

# Everything links statically so the exe imports Windows' own DLLs only.
set(TALLOW_WIN_LINK -static -static-libgcc -static-libstdc++
    # ASLR, DEP, and the relocations ASLR needs.
    -Wl,--dynamicbase -Wl,--nxcompat ${TALLOW_ARCH_LINK}
    # No link time in the header: the same sources give the same exe.
    -Wl,--no-insert-timestamp
    # The oldest Windows that loads it (XP SP3 is 5.1, Vista 6.0).
    -Wl,--major-subsystem-version,${tallow_subsystem_major} -Wl,--minor-subsystem-version,${tallow_subsystem_minor}
    -Wl,--major-os-version,${tallow_subsystem_major} -Wl,--minor-os-version,${tallow_subsystem_minor})

# The idler's own code, in its libraries and its exe: optimised for size
# (nothing in it runs long enough for speed to show), every function and
# datum in a section of its own, which the linker drops when nothing uses it;
# no exceptions (nothing in it catches one; runtime/win32/fail_fast.cpp ends
# the process where the C++ library would throw), no RTTI, no locks around
# static locals (one thread). As C++20 (the whole tree's standard),
# libstdc++ instantiates std::wstring's members in our objects, built
# without exceptions, rather than linking its prebuilt ones, which throw.
# Nothing unwinds a 32-bit stack, so it has no DWARF unwind tables; 64-bit
# Windows needs its unwind tables (SEH) and keeps them.
set(TALLOW_PRODUCT_COMPILE -Os -fno-exceptions -fno-rtti -fno-threadsafe-statics -ffunction-sections -fdata-sections)
if(TALLOW_ARCH STREQUAL win32)
  list(APPEND TALLOW_PRODUCT_COMPILE -fno-asynchronous-unwind-tables)
endif()
function(tallow_product_target target)
  target_compile_options(${target} PRIVATE ${TALLOW_PRODUCT_COMPILE})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL EXECUTABLE)
    target_link_options(${target} PRIVATE -Wl,--gc-sections)
  endif()
endfunction()
foreach(layer tallow_codec tallow_runtime tallow_bridge tallow_windows tallow_idler tallow_app)
  tallow_product_target(${layer})
endforeach()

# The platform's side of two layers: the windowing runtime on Win32, and the
# bridge's desktop (the chat client's windows, our own, the shell).
add_library(tallow_runtime_win32 STATIC
  runtime/win32/base_window.cpp
  runtime/win32/common_controls.cpp
  runtime/win32/controls.cpp
  runtime/win32/dpi.cpp
  runtime/win32/event_pump.cpp
  runtime/win32/fonts.cpp
  runtime/win32/form_window.cpp
  runtime/win32/message_box.cpp
  runtime/win32/performance_clock.cpp
  runtime/win32/picture.cpp
  runtime/win32/system_dlls.cpp
)
target_link_libraries(tallow_runtime_win32 PUBLIC tallow_runtime tallow_codec user32 gdi32 kernel32)
target_compile_definitions(tallow_runtime_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
add_library(tallow_bridge_win32 STATIC
  bridge/win32/chat_client.cpp
  bridge/win32/desktop_windows.cpp
  bridge/win32/shell.cpp
)
target_link_libraries(tallow_bridge_win32 PUBLIC tallow_bridge tallow_runtime_win32)
tallow_product_target(tallow_runtime_win32)
tallow_product_target(tallow_bridge_win32)

# The manifest names the exe's processor architecture.
configure_file(resources/tallow.manifest.in ${CMAKE_BINARY_DIR}/generated/tallow.manifest @ONLY)
# The version is project()'s. Its text, in the version block and the release
# zips' names, is major.minor.tweak: the patch number stays 0 and is left out.
if(NOT PROJECT_VERSION_PATCH EQUAL 0)
  message(FATAL_ERROR "The version's text leaves out the patch number; ${PROJECT_VERSION} has one")
endif()
set(TALLOW_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_TWEAK}")
configure_file(resources/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
# The small place that wires it all into a program, with the resources.
set(TALLOW_IDLER_SOURCES
  ${CMAKE_SOURCE_DIR}/app/win32/main.cpp
  ${CMAKE_SOURCE_DIR}/runtime/win32/fail_fast.cpp
  ${CMAKE_SOURCE_DIR}/resources/tallow.rc
)
set(TALLOW_IDLER_LIBRARIES tallow_app tallow_bridge_win32)
add_executable(tallow-divod WIN32 ${TALLOW_IDLER_SOURCES})
tallow_product_target(tallow-divod)
target_link_libraries(tallow-divod PRIVATE ${TALLOW_IDLER_LIBRARIES})
target_link_options(tallow-divod PRIVATE ${TALLOW_WIN_LINK} -municode)
set_target_properties(tallow-divod PROPERTIES OUTPUT_NAME TallowDivod RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The resource script finds the generated manifest and version.h there.
target_include_directories(tallow-divod PRIVATE ${CMAKE_BINARY_DIR}/generated)
file(GLOB tallow_resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.jpg)
set_source_files_properties(resources/tallow.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_BINARY_DIR}/generated/version.h;${CMAKE_BINARY_DIR}/generated/tallow.manifest;${tallow_resource_files}")

add_subdirectory(tools/practice-room)
set_target_properties(practice-room PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_subdirectory(tools/press)

if(BUILD_TESTING)
  # The PE gate: would the exe start on the oldest Windows it is for?
  add_subdirectory(tests/pe)

  option(TALLOW_DESKTOP_TESTS "Build the desktop tests" ON)
  if(TALLOW_DESKTOP_TESTS)
    add_subdirectory(tests/desktop)
    # The hardening test's build of the idler is built as the idler is.
    tallow_product_target(tallow-divod-without-default-dirs)
    add_subdirectory(bench/win32)
  endif()
endif()

include(cmake/release.cmake)
