# EQ graph: pure geometry, band list and drag rules (GoogleTest), the widget (Qt Test).
dsp_gtest(eqgraph_core_test
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphGeometry_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphBands_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EqGraphDrag_test.cpp
)
dsp_qtest(eqgraph_widget_test
    ${CMAKE_CURRENT_LIST_DIR}/EqGraph_test.cpp
)
