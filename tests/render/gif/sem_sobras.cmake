# Runs the GIF tests of FILTRO (through EMULADOR, when cross-built) with
# PASTA as the temporary folder, which must be empty again afterwards.
file(REMOVE_RECURSE ${PASTA})
file(MAKE_DIRECTORY ${PASTA})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${PASTA} ${EMULADOR} ${PROGRAMA} --gtest_filter=${FILTRO}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the tests failed: ${rc}")
endif()
file(GLOB sobras ${PASTA}/*)
if(sobras)
    message(FATAL_ERROR "left in the temporary folder: ${sobras}")
endif()
