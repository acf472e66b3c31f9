# The application icon, drawn in assets/icons/ and compiled into the platform library,
# the reading of the programs' PNG pictures and icons decoded when first drawn.
target_sources(calculator_platform PRIVATE
    AppIcon.cpp AppIcon.h
    Picture.cpp Picture.h
    DeferredIcon.cpp DeferredIcon.h
    LazyIconStyle.cpp LazyIconStyle.h
    ${PROJECT_SOURCE_DIR}/assets/icons/appicon.qrc)
