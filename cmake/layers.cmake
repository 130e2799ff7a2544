# Each layer publishes its own folder, and only it, under the name its
# includes use ("model/presets.h"): a target reaches a layer's headers only
# by linking that layer, so a wrong arrow between the layers fails to build.
# Usage: kelvane_publish_headers(target [folder]), folder relative to the
# repository root (default: the calling folder).
function(kelvane_publish_headers target)
  set(folder ${ARGN})
  if(NOT folder)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(published ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${published}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${published}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${published})
  else()
    target_include_directories(${target} PUBLIC ${published})
  endif()
endfunction()

# The sources of the given targets, as full paths, into the variable out: the
# tests rebuild the model with other flags (sanitizers, the build machine's).
function(kelvane_sources out)
  foreach(target ${ARGN})
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    list(TRANSFORM sources PREPEND ${dir}/)
    list(APPEND all ${sources})
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()
