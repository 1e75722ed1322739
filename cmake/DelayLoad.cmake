# System DLLs the program needs only once the user opens a window: they are
# loaded at their first call instead of at start-up, so a program that sits
# in the tray neither waits for them nor keeps their memory (the file-open
# dialog's library alone brings the printing system with it).
#
# vn24g_delay_loaded(NAME) defines the library target vn24g_delayed_NAME,
# linked in place of NAME.
function(vn24g_delay_loaded dll)
  set(target vn24g_delayed_${dll})
  if(TARGET ${target})
    return()
  endif()
  find_library(VN24G_IMPORT_LIB_${dll} NAMES ${dll} REQUIRED)
  set(folder ${CMAKE_BINARY_DIR}/delayload)
  set(output ${folder}/lib${dll}_delayed.a)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/delay-import-lib.sh ${CMAKE_NM} ${CMAKE_DLLTOOL}
            ${VN24G_IMPORT_LIB_${dll}} ${dll}.dll ${output}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay-import-lib.sh ${VN24G_IMPORT_LIB_${dll}}
    COMMENT "Making the delay-loading import library of ${dll}.dll")
  add_custom_target(${target}_import DEPENDS ${output})
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${output})
  add_dependencies(${target} ${target}_import)
endfunction()
