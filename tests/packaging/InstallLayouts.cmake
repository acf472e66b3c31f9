# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=... [-DMAKE_PROGRAM=...]
#       [-DCXX_COMPILER=...] [-DQT_DIR=...] [-DARCH=...] -P InstallLayouts.cmake
# For a library folder relative to the prefix and for an absolute one: configures the
# project in SOURCE_DIR (the program's own CMake files plus a stand-in for the program),
# builds the web view module and the stand-in, installs both with the project's install
# rules into an empty prefix, and starts the installed stand-in, which fails unless it
# finds the module and loads a page through it. Build folders stay in WORK_DIR, so a
# second run only installs and starts.
cmake_minimum_required(VERSION 3.25)

if(NOT ARCH)
  set(ARCH multiarch)
endif()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
endfunction()

foreach(layout relative absolute)
  set(build ${WORK_DIR}/${layout}-build)
  set(prefix ${WORK_DIR}/${layout}-prefix)
  file(REMOVE_RECURSE ${prefix})
  if(layout STREQUAL "relative")
    # Configured for one prefix and installed into another, as `cmake --install
    # --prefix` allows when the folders are relative.
    set(configured_prefix ${WORK_DIR}/relative-configured)
    set(libdir lib/${ARCH})
    set(module_dir ${prefix}/${libdir}/calculator)
  else()
    set(configured_prefix ${prefix})
    set(libdir ${prefix}/lib/${ARCH})
    set(module_dir ${libdir}/calculator)
  endif()

  # Only paths are checked: no optimisation and no debug information, to build fast.
  set(configure ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${build} -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Debug
      -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DCMAKE_INSTALL_PREFIX=${configured_prefix} -DCMAKE_INSTALL_BINDIR=bin
      -DCMAKE_INSTALL_LIBDIR=${libdir})
  foreach(option MAKE_PROGRAM CXX_COMPILER)
    if(${option})
      list(APPEND configure -DCMAKE_${option}=${${option}})
    endif()
  endforeach()
  if(QT_DIR)
    list(APPEND configure -DQt6_DIR=${QT_DIR})
  endif()

  message(STATUS "${layout} library folder ${libdir}")
  run("configure" ${configure})
  run("build" ${CMAKE_COMMAND} --build ${build} --parallel 2 --target calculator_webview installed_module_probe)
  # The module by its own rule (the rest of the program is not built here), the
  # stand-in by the program's.
  run("install of the module" ${CMAKE_COMMAND} --install ${build}/calculator/platform/webengine --prefix ${prefix})
  run("install of the stand-in" ${CMAKE_COMMAND} --install ${build} --component installed_module_probe --prefix ${prefix})
  if(NOT EXISTS ${module_dir}/libcalculator_webview.so)
    message(FATAL_ERROR "${layout}: the module was not installed in ${module_dir}")
  elseif(EXISTS ${prefix}/bin/libcalculator_webview.so)
    message(FATAL_ERROR "${layout}: a module beside the program would hide the lookup under test")
  endif()
  run("${layout}: starting the installed program" ${prefix}/bin/installed_module_probe TIMEOUT 120)
  message(STATUS "${layout}: the installed program loaded its module from ${module_dir}")
endforeach()
