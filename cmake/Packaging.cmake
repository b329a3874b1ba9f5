# What the downloadable packages hold, and the packages themselves (cpack in the build folder):
# aleta-<version>-linux-x86_64.tar.gz from the native build and aleta-<version>-windows-x64.zip
# from the mingw-w64 build. Each holds everything installed: the programs in bin/ (each
# program's install rule puts it there), the example cases, the user's guide, the license and the
# source (cmake/source_archive.cmake).

install(DIRECTORY examples/ DESTINATION examples
        PATTERN README.md EXCLUDE           # written for developers
        PATTERN *.expected EXCLUDE)         # the package test's reference reports

if(ALETA_GUIDE)
  include(cmake/Guide.cmake)
endif()

if(WIN32)
  # Each example runs on a double click: executar.bat runs aleta.exe, estudo.bat the mesh study.
  foreach(example uds uds2)
    install(FILES tools/windows/executar.bat tools/windows/estudo.bat DESTINATION examples/${example})
  endforeach()
  # Notepad opens a .txt by a double click.
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  set(CPACK_ALETA_SOURCE_FORMAT zip)
  set(CPACK_GENERATOR ZIP)
  set(package_system windows-x64)
else()
  install(FILES LICENSE DESTINATION .)
  set(CPACK_ALETA_SOURCE_FORMAT gnutar)
  set(CPACK_GENERATOR TGZ)
  set(package_system linux-${CMAKE_SYSTEM_PROCESSOR})
endif()
# The source, which the guide points to, as an archive in the package.
set(CPACK_ALETA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_INSTALL_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/source_archive.cmake)

set(CPACK_PACKAGE_NAME aleta)
set(CPACK_PACKAGE_FILE_NAME aleta-${PROJECT_VERSION}-${package_system})
# One folder of the package's own name, so that unpacking never scatters files.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
