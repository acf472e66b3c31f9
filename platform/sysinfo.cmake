# Registry, file query and program start, used by the system-information launch.
target_sources(calculator_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FileQuery.cpp ${CMAKE_CURRENT_LIST_DIR}/FileQuery.h
    ${CMAKE_CURRENT_LIST_DIR}/ProgramStart.cpp ${CMAKE_CURRENT_LIST_DIR}/ProgramStart.h
    ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp ${CMAKE_CURRENT_LIST_DIR}/Registry.h
)
