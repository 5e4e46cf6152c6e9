# Editing layer of the main window (Qt Widgets): value display, editing handlers, page refresh,
# EQ presets and channel copy.
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ButtonStates.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChannelCopy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditHandlers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqPresets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageRefresh.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShowValue.cpp
)
