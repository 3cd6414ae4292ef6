# Writes the manual page that PROGRAM prints with --man into OUTPUT.
# A sanitized build's program prints it too; what Qt keeps until exit is no finding here.
set(ENV{ASAN_OPTIONS} "detect_leaks=0")
execute_process(COMMAND ${PROGRAM} --man OUTPUT_FILE ${OUTPUT}.new RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.new)
  message(FATAL_ERROR "${PROGRAM} --man failed: ${result}")
endif()
file(RENAME ${OUTPUT}.new ${OUTPUT})
