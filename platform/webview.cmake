# The web view provider (loads the module in webengine/). The install location of the
# module, relative to the program's prefix, is where an installed program looks for it.
target_sources(calculator_platform PRIVATE WebViewProvider.cpp WebViewProvider.h)
target_compile_definitions(calculator_platform PRIVATE
    CALCULATOR_MODULE_LIBDIR="${CMAKE_INSTALL_LIBDIR}/calculator")
