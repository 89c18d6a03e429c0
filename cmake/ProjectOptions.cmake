# Warnings, sanitizers and the Windows link settings shared by every target.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE -Wall -Wextra)

if(WIN32)
  target_compile_definitions(project_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN
                             NOMINMAX _WIN32_WINNT=0x0601)
  # Self-contained executables: they import only system DLLs.
  target_link_options(project_options INTERFACE -static -static-libgcc -static-libstdc++)
  set(ZLIB_USE_STATIC_LIBS ON)
else()
  option(PROJECT_SANITIZE "Build the host tree with AddressSanitizer and UBSan" ON)
  if(PROJECT_SANITIZE)
    # -O1 keeps sanitized code quick to build and still quick to run.
    target_compile_options(project_options INTERFACE -fsanitize=address,undefined
                           -fno-omit-frame-pointer -fno-sanitize-recover=undefined
                           $<$<CONFIG:Debug>:-O1 -g1>)
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

find_package(ZLIB REQUIRED)
if(WIN32)
  find_package(JPEG REQUIRED)
endif()
