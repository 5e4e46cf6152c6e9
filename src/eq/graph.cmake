# EQ graph: plot geometry, band list and drag rules (core), the widget and its mouse handling (ui).
target_sources(dspcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphBands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphDrag.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphGeometry.cpp
)
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/EqGraph.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphMouse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphPlot.cpp
)
