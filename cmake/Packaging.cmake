# What the downloadable packages hold, and the packages themselves (cpack in the build folder):
# aleta-<version>-linux-x86_64.tar.gz from the native build and aleta-<version>-windows-x64.zip
# from the mingw-w64 build. Each holds everything installed: the programs in bin/ (each
# program's install rule puts it there), the example cases and the user's guide.

install(DIRECTORY examples/ DESTINATION examples
        PATTERN README.md EXCLUDE           # written for developers
        PATTERN *.expected EXCLUDE)         # the package test's reference reports

if(WIN32)
  set(leiame_txt ${CMAKE_CURRENT_BINARY_DIR}/LEIAME.txt)
  add_custom_command(OUTPUT ${leiame_txt}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/LEIAME.md -DOUTPUT=${leiame_txt}
            -P ${PROJECT_SOURCE_DIR}/cmake/leiame_txt.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/LEIAME.md ${PROJECT_SOURCE_DIR}/cmake/leiame_txt.cmake
    COMMENT "Writing LEIAME.txt for Notepad")
  add_custom_target(leiame_txt ALL DEPENDS ${leiame_txt})
  install(FILES ${leiame_txt} DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(package_system windows-x64)
else()
  install(FILES LEIAME.md DESTINATION .)
  set(CPACK_GENERATOR TGZ)
  set(package_system linux-${CMAKE_SYSTEM_PROCESSOR})
endif()

set(CPACK_PACKAGE_NAME aleta)
set(CPACK_PACKAGE_FILE_NAME aleta-${PROJECT_VERSION}-${package_system})
# One folder of the package's own name, so that unpacking never scatters files.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
