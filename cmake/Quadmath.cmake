# quadmath: GCC's quadruple-precision library (libquadmath), which the core's second arithmetic
# uses. It is linked from its static archive, so that the programs need no libquadmath beside
# them: the Linux package asks nothing of the user's system but glibc. GCC finds the header by
# itself, natively and in the mingw-w64 build; clang finds the archive in GCC's folders but not
# the header, which lives in GCC's own include folder beside GCC's intrinsics: clang is given a
# folder holding quadmath.h alone.
add_library(quad_arithmetic INTERFACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libquadmath.a
                OUTPUT_VARIABLE quadmath_archive OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT EXISTS "${quadmath_archive}")
  message(FATAL_ERROR "libquadmath.a not found by ${CMAKE_CXX_COMPILER}")
endif()
target_link_libraries(quad_arithmetic INTERFACE ${quadmath_archive})
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  find_program(GCC_FOR_QUADMATH gcc REQUIRED)
  execute_process(COMMAND ${GCC_FOR_QUADMATH} -print-file-name=include
                  OUTPUT_VARIABLE gcc_include OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS ${gcc_include}/quadmath.h)
    message(FATAL_ERROR "quadmath.h not found in GCC's include folder ${gcc_include}")
  endif()
  set(quadmath_only ${CMAKE_BINARY_DIR}/quadmath_header)
  file(MAKE_DIRECTORY ${quadmath_only})
  file(CREATE_LINK ${gcc_include}/quadmath.h ${quadmath_only}/quadmath.h SYMBOLIC)
  target_include_directories(quad_arithmetic SYSTEM INTERFACE ${quadmath_only})
endif()
