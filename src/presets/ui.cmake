# Device modes and parameter files in the main window (dspui).
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PresetUi.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetFolders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModesController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FilesController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PresetWiring.cpp
)
