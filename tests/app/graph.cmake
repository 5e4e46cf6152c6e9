# The EQ graph and the spectrum view in the main window.
dsp_qtest(GraphWindow_test ${CMAKE_CURRENT_LIST_DIR}/GraphWindow_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GraphFixture.h)
# The spectrum through a private PulseAudio server with a 1 kHz sine source (skipped without one).
dsp_qtest(GraphSpectrumLive_test ${CMAKE_CURRENT_LIST_DIR}/GraphSpectrumLive_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GraphFixture.h)
set_tests_properties(GraphSpectrumLive_test PROPERTIES
    SKIP_REGULAR_EXPRESSION "SKIP   : [^\n]*initTestCase\\(\\) audio server cannot start")
# Screenshots of the window with the graph on every page and the spectrum on (a tool, not a
# test): build/tests/graph_shots [folder], best under scripts/with-pulse.
add_executable(graph_shots ${CMAKE_CURRENT_LIST_DIR}/GraphShots.cpp)
target_link_libraries(graph_shots PRIVATE dspui)
# A drag on the graph of the whole program reaching the simulator over a pseudo-terminal.
dsp_qtest(GraphDragLink_test ${CMAKE_CURRENT_LIST_DIR}/GraphDragLink_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GraphFixture.h)
target_link_libraries(GraphDragLink_test PRIVATE dspsimio)
set_tests_properties(GraphDragLink_test PROPERTIES TIMEOUT 90)
