# A layer is a static library whose headers are reached as "<folder>/...":
# it sees its own folder and, through linking, the folders of the layers it
# links, and no other. Each layer gets an include root of its own in the
# build tree holding one link to its folder.
function(lumora_layer target folder)
  add_library(${target} STATIC ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
  endif()
  target_include_directories(${target} PUBLIC ${root})
  if(LUMORA_LTO)
    target_compile_options(${target} PRIVATE ${LUMORA_LTO} -ffat-lto-objects)
  endif()
endfunction()
