# Page navigation of the main window (Qt Test, offscreen).
dsp_qtest(app_page_navigation_test ${CMAKE_CURRENT_LIST_DIR}/PageNavigation_test.cpp)
