# Stand-in for the demo program folder while no target `programfolder` exists: the build writes the
# small generated bank of wirtal-sample-bank into ${CMAKE_BINARY_DIR}/programfolder. Included by
# the top-level CMakeLists.txt only when nothing else defined `programfolder`; the demo bank's
# definition (data/) replaces it with the same target and variable names.
set(WIRTAL_PROGRAM_FOLDER ${CMAKE_BINARY_DIR}/programfolder CACHE INTERNAL "")
set(stamp ${CMAKE_BINARY_DIR}/programfolder-standin.stamp)
add_custom_command(
  OUTPUT ${stamp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WIRTAL_PROGRAM_FOLDER}
  COMMAND wirtal-sample-bank ${WIRTAL_PROGRAM_FOLDER}
  COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
  DEPENDS wirtal-sample-bank
  COMMENT "Writing the stand-in program folder in ${WIRTAL_PROGRAM_FOLDER}"
  VERBATIM)
add_custom_target(programfolder ALL DEPENDS ${stamp})
