# Languages, access locks and the system settings page.
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LangTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LangMessages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LangController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LockController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemPageController.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemWiring.cpp
)
