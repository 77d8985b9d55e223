# Read by CPack before anything is packaged. A release signed with a
# certificate needs real addresses: with any still a placeholder, nothing is
# signed or packaged, and what an earlier run left for this version goes.
if(DEFINED ENV{LUMORA_SIGN_PKCS12} OR DEFINED ENV{LUMORA_SIGN_CERT})
  if(DEFINED ENV{LUMORA_PUBLISHER_CONF})
    set(publisher "$ENV{LUMORA_PUBLISHER_CONF}")
  else()
    set(publisher ${CPACK_LUMORA_SOURCE_DIR}/packaging/publisher.conf)
  endif()
  execute_process(COMMAND ${CPACK_LUMORA_PYTHON} ${CPACK_LUMORA_SOURCE_DIR}/scripts/make-manifests.py
                          --placeholders ${publisher}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    set(earlier ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
    file(REMOVE_RECURSE ${earlier} ${earlier}.sha256 ${CPACK_PACKAGE_DIRECTORY}/winget
                        ${CPACK_PACKAGE_DIRECTORY}/scoop ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages)
    message(FATAL_ERROR "no release is made")
  endif()
endif()
