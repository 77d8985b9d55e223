# Run by CPack once the zip is made: the package managers' manifests for it,
# into the directory it is published from; and whether its lumora.exe is signed.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND python3 ${CPACK_LUMORA_SOURCE_DIR}/scripts/make-manifests.py ${package}
                          ${CPACK_PACKAGE_VERSION} ${CPACK_LUMORA_SOURCE_DIR}/packaging/publisher.conf
                          ${CPACK_PACKAGE_DIRECTORY}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "no manifests for ${package}")
  endif()
endforeach()
if(NOT DEFINED ENV{LUMORA_SIGN_PKCS12} AND NOT DEFINED ENV{LUMORA_SIGN_CERT})
  message(STATUS "unsigned: no signing certificate given (LUMORA_SIGN_PKCS12 or LUMORA_SIGN_CERT), "
                 "so the zip holds lumora.exe unsigned")
endif()
