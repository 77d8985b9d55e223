# Run as lumora.exe is put into the package: signs it there when a signing
# certificate is given in the environment (scripts/sign.sh names the
# variables); otherwise the package holds it unsigned.
set(exe "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lumora.exe")
if(DEFINED ENV{LUMORA_SIGN_PKCS12} OR DEFINED ENV{LUMORA_SIGN_CERT})
  execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/sign.sh ${exe} ${exe}.signed
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lumora.exe is not signed: no package is made")
  endif()
  file(RENAME ${exe}.signed ${exe})
endif()
