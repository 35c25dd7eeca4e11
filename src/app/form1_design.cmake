# Form1's design as data, with the pictures, icon and cursor it uses, and the code that builds the window's
# controls from it. Included from this folder's CMakeLists.txt.
add_library(trimvox_form_design STATIC
  ${CMAKE_CURRENT_LIST_DIR}/form_design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/design_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/design_resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_instance.cpp
  ${PROJECT_SOURCE_DIR}/resources/forms/form1.qrc
)
set_target_properties(trimvox_form_design PROPERTIES AUTORCC ON)
target_include_directories(trimvox_form_design PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(trimvox_form_design PUBLIC trimvox_mxbutton_model trimvox_gdi Qt6::Gui)

# The window's controls built from the design.
add_library(trimvox_form1_builder STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clickable_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form1_design.cpp
)
set_target_properties(trimvox_form1_builder PROPERTIES AUTOMOC ON)
target_link_libraries(trimvox_form1_builder PUBLIC trimvox_form_design trimvox_mxbutton trimvox_player
                      Qt6::Widgets)
