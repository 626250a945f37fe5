# Host tools (image packer, compiler) are native programs: they are built as
# a separate CMake tree with the host compiler and used by the Windows build.
include(ExternalProject)

set(HOST_TOOLS_DIR "${CMAKE_BINARY_DIR}/host")
option(TAVOC_SANITIZE "Build the host tools with AddressSanitizer and UBSan" OFF)
ExternalProject_Add(host_tools
  SOURCE_DIR "${CMAKE_SOURCE_DIR}/tools"
  BINARY_DIR "${HOST_TOOLS_DIR}"
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTAVOC_SANITIZE=${TAVOC_SANITIZE}
             -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
             -DCMAKE_TOOLCHAIN_FILE=
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS "${HOST_TOOLS_DIR}/imagepack/imagepack" "${HOST_TOOLS_DIR}/handimages/handimages"
                   "${HOST_TOOLS_DIR}/compiler/tavoc" "${HOST_TOOLS_DIR}/archivewriter/tqwrite"
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

set(IMAGEPACK "${HOST_TOOLS_DIR}/imagepack/imagepack")
set(HANDIMAGES "${HOST_TOOLS_DIR}/handimages/handimages")
set(TAVOC "${HOST_TOOLS_DIR}/compiler/tavoc")
set(TQWRITE "${HOST_TOOLS_DIR}/archivewriter/tqwrite")

# Host test programs run natively (no emulator): they are listed by path.
function(add_host_test name path)
  add_test(NAME ${name} COMMAND "${HOST_TOOLS_DIR}/${path}")
endfunction()

# A copy of runner.exe with `image` appended: add_packed_runner(target image output)
function(add_packed_runner target image output)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${IMAGEPACK}" append "$<TARGET_FILE:runner>" "${image}" "${output}"
    DEPENDS runner host_tools "${IMAGEPACK}" "${image}"
    COMMENT "Packing ${image} into ${output}")
  add_custom_target(${target} ALL DEPENDS "${output}")
endfunction()

# The four loose image files in `dir`: add_loose_image(target image dir)
function(add_loose_image target image dir)
  set(files "${dir}/code1.dat" "${dir}/code2.dat" "${dir}/data1.dat" "${dir}/data2.dat")
  add_custom_command(OUTPUT ${files}
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${dir}"
    COMMAND "${IMAGEPACK}" loose "${image}" "${dir}"
    DEPENDS host_tools "${IMAGEPACK}" "${image}"
    COMMENT "Writing ${image} as loose files in ${dir}")
  add_custom_target(${target} ALL DEPENDS ${files})
endfunction()

# The archives of a list (see tqwrite's usage) written into `dir`, with
# dir/index.txt naming them: add_archive_set(target list dir)
function(add_archive_set target list dir)
  add_custom_command(OUTPUT "${dir}/index.txt"
    COMMAND "${TQWRITE}" --set "${list}" "${dir}"
    DEPENDS host_tools "${TQWRITE}" "${list}"
    COMMENT "Writing the archives of ${list}")
  add_custom_target(${target} ALL DEPENDS "${dir}/index.txt")
endfunction()

# A program of the application language compiled and packed into a copy of
# runner.exe: add_compiled_runner(target output source... [PLUGINS name=dll_target...]),
# the plugins embedded in the order given.
function(add_compiled_runner target output)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "PLUGINS")
  set(sources ${arg_UNPARSED_ARGUMENTS})
  set(plugin_options "")
  set(plugin_targets "")
  foreach(plugin IN LISTS arg_PLUGINS)
    string(REPLACE "=" ";" parts "${plugin}")
    list(GET parts 0 plugin_name)
    list(GET parts 1 plugin_target)
    list(APPEND plugin_options --plugin "${plugin_name}=$<TARGET_FILE:${plugin_target}>")
    list(APPEND plugin_targets ${plugin_target})
  endforeach()
  get_filename_component(stem "${output}" NAME_WE)
  set(image "${CMAKE_CURRENT_BINARY_DIR}/${stem}.img")
  add_custom_command(OUTPUT "${image}"
    COMMAND "${TAVOC}" -o "${image}" --map "${CMAKE_CURRENT_BINARY_DIR}/${stem}.map" ${plugin_options} ${sources}
    DEPENDS host_tools "${TAVOC}" ${sources} ${plugin_targets}
    WORKING_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}"
    COMMENT "Compiling ${stem}")
  add_packed_runner(${target} "${image}" "${output}")
endfunction()
