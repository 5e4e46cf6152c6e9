# Editing layer of the main window (Qt Test, offscreen).
dsp_qtest(params_edit_handlers_test ${CMAKE_CURRENT_LIST_DIR}/EditHandlers_test.cpp)
dsp_qtest(params_refresh_page_test ${CMAKE_CURRENT_LIST_DIR}/RefreshPage_test.cpp)
