# cmake -DSCRIPT=copy_missing.cmake -DSOURCE=samples -DWORK=scratch -P copy_missing_test.cmake
#
# The copy of the sample files into the program's folders: missing files are copied, a file
# already there is kept as it is, and REPORT/ is made.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/DATA")
file(WRITE "${WORK}/DATA/DEBILT.DSC" "the user's own file\n")

foreach(run 1 2)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${SOURCE} -DDESTINATION=${WORK} -P ${SCRIPT}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "copy run ${run} failed: ${result}")
  endif()
endforeach()

file(READ "${WORK}/DATA/DEBILT.DSC" kept)
if(NOT kept STREQUAL "the user's own file\n")
  message(FATAL_ERROR "an existing DATA/DEBILT.DSC was overwritten")
endif()
foreach(name DATA/DEBILT.DTA DATA/MADRID.DSC DATA/MADRID.DTA DATA/SYDNEY.DSC DATA/SYDNEY.DTA
             IMPORT/DEBILT.CXT)
  if(NOT EXISTS "${WORK}/${name}")
    message(FATAL_ERROR "${name} was not copied")
  endif()
  file(SHA256 "${WORK}/${name}" copied)
  file(SHA256 "${SOURCE}/${name}" original)
  if(NOT copied STREQUAL original)
    message(FATAL_ERROR "${name} differs from the sample")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${WORK}/REPORT")
  message(FATAL_ERROR "REPORT/ was not made")
endif()
file(REMOVE_RECURSE "${WORK}")
