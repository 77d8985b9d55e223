# Run by CPack once the zip is made: the zip written again the same from any
# checkout, the package managers' manifests for it, into the directory it is
# published from; and whether its lumora.exe is signed.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C ${CPACK_LUMORA_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(DEFINED ENV{LUMORA_PUBLISHER_CONF})
  set(publisher "$ENV{LUMORA_PUBLISHER_CONF}")
else()
  set(publisher ${CPACK_LUMORA_SOURCE_DIR}/packaging/publisher.conf)
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${CPACK_LUMORA_PYTHON} ${CPACK_LUMORA_SOURCE_DIR}/scripts/repack-zip.py
                          ${package} "${epoch}"
                  RESULT_VARIABLE status)
  if(status EQUAL 0)
    execute_process(COMMAND ${CPACK_LUMORA_PYTHON} ${CPACK_LUMORA_SOURCE_DIR}/scripts/make-manifests.py
                            ${package} ${CPACK_PACKAGE_VERSION} ${publisher} "${epoch}"
                            ${CPACK_PACKAGE_DIRECTORY}
                    RESULT_VARIABLE status)
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "no release for ${package}")
  endif()
endforeach()
if(NOT DEFINED ENV{LUMORA_SIGN_PKCS12} AND NOT DEFINED ENV{LUMORA_SIGN_CERT})
  message(STATUS "unsigned: no signing certificate given (LUMORA_SIGN_PKCS12 or LUMORA_SIGN_CERT), "
                 "so the zip holds lumora.exe unsigned")
endif()
