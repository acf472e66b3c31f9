# calculator_add_pictures(<folder> [AT_START] <picture>...)
# Converts each picture, and its double-resolution version <name>@2x beside it where that
# file exists, at build time into the pixels Pictures reads (see Pictures.h), named
# :/<folder>/<name> and :/<folder>/<name>@2x, and appends them to CALCULATOR_PICTURES, or
# with AT_START (the pictures the calculator shows as it starts) to
# CALCULATOR_START_PICTURES; platform/CMakeLists.txt makes a resource of each list. A
# picture may also be one of Qt's own resources (":/qt-project.org/..."), with no double.
function(calculator_add_pictures folder)
  cmake_parse_arguments(P "AT_START" "" "" ${ARGN})
  set(list CALCULATOR_PICTURES)
  if(P_AT_START)
    set(list CALCULATOR_START_PICTURES)
  endif()
  set(pictures ${${list}})
  foreach(picture IN LISTS P_UNPARSED_ARGUMENTS)
    string(REGEX REPLACE "^(.*/)([^/]+)(\\.[^./]+)$" "\\1;\\2;\\3" parts ${picture})
    list(GET parts 0 folder_path)
    list(GET parts 1 stem)
    list(GET parts 2 extension)
    foreach(name ${stem} ${stem}@2x)
      set(drawing ${folder_path}${name}${extension})
      if(picture MATCHES "^:/")
        set(depends)
        if(name MATCHES "@2x$")
          continue()
        endif()
      elseif(EXISTS ${drawing})
        set(depends ${drawing})
      elseif(name MATCHES "@2x$")
        continue()
      else()
        message(FATAL_ERROR "calculator_add_pictures: ${drawing} does not exist")
      endif()
      set(pixels ${CMAKE_CURRENT_BINARY_DIR}/pictures/${folder}/${name})
      add_custom_command(OUTPUT ${pixels}
                         COMMAND calculator_picture_to_pixels ${drawing} ${pixels}
                         DEPENDS ${depends} calculator_picture_to_pixels
                         COMMENT "Converting ${folder}/${name} to pixels")
      set_source_files_properties(${pixels} PROPERTIES QT_RESOURCE_ALIAS ${folder}/${name})
      list(APPEND pictures ${pixels})
    endforeach()
  endforeach()
  set(${list} ${pictures} PARENT_SCOPE)
endfunction()
