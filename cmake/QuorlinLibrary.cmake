# quorlin_library(NAME FOLDER src-folder SOURCES ... DEPENDS ...): a static library whose
# headers others reach as "FOLDER/header.h". Its include root holds only a link to its own
# folder, so a library sees its own headers and those of the libraries it depends on,
# never the rest of src/.
function(quorlin_library name)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  string(REPLACE "/" "_" root_name ${L_FOLDER})
  set(root ${PROJECT_BINARY_DIR}/include/${root_name})
  get_filename_component(parent ${root}/${L_FOLDER} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${L_FOLDER} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${L_DEPENDS})
endfunction()
