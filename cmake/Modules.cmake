# Shared settings for the project's own targets: warnings as errors, the
# include root at src/, and the optional sanitizers.

set(PLOTVALE_SOURCE_ROOT ${CMAKE_SOURCE_DIR}/src)

function(plotvale_compile_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Werror)
  # GCC 12 reports std::string concatenation at -O3 as overlapping memcpy
  # (GCC bug 105329), a false positive that would break release builds.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(PLOTVALE_FUZZ)
    # Coverage for the fuzzer in every library it drives.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(PLOTVALE_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(PLOTVALE_TSAN)
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=thread)
  endif()
endfunction()

# plotvale_module(NAME SOURCES ... [DEPENDS lib ...])
# One static library per folder of src/, named plotvale_NAME.
function(plotvale_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(plotvale_${name} STATIC ${ARG_SOURCES})
  target_include_directories(plotvale_${name} PUBLIC ${PLOTVALE_SOURCE_ROOT})
  target_link_libraries(plotvale_${name} PUBLIC ${ARG_DEPENDS})
  plotvale_compile_options(plotvale_${name})
  if(PLOTVALE_SANITIZE)
    target_link_options(plotvale_${name} INTERFACE -fsanitize=address,undefined)
  endif()
  if(PLOTVALE_TSAN)
    target_link_options(plotvale_${name} INTERFACE -fsanitize=thread)
  endif()
endfunction()

# Third-party libraries as imported targets, found once for every module.
macro(plotvale_find_imaging)
  if(NOT TARGET plotvale_ext_cairo)
    pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo cairo-ft freetype2 fontconfig)
    add_library(plotvale_ext_cairo INTERFACE)
    target_link_libraries(plotvale_ext_cairo INTERFACE PkgConfig::CAIRO)
    find_path(FREEIMAGE_INCLUDE_DIR FreeImage.h REQUIRED)
    find_library(FREEIMAGE_LIBRARY freeimage REQUIRED)
    add_library(plotvale_ext_freeimage INTERFACE)
    target_include_directories(plotvale_ext_freeimage SYSTEM INTERFACE ${FREEIMAGE_INCLUDE_DIR})
    target_link_libraries(plotvale_ext_freeimage INTERFACE ${FREEIMAGE_LIBRARY})
    pkg_check_modules(DEVIL REQUIRED IMPORTED_TARGET IL ILU)
    add_library(plotvale_ext_devil INTERFACE)
    target_link_libraries(plotvale_ext_devil INTERFACE PkgConfig::DEVIL)
    # Right-to-left text in visual order, Arabic letters joined.
    pkg_check_modules(FRIBIDI REQUIRED IMPORTED_TARGET fribidi)
    add_library(plotvale_ext_fribidi INTERFACE)
    target_link_libraries(plotvale_ext_fribidi INTERFACE PkgConfig::FRIBIDI)
    find_package(ZLIB REQUIRED)
  endif()
endmacro()
