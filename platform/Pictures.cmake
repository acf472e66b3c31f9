# calculator_add_pictures(<target> <prefix> <picture>...)
# Adds the pictures to the target's resources under <prefix> (":<prefix>/<name>"), each
# with its double-resolution version, <name>@2x beside it, where that file exists.
# The program reads its pictures with Qt's built-in readers only (see Pictures.h), so PNG
# and BMP go in as they are and any other format (the JPEG drawings) is converted to PNG
# at build time, under the same name with ".png".
function(calculator_add_pictures target prefix)
  set(files)
  foreach(picture IN LISTS ARGN)
    cmake_path(GET picture PARENT_PATH folder)
    cmake_path(GET picture STEM LAST_ONLY stem)
    cmake_path(GET picture EXTENSION LAST_ONLY extension)
    foreach(name ${stem} ${stem}@2x)
      set(file ${folder}/${name}${extension})
      if(NOT EXISTS ${file} AND name MATCHES "@2x$")
        continue()
      endif()
      if(extension MATCHES "^\\.(png|bmp)$")
        set_source_files_properties(${file} PROPERTIES QT_RESOURCE_ALIAS ${name}${extension})
      else()
        set(converted ${CMAKE_CURRENT_BINARY_DIR}/pictures${prefix}/${name}.png)
        add_custom_command(OUTPUT ${converted}
                           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                                   $<TARGET_FILE:calculator_picture_to_png> ${file} ${converted}
                           DEPENDS ${file} calculator_picture_to_png
                           COMMENT "Converting ${name}${extension} to PNG")
        set_source_files_properties(${converted} PROPERTIES QT_RESOURCE_ALIAS ${name}.png)
        set(file ${converted})
      endif()
      list(APPEND files ${file})
    endforeach()
  endforeach()
  string(MAKE_C_IDENTIFIER "pictures${prefix}" resource)
  qt_add_resources(${target} ${resource} PREFIX ${prefix} FILES ${files})
endfunction()
