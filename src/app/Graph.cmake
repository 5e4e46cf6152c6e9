# The main window's EQ graph and spectrum view wiring.
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/GraphHost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumWiring.cpp
)
