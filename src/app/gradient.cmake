# The gradient band computation of the main window's background.
# Standard C++ only: nothing here links Qt.
add_library(drevkalk_gradient STATIC ${CMAKE_CURRENT_LIST_DIR}/gradient.cpp)
target_include_directories(drevkalk_gradient PUBLIC ${CMAKE_CURRENT_LIST_DIR})
set_target_properties(drevkalk_gradient PROPERTIES AUTOMOC OFF)
