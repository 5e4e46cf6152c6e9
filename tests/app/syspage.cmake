# Languages, access locks and the system settings page.
dsp_qtest(LangController_test ${CMAKE_CURRENT_LIST_DIR}/LangController_test.cpp)
dsp_qtest(LockController_test ${CMAKE_CURRENT_LIST_DIR}/LockController_test.cpp)
dsp_qtest(SystemPageController_test ${CMAKE_CURRENT_LIST_DIR}/SystemPageController_test.cpp)

# Screenshots of the main window of both variants in both languages: LangShots [folder]
# (default /tmp/shots, files lang_*.png). A tool, not a test.
add_executable(LangShots ${CMAKE_CURRENT_LIST_DIR}/LangShots.cpp)
target_link_libraries(LangShots PRIVATE dspui)
