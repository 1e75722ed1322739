# cmake -DSOURCE=data -DDESTINATION=dist -P CopyData.cmake
# Copies the files a user's installation holds, keeping the folder layout.
file(GLOB_RECURSE files RELATIVE ${SOURCE}
  ${SOURCE}/*.ini ${SOURCE}/*.xml ${SOURCE}/*.chm ${SOURCE}/*.png ${SOURCE}/*.bmp)
foreach(file ${files})
  get_filename_component(dir ${DESTINATION}/${file} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${SOURCE}/${file} ${DESTINATION}/${file} ONLY_IF_DIFFERENT)
endforeach()
