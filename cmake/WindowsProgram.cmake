# The Windows program: the user interface on top of the core, its resources,
# and the distribution folder it runs from (the program with its data files
# beside it, as it is installed).

set(VN24G_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(VN24G_ARTWORK_DIR ${CMAKE_BINARY_DIR}/artwork)

file(GLOB_RECURSE VN24G_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/*.cpp)
if(VN24G_UI_SOURCES)
  add_library(vn24g_ui STATIC ${VN24G_UI_SOURCES})
  target_link_libraries(vn24g_ui PUBLIC vn24g_core)
  # What the windows call: windows and GDI drawing, GDI+ pictures and text,
  # OLE picture loading from streams, the tray icon, and the file-open dialog.
  # Those a window needs only once it opens load at their first call.
  foreach(dll gdiplus ole32 oleaut32 comdlg32)
    vn24g_delay_loaded(${dll})
  endforeach()
  target_link_libraries(vn24g_ui PRIVATE user32 gdi32 uuid shell32 vn24g_delayed_gdiplus vn24g_delayed_ole32
                                         vn24g_delayed_oleaut32 vn24g_delayed_comdlg32)
  vn24g_warnings(vn24g_ui)
endif()

file(GLOB VN24G_APP_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/win32/*.cpp)
set(VN24G_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/ui/resources/vn24g.rc)
add_executable(vn24g WIN32 ${VN24G_APP_WIN32_SOURCES} ${VN24G_RESOURCE_SCRIPT})
target_link_options(vn24g PRIVATE -municode)
target_link_libraries(vn24g PRIVATE vn24g_core)
if(TARGET vn24g_ui)
  target_link_libraries(vn24g PRIVATE vn24g_ui)
endif()
target_include_directories(vn24g PRIVATE ${CMAKE_SOURCE_DIR}/ui/resources ${VN24G_ARTWORK_DIR})
if(EXISTS ${CMAKE_SOURCE_DIR}/ui/resources/pictures.rc)
  target_compile_definitions(vn24g PRIVATE VN24G_HAVE_PICTURES=1)
endif()
set_source_files_properties(${VN24G_RESOURCE_SCRIPT} PROPERTIES
  OBJECT_DEPENDS "${VN24G_ARTWORK_DIR}/vn24g.ico;${CMAKE_SOURCE_DIR}/ui/resources/vn24g.manifest")
set_target_properties(vn24g PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VN24G_DIST_DIR})
add_dependencies(vn24g vn24g_artwork vn24g_data)

# The data files that ship beside the program. Picture sources stay behind:
# the artwork target renders the pictures into the same folder.
add_custom_target(vn24g_data ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data -DDESTINATION=${VN24G_DIST_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/CopyData.cmake
  COMMENT "Copying the program's data files")
