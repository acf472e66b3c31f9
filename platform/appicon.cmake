# The application icon, drawn in assets/icons/ and compiled into the platform library,
# and the reading of the programs' PNG pictures.
target_sources(calculator_platform PRIVATE
    AppIcon.cpp AppIcon.h
    Picture.cpp Picture.h
    ${PROJECT_SOURCE_DIR}/assets/icons/appicon.qrc)
