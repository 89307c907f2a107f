# The About dialog.
add_library(drevkalk_about STATIC
    ${CMAKE_CURRENT_LIST_DIR}/frmabout.h ${CMAKE_CURRENT_LIST_DIR}/frmabout.cpp)
qt_add_resources(drevkalk_about "drevkalk_about_icons" PREFIX "/about"
    BASE ${CMAKE_CURRENT_LIST_DIR}/icons
    FILES ${CMAKE_CURRENT_LIST_DIR}/icons/about-32.xpm ${CMAKE_CURRENT_LIST_DIR}/icons/about-16.xpm)
target_include_directories(drevkalk_about PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(drevkalk_about PUBLIC drevkalk_platform_ui Qt6::Widgets)
