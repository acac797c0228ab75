# The tests of the shared core: plain C++, no Qt, no display.
set(OMBRIX_CORE_TEST_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/keytable_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keycount_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/leadingnumber_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/targets_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/barwindow_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktopentry_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/iconthemecache_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keyaction_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keydrop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/starterkeys_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keytexts_moves_test.cpp
)
