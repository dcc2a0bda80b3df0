# The Settings and About dialogs and their platform-free date and time texts.
umbrant_core_sources(${CMAKE_CURRENT_LIST_DIR}/DateTimeText.cpp)
umbrant_core_tests(${CMAKE_CURRENT_LIST_DIR}/DateTimeTextTest.cpp)
umbrant_win_sources(${CMAKE_CURRENT_LIST_DIR}/SettingsDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/AboutDialog.cpp)
umbrant_win_tests(${CMAKE_CURRENT_LIST_DIR}/DialogTemplatesTest.cpp ${CMAKE_CURRENT_LIST_DIR}/SettingsDialogTest.cpp)

# The end-to-end tests read the dialogs' controls through this tool.
if(WIN32)
  add_executable(dialog_probe ${CMAKE_SOURCE_DIR}/tests/e2e/DialogProbe.cpp)
  target_link_libraries(dialog_probe PRIVATE user32)
endif()
