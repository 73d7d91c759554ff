# sorvanel_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI])
# Builds one GoogleTest executable and registers it with ctest. Every test
# program runs in English; GUI tests get a main that also creates the
# application on Qt's offscreen platform.
function(sorvanel_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${T_NAME} PRIVATE Sorvanel::config GTest::gtest GTest::gmock ${T_LIBS})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE sorvanel_gui_test_main)
  else()
    target_link_libraries(${T_NAME} PRIVATE sorvanel_test_main)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=Asia/Tokyo")
endfunction()
