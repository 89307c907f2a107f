# The thin layer over the widgets: field access, the locale's decimal separator,
# message boxes, the caption font and twips.
add_library(drevkalk_platform_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/widgetfields.h ${CMAKE_CURRENT_LIST_DIR}/widgetfields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decimalseparator.h ${CMAKE_CURRENT_LIST_DIR}/decimalseparator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messages.h ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/look.h ${CMAKE_CURRENT_LIST_DIR}/look.cpp
    ${CMAKE_CURRENT_LIST_DIR}/twips.h)
target_include_directories(drevkalk_platform_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(drevkalk_platform_ui PUBLIC drevkalk_calc Qt6::Widgets)
