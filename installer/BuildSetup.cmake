# cmake -DDIST=<dist folder> -DWORK=<work folder> -DOUTFILE=<setup.exe> -DMAKENSIS=<makensis>
#       -DSCRIPT=<setup.nsi> -DARCH=<i686|x86_64> -DTITLE=<title> -DVERSION=<x.y> -DICON=<icon>
#       -P BuildSetup.cmake
# Makes setup.exe from whatever the distribution folder holds: the list of
# files to install and to remove goes into WORK/files.nsh, and makensis runs
# only when a file, the script or a setting changed since the last time.

file(GLOB_RECURSE files RELATIVE ${DIST} ${DIST}/*)
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "The distribution folder ${DIST} is empty")
endif()

# Folders under the distribution folder, deepest first, for removal.
set(folders)
foreach(file ${files})
  get_filename_component(folder ${file} DIRECTORY)
  while(folder)
    list(APPEND folders ${folder})
    get_filename_component(folder ${folder} DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)

# NSIS reads "$" as the start of a variable.
function(nsis_text out text)
  string(REPLACE "$" "$$" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
function(windows_path out path)
  string(REPLACE "/" "\\" path "${path}")
  nsis_text(path "${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(install "!macro InstallFiles\n")
set(current_folder "-")
foreach(file ${files})
  get_filename_component(folder ${file} DIRECTORY)
  if(NOT folder STREQUAL current_folder)
    windows_path(target "${folder}")
    if(target)
      string(APPEND install "  SetOutPath \"$INSTDIR\\${target}\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    endif()
    set(current_folder "${folder}")
  endif()
  nsis_text(source "${DIST}/${file}")
  string(APPEND install "  File \"${source}\"\n")
endforeach()
string(APPEND install "  SetOutPath \"$INSTDIR\"\n!macroend\n\n")

set(uninstall "!macro UninstallFiles\n")
foreach(file ${files})
  windows_path(target "${file}")
  string(APPEND uninstall "  Delete \"$INSTDIR\\${target}\"\n")
endforeach()
# Only empty folders go: whatever the user put there stays.
foreach(folder ${folders})
  windows_path(target "${folder}")
  string(APPEND uninstall "  RMDir \"$INSTDIR\\${target}\"\n")
endforeach()
string(APPEND uninstall "!macroend\n")

set(listing "${install}${uninstall}")

# What setup.exe was last made from.
set(signature "${ARCH}|${TITLE}|${VERSION}|${listing}")
foreach(input ${SCRIPT} ${CMAKE_CURRENT_LIST_FILE} ${ICON})
  file(MD5 ${input} hash)
  string(APPEND signature "|${hash}")
endforeach()
foreach(file ${files})
  file(MD5 ${DIST}/${file} hash)
  string(APPEND signature "|${hash}")
endforeach()
string(MD5 signature "${signature}")
set(stamp ${WORK}/setup.signature)
if(EXISTS ${OUTFILE} AND EXISTS ${stamp})
  file(READ ${stamp} last)
  if(last STREQUAL signature)
    return()
  endif()
endif()

file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/files.nsh "${listing}")
file(REMOVE ${stamp})
execute_process(
  COMMAND ${MAKENSIS} -V2 -NOCD
          -DARCH=${ARCH} -DFILES=${WORK}/files.nsh -DOUTFILE=${OUTFILE}
          -DTITLE=${TITLE} -DVERSION=${VERSION} -DICON=${ICON}
          ${SCRIPT}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTFILE})
  message(FATAL_ERROR "makensis could not make ${OUTFILE}")
endif()
file(WRITE ${stamp} "${signature}")
