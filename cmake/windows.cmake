# The Windows programs: the idler itself, the practice room it posts into,
# and the desktop tests that drive both under Wine.
enable_language(RC)

# Everything links statically so the exe imports Windows' own DLLs only.
set(TALLOW_WIN_LINK -static -static-libgcc -static-libstdc++
    # ASLR (high-entropy), DEP, and the relocations ASLR needs.
    -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)

add_library(tallow_win32 STATIC
  runtime/win32/app.cpp
  runtime/win32/controls.cpp
  runtime/win32/event_pump.cpp
  runtime/win32/form_window.cpp
  runtime/win32/picture.cpp
  runtime/win32/timers.cpp
  bridge/win32/chat_client.cpp
  bridge/win32/shell.cpp
  runtime/win32/message_box.cpp
)
target_link_libraries(tallow_win32 PUBLIC tallow_core user32 gdi32 kernel32 ole32 shell32)
target_compile_definitions(tallow_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

add_executable(tallow-divod WIN32
  idler/win32/main.cpp
  idler/win32/form1_window.cpp
  windows/win32/form2_window.cpp
  windows/win32/form3_window.cpp
  resources/tallow.rc
)
target_link_libraries(tallow-divod PRIVATE tallow_win32)
target_link_options(tallow-divod PRIVATE ${TALLOW_WIN_LINK} -municode)
set_target_properties(tallow-divod PROPERTIES OUTPUT_NAME TallowDivod RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set_source_files_properties(resources/tallow.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/version.h;${CMAKE_SOURCE_DIR}/resources/tallow.manifest;${CMAKE_SOURCE_DIR}/resources/idler.ico;${CMAKE_SOURCE_DIR}/resources/main-background.jpg")

add_subdirectory(tools/practice-room)
set_target_properties(practice-room PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_subdirectory(tools/press)

option(TALLOW_DESKTOP_TESTS "Build the desktop tests" ON)
if(TALLOW_DESKTOP_TESTS)
  add_subdirectory(tests/desktop)
endif()
add_subdirectory(bench/win32)
