# The Settings and About dialogs and their platform-free date and time texts.
umbrant_core_sources(${CMAKE_CURRENT_LIST_DIR}/DateTimeText.cpp)
umbrant_core_tests(${CMAKE_CURRENT_LIST_DIR}/DateTimeTextTest.cpp)
