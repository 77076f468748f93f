# Windows build: Hanabo32.exe, and on x86_64 the end-to-end test runner that
# drives it under wine64.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 932")
set(CMAKE_RC_COMPILE_OBJECT
    "<CMAKE_RC_COMPILER> <FLAGS> -O coff <DEFINES> <INCLUDES> -i <SOURCE> -o <OBJECT>")

add_executable(Hanabo32 WIN32 ${FRONT_SOURCES} resources/hanabo.rc)
target_include_directories(Hanabo32 PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(Hanabo32 PRIVATE hanabo_core comctl32 comdlg32 gdi32 winmm shell32 ole32 user32 kernel32)
# One self-contained .exe: no MinGW runtime DLLs beside it.
target_link_options(Hanabo32 PRIVATE -static -static-libgcc -static-libstdc++)
hanabo_warnings(Hanabo32)

# Everything a player needs ships beside the program.
# The sounds go in their own "Sound" folder.
file(GLOB SHIPPED LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/ship/*)
file(GLOB SHIPPED_SOUNDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/ship/Sound/*)
if(SHIPPED)
  add_custom_command(TARGET Hanabo32 POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${SHIPPED} $<TARGET_FILE_DIR:Hanabo32>
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:Hanabo32>/Sound
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${SHIPPED_SOUNDS} $<TARGET_FILE_DIR:Hanabo32>/Sound)
endif()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # hanabo-tool for Windows: the end-to-end tests deal and play boards with it.
  add_executable(hanabo-tool tools/hanabo_tool.cpp tools/silent_front_end.cpp tools/solve_progress.cpp
                 storage/replace_file_win32.cpp)
  target_link_libraries(hanabo-tool PRIVATE hanabo_core)
  target_link_options(hanabo-tool PRIVATE -static -static-libgcc -static-libstdc++)
  hanabo_warnings(hanabo-tool)

  # board-picture for Windows: the screenshot tests draw the client area the
  # program should paint with it, from the built-in pictures copied beside it.
  add_executable(board-picture tools/board_picture.cpp tools/silent_front_end.cpp storage/replace_file_win32.cpp)
  target_link_libraries(board-picture PRIVATE hanabo_core)
  target_link_options(board-picture PRIVATE -static -static-libgcc -static-libstdc++)
  hanabo_warnings(board-picture)
  add_custom_command(TARGET board-picture POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:board-picture>/builtin
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/tiles.bmp
            ${CMAKE_SOURCE_DIR}/resources/baricons.bmp $<TARGET_FILE_DIR:board-picture>/builtin)

  file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
  # The runner reads hanabo-tool's boards with the program's saved-game
  # parser, which comes with the files module and so with its Windows rewrite.
  add_executable(hanabo_e2e ${E2E_SOURCES} storage/replace_file_win32.cpp)
  target_include_directories(hanabo_e2e PRIVATE ${CMAKE_SOURCE_DIR})
  # The runner reads pictures with the program's own bitmap reader.
  target_link_libraries(hanabo_e2e PRIVATE hanabo_core gtest gtest_main user32 gdi32 comctl32 advapi32)
  target_link_options(hanabo_e2e PRIVATE -static -static-libgcc -static-libstdc++)
  hanabo_warnings(hanabo_e2e)
  # The runner starts these beside it.
  add_dependencies(hanabo_e2e board-picture hanabo-tool)
endif()
