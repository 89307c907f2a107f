# The file panel's reactions: the list, save, load, delete and new.
add_library(drevkalk_panel STATIC
    ${CMAKE_CURRENT_LIST_DIR}/filepanel.h ${CMAKE_CURRENT_LIST_DIR}/filepanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/recordfields.h)
target_include_directories(drevkalk_panel PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(drevkalk_panel PUBLIC
    drevkalk_platform_files drevkalk_platform_ui drevkalk_calc Qt6::Widgets)
