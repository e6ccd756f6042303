# cmake -DSOURCE=dir -DDESTINATION=dir -P copy_missing.cmake
#
# Copies the files of SOURCE/DATA and SOURCE/IMPORT into DESTINATION/DATA and
# DESTINATION/IMPORT, only those missing there: an existing file is left as it is. Creates
# DESTINATION/REPORT.
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE DESTINATION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "copy_missing.cmake needs -D${var}=...")
  endif()
endforeach()

foreach(folder DATA IMPORT)
  file(MAKE_DIRECTORY "${DESTINATION}/${folder}")
  file(GLOB names RELATIVE "${SOURCE}/${folder}" "${SOURCE}/${folder}/*")
  foreach(name IN LISTS names)
    set(target "${DESTINATION}/${folder}/${name}")
    if(NOT EXISTS "${target}" AND NOT IS_SYMLINK "${target}")
      file(COPY_FILE "${SOURCE}/${folder}/${name}" "${target}")
    endif()
  endforeach()
endforeach()
file(MAKE_DIRECTORY "${DESTINATION}/REPORT")
