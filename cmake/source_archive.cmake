# Run by CPack while it stages a package (CPACK_INSTALL_SCRIPTS), never by a plain install: puts
# the project's source in the package as aleta-<version>-fonte.zip (Windows) or .tar.gz (Linux),
# every file git tracks as the working tree holds it, under one folder of the archive's name.
# The source has no public address the guide could give, so the package carries it.
#
# CPack gives the staging folder as CMAKE_INSTALL_PREFIX, and Packaging.cmake the source tree and
# the format as CPACK_ALETA_SOURCE_DIR and CPACK_ALETA_SOURCE_FORMAT.
set(name aleta-${CPACK_PACKAGE_VERSION}-fonte)
if(CPACK_ALETA_SOURCE_FORMAT STREQUAL "zip")
  set(archive ${CMAKE_INSTALL_PREFIX}/${name}.zip)
  set(tar_flags cf)
else()
  set(archive ${CMAKE_INSTALL_PREFIX}/${name}.tar.gz)
  set(tar_flags czf)
endif()

execute_process(COMMAND git ls-files WORKING_DIRECTORY ${CPACK_ALETA_SOURCE_DIR}
                OUTPUT_VARIABLE tracked RESULT_VARIABLE status ERROR_VARIABLE why)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The package carries the source as git tracks it, and "
                      "${CPACK_ALETA_SOURCE_DIR} is no git checkout: ${why}")
endif()
# One path a line; a tracked file deleted from the working tree is not part of this source.
string(REPLACE "\n" ";" tracked "${tracked}")
set(listed "")
foreach(path IN LISTS tracked)
  if(path AND EXISTS ${CPACK_ALETA_SOURCE_DIR}/${path})
    string(APPEND listed "${name}/${path}\n")
  endif()
endforeach()

# The archive's folder is a link to the source tree, so that each path is stored under it.
set(scratch ${CMAKE_INSTALL_PREFIX}/../aleta-fonte-staging)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})
file(CREATE_LINK ${CPACK_ALETA_SOURCE_DIR} ${scratch}/${name} SYMBOLIC)
file(WRITE ${scratch}/files ${listed})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar ${tar_flags} ${archive}
                        --format=${CPACK_ALETA_SOURCE_FORMAT} --files-from=files
                WORKING_DIRECTORY ${scratch} RESULT_VARIABLE status)
file(REMOVE_RECURSE ${scratch})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Could not write ${archive}")
endif()
