# The web view provider: loads the Qt WebEngine module in webengine/ on first use. It
# needs Qt Core only, so the program itself links no web engine library.
target_sources(calculator_platform PRIVATE WebViewProvider.cpp WebViewProvider.h)
set_property(SOURCE WebViewProvider.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             CALCULATOR_INSTALL_LIBDIR="${CMAKE_INSTALL_LIBDIR}")
