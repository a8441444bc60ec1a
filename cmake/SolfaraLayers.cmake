# The build enforces the layers: there is no include path to the whole source
# tree. Each library gets an include directory of its own in the build tree that
# holds only a link to its own folder, spelled as in the source tree, so
# "music/pitch.h" is found only by code whose target links `music`. An include
# that runs up or across the layers fails to compile.

# solfara_headers(TARGET FOLDER [FILES name...])
# FOLDER is a path from the source root ("music", "platform/gdi"). With FILES,
# only those headers of the folder are offered (a small interface of a folder
# whose other headers belong to a higher layer).
function(solfara_headers target folder)
  cmake_parse_arguments(H "" "" "FILES" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  if(H_FILES)
    # A build tree made when the whole folder was offered holds a link to the
    # source folder here: links made through it would replace the sources.
    if(IS_SYMLINK ${root}/${folder})
      file(REMOVE ${root}/${folder})
    endif()
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS H_FILES)
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder}/${header} ${root}/${folder}/${header} SYMBOLIC)
    endforeach()
  else()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(IS_DIRECTORY ${root}/${folder} AND NOT IS_SYMLINK ${root}/${folder})
      file(REMOVE_RECURSE ${root}/${folder}) # once offered header by header
    endif()
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# The folder of the current CMakeLists.txt, as seen from the source root.
function(solfara_current_folder out)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(${out} ${folder} PARENT_SCOPE)
endfunction()
