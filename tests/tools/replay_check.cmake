# Runs tesvo-replay on a scenario and checks its transcript, exit status and error text.
# Variables: REPLAY, EMULATOR (may be empty), SCENARIO, EXPECTED, DATA, STATUS, ERROR_REGEX.
file(REMOVE_RECURSE ${DATA})
file(MAKE_DIRECTORY ${DATA})
execute_process(COMMAND ${EMULATOR} ${REPLAY} --data ${DATA} ${SCENARIO}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
# Windows' C runtime writes text-mode line ends.
string(REPLACE "\r\n" "\n" out "${out}")
file(READ ${EXPECTED} want)
if(NOT out STREQUAL want)
    file(WRITE ${DATA}/actual.jsonl "${out}")
    message(FATAL_ERROR "transcript differs from ${EXPECTED}; got ${DATA}/actual.jsonl:\n${out}")
endif()
if(NOT rc STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${rc}, expected ${STATUS}; stderr: ${err}")
endif()
if(ERROR_REGEX AND NOT err MATCHES "${ERROR_REGEX}")
    message(FATAL_ERROR "stderr does not match '${ERROR_REGEX}': ${err}")
endif()
