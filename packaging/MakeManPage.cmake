# Writes the manual page that PROGRAM prints with --man into OUTPUT.
execute_process(COMMAND ${PROGRAM} --man OUTPUT_FILE ${OUTPUT}.new RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.new)
  message(FATAL_ERROR "${PROGRAM} --man failed: ${result}")
endif()
file(RENAME ${OUTPUT}.new ${OUTPUT})
