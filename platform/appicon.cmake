# The application icon, drawn in assets/icons/ and compiled into the platform library.
target_sources(calculator_platform PRIVATE
    AppIcon.cpp AppIcon.h
    ${PROJECT_SOURCE_DIR}/assets/icons/appicon.qrc)
