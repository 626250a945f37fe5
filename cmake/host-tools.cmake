# Host tools (image packer, compiler) are native programs: they are built as
# a separate CMake tree with the host compiler and used by the Windows build.
include(ExternalProject)

set(HOST_TOOLS_DIR "${CMAKE_BINARY_DIR}/host")
ExternalProject_Add(host_tools
  SOURCE_DIR "${CMAKE_SOURCE_DIR}/tools"
  BINARY_DIR "${HOST_TOOLS_DIR}"
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
             -DCMAKE_TOOLCHAIN_FILE=
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

set(IMAGEPACK "${HOST_TOOLS_DIR}/imagepack/imagepack")

# Host test programs run natively (no emulator): they are listed by path.
function(add_host_test name path)
  add_test(NAME ${name} COMMAND "${HOST_TOOLS_DIR}/${path}")
endfunction()
