include(${CMAKE_CURRENT_LIST_DIR}/gradient.cmake)

# The main window: layout data, menus and display modes, reactions.
add_library(drevkalk_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/application.h ${CMAKE_CURRENT_LIST_DIR}/application.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout.h ${CMAKE_CURRENT_LIST_DIR}/layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/menus.h ${CMAKE_CURRENT_LIST_DIR}/menus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/clientarea.h ${CMAKE_CURRENT_LIST_DIR}/clientarea.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mainwindow.h ${CMAKE_CURRENT_LIST_DIR}/mainwindow.cpp)
qt_add_resources(drevkalk_ui "drevkalk_icons" PREFIX "/icons" BASE ${CMAKE_CURRENT_LIST_DIR}/icons
    FILES ${CMAKE_CURRENT_LIST_DIR}/icons/drevkalk-32.xpm ${CMAKE_CURRENT_LIST_DIR}/icons/drevkalk-16.xpm)
target_include_directories(drevkalk_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The title and the version come from the project, and from nowhere else.
target_compile_definitions(drevkalk_ui PRIVATE
    DREVKALK_NAME="${PROJECT_NAME}" DREVKALK_VERSION="${PROJECT_VERSION}")
target_link_libraries(drevkalk_ui PUBLIC drevkalk_calc drevkalk_gradient drevkalk_about drevkalk_panel drevkalk_platform_ui Qt6::Widgets)

qt_add_executable(drevkalk ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(drevkalk PRIVATE drevkalk_ui)
