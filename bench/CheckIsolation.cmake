# Runs the bench BENCH (setting up and one short benchmark pass) with HOME
# and the XDG folders pointed at the empty folder HOME, then fails if
# anything appeared there.
file(REMOVE_RECURSE ${HOME})
file(MAKE_DIRECTORY ${HOME})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env HOME=${HOME} XDG_CONFIG_HOME=${HOME}/.config
          XDG_DATA_HOME=${HOME}/.local/share XDG_CACHE_HOME=${HOME}/.cache XDG_STATE_HOME=${HOME}/.local/state
          ${BENCH} --benchmark_min_time=0.01
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${BENCH} failed: ${result}")
endif()
file(GLOB_RECURSE left LIST_DIRECTORIES true ${HOME}/*)
if(left)
  message(FATAL_ERROR "The bench wrote into the user's home: ${left}")
endif()
file(REMOVE_RECURSE ${HOME})
