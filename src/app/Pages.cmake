# Page controllers of the main window: navigation and the wiring of the editing layer.
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PageControllers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageNavigation.cpp
)
